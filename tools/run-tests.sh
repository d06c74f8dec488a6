#!/usr/bin/env bash
# Builds everything and runs every test: the unit and window tests, then a bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
if [ -f tools/fuzz-ranking.sh ]; then
    bash tools/fuzz-ranking.sh 30
fi
bash tools/run-sanitized-tests.sh
