#!/usr/bin/env bash
# Figures of the Windows build under Wine (Japanese prefix, private Xvfb, PulseAudio null sink): start to the first
# painted frame beside a bare Win32 window doing the same paint, the 20 ms timer's period and spread, and the crash
# sound's delay from the play call to the sink's monitor.
# Usage: tools/bench-wine.sh [start-up runs of each, default 10]
# The Windows tree goes to build-windows/, the desktop tree's screen-watching probe to build/; the bare window
# (bench/win32/BareWindow.cpp) and the sound probe are built here with mingw-w64.
set -euo pipefail

runs=${1:-10}
case $runs in
'' | *[!0-9]*) runs=0 ;;
esac
[ "$runs" -ge 1 ] || { echo "usage: $0 [runs, at least 1]" >&2 && exit 2; }
settle_ms=500
ticks=500
crashes=10
gap_ms=1500
rate=11025
threshold=1000

root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-wine-bench-XXXXXX")
wine64=/usr/lib/wine/wine64
pids=()
cleanup() {
    WINEPREFIX=$work/prefix "${wine64%/*}/wineserver" -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

mingw="x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -static -s"
if ! { cmake -S "$root" -B "$root/build-windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" && cmake --build "$root/build-windows" --target vantrel &&
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release &&
    cmake --build "$root/build" --target vantrel-startup-probe &&
    $mingw -mwindows "$root/bench/win32/BareWindow.cpp" -o "$work/bare.exe" &&
    $mingw -DUNICODE -I"$root/platform/win32" -I"$root/platform/system" "$root/bench/win32/SoundProbe.cpp" \
        "$root"/platform/win32/Win32{Sound,Audio,Text}.cpp "$root"/platform/system/Cp932{,Table}.cpp -lwinmm \
        -o "$work/sound-probe.exe"; } >"$work/build.log" 2>&1; then
    tail -n 40 "$work/build.log" >&2
    exit 1
fi
probe=$root/build/bench/startup/vantrel-startup-probe

# Black root, no window manager: a window not yet painted shows one colour, which the probe never takes for a frame.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -br -noreset -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$work/display") HOME=$work XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$work/run" "$work/locale" "$work/game" "$work/bare"
localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" 2>/dev/null || true
export LOCPATH=$work/locale LANG=ja_JP.UTF-8 WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-level=error \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/native" \
    --load="module-null-sink sink_name=wine_bench" &
pids+=($!)
export PULSE_SERVER=unix:$work/native
mkdir "$WINEPREFIX"
"${wine64%/*}/wineserver" -p </dev/null >/dev/null 2>&1
"$wine64" wineboot --init </dev/null >/dev/null 2>&1

# Start-up: interleaved, each started afresh; uncounted first runs warm the caches and write the game's rank.vtd.
cp "$root/resources/clash.wav" "$work/game/"
measure() { (cd "$work/$1" && "$probe" "$settle_ms" "$wine64" "$2" 2>>"$work/programs.log") | awk '{ print $2 }'; }
measure game "$root/build-windows/vantrel.exe" >/dev/null
measure bare "$work/bare.exe" >/dev/null
for i in $(seq "$runs"); do
    if [ $((i % 2)) -eq 1 ]; then order="game bare"; else order="bare game"; fi
    for which in $order; do
        if [ "$which" = game ]; then exe=$root/build-windows/vantrel.exe; else exe=$work/bare.exe; fi
        measure "$which" "$exe" >>"$work/$which.txt"
    done
done
median() { sort -g "$1" | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
game_ms=$(median "$work/game.txt")
bare_ms=$(median "$work/bare.txt")
echo "first painted frame under Wine, $runs runs each (median, min-max, ms):"
echo "  game $game_ms ($(sort -g "$work/game.txt" | sed -n '1p;$p' | paste -sd-))," \
    "bare Win32 window $bare_ms ($(sort -g "$work/bare.txt" | sed -n '1p;$p' | paste -sd-))," \
    "ratio $(awk -v g="$game_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", g / b }')"

# The 20 ms timer with the game's repaint per tick.
"$wine64" "$work/bare.exe" --ticks "$ticks" >"$work/ticks.txt"
sort -g "$work/ticks.txt" | awk '{ v[NR] = $1; s += $1; ss += $1 * $1 } END {
    printf "20 ms timer, %d periods: median %.2f ms, mean %.2f, sd %.2f, 5th-95th percentile %.2f-%.2f, min %.2f, max %.2f\n",
        NR, v[int((NR + 1) / 2)], s / NR, sqrt(ss / NR - (s / NR) ^ 2), v[int(NR * 0.05) + 1], v[int(NR * 0.95)], v[1], v[NR] }'

# Crash to sound: the monitor recorded through a reader that timestamps each chunk, against the play calls' times.
mkfifo "$work/monitor.fifo"
parec --device=wine_bench.monitor --raw --format=s16le --channels=1 --rate=$rate --latency-msec=2 \
    >"$work/monitor.fifo" 2>/dev/null &
pids+=($!)
python3 -c '
import os, sys, time
with open(sys.argv[1], "wb") as raw, open(sys.argv[2], "w") as chunks:
    total = 0
    while data := os.read(0, 4096):
        raw.write(data)
        total += len(data)
        chunks.write(f"{time.time_ns()} {total}\n")
' "$work/monitor.raw" "$work/chunks.txt" <"$work/monitor.fifo" &
reader=$!
sleep 0.5
for run in 1 2 3; do
    (cd "$work/game" && "$wine64" "$work/sound-probe.exe" "$crashes" "$gap_ms") |
        awk -v run="$run" '{ sub(/\r$/, "") } NF == 2 { print $0, run }' >>"$work/plays.txt"
done
sleep 0.5
kill "${pids[-1]}"
wait "$reader" 2>/dev/null || true
python3 - "$work" "$rate" "$threshold" <<'PY'
import array, statistics, sys
work, rate, threshold = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
samples = array.array("h", open(f"{work}/monitor.raw", "rb").read())
# Sample 0's wall-clock time: a chunk arrives no earlier than its last sample was recorded, so the earliest estimate
# among the chunks near a crash is the closest.
estimates = [(int(t), int(t) - int(b) // 2 * 1e9 / rate) for t, b in (l.split() for l in open(f"{work}/chunks.txt"))]
plays = [(int(at), run) for at, _, run in (l.split() for l in open(f"{work}/plays.txt"))]
delays = []
for i, (played, run) in enumerate(plays):
    start = min((e for t, e in estimates if abs(t - played) < 3e9), default=estimates[0][1])
    end = int((plays[i + 1][0] - start) * rate / 1e9) if i + 1 < len(plays) else len(samples)
    first = max(0, int((played - start) * rate / 1e9))
    onset = next((n for n in range(first, min(end, len(samples))) if abs(samples[n]) > threshold), None)
    delays.append((None if onset is None else (start + onset * 1e9 / rate - played) / 1e6, i == 0 or plays[i - 1][1] != run))
heard = [d for d, _ in delays if d is not None]
print(f"crash to sound under Wine (winepulse, null sink): {len(heard)} of {len(delays)} plays heard")
for title, first in (("first play of a process", True), ("later plays", False)):
    values = [d for d, f in delays if f == first and d is not None]
    if values:
        print(f"  {title}: median {statistics.median(values):.1f} ms, {min(values):.1f} to {max(values):.1f}")
PY
