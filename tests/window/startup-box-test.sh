#!/usr/bin/env bash
# The real game under Xvfb and openbox with its start-up warning boxes: a session ending before, while or after a box
# is placed ends the game with status 0; a folder's name is shown as it is, a very long one within the screen; started
# with its standard streams closed, the game shows its window. Usage: startup-box-test.sh <vantrel binary>
set -euo pipefail
game=$(realpath "$1")
# A screen as narrow as Qt lets a box be: a box too wide for it would show.
screen=1024x768
. "$(dirname "$0")/x-session.sh" startup-box

# Starts the game in the new folder $1, whose rank.vtd is a folder (a warning box at start-up), under gdb, which sends
# signal $3 once the game reaches function $2; sets pid and main.
debug() {
    mkdir -p "$1/rank.vtd"
    (cd "$1" && exec gdb -q -batch -return-child-result -ex "handle SIG$3 nostop noprint pass" -ex "break $2" \
        -ex run -ex delete -ex "signal SIG$3" --args "$game") >"$1/log" 2>&1 &
    pid=$!
    pids+=("$pid")
}
# The game $1 ends within 20 s with status 0.
ends() {
    local status=0
    await_exit "$pid" 20 "$1: the game still runs 20 s after the signal"
    wait "$pid" || status=$?
    [ "$status" = 0 ] || fail "$1: exit status $status: $(tail -3 "$work/$1/log")"
}

# The signal before the box is asked for, while it waits to be placed, and once it is shown.
debug "$work/before" CMainFrame::PrepareSounds TERM
ends before
debug "$work/placing" AwaitPlacement HUP
ends placing
mkdir -p "$work/shown/rank.vtd"
(cd "$work/shown" && exec "$game") >"$work/shown/log" 2>&1 &
pid=$!
pids+=("$pid")
main=$(new_window "Vantrel Ver0.2")
new_window "Vantrel Ver0.2" "$main" >/dev/null
kill -INT "$pid"
ends shown

# The warning box for the data folder $1, which cannot be used, holds $2 and fits the screen.
folder_box() {
    local dir=$work/box-$((boxes += 1)) box width height
    mkdir -p "$dir/tmp"
    (cd "$dir" && XDG_DATA_HOME=$1 TMPDIR=$dir/tmp exec "$game" --data-home) >"$dir/log" 2>&1 &
    pid=$!
    pids+=("$pid")
    main=$(new_window "Vantrel Ver0.2")
    box=$(new_window "Vantrel Ver0.2" "$main")
    xdotool windowactivate --sync "$box" key ctrl+c
    sleep 0.3
    xclip -o -selection clipboard | grep -qF "$2" || fail "box $boxes: not in its text: $2"
    eval "$(xdotool getwindowgeometry --shell "$box")"
    [ "$((X + WIDTH))" -le 1024 ] && [ "$((Y + HEIGHT))" -le 768 ] && [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] ||
        fail "box $boxes: ${WIDTH}x$HEIGHT at $X,$Y is not within the ${screen} screen"
    kill "$pid"
    ends "box-$boxes"
}
boxes=0
touch "$work/ランキング-Ωμ"
folder_box "$work/ランキング-Ωμ" "The ranking folder $work/ランキング-Ωμ/vantrel cannot be used (Not a directory)."
long=$work/ランキング-Ωμ$(printf '/%0250d' $(seq 20))
folder_box "$long" "The ranking folder $long/vantrel cannot be used ("

# Started with standard error closed, or all three standard streams, the game still shows its window; an empty
# XDG_RUNTIME_DIR makes Qt warn as it starts.
for closed in "2>&-" "<&- >&- 2>&-"; do
    mkdir -p "$work/closed"
    (cd "$work/closed" && eval "XDG_RUNTIME_DIR= exec \"\$game\" $closed") &
    pid=$!
    pids+=("$pid")
    new_window "Vantrel Ver0.2" >/dev/null
    kill "$pid"
    await_exit "$pid" 20 "$closed: the game still runs 20 s after SIGTERM"
done
echo "PASS"
