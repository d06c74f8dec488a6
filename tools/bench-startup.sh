#!/usr/bin/env bash
# Measures the game's start-up beside a bare Qt window of the same size: time to the first painted frame, peak memory.
# Usage: tools/bench-startup.sh [runs of each, default 20]
# Both run on the real X platform (xcb) under a private Xvfb, interleaved, each
# started afresh; vantrel-startup-probe watches the screen, so neither program
# is changed or told it is measured. The game runs in a temporary directory
# whose rank.vtd its first, uncounted run has written. The build goes to
# build/ (or $VANTREL_BENCH_BUILD_DIR).
set -euo pipefail

runs=${1:-20}
case $runs in
'' | *[!0-9]*) runs=0 ;;
esac
if [ "$runs" -lt 1 ]; then
    echo "usage: $0 [runs of each, at least 1]" >&2
    exit 2
fi

# Quiet time after the last drawing that ends a run; peak memory covers it too.
settle_ms=500
# Targets, as ratios of the game's median to the bare window's.
max_time_ratio=1.05
max_memory_ratio=1.05

root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_BENCH_BUILD_DIR:-$root/build}
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-startup-XXXXXX")
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

bash "$root/tools/install-deps.sh"
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release &&
    cmake --build "$build" -j"$(nproc)" --target vantrel vantrel-bare-window vantrel-startup-probe; } >"$work/build.log" 2>&1; then
    tail -n 40 "$work/build.log" >&2
    exit 1
fi
game=$build/vantrel
bare=$build/bench/startup/vantrel-bare-window
probe=$build/bench/startup/vantrel-startup-probe

# Black root: a window not yet painted shows one colour, which the probe
# never takes for a frame.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -br -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
display=:$(head -n 1 "$work/display")

mkdir -p "$work/game" "$work/bare" "$work/runtime"
chmod 700 "$work/runtime"
# The same small, fixed environment for both programs.
measure() { # directory program -> "frame-ms rss-kB cpu-ms"
    local result
    if ! result=$(cd "$1" && env -i PATH=/usr/bin:/bin HOME="$work" LANG=C.UTF-8 XDG_RUNTIME_DIR="$work/runtime" \
        DISPLAY="$display" QT_QPA_PLATFORM=xcb "$probe" "$settle_ms" "$2" 2>>"$work/programs.log"); then
        tail -n 20 "$work/programs.log" >&2
        exit 1
    fi
    echo "$result" | awk '{ print $2, $4, $6 }'
}

# Uncounted first runs: file caches, fonts, and the game's rank.vtd.
measure "$work/game" "$game" >/dev/null
measure "$work/bare" "$bare" >/dev/null
if [ "$(stat -c %s "$work/game/rank.vtd" 2>/dev/null)" != 140 ]; then
    echo "the game did not write a 140-byte rank.vtd" >&2
    exit 1
fi

# Alternating which goes first cancels any effect of running second.
for i in $(seq "$runs"); do
    if [ $((i % 2)) -eq 1 ]; then order="game bare"; else order="bare game"; fi
    for which in $order; do
        if [ "$which" = game ]; then program=$game; else program=$bare; fi
        measure "$work/$which" "$program" >>"$work/$which.txt"
    done
done

# Median, quartiles and range of column $2 of file $1, with a scale factor $3.
stats() {
    awk '{ print $'"$2"' * '"$3"' }' "$1" | sort -g | awk '
        { v[NR] = $1 }
        function at(p,   i, f) { i = 1 + (NR - 1) * p; f = int(i); return v[f] + (i - f) * (v[f + (f < NR)] - v[f]) }
        END { printf "%8.1f %8.1f %8.1f %8.1f %8.1f\n", at(0.5), at(0.25), at(0.75), v[1], v[NR] }'
}
median() { stats "$@" | awk '{ print $1 }'; }

echo "Start-up on xcb under Xvfb ($display), $runs runs of each, interleaved; settle time $settle_ms ms"
printf '%-18s %8s %8s %8s %8s %8s\n' "" median q1 q3 min max
for column in "1 1 first painted frame (ms)" "2 1/1024 peak resident memory (MiB)" "3 1 processor time (ms)"; do
    read -r index scale title <<<"$column"
    echo "$title"
    for which in game bare; do
        printf '  %-16s %s\n' "$which" "$(stats "$work/$which.txt" "$index" "$scale")"
    done
done
ratio() { # column -> game's median over the bare window's
    awk -v g="$(median "$work/game.txt" "$1" 1)" -v b="$(median "$work/bare.txt" "$1" 1)" 'BEGIN { printf "%.2f", g / b }'
}
verdict() { awk -v r="$1" -v m="$2" 'BEGIN { print (r <= m ? "met" : "MISSED") }'; }
time_ratio=$(ratio 1)
memory_ratio=$(ratio 2)
echo "game / bare, medians: first frame $time_ratio (target <= $max_time_ratio: $(verdict "$time_ratio" "$max_time_ratio"))," \
    "memory $memory_ratio (target <= $max_memory_ratio: $(verdict "$memory_ratio" "$max_memory_ratio")), processor time $(ratio 3)"
