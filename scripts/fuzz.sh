#!/usr/bin/env bash
# Runs every libFuzzer target built by the "fuzz" preset for SECONDS (default 60) each.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
found=0
for target in build/fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    found=1
    name=$(basename "$target")
    corpus=fuzz/corpus-$name
    mkdir -p "$corpus"
    echo "--- $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
done
[ "$found" = 1 ] || echo "no fuzz targets built"
