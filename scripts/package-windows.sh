#!/usr/bin/env bash
# Builds tovamo-cli.exe (preset "windows") and leaves build/package/tovamo-VERSION-win64.zip
# with the program, README.txt (finding the COM port, the commands, the exit statuses)
# and the licence, all with Windows line ends.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Tovamo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -f build/windows/build.ninja ] || cmake --preset windows >/dev/null
cmake --build build/windows --target tovamo-cli
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder=$stage/tovamo-$version-win64
mkdir -p "$folder" build/package
x86_64-w64-mingw32-strip -o "$folder/tovamo-cli.exe" build/windows/cli/tovamo-cli.exe
sed 's/$/\r/' data/windows/README.txt >"$folder/README.txt"
sed 's/$/\r/' data/copyright >"$folder/LICENSE.txt"
zip="$PWD/build/package/tovamo-$version-win64.zip"
rm -f "$zip"
(cd "$stage" && zip -q -X -r "$zip" "tovamo-$version-win64")
unzip -l "$zip"
