#!/usr/bin/env bash
# Builds the Debian package in release mode and leaves it in build/package/
# (tovamo_VERSION_ARCH.deb). Install it with: sudo apt install ./build/package/tovamo_*.deb
# The programs, the desktop entry, the icons, the manual pages and the documentation
# folder are what `cmake --install build/package` puts under /usr.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build_dir=build/package
installed_targets=(tovamo tovamo-cli tovamo-drive-sim tovamo_man tovamo_icons tovamo_changelog)
# Debian's compiler and linker flags, hardening (bindnow, PIE, fortify, ...) included.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g  # stripped anyway
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DTOVAMO_BUILD_TESTS=OFF -DTOVAMO_BUILD_BENCH=OFF -DTOVAMO_BUILD_FUZZ=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
# Only what is installed (no demo or screenshot programs).
cmake --build "$build_dir" -j "$(nproc)" --target "${installed_targets[@]}"
rm -f "$build_dir"/tovamo_*.deb
(cd "$build_dir" && cpack -G DEB >cpack.log) || { cat "$build_dir/cpack.log" >&2; exit 1; }
ls -l "$build_dir"/tovamo_*.deb
