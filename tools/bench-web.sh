#!/usr/bin/env bash
# Measures the browser page beside a bare canvas page (bench/web/bare) in Debian's headless Chromium: the site's
# gzipped size, the time to the first painted field, the tick's period and main-thread time per tick; then a first
# visit's Lighthouse scores (desktop and mobile) and its time to a playable field on a slow network.
# Usage: tools/bench-web.sh [runs of each, default 5]. Builds the site (tools/build-web.sh) and the headless runner.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-5}
bash tools/build-web.sh >/dev/null
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target vantrel-sim >/dev/null
# The pinned tools from the lock file; never a browser download.
export PUPPETEER_SKIP_DOWNLOAD=1 CHROME_PATH=/usr/bin/chromium
[ -d node_modules/lighthouse ] || npm ci --no-audit --no-fund --loglevel=error
node bench/web/bench-web.mjs build-web/site build/vantrel-sim "$runs"
node bench/web/first-visit.mjs build-web/site "$runs"
