#!/usr/bin/env bash
# The Windows stage of CI: cross build (preset "windows"), the DLL import check, the unit
# tests under Wine, the end-to-end checks of tovamo-cli.exe under Wine against the Linux
# simulated drive and the Linux tovamo-cli, and the zip. Needs the Linux dev build
# (build/dev: tovamo-drive-sim, tovamo-cli). One Wine prefix, one wineboot.
#   scripts/test-windows.sh [--bench]   (--bench: also bench/wine-link-bench.py)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
start=$SECONDS

echo "=== windows: build"
cmake --preset windows >/dev/null
cmake --build build/windows -j "$(nproc)"
exe=$root/build/windows/cli/tovamo-cli.exe
scripts/check-windows-imports.sh "$exe" build/windows/tests/windows/*.exe

work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
sims=()
cleanup() {
    for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
    wineserver -k 2>/dev/null || true
    [ -z "${xvfb:-}" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
echo "=== windows: wineboot"
wineboot -i >/dev/null 2>&1
wineserver -p 60 || true  # one server for the whole stage (wineboot may have started it)
dos=$WINEPREFIX/dosdevices
rm -f "$dos"/com*  # Wine links com1 to /dev/ttyS0

echo "=== windows: unit tests under Wine"
wine build/windows/tests/windows/tovamo_windows_tests.exe --gtest_brief=1

# The native desktop program's tests make real windows: they run on an X server of
# their own. Each room builds one tovamo_win32_*_tests.exe.
echo "=== windows: desktop tests under Wine on Xvfb"
Xvfb :77 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:77
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X77 ] && break; sleep 0.1; done
for t in build/windows/tests/win32/tovamo_win32_*_tests.exe; do
    [ -e "$t" ] || continue
    echo "--- $(basename "$t")"
    wine "$t" --gtest_brief=1
done

sim=$root/build/dev/sim/tovamo-drive-sim
cli=$root/build/dev/cli/tovamo-cli
fail() { echo "FAILED: $*" >&2; exit 1; }
# A fresh simulated drive linked at $1 (extra options after it); waits for its PTY line.
start_sim() {
    local link=$1; shift
    rm -f "$link"
    "$sim" --link "$link" "$@" >"$work/sim.out" 2>&1 &
    sims+=($!)
    for _ in $(seq 100); do grep -q '^PTY' "$work/sim.out" 2>/dev/null && return; sleep 0.05; done
    fail "the simulated drive did not start"
}
stop_sims() {
    for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
    sims=()
}
# Runs tovamo-cli.exe in $work; status in $status.
wcli() { (cd "$work" && wine "$exe" "$@"); }

echo "=== windows: end to end under Wine"
cd "$work"
# read: byte-identical with the Linux program's file of an identical drive; stdout is
# binary (the same CR LF bytes, no CR CR LF).
start_sim "$dos/com5"; start_sim "$work/linux-port"
wcli --port COM5 read -o win-read.txt
"$cli" --port "$work/linux-port" read -o linux-read.txt
cmp win-read.txt linux-read.txt || fail "read: the files differ"
stop_sims; start_sim "$dos/com5"
wcli --port COM5 read >win-stdout.txt
cmp win-stdout.txt linux-read.txt || fail "read to stdout differs from the file"
! grep -q $'\r\r' win-stdout.txt || fail "CR CR LF on stdout"
echo "read: identical files, binary stdout"

# update FILE -o OUT --report R, with file names outside the ANSI code page.
sed 's/^\(P101[^\t]*\)\t8\tNo/\1\t6\tYes/; s/^\(P102[^\t]*\)\t4.20 A\tNo/\1\t4.45 A\tYes/' \
    linux-read.txt >"Päräm Ω €.txt"
grep -q $'\tYes' "Päräm Ω €.txt" || fail "no row to update in the test file"
stop_sims; start_sim "$dos/com5"; start_sim "$work/linux-port"
wcli --port COM5 update "Päräm Ω €.txt" -o "Ausgabe ü 日本.txt" --report "Bericht ö.txt"
"$cli" --port "$work/linux-port" update "Päräm Ω €.txt" -o linux-out.txt --report linux-report.txt
cmp "Ausgabe ü 日本.txt" linux-out.txt || fail "update: the tables differ"
cmp "Bericht ö.txt" linux-report.txt || fail "update: the reports differ"
echo "update: identical table and report, non-ASCII file names"

# monitor with keys on stdin.
stop_sims; start_sim "$dos/com5"; start_sim "$work/linux-port"
printf 'uudex' | wcli --port COM5 monitor >win-monitor.txt
printf 'uudex' | "$cli" --port "$work/linux-port" monitor >linux-monitor.txt
cmp win-monitor.txt linux-monitor.txt || fail "monitor: the lines differ"
[ -s win-monitor.txt ] || fail "monitor: no lines"
echo "monitor: identical lines"

# An unplugged adapter: link lost, then back under the same name.
stop_sims; start_sim "$dos/com5" --unplug-after-ms 2500 --unplugged-ms 500
wcli --port COM5 monitor < <(sleep 5) >unplug-monitor.txt
grep -q $'^link\tlost' unplug-monitor.txt && grep -q $'^link\tback' unplug-monitor.txt ||
    fail "unplug: $(cat unplug-monitor.txt)"
echo "unplug: link lost, link back"

# The port from the registry: the desktop program's NumCom.
stop_sims; start_sim "$dos/com6"
wine reg add 'HKCU\Software\Tovamo Dispenser\tovamo\Setings' /v NumCom /t REG_DWORD /d 6 /f >/dev/null 2>&1
wine reg query 'HKCU\Software\Tovamo Dispenser\tovamo\Setings' /v NumCom | tr -d '\r' | grep -q 'NumCom.*REG_DWORD.*0x6' ||
    fail "registry: NumCom not stored"
wcli read -o registry-read.txt
cmp registry-read.txt linux-read.txt || fail "registry: read on the stored port differs"
echo "registry: NumCom 6 read, COM6 used"

# Ctrl+C: Wine turns SIGINT into the console's CTRL_C_EVENT; the table so far, status 130.
stop_sims; start_sim "$dos/com5" --baud 9600
wcli --port COM5 read >interrupted.txt 2>interrupted.err &
for _ in $(seq 100); do pid=$(pgrep -nf "$exe --port COM5 read" || true); [ -n "$pid" ] && break; sleep 0.05; done
sleep 2
kill -INT "$pid"
status=0; wait $! || status=$?
[ "$status" = 130 ] || fail "Ctrl+C: status $status, not 130"
[ -s interrupted.txt ] || fail "Ctrl+C: no table so far"
cmp -s interrupted.txt linux-read.txt && fail "Ctrl+C: the read was not interrupted"
# monitor with stdin still open ends at once, with status 0.
wcli --port COM5 monitor < <(sleep 20) >/dev/null &
for _ in $(seq 100); do pid=$(pgrep -nf "$exe --port COM5 monitor" || true); [ -n "$pid" ] && break; sleep 0.05; done
sleep 1
kill -INT "$pid"
for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
! kill -0 "$pid" 2>/dev/null || fail "Ctrl+C: monitor still running 2 s later"
status=0; wait $! || status=$?
[ "$status" = 0 ] || fail "Ctrl+C: monitor status $status, not 0"
echo "Ctrl+C: read status 130 after $(wc -l <interrupted.txt) lines; monitor ended at once"

# A closed pipe: status 5.
stop_sims; start_sim "$dos/com5"
(wcli --port COM5 read 2>closed.err && echo 0 >closed.status || echo $? >closed.status) | true
status=$(cat closed.status)
[ "$status" = 5 ] || fail "closed pipe: status $status, not 5"
echo "closed pipe: status 5"

# A port that is not there.
stop_sims; rm -f "$dos/com9"
status=0; wcli --port COM9 read 2>missing.err >/dev/null || status=$?
[ "$status" = 2 ] || fail "missing port: status $status, not 2"
grep -q "Hardware not present" missing.err || fail "missing port: $(cat missing.err)"
echo "missing port: status 2, Hardware not present"
cd "$root"

if [ "${1:-}" = "--bench" ]; then
    echo "=== windows: benchmark"
    python3 bench/wine-link-bench.py "$sim" "$cli" "$exe" 10 2>/dev/null
fi

echo "=== windows: zip"
scripts/package-windows.sh
echo "=== windows stage: $((SECONDS - start)) s"
