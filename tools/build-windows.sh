#!/usr/bin/env bash
# Cross-builds the Windows version with mingw-w64 in build-windows/ (static, stripped) and copies its delivery to
# build/: vantrel-<version>-win64.zip and, with NSIS, the per-user installer vantrel-<version>-win64-setup.exe.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh windows
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j"$(nproc)"
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p build
for f in "vantrel-$version-win64.zip" "vantrel-$version-win64-setup.exe"; do
    if [ -f "build-windows/$f" ]; then
        cp "build-windows/$f" build/
        echo "build/$f"
    fi
done
