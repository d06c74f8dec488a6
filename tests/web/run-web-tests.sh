#!/usr/bin/env bash
# Runs the browser tests on the built site.
set -euo pipefail
cd "$(dirname "$0")/../.."
site=${VANTREL_SITE:-build-web/site}
if [ ! -f "$site/index.html" ]; then
    echo "skipped: no site in $site (bash tools/build-web.sh builds it)"
    exit 77
fi
# The pinned driver, installed from the lock file on first use.
[ -d node_modules/playwright-core ] || npm ci --no-audit --no-fund --loglevel=error
exec node --test tests/web/*.test.mjs
