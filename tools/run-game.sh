#!/usr/bin/env bash
# Builds the game and starts it in run/, where rank.vtd persists between runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
mkdir -p run
[ -f run/clash.wav ] || cp resources/clash.wav run/clash.wav
cd run
exec ../build/vantrel
