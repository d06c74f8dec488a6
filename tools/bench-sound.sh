#!/usr/bin/env bash
# Measures the crash sound's delay through PulseAudio: from the play call to the sound in a null sink's monitor,
# for the first crash of a run and for later ones.
# Usage: tools/bench-sound.sh [crashes per run, default 10] [runs, default 5]
# A private PulseAudio daemon with a null sink runs in a temporary directory; parec records the sink's monitor
# through a reader that timestamps each chunk it receives, which places every recorded sample on the wall clock.
# vantrel-sound-probe plays clash.wav through the game's own sound code (prepared as after the window is shown)
# and prints the wall-clock time of each play call; each run is a fresh probe process, whose first play is a
# first crash. The build goes to build/ (or $VANTREL_BENCH_BUILD_DIR).
set -euo pipefail

crashes=${1:-10}
runs=${2:-5}
case $crashes$runs in
*[!0-9]*) crashes=0 ;;
esac
if [ "$crashes" -lt 2 ] || [ "$runs" -lt 1 ]; then
    echo "usage: $0 [crashes per run, at least 2] [runs, at least 1]" >&2
    exit 2
fi
gap_ms=1500       # between crashes: the 0.6 s sound has ended
rate=11025        # recording rate, the sound's own
threshold=1000    # of 32767: the sound's onset
target_ms=40

root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_BENCH_BUILD_DIR:-$root/build}
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-sound-XXXXXX")
daemon_pid=
record_pid=
reader_pid=
cleanup() {
    for pid in $record_pid $reader_pid $daemon_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    [ -n "${VANTREL_BENCH_KEEP:-}" ] && echo "kept $work" >&2 || rm -rf "$work"
}
trap cleanup EXIT

if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release &&
    cmake --build "$build" -j"$(nproc)" --target vantrel-sound-probe; } >"$work/build.log" 2>&1; then
    tail -n 40 "$work/build.log" >&2
    exit 1
fi

# As root PulseAudio wants a home and runtime directory of its own.
mkdir -m 700 "$work/run"
HOME=$work XDG_RUNTIME_DIR=$work/run pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --log-level=error --load="module-native-protocol-unix auth-anonymous=1 socket=$work/native" \
    --load="module-null-sink sink_name=vantrel_bench" &
daemon_pid=$!
for _ in $(seq 100); do
    [ -S "$work/native" ] && break
    sleep 0.05
done
export PULSE_SERVER=unix:$work/native

# The reader writes the samples to monitor.raw and "arrival-ns total-bytes" per chunk to chunks.txt.
mkfifo "$work/monitor.fifo"
parec --device=vantrel_bench.monitor --raw --format=s16le --channels=1 --rate=$rate --latency-msec=2 \
    >"$work/monitor.fifo" &
record_pid=$!
python3 -c '
import os, sys, time
with open(sys.argv[1], "wb") as raw, open(sys.argv[2], "w") as chunks:
    total = 0
    while True:
        data = os.read(0, 4096)
        if not data:
            break
        now = time.time_ns()
        raw.write(data)
        total += len(data)
        chunks.write(f"{now} {total}\n")
' "$work/monitor.raw" "$work/chunks.txt" <"$work/monitor.fifo" &
reader_pid=$!
sleep 0.5

# One sound by another client first: a fresh daemon's very first playback starts about 400 ms late whoever plays it,
# which a desktop's long-running server has long done. Measured without this, only the first run's first crash is late.
HOME=$work XDG_RUNTIME_DIR=$work/run paplay --device=vantrel_bench "$root/resources/clash.wav"
sleep 0.5
mkdir "$work/game"
cp "$root/resources/clash.wav" "$work/game/"
for run in $(seq "$runs"); do
    (cd "$work/game" && QT_QPA_PLATFORM=offscreen "$build/bench/sound/vantrel-sound-probe" "$crashes" "$gap_ms") |
        sed "s/\$/ $run/" >>"$work/plays.txt"
done
sleep 0.5
kill "$record_pid" 2>/dev/null || true
wait "$record_pid" "$reader_pid" 2>/dev/null || true
record_pid=

python3 - "$work" "$rate" "$threshold" "$target_ms" <<'PY'
import array, statistics, sys
work, rate, threshold, target = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
samples = array.array("h", open(f"{work}/monitor.raw", "rb").read())
# Sample 0's wall-clock time: each chunk arrives no earlier than its last sample was recorded, so the earliest
# estimate is the closest. The sink's clock drifts from the wall clock by a few ms a minute: each crash takes the
# earliest estimate among the chunks within a few seconds of it.
estimates = [(int(t), int(t) - int(b) // 2 * 1e9 / rate) for t, b in (line.split() for line in open(f"{work}/chunks.txt"))]
def start_near(at, window=3e9):
    return min((e for t, e in estimates if abs(t - at) < window), default=min(e for _, e in estimates))
plays, runs = [], []
for line in open(f"{work}/plays.txt"):
    at, played, run = line.split()
    if played != "1":
        sys.exit("a play call beeped: the sound was not ready")
    plays.append(int(at))
    runs.append(run)
delays = []
for i, played in enumerate(plays):
    start = start_near(played)
    first = max(0, int((played - start) * rate / 1e9))
    end = int((plays[i + 1] - start) * rate / 1e9) if i + 1 < len(plays) else len(samples)
    onset = next((n for n in range(first, min(end, len(samples))) if abs(samples[n]) > threshold), None)
    delays.append(None if onset is None else (start + onset * 1e9 / rate - played) / 1e6)
if not delays or None in delays:
    sys.exit(f"a crash sound was not recorded: {delays}")
first = [d for i, d in enumerate(delays) if i == 0 or runs[i] != runs[i - 1]]
later = [d for i, d in enumerate(delays) if i > 0 and runs[i] == runs[i - 1]]
verdict = lambda ms: "met" if ms <= target else "MISSED"
print(f"crash-to-sound delay through a PulseAudio null sink: {len(first)} runs, {len(delays)} crashes")
for title, values in (("first crashes", first), ("later crashes", later)):
    median = statistics.median(values)
    print(f"  {title} {median:6.1f} ms median, {min(values):.1f} to {max(values):.1f} "
          f"(target <= {target:.0f} worst: {verdict(max(values))})")
PY
