#!/usr/bin/env bash
# Checks what a user gets from an install (run by scripts/test.sh):
#   - builds the Debian package (scripts/package.sh: release build in build/package);
#   - installs into a temporary prefix: the file list, the installed tovamo-cli's --help
#     and --version, and a `read` by the installed tovamo-cli from the installed
#     tovamo-drive-sim;
#   - desktop-file-validate on the desktop entry, appstreamcli on the metainfo, and each
#     manual page rendered by man without a warning, naming every option of --help;
#   - the package: its fields, dependencies and files (dpkg-deb), then lintian (no errors;
#     its warnings are printed);
#   - on CI (CI=true) or with TOVAMO_CHECK_APT=1, as root and when no tovamo package is
#     installed yet: `apt-get install ./build/package/tovamo_*.deb`, then `apt-get remove`.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
    echo "check-install: $*" >&2
    exit 1
}

scripts/package.sh
debs=(build/package/tovamo_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package in build/package, found: ${debs[*]}"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)

tmp=$(mktemp -d "${TMPDIR:-/tmp}/tovamo-install-XXXXXX")
sim_pid=
cleanup() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT

echo "--- files"
prefix=$tmp/prefix
cmake --install build/package --prefix "$prefix" >/dev/null
expected=(
    bin/tovamo bin/tovamo-cli bin/tovamo-drive-sim
    share/applications/tovamo.desktop
    share/doc/tovamo/README.Debian share/doc/tovamo/changelog.gz share/doc/tovamo/copyright
    share/doc/tovamo/examples/menu.txt
    share/icons/hicolor/scalable/apps/tovamo.svg
    share/man/man1/tovamo.1.gz share/man/man1/tovamo-cli.1.gz share/man/man1/tovamo-drive-sim.1.gz
)
for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/tovamo.png")
done
metainfo=$(cd "$prefix" && ls share/metainfo/*.metainfo.xml)
expected+=("$metainfo")
printf '%s\n' "${expected[@]}" | sort >"$tmp/expected"
(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort) >"$tmp/installed"
diff -u "$tmp/expected" "$tmp/installed" || fail "cmake --install: the installed files differ from the list"
changelog_version=$(dpkg-parsechangelog -l data/changelog -S Version)
[ "$changelog_version" = "$version" ] ||
    fail "data/changelog's top entry is $changelog_version, the package is $version"

echo "--- installed programs"
cli=$prefix/bin/tovamo-cli
"$cli" --help >"$tmp/help" || fail "tovamo-cli --help failed"
grep -q '^usage: tovamo-cli' "$tmp/help" || fail "tovamo-cli --help prints no usage line"
for command in monitor read update; do
    "$cli" "$command" --help >>"$tmp/help" || fail "tovamo-cli $command --help failed"
done
"$cli" --version >"$tmp/version" || fail "tovamo-cli --version failed"
[ "$(cat "$tmp/version")" = "tovamo-cli $version" ] || fail "tovamo-cli --version says: $(cat "$tmp/version")"

for program in tovamo tovamo-cli tovamo-drive-sim; do
    ! ldd "$prefix/bin/$program" | grep 'not found' || fail "$program: libraries not found"
done

# A read through the installed programs only: the simulated drive linked as COM1.
export XDG_CONFIG_HOME=$tmp/config
"$prefix/bin/tovamo-drive-sim" --link "$XDG_CONFIG_HOME/Tovamo Dispenser/ports/COM1" \
    >"$tmp/sim.out" </dev/null &
sim_pid=$!
for _ in $(seq 100); do
    grep -q '^PTY ' "$tmp/sim.out" && break
    kill -0 "$sim_pid" 2>/dev/null || fail "tovamo-drive-sim ended at start"
    sleep 0.1
done
grep -q '^PTY ' "$tmp/sim.out" || fail "tovamo-drive-sim did not start"
timeout 120 "$cli" --port COM1 read -o "$tmp/drive.txt" || fail "tovamo-cli read ended with $?"
grep -qE $'^P101 Pole count *\t8\tNo\r$' "$tmp/drive.txt" || fail "the read table lacks P101: $(head -3 "$tmp/drive.txt")"
rows=$(wc -l <"$tmp/drive.txt")
[ "$rows" -ge 20 ] || fail "the read table has only $rows rows"
echo "tovamo-cli read: $rows rows from the installed tovamo-drive-sim"

echo "--- desktop entry, metainfo, manual pages"
out=$(desktop-file-validate "$prefix/share/applications/tovamo.desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
# The menu's command starts the installed program, which stays up with its port dialog.
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/tovamo.desktop")
status=0
PATH=$prefix/bin:$PATH QT_QPA_PLATFORM=offscreen timeout 3 $exec_line 2>"$tmp/tovamo.err" || status=$?
[ "$status" -eq 124 ] || fail "Exec=$exec_line ended with $status: $(cat "$tmp/tovamo.err")"
appstreamcli validate --no-net "$prefix/$metainfo" || fail "appstreamcli validate: $metainfo"
for page in tovamo tovamo-cli tovamo-drive-sim; do
    file=$prefix/share/man/man1/$page.1.gz
    err=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
    [ -z "$err" ] || fail "man -l $page.1: $err"
    LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$file" 2>/dev/null | col -b >"$tmp/$page.txt"
done
# Every option and command the programs' own --help lists is in their manual page.
"$prefix/bin/tovamo-drive-sim" --help >"$tmp/sim-help"
for pair in "help:tovamo-cli" "sim-help:tovamo-drive-sim"; do
    for word in $(grep -oE -- '--[a-z][a-z-]+|^  [a-z]+ ' "$tmp/${pair%%:*}" | tr -d ' ' | sort -u); do
        grep -qF -- "$word" "$tmp/${pair#*:}.txt" || fail "${pair#*:}(1) does not mention $word"
    done
done
echo "ok"

echo "--- package"
for field in Package:tovamo Version:"$version" Section:electronics Architecture:"$(dpkg --print-architecture)"; do
    [ "$(dpkg-deb -f "$deb" "${field%%:*}")" = "${field#*:}" ] || fail "package field ${field%%:*} is not ${field#*:}"
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "the package has no Maintainer"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -ge 3 ] || fail "the package has no long description"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6; do
    [[ ", $depends," == *", $lib "* ]] || fail "Depends lacks $lib: $depends"
done
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort >"$tmp/packaged"
diff -u "$tmp/expected" "$tmp/packaged" || fail "the package's files differ from the list"
dpkg-deb -c "$deb" | awk '$2 != "root/root" {print; bad=1} END {exit bad}' || fail "files not owned by root"
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KiB, Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "Depends: $depends"

echo "--- lintian"
lintian_out=$(lintian --allow-root --fail-on error "$deb" 2>&1) || { echo "$lintian_out"; fail "lintian found errors"; }
echo "${lintian_out:-lintian: no errors, no warnings}"

if [ "${CI:-}" = true ] || [ "${TOVAMO_CHECK_APT:-}" = 1 ]; then
    echo "--- apt install and remove"
    if [ "$(id -u)" -ne 0 ]; then
        echo "note: not root; apt install not checked"
    elif dpkg-query -W -f='${Status}' tovamo 2>/dev/null | grep -q installed; then
        echo "note: a tovamo package is already installed; apt install not checked"
    else
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >"$tmp/apt.log" 2>&1 ||
            { cat "$tmp/apt.log" >&2; fail "apt-get install $deb"; }
        [ "$(command -v tovamo-cli)" = /usr/bin/tovamo-cli ] || fail "tovamo-cli is not /usr/bin/tovamo-cli"
        /usr/bin/tovamo-cli --help >/dev/null || fail "/usr/bin/tovamo-cli --help"
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tovamo >"$tmp/apt.log" 2>&1 ||
            { cat "$tmp/apt.log" >&2; fail "apt-get remove tovamo"; }
        for file in "${expected[@]}"; do
            [ ! -e "/usr/$file" ] || fail "/usr/$file is left after apt-get remove"
        done
        ! dpkg-query -W -f='${Status}' tovamo 2>/dev/null | grep -q installed || fail "tovamo is still installed"
        echo "installed and removed cleanly"
    fi
fi
echo "=== install checks passed"
