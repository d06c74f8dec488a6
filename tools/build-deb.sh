#!/usr/bin/env bash
# Builds the Debian package of the game alone (no tests, benchmarks or tools) with Debian's hardening flags
# in build-deb/ (or $VANTREL_DEB_BUILD_DIR) and copies it to build/ (or $VANTREL_DEB_OUTPUT_DIR) as vantrel_<version>_<arch>.deb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_DEB_BUILD_DIR:-$root/build-deb}
cd "$root"

# The flags Debian's own package builds use: PIE (the compiler's default), stack protector,
# _FORTIFY_SOURCE=2, full RELRO with immediate binding.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF -DVANTREL_TOOLS=OFF -DCMAKE_STRIP="$root/packaging/strip.sh" \
    -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_C_FLAGS="$CPPFLAGS $CFLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/vantrel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/vantrel_*.deb)
out=${VANTREL_DEB_OUTPUT_DIR:-$root/build}
mkdir -p "$out"
rm -f "$out"/vantrel_*.deb
cp "$deb" "$out/"
echo "$out/$(basename "$deb")"
