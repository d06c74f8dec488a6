#!/usr/bin/env bash
# Starts or ends the Wine session of a test run: "start" keeps one wineserver running and boots WINEPREFIX (made on
# the first run, ~700 MB), so that each test pays no start-up of its own; "stop" ends the server and its helpers.
# usage: wine-session.sh WINE64 start|stop   (WINEPREFIX set by the caller)
set -euo pipefail
wine64=$1
wineserver=$(dirname "$wine64")/wineserver
case $2 in
start)
    mkdir -p "$WINEPREFIX"
    # Detached and silent: a helper holding the test's output open would keep ctest waiting.
    "$wineserver" -p </dev/null >/dev/null 2>&1
    "$wine64" wineboot --init </dev/null >/dev/null 2>&1
    ;;
stop) "$wineserver" -k </dev/null >/dev/null 2>&1 || true ;;
*)
    echo "usage: wine-session.sh WINE64 start|stop" >&2
    exit 2
    ;;
esac
