#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Tovamo need.
# Safe to run again: apt skips what is already there.
set -euo pipefail
packages=(
    build-essential cmake ninja-build git
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    clang libclang-rt-14-dev clang-format
    # Installing and packaging (scripts/package.sh, scripts/check-install.sh)
    scdoc librsvg2-bin dpkg-dev desktop-file-utils appstream lintian man-db
    # The Windows cross build, its tests under Wine and its zip (preset "windows")
    g++-mingw-w64-x86-64-posix googletest wine wine64 zip unzip
    # The Windows desktop program: its tests on an X server, its installer, its icon
    xvfb xdotool nsis imagemagick
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
