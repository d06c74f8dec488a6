#!/usr/bin/env bash
# The Windows game under Wine (one fresh prefix in Japanese, Xvfb, openbox, a private PulseAudio null sink), played
# as a player would: the first field against the desktop runner's, a whole game by the menu's mnemonics with its
# crash sound, the copy of a box, the name, the ranking and rank.vtd, the quit prompt, a title-bar close, and a
# rank.vtd that cannot be read. Usage: wine-game.sh <vantrel.exe> <desktop vantrel-sim> <clash.wav>
set -euo pipefail
exe=$(realpath "$1")
sim=$(realpath "$2")
wave=$(realpath "$3")
. "$(dirname "$0")/../window/x-session.sh" wine
wine64=/usr/lib/wine/wine64
# The game as x-session.sh launches it.
game=$work/vantrel
printf '#!/bin/sh\nexec %s %s\n' "$wine64" "$exe" >"$game"
chmod +x "$game"

# Japanese Windows: Wine takes code page 932 from a glibc locale, built here where the system lacks it.
if ! locale -a | grep -qix ja_JP.utf8; then
    mkdir "$work/locale"
    localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" 2>/dev/null || [ -d "$work/locale/ja_JP.UTF-8" ]
    export LOCPATH=$work/locale
fi
export LANG=ja_JP.UTF-8 WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-level=error \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/native" \
    --load="module-null-sink sink_name=wine_test" &
pids+=($!)
export PULSE_SERVER=unix:$work/native
wineserver=${wine64%/*}/wineserver
# One server for the whole session, ended with it; quiet, so that no helper holds the test's output open.
trap '"$wineserver" -k 2>/dev/null; { kill -CONT "${pids[@]}"; kill "${pids[@]}"; } 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir "$WINEPREFIX"
"$wineserver" -p </dev/null >/dev/null 2>&1
"$wine64" wineboot --init </dev/null >/dev/null 2>&1
"$wine64" reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP | grep -q 932 ||
    fail "Wine did not take code page 932"

# Five places that any score beats.
python3 -c 'import struct, sys; open(sys.argv[1], "wb").write(b"".join(struct.pack("<20sih2x", b"P%d" % n,
    -n, 1) for n in range(1, 6)))' "$work/rank.vtd"

# The first field, pixel for pixel, as the desktop runner draws it for the second the game started in.
before=$(date +%s)
launch "$work/play" "$work/rank.vtd" "$wave"
after=$(date +%s)
eval "$(xwininfo -id "$main" | awk '/Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4}
    /Width/ {print "w=" $2} /Height/ {print "h=" $2}')"
# The client area sits under the menu bar, inside an edge as wide at the bottom as at the sides.
edge=$(((w - 640) / 2))
client=640x400+$((x + edge))+$((y + h - 400 - edge))
for seed in $(seq "$before" "$after"); do "$sim" --seed "$seed" --ticks 0 --png "$work/sim-$seed.png" >/dev/null; done
matched=
for _ in $(seq 50); do
    import -window root "$work/screen.png"
    for seed in $(seq "$before" "$after"); do
        [ "$(compare -metric AE "$work/screen.png[$client]" "$work/sim-$seed.png" null: 2>&1)" = 0 ] && matched=1
    done
    [ -n "$matched" ] && break
    sleep 0.1
done
[ -n "$matched" ] || fail "the first field differs from vantrel-sim's for seconds $before to $after"

# A game started by the menu's mnemonics up to its crash, heard in the sink's monitor.
parec --latency-msec=10 -d wine_test.monitor --raw --format=s16le --channels=1 --rate=11025 >"$work/monitor.raw" 2>/dev/null &
pids+=($!)
xdotool windowactivate --sync "$main" key alt+g s
seen=$main$'\n'$(answer "Vantrel Ver0.2" "$main" Return) # the start box
over=$(new_window "Vantrel Ver0.2" "$seen")              # the game-over box
heard() {
    # The recording may end inside a sample.
    python3 -c 'import array, sys; d = open(sys.argv[1], "rb").read(); sys.exit(max(map(abs, array.array("h",
        d[:len(d) // 2 * 2])), default=0) < 1000)' "$work/monitor.raw"
}
for _ in $(seq 30); do heard && break; sleep 0.1; done
heard || fail "no crash sound reached the sink"

# Ctrl+C copies the box as Windows lays out its copy.
xdotool windowactivate --sync "$over" key ctrl+c
rule=---------------------------
printf -v copy '%s\n' "$rule" "Vantrel Ver0.2" "$rule" "GameOver( ; _ ; )/~~~" "$rule" "OK   " "$rule"
sleep 0.5
[ "$(xclip -o -selection clipboard -t UTF8_STRING | tr -d '\r')" = "${copy%$'\n'}" ] ||
    fail "the box copied as: $(xclip -o -selection clipboard -t UTF8_STRING)"
xdotool key Return
seen+=$'\n'$over

# The name, typed and pasted: a character code page 932 lacks is refused, and of the rest 16 bytes are kept (the last
# kana is two bytes), as a paste keeps what fits.
name=$(new_window "Type your Name." "")
printf %s "éDEFGHIJKLMNテスト" | xclip -selection clipboard -t UTF8_STRING
xdotool windowactivate --sync "$name" type --delay 50 ABC
xdotool key ctrl+v
xdotool key Return
ranking=$(new_window "Vantrel Ver0.2" "$seen")
xdotool windowactivate --sync "$ranking" key Return
for _ in $(seq 50); do cmp -s "$work/rank.vtd" "$work/play/rank.vtd" || break; sleep 0.1; done
[ "$(stat -c %s "$work/play/rank.vtd")" = 140 ] || fail "rank.vtd is not 140 bytes"
[ "$(head -c 20 "$work/play/rank.vtd" | od -An -tx1 | tr -d ' \n')" = 4142434445464748494a4b4c4d4e836500000000 ] ||
    fail "the first record's name is $(head -c 20 "$work/play/rank.vtd" | od -An -c)"

# The quit prompt: Cancel keeps the game, OK ends it.
xdotool windowactivate --sync "$main" key alt+g x
answer "Vantrel Ver0.2" "$main" Escape >/dev/null
xdotool search --onlyvisible --name "^Vantrel Ver0.2\$" | grep -qx "$main" || fail "Cancel ended the game"
xdotool windowactivate --sync "$main" key alt+g x
answer "Vantrel Ver0.2" "$main" Return >/dev/null
await_exit "$pid" 10 "the game still runs after the quit prompt's OK"

# rank.vtd as a folder: the start-up box says so and the game goes on, up to a close by the title bar (which
# asks nothing).
mkdir -p "$work/broken/rank.vtd"
(cd "$work/broken" && exec "$game") >"$work/broken.log" 2>&1 &
pid=$!
pids+=("$pid")
# The frame and the box come at once, in either order on the screen: the frame is the wider.
box=$(new_window "Vantrel Ver0.2")
main=$(new_window "Vantrel Ver0.2" "$box")
if [ "$(xdotool getwindowgeometry "$box" | awk -F'[ x]+' '/Geometry/ {print $3}')" -gt 640 ]; then
    read -r main box <<<"$box $main"
fi
answer "Vantrel Ver0.2" "$main" Return >/dev/null
xdotool windowactivate --sync "$main" key alt+g s
answer "Vantrel Ver0.2" "$main" Return >/dev/null
xdotool windowactivate --sync "$main" key alt+F4
await_exit "$pid" 10 "the game still runs after the title bar's close"
echo PASS
