#!/usr/bin/env bash
# Builds the browser version: the site in build-web/site/ and the archive build/vantrel-web-<version>.tar.gz, which
# carries a .gz and a .br copy beside each file that compresses, for hosts that send those as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh web
# Debian's emscripten runs its optimiser with the system node, which looks for acorn only here.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"$(nproc)"
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p build
staging=build-web/archive/vantrel-web-$version
rm -rf build-web/archive
mkdir -p "$staging"
cp -r build-web/site/. "$staging"
find "$staging" -type f ! -name '*.png' | while read -r file; do
    gzip -9 -n -k "$file"
    brotli -q 11 -k "$file"
done
tar -czf "build/vantrel-web-$version.tar.gz" -C build-web/archive "vantrel-web-$version"
echo "site: build-web/site/  archive: build/vantrel-web-$version.tar.gz"
