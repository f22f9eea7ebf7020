#!/usr/bin/env bash
# Builds the Windows programs (preset "windows") and leaves in build/package:
#   tovamo-VERSION-win64.zip   tovamo.exe, tovamo-cli.exe, tovamo-grid-demo.exe (stripped),
#                              README.txt and the licence, all texts with Windows line ends
#   tovamo-VERSION-setup.exe   the per-user installer (data/windows/tovamo.nsi, makensis)
# The desktop program and the demo are packed once their targets exist; the installer
# needs the desktop program. tovamo.exe must stay one file of at most 4 MiB.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Tovamo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
max_desktop_bytes=$((4 * 1024 * 1024))
[ -f build/windows/build.ninja ] || cmake --preset windows >/dev/null
targets=(tovamo-cli)
for t in tovamo tovamo-grid-demo; do
    cmake --build build/windows --target help | grep -q "^$t:" && targets+=("$t")
done
cmake --build build/windows --target "${targets[@]}"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder=$stage/tovamo-$version-win64
mkdir -p "$folder" build/package
built() { find build/windows -name "$1" -not -path '*/CMakeFiles/*' | head -1; }
for exe in tovamo-cli.exe tovamo.exe tovamo-grid-demo.exe; do
    path=$(built "$exe")
    [ -n "$path" ] || continue
    x86_64-w64-mingw32-strip -o "$folder/$exe" "$path"
done
sed 's/$/\r/' data/windows/README.txt >"$folder/README.txt"
sed 's/$/\r/' data/copyright >"$folder/LICENSE.txt"
if [ -e "$folder/tovamo.exe" ]; then
    size=$(stat -c %s "$folder/tovamo.exe")
    echo "tovamo.exe: $size bytes (limit $max_desktop_bytes)"
    if [ "$size" -gt "$max_desktop_bytes" ]; then
        echo "tovamo.exe is larger than 4 MiB" >&2
        exit 1
    fi
fi
zip="$PWD/build/package/tovamo-$version-win64.zip"
rm -f "$zip"
(cd "$stage" && zip -q -X -r "$zip" "tovamo-$version-win64")
unzip -l "$zip"

setup="$PWD/build/package/tovamo-$version-setup.exe"
rm -f "$setup"
if [ ! -e "$folder/tovamo.exe" ]; then
    echo "no installer: tovamo.exe is not built"
    exit 0
fi
icon=()
ico=$(find app/win32 data/icons build/windows -name 'tovamo.ico' -not -path '*/CMakeFiles/*' 2>/dev/null | head -1)
[ -z "$ico" ] || icon=(-DICON="$PWD/$ico")
makensis -V2 -DVERSION="$version" -DSTAGE="$folder" -DOUTFILE="$setup" "${icon[@]}" data/windows/tovamo.nsi
ls -l "$setup"
