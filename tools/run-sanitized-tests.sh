#!/usr/bin/env bash
# Builds the tree with g++'s AddressSanitizer, UndefinedBehaviorSanitizer and leak checking, runs every test there
# (the window tests on the offscreen platform), then the soak runs. The build goes to build-asan, or to
# $VANTREL_ASAN_BUILD_DIR; any sanitizer finding fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_ASAN_BUILD_DIR:-$root/build-asan}
jobs=$(nproc)

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# Leaks are checked at every exit, the build's own tool runs and test listings included. Only system
# libraries that keep allocations until exit on purpose are suppressed (see tools/lsan.supp).
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
runtime_dir=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-asan-XXXXXX")
trap 'rm -rf "$runtime_dir"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$runtime_dir}

start=$(date +%s)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DCMAKE_C_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS="$sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" \
    -DVANTREL_TESTS=ON -DVANTREL_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs"
built=$(date +%s)
# The browser tests load the same site as in the release build; nothing of theirs is sanitized.
ctest --test-dir "$build" --output-on-failure -j"$jobs" -E '^web_page$'
tested=$(date +%s)
bash "$root/tools/soak.sh" "$build"
echo "sanitizers: build $((built - start)) s, tests $((tested - built)) s, soak $(($(date +%s) - tested)) s"
