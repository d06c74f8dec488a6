#!/usr/bin/env bash
# The game under Xvfb and a window manager, its session ended while the name dialog or the ranking box is open: the
# main window destroyed by another X client, SIGTERM, SIGHUP or SIGINT, the X server killed. The game ends, and the
# ranking file holds the record only if its name was entered. A signal as a box waits to be placed (at start-up, under
# a minimised window) ends it too. The start-up box shows a folder's name as it is, within the screen; with standard
# error closed the game shows its window. Usage: destroyed-window-test.sh <vantrel binary>
set -euo pipefail
game=$(realpath "$1")
screen=1024x768 # as narrow as Qt lets a box be, so that a box too wide shows
. "$(dirname "$0")/x-session.sh" destroyed

# One game up to the name dialog; then $2 is typed and confirmed unless empty, and the session ends the way $1 says
# (destroy, display or a signal's name). The game must be gone within 20 s (about 1 s when it works), with exit
# status 0 (1, which Qt gives, when the display is gone).
run() {
    local dir=$work/$1-${2:-cancelled} box
    launch "$dir" "$work/rank.vtd"
    play_to_crash
    box=$(new_window "Type your Name." "")
    if [ -n "$2" ]; then
        xdotool windowactivate --sync "$box" type "$2"
        xdotool key Return
        box=$(new_window "Vantrel Ver0.2" "$seen") # the ranking box
        # What openbox makes of the hints: neither the frame nor a box can be resized or maximised.
        for id in "$main" "$box"; do
            xprop -id "$id" _NET_WM_ALLOWED_ACTIONS | grep -qE "RESIZE|MAXIMIZE" && fail "$dir: window $id can be resized"
        done
    fi
    case $1 in
    destroy) xdotool windowclose "$main" ;;
    display) kill "$xvfb" ;;
    *) kill -s "$1" "$pid" ;;
    esac
    ends "$dir" "$([ "$1" = display ] && echo 1 || echo 0)"
    if [ -n "$2" ]; then
        grep -q "$2" "$dir/rank.vtd" || fail "$dir: the new record was not saved"
        [ "$(stat -c %s "$dir/rank.vtd")" = 140 ] || fail "$dir: rank.vtd is not 140 bytes"
    else
        cmp "$work/rank.vtd" "$dir/rank.vtd" || fail "$dir: rank.vtd changed"
    fi
}

# Five places that any score beats: place 5 holds -1.
python3 -c 'import struct, sys; open(sys.argv[1], "wb").write(b"".join(struct.pack("<20sih2x", b"P%d" % n,
    500 - 100 * n if n < 5 else -1, 1) for n in range(1, 6)))' "$work/rank.vtd"

# Each ending under the name dialog (the name is lost, the file untouched) and under the ranking box after a name
# (the save that follows the box is made).
for how in destroy TERM HUP INT; do
    run "$how" ""
    run "$how" Zed
done

# gdb sends SIGTERM as the game-over box, the second box placed, waits under the minimised window.
mkdir "$work/minimised" && cp "$work/rank.vtd" "$work/minimised/"
debug "$work/minimised" TERM AwaitPlacement 2
main=$(new_window "Vantrel Ver0.2")
xdotool windowactivate --sync "$main" key alt+g s
answer "Vantrel Ver0.2" "$main" Return >/dev/null
xdotool windowminimize "$main"
ends minimised
# With rank.vtd a folder, a box at start-up: gdb sends the signal before it is asked for, then as it waits to be placed.
for at in CMainFrame::PrepareSounds=HUP AwaitPlacement=INT; do
    mkdir -p "$work/${at%=*}/rank.vtd"
    debug "$work/${at%=*}" "${at#*=}" "${at%=*}"
    ends "$at"
done
# A data folder that cannot be used, its name UTF-8 and 5,060 bytes: in the box's text (as Ctrl+C copies it) and the box
# within the screen.
home=$work/ランキング-Ωμ$(printf '/%0250d' $(seq 20))
touch "$work/ランキング-Ωμ"
(cd "$work" && XDG_DATA_HOME=$home TMPDIR=$work exec "$game" --data-home) >"$work/log" 2>&1 &
pid=$! && pids+=("$pid")
box=$(new_window "Vantrel Ver0.2" "$(new_window "Vantrel Ver0.2")")
xdotool windowactivate --sync "$box" key ctrl+c && sleep 0.3
xclip -o -selection clipboard | grep -qF "The ranking folder $home/vantrel cannot be used (" || fail "no folder in the box"
eval "$(xdotool getwindowgeometry --shell "$box")"
[ $((X + WIDTH)) -le 1024 ] && [ $((Y + HEIGHT)) -le 768 ] || fail "the folder's box is off the screen"
kill "$pid" && ends "folder box"
# Standard error closed; an empty XDG_RUNTIME_DIR makes Qt warn as it starts.
(cd "$work" && XDG_RUNTIME_DIR= exec "$game" 2>&-) &
pid=$! && pids+=("$pid")
new_window "Vantrel Ver0.2" >/dev/null
kill "$pid" && ends "closed standard error"

# Last, the X server killed under the ranking box.
run display Zed
echo "PASS"
