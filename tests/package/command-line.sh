#!/usr/bin/env bash
# --help and --version answer and exit without a window or a file; any other argument is refused with status 2 and
# named. --data-home starts the game in the player's data folder, or in a temporary one when that cannot be made.
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
# The arguments, and what the refusal names.
for row in "--bogus|'--bogus'" "-h|'-h'" "x|'x'" "--help extra|'extra'" "--help --version|'--version' cannot"; do
    # shellcheck disable=SC2086 # the arguments are split
    run ${row%%|*}; [ $? -eq 2 ] || fail "'${row%%|*}' exit status"
    [ ! -s out ] && grep -q "Usage: vantrel" err && grep -q -- "${row#*|}" err || fail "'${row%%|*}' said: $(cat err)"
done
rm out err
[ -z "$(ls -A)" ] || fail "files left behind: $(ls -A)"

# --data-home under an environment (HOME is $dir/h): where the ranking file is made. The game is ended by SIGTERM,
# which it answers with status 0.
mkdir -p h/.local/share t run && : >h/.local/share/vantrel-file
for row in "XDG_DATA_HOME=$dir/x|x/vantrel/rank.vtd" "XDG_DATA_HOME=-x|h/.local/share/vantrel/rank.vtd" \
    "XDG_DATA_HOME=$dir/h/.local/share/vantrel-file|t/vantrel-*/rank.vtd"; do
    (cd run && HOME=$dir/h TMPDIR=$dir/t env "${row%%|*}" timeout --preserve-status 3 "$game" --data-home >../out 2>../err)
    [ $? -eq 0 ] || fail "${row%%|*}: exit status"
    # shellcheck disable=SC2086 # the expected path is a pattern
    [ -f $dir/${row#*|} ] && [ -z "$(ls -A run)" ] || fail "${row%%|*}: no ${row#*|}: $(find . -name rank.vtd)"
    case ${row#*|} in t/*) grep -q "cannot be used" err || fail "${row%%|*}: no warning" ;; esac
done
