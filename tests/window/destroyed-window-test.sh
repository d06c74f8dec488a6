#!/usr/bin/env bash
# The game under Xvfb and a window manager, its main window destroyed by another X client while a box is open:
# the game ends, and the ranking file holds what was saved. Usage: destroyed-window-test.sh <vantrel binary>
set -euo pipefail
game=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-destroyed-XXXXXX")
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work
# Under AddressSanitizer: xkbcommon hands strndup a keymap name that is not NUL-terminated within its buffer, which
# strict string checking reports although strndup stops at its bound.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS=$ASAN_OPTIONS:strict_string_checks=0
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)

# Waits up to 30 s for a visible window named exactly $1 whose id is not among the words of $2; prints its id.
new_window() {
    for _ in $(seq 300); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [[ " $2 " == *" $id "* ]] || { echo "$id" && return; }
        done
        sleep 0.1
    done
    fail "no window \"$1\" appeared"
}

# One game up to the name dialog (Return closes the start and game-over boxes); then $1 is typed and confirmed
# unless empty, and the main window destroyed. The game must end within 20 s (about 1 s when it works), status 0.
run() {
    local dir=$work/$2 seen box
    mkdir "$dir" && cp "$work/rank.vtd" "$dir/"
    (cd "$dir" && exec "$game") >"$dir/log" 2>&1 &
    local pid=$!
    pids+=("$pid")
    seen=$(new_window "Vantrel Ver0.2" "")
    xdotool windowactivate --sync "$seen" key alt+g s
    for _ in start game-over; do
        box=$(new_window "Vantrel Ver0.2" "$seen")
        seen+=" $box"
        xdotool windowactivate --sync "$box" key Return
    done
    box=$(new_window "Type your Name." "")
    if [ -n "$1" ]; then
        xdotool windowactivate --sync "$box" type "$1"
        xdotool key Return
        new_window "Vantrel Ver0.2" "$seen" >/dev/null # the ranking box
    fi
    xdotool windowclose "${seen%% *}"
    for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "$2: the game still runs 20 s after its window was destroyed"
    wait "$pid" || fail "$2: the game exited with status $?: $(cat "$dir/log")"
}

# Five places that any score beats: place 5 holds -1.
python3 -c 'import struct, sys; open(sys.argv[1], "wb").write(b"".join(struct.pack("<20sih2x", b"P%d" % n,
    500 - 100 * n if n < 5 else -1, 1) for n in range(1, 6)))' "$work/rank.vtd"

# Destroyed under the name dialog: the name is lost, the file untouched.
run "" name-dialog
cmp "$work/rank.vtd" "$work/name-dialog/rank.vtd" || fail "name-dialog: rank.vtd changed"
# Destroyed under the ranking box after a name: the save that follows the box is made.
run "Zed" ranking-box
grep -q "Zed" "$work/ranking-box/rank.vtd" || fail "ranking-box: the new record was not saved"
[ "$(stat -c %s "$work/ranking-box/rank.vtd")" = 140 ] || fail "ranking-box: rank.vtd is not 140 bytes"
echo "PASS"
