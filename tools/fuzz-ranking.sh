#!/bin/sh
# Builds the ranking fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and runs it
# over a copy of the committed corpus for a bounded time. Usage: tools/fuzz-ranking.sh [seconds, 1-60, default 30]
# The build goes to build-fuzz (or $VANTREL_FUZZ_BUILD_DIR); exits non-zero on any finding and keeps it in a temp dir.
set -eu

seconds=${1:-30}
case $seconds in
'' | *[!0-9]*) seconds=0 ;;
esac
if [ "$seconds" -lt 1 ] || [ "$seconds" -gt 60 ]; then
    echo "usage: $0 [seconds from 1 to 60]" >&2
    exit 2
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_FUZZ_BUILD_DIR:-$root/build-fuzz}
fuzz=$root/tests/ranking/fuzz
mkdir -p "$build"
clang++ -std=c++20 -O1 -g -Wall -Wextra -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$root/ranking" -I"$root/platform/system" "$root"/ranking/*.cpp "$root/platform/system/File.cpp" \
    "$root/platform/system/Cp932.cpp" "$root/platform/system/Cp932Table.cpp" "$fuzz/RankingFuzz.cpp" \
    -o "$build/ranking-fuzz"

# New inputs go to a copy of the corpus, never into the repository.
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-fuzz-XXXXXX")
cp -R "$fuzz/corpus" "$work/corpus"
status=0
(cd "$work" && TMPDIR=$work "$build/ranking-fuzz" -max_total_time="$seconds" -max_len=400 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$work/" -print_final_stats=1 "$work/corpus") || status=$?
if [ "$status" -ne 0 ]; then
    echo "fuzz-ranking: finding (exit $status); input and log kept in $work" >&2
else
    rm -rf "$work"
fi
exit "$status"
