#!/usr/bin/env bash
# Static checks: clang-format over every tracked C++ file, clang-tidy and cppcheck over the production code.
#
# Usage: tools/check-static.sh [-B BUILD_DIR] [format] [tidy] [cppcheck]
# With no check named, all three run. clang-tidy reads BUILD_DIR/compile_commands.json (default build/),
# configuring the tree first when it has none. Prints each finding, then one summary line per check;
# exits 1 when any check found something, 2 when a tool is missing.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$PWD

build=build
checks=()
while [ $# -gt 0 ]; do
    case "$1" in
    -B) build=$2; shift 2 ;;
    format | tidy | cppcheck) checks+=("$1"); shift ;;
    *) echo "usage: $0 [-B BUILD_DIR] [format] [tidy] [cppcheck]" >&2; exit 2 ;;
    esac
done
[ ${#checks[@]} -gt 0 ] || checks=(format tidy cppcheck)
jobs=$(nproc)

# The production code: tests/ and bench/ are checked for format only.
production_dirs=(core ranking shell platform resources tools)
# Tracked files that are present: a file being replaced may be gone for a moment.
existing()
{
    git ls-files -- "$@" | while read -r f; do [ -f "$f" ] && echo "$f"; done
}

mapfile -t production_sources < <(existing "${production_dirs[@]}" | grep '\.cpp$')

summary=()
failed=0

need()
{
    if ! command -v "$1" >/dev/null; then
        echo "check-static: $1 is not installed (Debian package $2)" >&2
        exit 2
    fi
}

check_format()
{
    need clang-format clang-format
    local start=$SECONDS files bad
    mapfile -t files < <(existing '*.cpp' '*.h')
    bad=$(printf '%s\n' "${files[@]}" | xargs -P "$jobs" -n 16 clang-format --dry-run --Werror 2>&1 |
        grep -o '^[^:]*:[0-9]*:[0-9]*: error' | cut -d: -f1 | sort -u)
    local count=0
    if [ -n "$bad" ]; then
        count=$(wc -l <<<"$bad")
        sed 's/^/needs clang-format: /' <<<"$bad"
        failed=1
    fi
    summary+=("clang-format: $count of ${#files[@]} files need formatting ($((SECONDS - start))s)")
}

# clang-tidy needs the compile commands; the Qt back end's moc step is built so generated headers exist.
prepare_build()
{
    local log
    if [ ! -f "$build/CMakeCache.txt" ]; then
        log=$(cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release 2>&1) || { echo "$log" >&2; exit 2; }
    elif [ ! -f "$build/compile_commands.json" ]; then
        log=$(cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON 2>&1) || { echo "$log" >&2; exit 2; }
    fi
    log=$(cmake --build "$build" --target qt_backend_autogen 2>&1) || { echo "$log" >&2; exit 2; }
}

check_tidy()
{
    need clang-tidy clang-tidy
    prepare_build
    local start=$SECONDS out status findings count=0
    local filter
    filter="^$(sed 's/[].[^$*+?(){}|\\]/\\&/g' <<<"$root")/($(IFS='|'; echo "${production_dirs[*]}"))/"
    # Only what this tree compiles: the Windows variants (*Win32.cpp, platform/win32/) are not built on Linux.
    local tidy_sources
    mapfile -t tidy_sources < <(for f in "${production_sources[@]}"; do
        grep -qF "\"$root/$f\"" "$build/compile_commands.json" && echo "$f"
    done)
    out=$(printf '%s\n' "${tidy_sources[@]}" |
        xargs -P "$jobs" -n 2 clang-tidy -p "$build" --quiet --header-filter="$filter" 2>/dev/null)
    status=$?
    # A header's finding is reported once per translation unit that includes it.
    findings=$(grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error): ' <<<"$out" | sort -u)
    if [ -n "$findings" ]; then
        count=$(wc -l <<<"$findings")
        echo "${findings//$root\//}"
        failed=1
    elif [ "$status" -ne 0 ]; then
        echo "clang-tidy failed without a finding; run it on one file to see why" >&2
        failed=1
    fi
    summary+=("clang-tidy: $count findings in ${#tidy_sources[@]} translation units ($((SECONDS - start))s)")
}

check_cppcheck()
{
    need cppcheck cppcheck
    local start=$SECONDS out include_dirs count=0
    mapfile -t include_dirs < <(existing "${production_dirs[@]}" | grep '\.h$' | xargs -n1 dirname | sort -u)
    out=$(cppcheck --quiet --std=c++20 --language=c++ -j "$jobs" \
        --enable=warning,performance,portability,style --inline-suppr \
        --suppressions-list=tools/cppcheck.supp --library=qt --library=posix \
        "${include_dirs[@]/#/-I}" --template='{file}:{line}: {severity}: {message} [{id}]' \
        "${production_sources[@]}" 2>&1)
    if [ -n "$out" ]; then
        count=$(wc -l <<<"$out")
        echo "$out"
        failed=1
    fi
    summary+=("cppcheck: $count findings in ${#production_sources[@]} files ($((SECONDS - start))s)")
}

for check in "${checks[@]}"; do
    case "$check" in
    format) check_format ;;
    tidy) check_tidy ;;
    cppcheck) check_cppcheck ;;
    esac
done
printf '%s\n' "${summary[@]}"
exit $failed
