#!/usr/bin/env bash
# Builds the browser version and serves it on http://127.0.0.1:8000/ (stop with Ctrl+C).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build-web.sh
exec node tools/serve-web.mjs --port "${PORT:-8000}" --root build-web/site
