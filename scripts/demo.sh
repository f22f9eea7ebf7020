#!/usr/bin/env bash
# The main job: start the simulated drive and work with it.
#   - installs what is missing, configures and builds (preset "dev", build/dev);
#   - starts tovamo-drive-sim at 9600 baud, linked as COM1 in a private settings folder;
#   - with a display, opens the desktop program `tovamo` on it (COM1 preselected: Connect),
#     where the Edit tab works the drive's keys and the Table tab reads, saves, compares
#     and updates its whole menu;
#   - without one ($DISPLAY and $WAYLAND_DISPLAY unset) says so and runs
#     `tovamo-cli --port COM1 monitor`: type e (Enter), o (Escape), u (Up) or d (Down)
#     and press Return; Ctrl-D or Ctrl-C ends. Without a terminal on stdin it plays a short
#     scripted walk, then reads the whole drive into a table, and exits.
# The drive is stopped and the settings folder removed on exit.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build/dev
# Programs the demo needs; more can be added here.
targets=(tovamo-drive-sim tovamo-cli tovamo)
# Into the first sub-menu, look at a value, step another one up and accept it, back out.
scripted_walk=(e e u o u e u e o)

build() {
    scripts/install-deps.sh
    cmake --preset dev >/dev/null
    cmake --build "$build_dir" -j "$(nproc)" --target "${targets[@]}"
}

# Starts the drive in the background, linked as COM1; sets sim_pid and sim_pty.
start_sim() {
    export XDG_CONFIG_HOME
    XDG_CONFIG_HOME=$(mktemp -d "${TMPDIR:-/tmp}/tovamo-demo-XXXXXX")
    local link="$XDG_CONFIG_HOME/Tovamo Dispenser/ports/COM1"
    "$build_dir/sim/tovamo-drive-sim" --baud 9600 --link "$link" >"$XDG_CONFIG_HOME/sim.out" </dev/null &
    sim_pid=$!
    for _ in $(seq 100); do
        if grep -q '^PTY ' "$XDG_CONFIG_HOME/sim.out" 2>/dev/null; then
            sim_pty=$(sed -n 's/^PTY //p' "$XDG_CONFIG_HOME/sim.out")
            return 0
        fi
        kill -0 "$sim_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "the simulated drive did not start" >&2
    return 1
}

stop_sim() {
    if [ -n "${sim_pid:-}" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    if [ -n "${XDG_CONFIG_HOME:-}" ] && [[ "$XDG_CONFIG_HOME" == */tovamo-demo-* ]]; then
        rm -rf "$XDG_CONFIG_HOME"
    fi
}

run_monitor() {
    local cli="$build_dir/cli/tovamo-cli"
    echo "Simulated drive on $sim_pty, linked as COM1 ($XDG_CONFIG_HOME)."
    if [ -t 0 ]; then
        echo "Keys: e = Enter, o = Escape, u = Up, d = Down, then Return. Ctrl-D or Ctrl-C ends."
        "$cli" --port COM1 monitor
    else
        echo "Playing the keys: ${scripted_walk[*]}"
        for key in "${scripted_walk[@]}"; do
            printf '%s' "$key"
            sleep 0.3
        done | "$cli" --port COM1 monitor
        echo "Reading the whole drive into a table (tovamo-cli read):"
        "$cli" --port COM1 read | tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8  # the drive's texts are Windows-1252
    fi
}

# The desktop program on COM1, preselected through its own settings file.
run_desktop() {
    printf '[Setings]\nNumCom=1\n' >"$XDG_CONFIG_HOME/Tovamo Dispenser/tovamo.conf"
    echo "Simulated drive on $sim_pty, linked as COM1 ($XDG_CONFIG_HOME)."
    echo "Press Connect; on the Edit page Enter/E, Escape/O, Up/U and Down/D are the drive's keys."
    echo "On the Table tab: \"Read DC Drive\" reads the whole menu (some seconds at 9600 baud),"
    echo "\"DC Drive To File\" saves it, \"Read File\" compares a saved file (yellow: the value differs,"
    echo "red: the drive lacks the name), and \"Update DC Drive\" steps the parameters marked Yes to the"
    echo "file's values. Escape on the Table tab closes the program, as Cancel does."
    "$build_dir/app/tovamo"
}

build
trap stop_sim EXIT
start_sim
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    run_desktop
else
    echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are unset): running the command-line monitor instead."
    run_monitor
fi
