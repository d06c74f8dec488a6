#!/usr/bin/env bash
# The game under Xvfb and a window manager, its session ended while the name dialog or the ranking box is open: the
# main window destroyed by another X client, SIGTERM, SIGHUP or SIGINT, the X server killed. The game ends, and the
# ranking file holds the record only if its name was entered; and SIGTERM as the game-over box of a minimised window
# waits to be placed. Usage: destroyed-window-test.sh <vantrel binary>
set -euo pipefail
game=$(realpath "$1")
. "$(dirname "$0")/x-session.sh" destroyed

# One game up to the name dialog; then $2 is typed and confirmed unless empty, and the session ends the way $1 says
# (destroy, display or a signal's name). The game must be gone within 20 s (about 1 s when it works), with exit
# status 0 (1, which Qt gives, when the display is gone).
run() {
    local dir=$work/$1-${2:-cancelled} box status=0
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
    await_exit "$pid" 20 "$dir: the game still runs 20 s after the session ended"
    wait "$pid" || status=$?
    [ "$status" = "$([ "$1" = display ] && echo 1 || echo 0)" ] || fail "$dir: exit status $status: $(cat "$dir/log")"
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

# The window minimised, SIGTERM comes as the crash's game-over box waits to be placed (the second box placed, after
# the start box; gdb sends it): the game ends with status 0 and the ranking box's save is made. The table is one that
# no score joins, out of order, so that the save is seen sorting it.
python3 -c 'import struct, sys
for name, order in (("unsorted", range(1, 6)), ("sorted", range(5, 0, -1))):
    open(sys.argv[1] + name, "wb").write(b"".join(struct.pack("<20sih2x", b"P%d" % n, 100000 * n, 1) for n in order))' \
    "$work/"
dir=$work/minimised
mkdir "$dir" && cp "$work/unsorted" "$dir/rank.vtd"
(cd "$dir" && exec gdb -q -batch -return-child-result -ex "handle SIGTERM nostop noprint pass" -ex "break AwaitPlacement" \
    -ex "ignore 1 1" -ex run -ex delete -ex "signal SIGTERM" --args "$game") >"$dir/log" 2>&1 &
pid=$!
pids+=("$pid")
main=$(new_window "Vantrel Ver0.2")
xdotool windowactivate --sync "$main" key alt+g s
answer "Vantrel Ver0.2" "$main" Return >/dev/null
xdotool windowminimize "$main"
await_exit "$pid" 30 "minimised: the game still runs 30 s after the signal"
wait "$pid" || fail "minimised: exit status $?: $(tail -3 "$dir/log")"
cmp "$work/sorted" "$dir/rank.vtd" || fail "minimised: the ranking was not saved"

# Last, the X server killed under the ranking box.
run display Zed
echo "PASS"
