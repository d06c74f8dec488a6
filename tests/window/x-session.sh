# Sourced by the scripts that drive the real game: a private Xvfb with openbox, a work folder removed at the end with
# every process in pids, fail, new_window, answer, await_exit, ends, launch, debug and play_to_crash. Sets work, pids, xvfb and
# DISPLAY. Usage: game=<vantrel binary> [screen=<width>x<height>, 1280x1024 unless given]; . x-session.sh <name>
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-$1-XXXXXX")
pids=()
trap '{ kill -CONT "${pids[@]}"; kill "${pids[@]}"; } 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -m 700 "$work/run"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/run HOME=$work
# Under AddressSanitizer: xkbcommon hands strndup a keymap name that is not NUL-terminated within its buffer, which
# strict string checking reports although strndup stops at its bound.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS=$ASAN_OPTIONS:strict_string_checks=0
Xvfb -displayfd 3 -screen 0 "${screen:-1280x1024}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
pids+=("$xvfb")
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(cat "$work/display")
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW && break; sleep 0.1; done

# Waits up to 30 s for a visible window named exactly $1 whose id is not among the words of $2; prints its id.
new_window() {
    for _ in $(seq 300); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            grep -qxF "$id" <<<"$(tr ' ' '\n' <<<"${2:-}")" || { echo "$id" && return; }
        done
        sleep 0.1
    done
    fail "no window \"$1\" appeared"
}
# Presses key $3 in the next new window named $1 (not among the words of $2) and waits until it is gone; prints its id.
answer() {
    local box
    box=$(new_window "$1" "$2")
    echo "$box"
    xdotool windowactivate --sync "$box" key "$3"
    for _ in $(seq 300); do xdotool search --onlyvisible --name "^$1\$" | grep -qx "$box" || return 0; sleep 0.1; done
    fail "window $box stayed open"
}
# Starts the game in the new folder $1 holding copies of the files $2...; sets pid and main.
launch() {
    mkdir "$1" && cp "${@:2}" "$1/"
    (cd "$1" && exec "$game") >"$1/log" 2>&1 &
    pid=$!
    pids+=("$pid")
    main=$(new_window "Vantrel Ver0.2")
}
# Starts the game in folder $1 under gdb, which sends signal $2 the $4th time (the first unless given) the game
# reaches function $3; sets pid.
debug() {
    (cd "$1" && exec gdb -q -batch -return-child-result -ex "handle SIG$2 nostop noprint pass" -ex "break $3" \
        -ex "ignore 1 $((${4:-1} - 1))" -ex run -ex delete -ex "signal SIG$2" --args "$game") >"$1/log" 2>&1 &
    pid=$!
    pids+=("$pid")
}
# Starts a game from the menu, answers its box and, once the head has crashed, the game-over box; sets seen to the ids
# of the windows so far.
play_to_crash() {
    xdotool windowactivate --sync "$main" key alt+g s
    seen=$main$'\n'$(answer "Vantrel Ver0.2" "$main" Return) # the start box
    seen+=$'\n'$(answer "Vantrel Ver0.2" "$seen" Return)     # the game-over box
}
# Waits up to $2 s for process $1 to end, else fails with $3.
await_exit() {
    for _ in $(seq $(($2 * 10))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    fail "$3"
}
# The game ends within 20 s with status $2 (0 unless given), else fails naming $1.
ends() {
    local status=0
    await_exit "$pid" 20 "$1: the game still runs 20 s later"
    wait "$pid" || status=$?
    [ "$status" = "${2:-0}" ] || fail "$1: exit status $status"
}
