#!/usr/bin/env python3
"""The native Windows desktop program tovamo.exe under Wine, in one run, each figure as a
ratio against a baseline measured in the same run:
  - start-up: CreateProcessW until the first top-level window is visible and its thread
    answers a sent message, tovamo.exe (the port dialog) against a bare dialog program
    with the same template (bench/win32/BareDialog.rc); medians of RUNS alternating
    starts; target <= 1.3
  - paint: a full paint of the grid window (CGridWnd on CGdiDrawContext) of 1,000,000
    rows against 1,000 rows; medians; target <= 1.2
  - "Read DC Drive" and "Update DC Drive" on the Table page against tovamo-cli.exe read
    and update FILE, each on a fresh simulated drive at 9600 baud behind a relay (a
    pseudo-terminal this script owns, mapped as COM7 in the prefix) that times every
    byte: the wall time runs from the first key to the drive's last answer; the page's
    update job is its read plus its update, as the command line's update reads first;
    target within 3 %. While the page's procedures run, a watcher thread in
    tovamo-bench-table-page.exe sends WM_NULL to the sheet every 2 ms: the longest wait
    for the answer is the longest the window's thread was held; target <= 16 ms
  - tovamo.exe's size, its working set and private bytes after the read
    (GetProcessMemoryInfo), and the resident set of its Wine process as Linux sees it.
Builds what it needs (cross build in BUILD, default build/windows-bench, benchmarks on;
the Linux tovamo-drive-sim and tovamo-cli in DEV, default build/dev), makes its own Wine
prefix and X server and removes them afterwards.
usage: wine-desktop-bench.py [--runs N] [--rounds N] [--no-build] [--only startup,paint,table]
                             [--build BUILD] [--dev DEV]
"""
import argparse, os, pty, re, select, shutil, signal, subprocess, sys, tempfile, time, tty

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
COM = 7
# The update's file: these parameters to other values, marked "Yes" (as the Linux page bench).
CHANGES = {"P101": "14", "P102": "4.50 A", "P104": "2950 rpm", "P202": "1.230", "P203": "27.0 ms",
           "P206": "0.5 ms", "P302": "1.40 ms", "P305": "16 kHz", "P402": "-0.080 V", "P410": "5"}


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--runs", type=int, default=21, help="start-ups per program")
    parser.add_argument("--paint-runs", type=int, default=41, help="full paints per row count")
    parser.add_argument("--rounds", type=int, default=5, help="rounds of the Table page against the command line")
    parser.add_argument("--no-build", action="store_true")
    parser.add_argument("--only", default="startup,paint,table")
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "windows-bench"))
    parser.add_argument("--dev", default=os.path.join(ROOT, "build", "dev"))
    return parser.parse_args()


def build(args):
    launchers = []
    if shutil.which("ccache"):
        launchers = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    quiet = {"stdout": subprocess.DEVNULL}
    subprocess.run(["cmake", "--preset", "windows", "-B", args.build, "-DTOVAMO_BUILD_BENCH=ON",
                    "-DTOVAMO_BUILD_TESTS=OFF", *launchers], cwd=ROOT, check=True, **quiet)
    subprocess.run(["cmake", "--build", args.build, "-j2", "--target", "tovamo-desktop-bench"], cwd=ROOT, check=True,
                   **quiet)
    if not os.path.isdir(args.dev):
        subprocess.run(["cmake", "--preset", "dev", *launchers], cwd=ROOT, check=True, **quiet)
    subprocess.run(["cmake", "--build", args.dev, "-j2", "--target", "tovamo-drive-sim", "tovamo-cli"], cwd=ROOT,
                   check=True, **quiet)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Stage:
    """A Wine prefix and an X server of the bench's own; removed by close()."""

    def __init__(self):
        self.work = tempfile.mkdtemp(prefix="tovamo-desktop-bench-")
        self.env = dict(os.environ, WINEPREFIX=os.path.join(self.work, "wine"), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        display = next(n for n in range(66, 200) if not os.path.exists(f"/tmp/.X11-unix/X{n}")
                       and not os.path.exists(f"/tmp/.X{n}-lock"))
        self.xvfb = subprocess.Popen(["Xvfb", f":{display}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env["DISPLAY"] = f":{display}"
        for _ in range(100):
            if os.path.exists(f"/tmp/.X11-unix/X{display}"):
                break
            time.sleep(0.05)
        quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
        subprocess.run(["wineboot", "-i"], env=self.env, **quiet)
        # Wine's desktop in a window of its own: with no window manager on the X server,
        # Wine would wait 2 s for one each time a top-level window is hidden (the update's
        # confirmation, for one) and hold the window's thread meanwhile, which no Windows
        # desktop does.
        for key, name, value in ((r"HKCU\Software\Wine\Explorer", "Desktop", "Default"),
                                 (r"HKCU\Software\Wine\Explorer\Desktops", "Default", "1280x1024")):
            subprocess.run(["wine", "reg", "add", key, "/v", name, "/d", value, "/f"], env=self.env, **quiet)
        subprocess.run(["wineserver", "-k"], env=self.env, **quiet)
        subprocess.run(["wineserver", "-w"], env=self.env, **quiet)
        # One server for the whole run: no program pays for starting it, and a server
        # starting would link com1 to /dev/ttyS0 again.
        subprocess.run(["wineserver", "-p", "600"], env=self.env, **quiet)
        subprocess.run(["wine", "cmd", "/c", "exit"], env=self.env, **quiet)
        self.dos = os.path.join(self.env["WINEPREFIX"], "dosdevices")
        for name in os.listdir(self.dos):
            if name.startswith("com"):
                os.remove(os.path.join(self.dos, name))  # Wine links com1 to /dev/ttyS0

    def wine(self, *args, **kwargs):
        return subprocess.run(["wine", *args], env=self.env, **kwargs)

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.work, ignore_errors=True)


# ---- start-up -----------------------------------------------------------------------

def startup_bench(stage, args):
    bench = os.path.join(args.build, "bench", "win32")
    bare = windows_path(os.path.join(bench, "tovamo-bench-bare-dialog.exe"))
    program = windows_path(os.path.join(args.build, "app", "win32", "tovamo.exe"))
    out = stage.wine(os.path.join(bench, "tovamo-bench-startup.exe"), "--runs", str(args.runs),
                     "--window", bare, "--window", program, capture_output=True, text=True, check=True).stdout
    medians = [tuple(float(g) for g in m.groups()) for m in re.finditer(
        r"median +([\d.]+) ms +min +([\d.]+) +max +([\d.]+) +ratio ([\d.]+) +cpu +([\d.]+) ms +cpu ratio ([\d.]+)", out)]
    bare_f, program_f = medians
    return [("start-up to the port dialog (ms)", "bare dialog", bare_f[0], "tovamo.exe", program_f[0],
             program_f[3], "<= 1.30", f"median of {args.runs} starts each, min/max {bare_f[1]:.0f}-{bare_f[2]:.0f} "
             f"and {program_f[1]:.0f}-{program_f[2]:.0f} ms"),
            ("  its process's CPU time until then (ms)", "bare dialog", bare_f[4], "tovamo.exe", program_f[4],
             program_f[5], "", "GetProcessTimes; Wine's server and desktop process not counted")]


# ---- paint --------------------------------------------------------------------------

def paint_bench(stage, args):
    exe = os.path.join(args.build, "bench", "win32", "tovamo-bench-grid-paint.exe")
    if not os.path.exists(exe):
        return [("full paint of the grid (ms)", "1,000 rows", None, "1,000,000 rows", None, None, "<= 1.20",
                 "not built (no grid window in this tree)")]
    out = stage.wine(exe, "--runs", str(args.paint_runs), capture_output=True, text=True, check=True).stdout
    rows = {int(m.group(1)): (float(m.group(2)), float(m.group(3)), float(m.group(4)))
            for m in re.finditer(r"rows=(\d+) median_ms=([\d.]+) bottom_median_ms=([\d.]+) fill_s=([\d.]+)", out)}
    small, large = rows[1000], rows[1000000]
    how = f"median of {args.paint_runs} turns, 1000x700 px, RedrawWindow(RDW_UPDATENOW)"
    return [("full paint of the grid, top (ms)", "1,000 rows", small[0], "1,000,000 rows", large[0],
             large[0] / small[0], "<= 1.20", how),
            ("full paint of the grid, at the end (ms)", "1,000 rows", small[1], "1,000,000 rows", large[1],
             large[1] / small[1], "<= 1.20", f"filled in {small[2]:.2f} s and {large[2]:.2f} s")]


# ---- Table page -------------------------------------------------------------------------

def start_sim(args, *extra):
    sim = subprocess.Popen([os.path.join(args.dev, "sim", "tovamo-drive-sim"), *extra], stdout=subprocess.PIPE,
                           text=True)
    line = sim.stdout.readline().split()
    fd = os.open(line[1], os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
    tty.setraw(fd)
    return sim, fd


class Relay:
    """A pty whose slave the program opens as COM7; bytes are forwarded to and from the
    drive and timed. mark() starts a new phase."""

    def __init__(self, sim_fd, dos):
        self.master, slave = pty.openpty()
        tty.setraw(self.master)
        os.set_blocking(self.master, False)  # a master whose slave is not open may look readable
        path = os.ttyname(slave)
        os.close(slave)
        link = os.path.join(dos, f"com{COM}")
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(path, link)
        self.sim = sim_fd
        self.mark()

    def close(self):
        os.close(self.master)
        os.close(self.sim)

    def mark(self):
        self.keys = self.answer_bytes = 0
        self.key_bytes = b""
        self.first = self.last = None

    def wall(self):
        return (self.last - self.first) if self.first else 0.0

    def pump(self, extra=(), timeout=0.05):
        """Forwards what is there; returns the data read from the extra fds."""
        got = {}
        ready, _, _ = select.select([self.master, self.sim, *extra], [], [], timeout)
        for fd in ready:
            try:
                data = os.read(fd, 4096)
            except BlockingIOError:
                continue
            except OSError:
                data = b""
            now = time.monotonic()
            if fd == self.master and data:
                os.write(self.sim, data)
                self.keys += len(data)
                self.key_bytes += data
            elif fd == self.sim and data:
                os.write(self.master, data)
                self.answer_bytes += len(data)
            else:
                got[fd] = data
                continue
            self.first = self.first or now
            self.last = time.monotonic()
        return got


def cli_run(stage, args, cli_exe, *cli_args):
    sim, sim_fd = start_sim(args, "--baud", "9600")
    relay = Relay(sim_fd, stage.dos)
    proc = subprocess.Popen(["wine", cli_exe, "--port", f"COM{COM}", *cli_args], cwd=stage.work, env=stage.env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    while proc.poll() is None:
        relay.pump()
    for _ in range(4):
        relay.pump()
    sim.terminate()
    sim.wait()
    relay.close()
    if proc.returncode != 0:
        raise RuntimeError(f"tovamo-cli.exe {' '.join(cli_args)}: status {proc.returncode}: {proc.stderr.read()}")
    return relay.wall(), relay.keys


def linux_rss_kb(name):
    out = subprocess.run(["pgrep", "-nf", name], capture_output=True, text=True).stdout.split()
    if not out:
        return None
    with open(f"/proc/{out[0]}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return None


def page_run(stage, args, watch_ms):
    """One run of the page: its read and update phases as {name: (wall, keys, held, status, held_running)},
    and the memory after the read."""
    sim, sim_fd = start_sim(args, "--baud", "9600")
    relay = Relay(sim_fd, stage.dos)
    program = windows_path(os.path.join(args.build, "app", "win32", "tovamo.exe"))
    bench = os.path.join(args.build, "bench", "win32", "tovamo-bench-table-page.exe")
    handshake = tempfile.mkdtemp(dir=stage.work)
    proc = subprocess.Popen(["wine", bench, "--watch-every-ms", str(watch_ms), "--handshake", windows_path(handshake),
                             program], cwd=stage.work, env=stage.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE)
    out = proc.stdout.fileno()
    wire, pending, phase, rss = {}, b"", None, None

    def close_phase():
        if phase:
            wire[phase] = (relay.wall(), relay.keys, relay.key_bytes)

    # Phases start with a file (a line out of Wine's console may come late) answered on
    # the program's input; each start closes the phase before it, the program's end the last.
    while True:
        for name in sorted(os.listdir(handshake)):
            if name.startswith("start-") and name[6:] != phase and name[6:] not in wire:
                close_phase()
                phase = name[6:]
                if phase == "update":  # after the read (and the file)
                    rss = linux_rss_kb("app.win32.tovamo.exe")
                relay.mark()
                proc.stdin.write(b"go\n")
                proc.stdin.flush()
                if phase == "update":
                    proc.stdin.close()  # the last: an open input keeps Wine's console waiting
        data = relay.pump([out]).get(out)
        if data is None:
            continue
        if not data:
            break
        pending += data
    proc.wait()
    close_phase()
    sim.terminate()
    sim.wait()
    relay.close()
    if proc.returncode != 0:
        raise RuntimeError(f"tovamo-bench-table-page.exe: status {proc.returncode}: {proc.stderr.read().decode()}")
    phases, memory = {}, {}
    for line in pending.decode(errors="replace").splitlines():
        words = line.strip().split(" ", 2)
        if words[0] == "end":
            fields = dict(w.split("=", 1) for w in words[2].split(" ") if "=" in w)
            wall, keys, key_bytes = wire[words[1]]
            phases[words[1]] = (wall, keys, float(fields["held_ms"]), words[2].split("status=", 1)[-1],
                                float(fields["held_running_ms"]))
            print(f"  page {words[1]}: wall {wall:.3f} s, keys {keys} ({key_bytes[:12].decode()}..."
                  f"{key_bytes[-6:].decode()}), {words[2]}", file=sys.stderr)
        elif words[0] == "memory" and len(words) > 1 and words[1] != "unknown":
            memory = dict((w.split("=") for w in words[1:]), linux_rss_kb=rss)
    return phases, memory


def write_update_file(stage, args):
    """The drive's table as the Linux command line reads it, with CHANGES marked Yes."""
    sim = subprocess.Popen([os.path.join(args.dev, "sim", "tovamo-drive-sim"), "--link",
                            os.path.join(stage.work, "linux-port")], stdout=subprocess.PIPE, text=True)
    sim.stdout.readline()
    subprocess.run([os.path.join(args.dev, "cli", "tovamo-cli"), "--port", os.path.join(stage.work, "linux-port"),
                    "read", "-o", os.path.join(stage.work, "drive.txt")], check=True)
    sim.terminate()
    sim.wait()
    lines = []
    with open(os.path.join(stage.work, "drive.txt"), "rb") as table:
        for line in table.read().decode("cp1252").split("\r\n"):
            cells = line.split("\t")
            if len(cells) == 3:
                for prefix, value in CHANGES.items():
                    if cells[0].startswith(prefix):
                        cells[1:] = [value, "Yes"]
                lines.append("\t".join(cells) + "\r\n")
    path = os.path.join(stage.work, "wanted.txt")
    with open(path, "wb") as wanted:
        wanted.write("".join(lines).encode("cp1252"))
    return path


def median(values):
    values = sorted(values)
    n = len(values)
    return 0 if n == 0 else (values[n // 2] if n % 2 else (values[n // 2 - 1] + values[n // 2]) / 2)


def table_bench(stage, args):
    wanted = write_update_file(stage, args)
    answers = os.path.join(stage.work, "answers.txt")
    stage.env["TOVAMO_TEST_FILE_ANSWERS"] = windows_path(answers)
    stage.wine("reg", "add", r"HKCU\Software\Tovamo Dispenser\tovamo\Setings", "/v", "NumCom", "/t", "REG_DWORD",
               "/d", str(COM), "/f", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    cli_exe = os.path.join(args.build, "cli", "tovamo-cli.exe")
    reads, updates, held, held_running, memories, notes, watched = [], [], [], [], [], [], []
    for _ in range(args.rounds):
        with open(answers, "w") as answer:
            answer.write(windows_path(wanted) + "\r\n")  # Read File's answer
        cli_read, cli_read_keys = cli_run(stage, args, cli_exe, "read", "-o", "cli-read.txt")
        cli_update, cli_update_keys = cli_run(stage, args, cli_exe, "update", "wanted.txt", "-o", "cli-out.txt")
        # The wall times without the watcher (its messages cost the window's thread a
        # little each); then again with it, for the longest hold.
        phases, _ = page_run(stage, args, 0)
        with open(answers, "w") as answer:
            answer.write(windows_path(wanted) + "\r\n")
        watched_phases, memory = page_run(stage, args, 2)
        page_read, page_update = phases["read"], phases["update"]
        reads.append((cli_read, page_read[0]))
        updates.append((cli_update, page_read[0] + page_update[0]))
        watched.append(watched_phases["read"][0] / cli_read)
        held += [watched_phases["read"][2], watched_phases["update"][2]]
        held_running += [watched_phases["read"][4], watched_phases["update"][4]]
        memories.append(memory)
        if page_read[1] != cli_read_keys or page_read[1] + page_update[1] != cli_update_keys:
            notes.append(f"keys: page {page_read[1]}+{page_update[1]}, cli {cli_read_keys}/{cli_update_keys}")
        print(f"  round: read cli {cli_read:.3f} s page {page_read[0]:.3f} s; update cli {cli_update:.3f} s page "
              f"{page_read[0]:.3f}+{page_update[0]:.3f} s; held {watched_phases['read'][2]:.2f}/"
              f"{watched_phases['update'][2]:.2f} ms; \"{page_update[3]}\"", file=sys.stderr)
    read_cli, read_page = median([c for c, _ in reads]), median([p for _, p in reads])
    upd_cli, upd_page = median([c for c, _ in updates]), median([p for _, p in updates])
    rows = [
        ("\"Read DC Drive\" (s, first key to last answer)", "tovamo-cli.exe read", read_cli, "Table page", read_page,
         median([p / c for c, p in reads]), "<= 1.03",
         f"median of {args.rounds} rounds, 9600 baud; watched: {median(watched):.3f}"),
        ("\"Update DC Drive\" (s, read + update)", "tovamo-cli.exe update", upd_cli, "Table page", upd_page,
         median([p / c for c, p in updates]), "<= 1.03", "; ".join(sorted(set(notes))) or "the same keys"),
        ("longest hold of the window's thread (ms)", "target", 16.0, "while running", max(held_running),
         max(held_running) / 16.0, "<= 1.00", "WM_NULL every 2 ms; read and update, from the first key"),
        ("  the same from the button's press (ms)", "target", 16.0, "Table page", max(held), max(held) / 16.0,
         "", "the update's confirmation dialog made and closed included"),
    ]
    memory = memories[-1]
    if memory:
        rss = memory.get("linux_rss_kb")
        rows.append(("tovamo.exe after the read (MB)", "working set", int(memory["working_set"]) / 1e6,
                     "private bytes", int(memory["private"]) / 1e6, None, "",
                     "GetProcessMemoryInfo" + (f"; Linux RSS of its Wine process {rss / 1e3:.1f} MB" if rss else "")))
    return rows


def main():
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # the prefix and X server go all the same
    args = parse_args()
    if not args.no_build:
        build(args)
    only = set(args.only.split(","))
    program = os.path.join(args.build, "app", "win32", "tovamo.exe")
    stage = Stage()
    rows = []
    try:
        if "startup" in only:
            rows += startup_bench(stage, args)
        if "paint" in only:
            rows += paint_bench(stage, args)
        if "table" in only:
            rows += table_bench(stage, args)
    finally:
        stage.close()
    rows.append(("tovamo.exe size (MB)", "", None, "file", os.path.getsize(program) / 1e6, None, "<= 4 MB", ""))
    load = os.getloadavg()
    print(f"Wine desktop bench ({os.cpu_count()} cores, load {load[0]:.2f} {load[1]:.2f} {load[2]:.2f})")
    print(f"{'':45}{'baseline':>24}{'':>10}{'measured':>18}{'':>10}{'ratio':>8}  {'target':8} how")
    for what, base_name, base, name, value, ratio, target, how in rows:
        base_s = f"{base:10.3f}" if base is not None else f"{'':10}"
        value_s = f"{value:10.3f}" if value is not None else f"{'-':>10}"
        ratio_s = f"{ratio:8.3f}" if ratio is not None else f"{'':8}"
        print(f"{what:45}{base_name:>24}{base_s}{name:>18}{value_s}{ratio_s}  {target:8} {how}")


main()
