#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its tools need; does nothing when all are present.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    qt6-base-dev qt6-multimedia-dev libqt6multimedia6 gstreamer1.0-plugins-base
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-ipafont-gothic fonts-dejavu-core
    xvfb libxdamage-dev libxcb1-dev openbox xdotool
    weston qt6-wayland imagemagick procps
    clang-format clang-tidy cppcheck
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing packages: ${missing[*]}; run as root or install them with apt-get" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
