#!/usr/bin/env bash
# --help and --version answer and exit without a window or a file; any other argument is refused with status 2.
set -uo pipefail
game=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
export HOME=$dir XDG_DATA_HOME=$dir/data XDG_CONFIG_HOME=$dir/config XDG_CACHE_HOME=$dir/cache
fail() { echo "FAIL: $*" >&2; exit 1; }

# Run with a bound: a game window that opened instead would never return.
run() { timeout 10 "$game" "$@" >out 2>err; }

run --help; [ $? -eq 0 ] || fail "--help exit status"
grep -q -- "--version" out && [ ! -s err ] || fail "--help prints the usage on standard output"
run --version; [ $? -eq 0 ] || fail "--version exit status"
[ "$(cat out)" = "vantrel 0.2" ] && [ ! -s err ] || fail "--version prints '$(cat out)'"
for bad in --bogus -h x "--help --version"; do
    # shellcheck disable=SC2086 # the last case is two arguments
    run $bad; [ $? -eq 2 ] || fail "'$bad' exit status"
    [ ! -s out ] && grep -q "Usage: vantrel" err || fail "'$bad' prints the usage on standard error"
done
rm out err
[ -z "$(ls -A)" ] || fail "files left behind: $(ls -A)"
