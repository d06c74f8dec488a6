#!/usr/bin/env bash
# The real game under Xvfb and openbox with an audio server that never answers, one stopped once the sound is ready,
# and a crash sound still playing: every quit ends the game within 5 s with status 0.
# Usage: sound-exit-test.sh <vantrel binary> <the game's clash.wav>
set -euo pipefail
game=$(realpath "$1")
wave=$(realpath "$2")
. "$(dirname "$0")/x-session.sh" sound-exit

head -c 140 /dev/zero >"$work/rank.vtd"
runs=0
# Starts the game in a folder of its own with $1 (a file named clash.wav) and five empty records.
start() { launch "$work/game-$((runs += 1))" "$work/rank.vtd" "$1"; }
# $1 sounds are in the server's cache.
ready() {
    for _ in $(seq 100); do [ "$(pactl list samples short | grep -c vantrel)" = "$1" ] && return; sleep 0.1; done
    fail "the crash sound did not get ready"
}
# One game, up to the name entry, escaped.
crash() {
    play_to_crash
    answer "Type your Name." "" Escape >/dev/null
}
# Quits by $1: "menu" (Exit and the prompt's OK) or "close" (the title bar's close, alt+F4 in openbox); the game must
# be gone within 5 s with status 0.
quit() {
    if [ "$1" = menu ]; then
        xdotool windowactivate --sync "$main" key alt+g x
        answer "Vantrel Ver0.2" "$main" Return >/dev/null
    else
        xdotool windowactivate --sync "$main" key alt+F4
    fi
    await_exit "$pid" 5 "$2: the game still runs 5 s after the quit"
    wait "$pid" || fail "$2: the game exited with status $?"
}

python3 -c 'import socket, sys, time
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(64); time.sleep(3600)' "$work/silent" &
pids+=($!)
# The game-over box and the name entry come at once; a quit after a game, and a close before any.
PULSE_SERVER=unix:$work/silent start "$wave"
crash
quit menu "silent server, quit"
PULSE_SERVER=unix:$work/silent start "$wave"
sleep 1
quit close "silent server, close"

pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-level=error \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/native" --load=module-null-sink &
daemon=$!
pids+=("$daemon")
export PULSE_SERVER=unix:$work/native
for _ in $(seq 100); do [ -S "$work/native" ] && break; sleep 0.1; done

# A 3 s sound playing at the quit, each time.
mkdir "$work/long"
python3 -c 'import struct, sys; n = 3 * 11025
sys.stdout.buffer.write(b"RIFF" + struct.pack("<I", 36 + 2 * n) + b"WAVEfmt " + struct.pack("<IHHIIHH", 16, 1, 1,
    11025, 22050, 2, 16) + b"data" + struct.pack("<I", 2 * n) + b"".join(struct.pack("<h", 20000 if i // 20 % 2
    else -20000) for i in range(n)))' >"$work/long/clash.wav"
for run in 1 2 3 4 5; do
    start "$work/long/clash.wav"
    ready 1
    crash
    quit menu "quit while the sound plays, run $run"
done

# A client configuration that is a device is set aside: the sound gets ready all the same.
PULSE_CLIENTCONFIG=/dev/zero start "$wave"
ready 2
quit close "client configuration /dev/zero"

start "$wave"
ready 2
kill -STOP "$daemon"
crash
quit menu "server stopped once the sound was ready"
echo "PASS"
