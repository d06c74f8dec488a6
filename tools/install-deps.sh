#!/usr/bin/env bash
# Installs the Debian packages a set needs, doing nothing when all are present: "game" (build and play),
# "package" (the game and its Debian package), "web" (the browser version), "windows" (the Windows version, its
# installer and its tests under Wine), or by default everything the tests and tools need.
# As a normal user apt-get runs through sudo.
set -euo pipefail

game=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libpulse-dev libsndfile1-dev
    fonts-ipafont-gothic fonts-dejavu-core libxcb1-dev
)
package=(dpkg-dev file)
web=(cmake ninja-build emscripten nodejs node-acorn brotli)
# GoogleTest's sources (googletest) are built for Windows with the tests; wine64 runs them.
windows=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 nsis zip googletest python3)
tests=(
    clang libclang-rt-14-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb x11-utils libxdamage-dev openbox xdotool xclip gdb weston qt6-wayland imagemagick procps
    pulseaudio pulseaudio-utils
    clang-format clang-tidy cppcheck
    lintian desktop-file-utils appstream
    chromium nodejs python3
)

case ${1:-all} in
game) packages=("${game[@]}") ;;
package) packages=("${game[@]}" "${package[@]}") ;;
web) packages=("${web[@]}") ;;
windows) packages=("${windows[@]}") ;;
all) packages=("${game[@]}" "${package[@]}" "${web[@]}" "${windows[@]}" "${tests[@]}") ;;
*)
    echo "usage: install-deps.sh [game|package|web|windows|all]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Debian's npm is a package of its own; a Node.js from elsewhere brings its own npm, which Debian's would conflict with.
[ "${1:-all}" = all ] && ! command -v npm >/dev/null && missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || {
            echo "missing packages: ${missing[*]}; run as root or install sudo" >&2
            exit 1
        }
        sudo=(sudo)
    fi
    echo "installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
