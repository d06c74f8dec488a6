#!/usr/bin/env bash
# Builds everything and runs every test: the unit and window tests, the Windows build's tests under Wine,
# a bounded fuzz run, the static checks (format, clang-tidy, cppcheck), then the whole suite and the soak runs again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
bash tools/build-web.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
# One Wine session for the whole run: the tests share its prefix and server, so they run one at a time.
bash tools/build-windows.sh
ctest --test-dir build-windows --output-on-failure
bash tools/fuzz-ranking.sh 30
bash tools/check-static.sh -B build
bash tools/run-sanitized-tests.sh
