#!/usr/bin/env bash
# Renders the port dialog, the Edit page, the Table page and the grid demo into
# docs/screenshots/ with Qt's offscreen platform: starts the simulated drive as COM1 in a
# private settings folder, presses a few keys on the Edit page so that its fields show a
# name and a value, reads a second simulated drive on the Table page and compares it with
# a file (yellow and red cells), and saves the pictures.
# Usage: scripts/screenshots.sh [BUILD_DIR] (default build/dev, built if needed).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build/dev}
if [ ! -d "$build_dir" ]; then
    cmake --preset dev >/dev/null
fi
cmake --build "$build_dir" -j 2 --target tovamo-drive-sim tovamo-screenshot tovamo-grid-demo

export XDG_CONFIG_HOME
XDG_CONFIG_HOME=$(mktemp -d "${TMPDIR:-/tmp}/tovamo-shots-XXXXXX")
sim_pid=
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$XDG_CONFIG_HOME"
}
trap cleanup EXIT

settings="$XDG_CONFIG_HOME/Tovamo Dispenser"
mkdir -p "$settings/ports"
printf '[Setings]\nNumCom=1\n' >"$settings/tovamo.conf"
"$build_dir/sim/tovamo-drive-sim" --baud 9600 --link "$settings/ports/COM1" >"$XDG_CONFIG_HOME/sim.out" </dev/null &
sim_pid=$!
for _ in $(seq 100); do
    grep -q '^PTY ' "$XDG_CONFIG_HOME/sim.out" 2>/dev/null && break
    sleep 0.1
done

mkdir -p docs/screenshots
# Enter (into "P1 Motor data"), Up (to P102), Enter (its value).
status=0
QT_QPA_PLATFORM=offscreen "$build_dir/app/tovamo-screenshot" docs/screenshots eue 2>"$XDG_CONFIG_HOME/shots.err" ||
    status=$?
grep -v -e 'XDG_RUNTIME_DIR' -e 'propagateSizeHints' "$XDG_CONFIG_HOME/shots.err" >&2 || true
if [ "$status" -ne 0 ]; then
    echo "screenshots.sh: tovamo-screenshot failed ($status)" >&2
    exit 1
fi
# The Table page after "Read DC Drive" and "Read File"; the program starts its own drive.
if ! QT_QPA_PLATFORM=offscreen "$build_dir/app/tovamo-screenshot" --table "$build_dir/sim/tovamo-drive-sim" \
    docs/screenshots 2>"$XDG_CONFIG_HOME/table.err"; then
    cat "$XDG_CONFIG_HOME/table.err" >&2
    echo "screenshots.sh: tovamo-screenshot --table failed" >&2
    exit 1
fi
if ! QT_QPA_PLATFORM=offscreen "$build_dir/grid/qt/demo/tovamo-grid-demo" --screenshot docs/screenshots/grid-demo.png \
    2>"$XDG_CONFIG_HOME/grid.err"; then
    cat "$XDG_CONFIG_HOME/grid.err" >&2
    echo "screenshots.sh: tovamo-grid-demo failed" >&2
    exit 1
fi
ls -l docs/screenshots/port-dialog.png docs/screenshots/edit-page.png docs/screenshots/table-page.png \
    docs/screenshots/grid-demo.png
