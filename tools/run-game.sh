#!/usr/bin/env bash
# Installs what the game needs, builds the game alone in build-game/ and starts it in run/,
# where rank.vtd persists between runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh game
cmake -S . -B build-game -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF -DVANTREL_TOOLS=OFF >/dev/null
cmake --build build-game -j"$(nproc)" --target vantrel
mkdir -p run
[ -f run/clash.wav ] || cp resources/clash.wav run/clash.wav
cd run
exec ../build-game/vantrel
