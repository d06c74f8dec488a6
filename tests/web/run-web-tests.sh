#!/usr/bin/env bash
# Runs the browser tests on the built site, first installing the pinned driver from the lock file when missing.
set -euo pipefail
cd "$(dirname "$0")/../.."
site=${VANTREL_SITE:-build-web/site}
if [ ! -f "$site/index.html" ]; then
    echo "skipped: no site in $site (bash tools/build-web.sh builds it)"
    exit 77
fi
pinned=$(node -p 'require("./package.json").devDependencies["playwright-core"]')
installed=$(node -p 'require("./node_modules/playwright-core/package.json").version' 2>/dev/null || true)
if [ "$pinned" != "$installed" ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi
exec node --test tests/web/page.test.mjs
