#!/usr/bin/env bash
# The Windows stage of CI: cross build (preset "windows"), the DLL import and size check, the
# unit tests under Wine, the end-to-end checks of tovamo-cli.exe under Wine against the Linux
# simulated drive and the Linux tovamo-cli, the desktop program tovamo.exe driven through its
# windows (scripted, then random input), the zip and the installer, installed and
# uninstalled. Needs the Linux dev build (build/dev: tovamo-drive-sim, tovamo-cli). One Wine
# prefix, one wineboot.
#   scripts/test-windows.sh [--bench]   (--bench: also bench/wine-link-bench.py)
# TOVAMO_TEST_DISPLAY: the X display number of the stage's own Xvfb (default 77).
# TOVAMO_ROBUST_SECONDS: how long the random input runs (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
version=$(sed -n 's/^project(Tovamo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
start=$SECONDS

echo "=== windows: build"
cmake --preset windows >/dev/null
cmake --build build/windows -j "$(nproc)"
exe=$root/build/windows/cli/tovamo-cli.exe
desktop=$root/build/windows/app/win32/tovamo.exe
driver=$root/build/windows/tests/win32/tovamo-win32-driver.exe
scripts/check-windows-imports.sh "$exe" build/windows/tests/windows/*.exe \
    $(find build/windows -name '*.exe' -path '*win32*' -not -path '*/CMakeFiles/*')

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
# The native desktop program and its tests make real windows, on an X server of the
# stage's own; it runs before wineboot, whose desktop process keeps the display it found.
display=${TOVAMO_TEST_DISPLAY:-77}
Xvfb :"$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$display
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X"$display" ] && break; sleep 0.1; done
sleep 0.2
kill -0 "$xvfb" 2>/dev/null || { echo "FAILED: no X server on :$display (is another one running there?)" >&2; exit 1; }
echo "=== windows: wineboot"
wineboot -i >/dev/null 2>&1
wineserver -p 60 || true  # one server for the whole stage (wineboot may have started it)
# A crash ends the program with its exception code and a backtrace on stderr, not with a
# dialog that waits for a click.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
dos=$WINEPREFIX/dosdevices
rm -f "$dos"/com*  # Wine links com1 to /dev/ttyS0

echo "=== windows: unit tests under Wine"
wine build/windows/tests/windows/tovamo_windows_tests.exe --gtest_brief=1

# Each room builds one tovamo_win32_*_tests.exe. The app room's tests start the Linux
# simulated drive themselves (linked as a COM port of the prefix) from the path given,
# and compare what the Table page saves with the Linux tovamo-cli.
echo "=== windows: desktop tests under Wine on Xvfb"
for t in build/windows/tests/win32/tovamo_win32_*_tests.exe; do
    [ -e "$t" ] || continue
    echo "--- $(basename "$t")"
    TOVAMO_TEST_DRIVE_SIM=$root/build/dev/sim/tovamo-drive-sim TOVAMO_TEST_CLI=$root/build/dev/cli/tovamo-cli \
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
[ "$status" = 2 ] || fail "missing port: status $status, not 2: $(cat missing.err)"
grep -q "Hardware not present" missing.err || fail "missing port: $(cat missing.err)"
echo "missing port: status 2, Hardware not present"
cd "$root"

if [ "${1:-}" = "--bench" ]; then
    echo "=== windows: benchmark"
    python3 bench/wine-link-bench.py "$sim" "$cli" "$exe" 10 2>/dev/null
    python3 bench/wine-desktop-bench.py  # the desktop program: start-up, paint, Table page, memory
fi

# The desktop program, driven through its windows as a user would
# (tests/win32/driver): the drive on COM12, the port stored in the registry.
echo "=== windows: desktop program end to end"
cd "$work"
stop_sims; start_sim "$dos/com12" --log "$work/desktop-keys.log"
wine reg add 'HKCU\Software\Tovamo Dispenser\tovamo\Setings' /v NumCom /t REG_DWORD /d 12 /f >/dev/null 2>&1
# A file whose P101 and P102 differ from the drive and are marked for the update.
sed 's/^\(P101[^\t]*\)\t8\tNo/\1\t6\tYes/; s/^\(P102[^\t]*\)\t4.20 A\tNo/\1\t4.45 A\tYes/' \
    linux-read.txt >desktop-file.txt
# The save goes through the real dialog, the open through the program's test hook.
printf '<dialog>\r\n%s\r\n' "$(winepath -w "$work/desktop-file.txt")" >desktop-answers.txt
# Up, Down, Enter, Escape, Escape leave the drive where it began, so the read that
# follows walks it in the same order as the command line's read of a fresh drive.
TOVAMO_TEST_FILE_ANSWERS=$(winepath -w "$work/desktop-answers.txt") wine "$driver" --timeout 30000 --exe "$desktop" \
    expect-port:COM12 connect keys:up,down,enter,escape,escape "expect-text:1002=P1 Motor data" \
    tab:1 click:1007 "wait-text:Read complete" \
    click:1008 "file-dialog:$(winepath -w "$work/desktop-read.txt")" expect-no-colour:1006=FFFF00 \
    click:1009 "wait-text:Compared with the file: 2 differ" expect-colour:1006=FFFF00 \
    click:1010 answer:Update "wait-text:Update complete" close expect-exit:0 ||
    fail "desktop program: the drive through its windows failed"
[ "$(head -c 5 desktop-keys.log)" = udeoo ] ||
    fail "desktop program: the Edit page's keys reached the drive as '$(head -c 5 desktop-keys.log)'"
wine reg query 'HKCU\Software\Tovamo Dispenser\tovamo\Setings' /v NumCom | tr -d '\r' | grep -q 'NumCom.*0xc' ||
    fail "desktop program: NumCom 12 not stored"
cmp desktop-read.txt linux-read.txt || fail "desktop program: DC Drive To File differs from tovamo-cli read"
"$cli" --port "$dos/com12" read -o desktop-after.txt
sed 's/\tYes\r$/\tNo\r/' desktop-file.txt | cmp - desktop-after.txt ||
    fail "desktop program: the drive does not hold the file's values after Update DC Drive"
echo "desktop program: COM12 preselected, Edit keys udeoo, saved table = tovamo-cli read, 2 rows coloured, drive updated"

echo "=== windows: desktop program under random input"
stop_sims; start_sim "$dos/com12" --baud 9600
mkdir -p "$work/robust"
wine "$driver" --robust --seconds "${TOVAMO_ROBUST_SECONDS:-30}" --seed 20261208 --exe "$desktop" \
    --files "$(winepath -w "$work/robust")" || fail "desktop program: random input"
stop_sims
cd "$root"

# The installer under Wine: a silent per-user install, its files, Start-menu entry and
# Apps & Features entry; a silent uninstall takes them away and leaves the user's files
# and settings.
check_installer() {
    local setup=$root/build/package/tovamo-$version-setup.exe
    [ -e "$setup" ] || return 0
    echo "=== windows: installer"
    local key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tovamo'
    local users=$WINEPREFIX/drive_c/users/$(id -un)
    local dir=$users/AppData/Local/Programs/Tovamo
    local link="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tovamo.lnk"
    wine "$setup" /S
    for f in tovamo.exe tovamo-cli.exe README.txt LICENSE.txt uninstall.exe; do
        [ -e "$dir/$f" ] || fail "installer: $f not in $dir"
    done
    [ -e "$link" ] || fail "installer: no Start-menu entry"
    # The installed program starts from its folder (the driver ends it afterwards).
    wine "$driver" --exe "$(winepath -w "$dir/tovamo.exe")" expect-port:COM12 >/dev/null ||
        fail "installer: the installed program does not show its port dialog"
    wine reg query "$key" | tr -d '\r' >"$work/uninstall-key.txt"
    for entry in "DisplayName.*REG_SZ *Tovamo$" "DisplayVersion.*REG_SZ *$version$" "Publisher.*REG_SZ" \
        'UninstallString.*uninstall.exe"$' 'DisplayIcon.*tovamo.exe,0$' "EstimatedSize.*REG_DWORD *0x[1-9a-f]" \
        "NoModify.*0x1$" "NoRepair.*0x1$"; do
        grep -q "$entry" "$work/uninstall-key.txt" || fail "installer: no $entry in $(cat "$work/uninstall-key.txt")"
    done
    echo "parameters" >"$dir/my-parameters.txt"
    wine "$dir/uninstall.exe" /S
    # The uninstaller goes on from a copy of itself: wait for it to take away the link and
    # the Apps & Features entry too, which it does after the files.
    for _ in $(seq 100); do
        [ -e "$dir/tovamo.exe" ] || [ -e "$dir/uninstall.exe" ] || [ -e "$link" ] ||
            ! wine reg query "$key" >/dev/null 2>&1 || break
        sleep 0.2
    done
    [ ! -e "$dir/tovamo.exe" ] && [ ! -e "$dir/uninstall.exe" ] && [ ! -e "$link" ] ||
        fail "uninstaller: the program is still there"
    ! wine reg query "$key" >/dev/null 2>&1 || fail "uninstaller: the Apps & Features entry is still there"
    [ -e "$dir/my-parameters.txt" ] || fail "uninstaller: the user's file is gone"
    wine reg query 'HKCU\Software\Tovamo Dispenser\tovamo\Setings' /v NumCom >/dev/null 2>&1 ||
        fail "uninstaller: the settings are gone"
    echo "installer: installed per user (the program starts) with its Start-menu and Apps & Features entries; uninstalled, settings kept"
}

echo "=== windows: zip and installer"
scripts/package-windows.sh
check_installer
echo "=== windows stage: $((SECONDS - start)) s"
