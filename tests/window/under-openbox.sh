#!/usr/bin/env bash
# Runs the given window test under Xvfb with openbox managing the windows, so boxes get real frames.
set -euo pipefail
read -r display < <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null & echo "$!" >"${TMPDIR:-/tmp}/xvfb.$$")
xvfb=$(cat "${TMPDIR:-/tmp}/xvfb.$$"); rm -f "${TMPDIR:-/tmp}/xvfb.$$"
export DISPLAY=:$display QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
"$@"
