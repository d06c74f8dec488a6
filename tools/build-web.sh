#!/usr/bin/env bash
# Builds the browser version: the site in build-web/site/ and the archive build/vantrel-web-<version>.tar.gz.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh web
# Debian's emscripten runs its optimiser with the system node, which looks for acorn only here.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"$(nproc)"
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p build
tar -czf "build/vantrel-web-$version.tar.gz" -C build-web --transform "s,^site,vantrel-web-$version," site
echo "site: build-web/site/  archive: build/vantrel-web-$version.tar.gz"
