#!/usr/bin/env bash
# The Windows installer in the test session's Wine prefix: a silent per-user install (files, Start-menu entry,
# uninstaller under HKCU only), the entry starting the game with its ranking folder made in %LOCALAPPDATA%\Vantrel,
# and the uninstaller removing all but the ranking.
# usage: installer-test.sh SETUP.EXE WINE64   (WINEPREFIX set by the caller, the session's wineserver running)
set -euo pipefail
setup=$1
wine64=$2
export DISPLAY=

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
wine_env() { "$wine64" cmd /c echo "%$1%" | tr -d '\r'; }
unix_path() { "$wine64" winepath -u "$1" | tr -d '\r'; }
gone_within() { # seconds path
    for _ in $(seq $(($1 * 10))); do
        [ -e "$2" ] || return 0
        sleep 0.1
    done
    return 1
}

local_data=$(unix_path "$(wine_env LOCALAPPDATA)")
menu="$(unix_path "$(wine_env APPDATA)")/Microsoft/Windows/Start Menu/Programs"
installed=$local_data/Programs/Vantrel
ranking=$local_data/Vantrel
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
# What an earlier, interrupted run left.
rm -rf "$installed" "$ranking" "$menu/Vantrel.lnk"
"$wine64" reg delete "$key" /f >/dev/null 2>&1 || true

# Silent: Wine's helpers started for the installer's windows would hold the test's output open after it ends.
quiet() { "$@" </dev/null >/dev/null 2>&1; }

quiet "$wine64" "$setup" /S
for f in vantrel.exe clash.wav LICENSE.txt README.txt uninstall.exe; do
    [ -f "$installed/$f" ] || fail "$f is not in $installed"
done
[ -f "$menu/Vantrel.lnk" ] || fail "no Start-menu entry"
"$wine64" reg query "$key" /v UninstallString | grep -q 'uninstall\.exe' || fail "no uninstaller under HKCU"
for machine in 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel' \
    'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'; do
    ! "$wine64" reg query "$machine" >/dev/null 2>&1 || fail "registered under $machine"
done
! find "$WINEPREFIX/drive_c/Program Files" "$WINEPREFIX/drive_c/Program Files (x86)" -iname '*vantrel*' | grep -q . ||
    fail "files under Program Files"
{ read -r target; read -r arguments; read -r folder; } < <(python3 "$(dirname "$0")/read-shortcut.py" "$menu/Vantrel.lnk")
[ "$(unix_path "$target")" = "$installed/vantrel.exe" ] || fail "the entry starts $target"
[ "$arguments" = --data-home ] || fail "the entry passes '$arguments'"

# Started as the entry starts it (Wine's own "start" of a shortcut needs a terminal), without a screen: the game
# makes its ranking folder before it opens its window.
[ ! -e "$ranking" ] || fail "the ranking folder exists before the game ran"
(cd "$(unix_path "$folder")" && quiet timeout 60 "$wine64" "$target" "$arguments") || true
[ -d "$ranking" ] || fail "the entry's game made no $ranking"

quiet "$wine64" "$installed/uninstall.exe" /S
# The uninstaller runs from a copy of itself, so the call returns before it is done.
gone_within 30 "$installed" || fail "the uninstaller left $installed"
[ ! -e "$menu/Vantrel.lnk" ] || fail "the uninstaller left the Start-menu entry"
! "$wine64" reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left $key"
[ -d "$ranking" ] || fail "the uninstaller removed the player's ranking"
rm -rf "$ranking"
echo "installer: installed, started from its entry, uninstalled"
