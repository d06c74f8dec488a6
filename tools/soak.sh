#!/usr/bin/env bash
# Soak runs on a built tree: vantrel-sim solving 300 stages with restarts, and the real frame played for 30,000 ticks.
# Usage: tools/soak.sh [build dir, default build-asan]. Each part runs twice: once as the environment's sanitizer
# options say (errors and leaks), once with AddressSanitizer's quarantine off and short allocation stacks, so that
# resident memory measures the program and not the sanitizer's bookkeeping (peak and growth are checked there).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-asan}
stages=300
# Growth is measured from stage 100: the sanitizer's allocator keeps taking pages over the first stages (about 1.5 MB
# by stage 100 on a 13 MB process), while the program itself stays flat (4.8 MB throughout in a release build).
early=100
ticks=30000
export QT_QPA_PLATFORM=offscreen
measure_options="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=0:malloc_context_size=2"
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-soak-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}

seconds_since() { echo $(( $(date +%s) - $1 )); }

# The value of maxrss_kb on the line "memory: stages=N ..." of a runner log.
maxrss_at() { sed -n "s/^memory: stages=$1 maxrss_kb=\([0-9]*\)$/\1/p" "$2" | head -n 1; }

start=$(date +%s)
sim=(timeout 600 "$build/vantrel-sim" --seed 1 --solve --restart --stages "$stages" --rss-at "$early")
"${sim[@]}" >"$work/sim.log"
ASAN_OPTIONS=$measure_options "${sim[@]}" >"$work/sim-memory.log"
tail -n 1 "$work/sim.log"
grep -E '^(restart|memory):' "$work/sim-memory.log"
if ! tail -n 1 "$work/sim.log" | grep -q ' end=stopped$'; then
    echo "soak: vantrel-sim did not clear $stages stages" >&2
    exit 1
fi
first=$(maxrss_at "$early" "$work/sim-memory.log")
last=$(maxrss_at "$stages" "$work/sim-memory.log")
if [ -z "$first" ] || [ -z "$last" ] || [ $((last * 10)) -gt $((first * 11)) ]; then
    echo "soak: peak memory after $stages stages ($last kB) above 1.1 x that after $early ($first kB)" >&2
    exit 1
fi
echo "soak: vantrel-sim peak memory $first kB after $early stages, $last kB after $stages; $(seconds_since "$start") s"

start=$(date +%s)
VANTREL_SOAK_TICKS=$ticks VANTREL_SOAK_RSS=0 timeout 900 "$build/tests/window/frame_soak"
VANTREL_SOAK_TICKS=$ticks ASAN_OPTIONS=$measure_options timeout 900 "$build/tests/window/frame_soak" |
    grep -E '^(memory|ticks|\[  )'
echo "soak: frame $(seconds_since "$start") s"
