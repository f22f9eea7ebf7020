#!/usr/bin/env bash
# Pictures of the native Windows program under Wine into docs/screenshots/windows/: the
# port dialog, the Edit page (Enter, Up, Enter on the simulated drive as COM1), the Table
# page after "Read DC Drive" and "Read File" of a file that differs from the drive
# (coloured rows; the same differences as the Linux pictures) and the grid demo. Its own
# Wine prefix, with Wine's desktop in a window so that Wine draws the window frames, on an
# X server of its own; each picture is cut to its window's rectangle.
# Usage: scripts/screenshots-windows.sh [BUILD_DIR] (default build/windows-bench, the
# cross build with the benchmarks' programs; configured and built as needed). The Linux
# build/dev gives the simulated drive and tovamo-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build/windows-bench}
dev=build/dev
out=docs/screenshots/windows

launchers=()
if command -v ccache >/dev/null; then
    launchers=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake --preset windows -B "$build" -DTOVAMO_BUILD_BENCH=ON -DTOVAMO_BUILD_TESTS=OFF "${launchers[@]}" >/dev/null
cmake --build "$build" -j 2 --target tovamo-screenshots >/dev/null
[ -d "$dev" ] || cmake --preset dev "${launchers[@]}" >/dev/null
cmake --build "$dev" -j 2 --target tovamo-drive-sim tovamo-cli >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/tovamo-shots-windows-XXXXXX")
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
sims=()
xvfb=
cleanup() {
    for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "screenshots-windows.sh: $*" >&2; exit 1; }
winpath() { local p; p=$(realpath "$1"); p=${p//\//\\}; echo "Z:$p"; }

display=66
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$display
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

wineboot -i >/dev/null 2>&1
# Wine's desktop as a window: Wine then draws the frames and captions itself, with the
# caption buttons from its Marlett font.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Tovamo Dispenser\tovamo\Setings' /v NumCom /t REG_DWORD /d 1 /f >/dev/null 2>&1
for font in /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma*.ttf; do
    [ -e "$font" ] && cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
done
# Started again for the desktop to take effect, and kept running: a server starting
# would link com1 to /dev/ttyS0 again.
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p 600 >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1
dos=$WINEPREFIX/dosdevices
rm -f "$dos"/com*

# A fresh simulated drive linked at $1; waits for its PTY line.
start_sim() {
    "$root/$dev/sim/tovamo-drive-sim" --link "$1" >"$work/sim-$(basename "$1").out" 2>&1 &
    sims+=($!)
    for _ in $(seq 100); do grep -q '^PTY' "$work/sim-$(basename "$1").out" 2>/dev/null && return; sleep 0.05; done
    fail "the simulated drive did not start"
}

# The file to compare with: the drive's table with two values to reach (marked), one that
# differs only in its text ('2.0' against '2'), and a name the drive lacks.
start_sim "$work/linux-port"
"$root/$dev/cli/tovamo-cli" --port "$work/linux-port" read -o "$work/drive.txt"
sed -e 's/^\(P402[^\t]*\)\t[^\t]*\t[^\r]*/\1\t-0.080 V\tYes/' \
    -e 's/^\(P404[^\t]*\)\t[^\t]*\t[^\r]*/\1\t2.0\tNo/' \
    -e 's/^\(P410[^\t]*\)\t[^\t]*\t[^\r]*/\1\t5\tYes/' "$work/drive.txt" >"$work/compared.txt"
printf 'P408 Brake delay\t150 ms\tNo\r\n' >>"$work/compared.txt"
[ "$(grep -c $'\tYes\r' "$work/compared.txt")" = 2 ] || fail "the compared file has not its two marked rows"
winpath "$work/compared.txt" >"$work/answers.txt"
export TOVAMO_TEST_FILE_ANSWERS
TOVAMO_TEST_FILE_ANSWERS=$(winpath "$work/answers.txt")
start_sim "$dos/com1"

mkdir -p "$out"
# Runs the steps program; at each "shot NAME X Y W H" the screen is taken and cut to the
# window, then the program is told to go on.
shoot() {
    local word name x y w h pid
    coproc steps { wine "$root/$build/bench/win32/tovamo-screenshot-steps.exe" "$@" 2>"$work/steps.err"; }
    pid=$steps_PID  # unset by bash once the program has ended
    while read -r word name x y w h <&"${steps[0]}"; do
        [ "$word" = shot ] || continue
        h=${h%$'\r'}  # the console's line end
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
        echo "$out/$name.png: ${w}x${h}"
        echo next >&"${steps[1]}"
    done
    wait "$pid" || fail "$(cat "$work/steps.err")"
}
shoot "$(winpath "$build/app/win32/tovamo.exe")"
demo=$(find "$build" -name tovamo-grid-demo.exe | head -n 1)
if [ -n "$demo" ]; then
    shoot --window "$(winpath "$demo")" grid-demo
else
    echo "no grid demo in $build: grid-demo.png not taken" >&2
fi
