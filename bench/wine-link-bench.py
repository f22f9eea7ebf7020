#!/usr/bin/env python3
"""The link under Wine against the same on Linux, in one run.

tovamo-cli (Linux) and tovamo-cli.exe (under Wine) are each put on a relay: a
pseudo-terminal this script owns, forwarding to the simulated drive and timing every
byte. Measured for both:
  - CPU of a connected, idle `monitor` over IDLE seconds (the process, and wineserver's
    share under Wine); target <= 0.5 % of a core
  - record latency: the drive's last byte of a field leaves the relay -> the monitor's
    line for it on stdout (p50/p99)
  - key latency while the reader waits: a key byte into stdin -> on the relay (p50/p99)
  - `read` at 9600 baud: wall time from the first key to the last answer byte, against
    the wire time of all those bytes; target <= 1.03
usage: wine-link-bench.py SIM CLI CLI_EXE [IDLE_SECONDS]   (WINEPREFIX set, wineboot done)
"""
import os, pty, select, subprocess, sys, time, tty

SIM, CLI, CLI_EXE = sys.argv[1:4]
IDLE = float(sys.argv[4]) if len(sys.argv) > 4 else 10.0
PREFIX = os.environ["WINEPREFIX"]


def start_sim(*args):
    sim = subprocess.Popen([SIM, *args], stdout=subprocess.PIPE, text=True)
    line = sim.stdout.readline().split()
    fd = os.open(line[1], os.O_RDWR | os.O_NOCTTY)
    tty.setraw(fd)
    return sim, fd


class Relay:
    """A pty whose slave the program opens; bytes are forwarded to and from the drive."""

    def __init__(self, sim_fd):
        self.master, slave = pty.openpty()
        tty.setraw(self.master)
        self.slave_path = os.ttyname(slave)
        os.close(slave)
        self.sim = sim_fd
        self.bytes = 0
        self.first = self.last = None

    def pump(self, extra=(), timeout=0.05):
        """Forwards what is there; returns {fd: (data, time)} of the extra fds and key times."""
        got, keys, answers = {}, [], []
        ready, _, _ = select.select([self.master, self.sim, *extra], [], [], timeout)
        now = time.monotonic()
        for fd in ready:
            try:
                data = os.read(fd, 4096)
            except OSError:
                data = b""
            if fd == self.master and data:
                os.write(self.sim, data)
                keys.append(now)
            elif fd == self.sim and data:
                os.write(self.master, data)
                answers.append(time.monotonic())
            elif data or fd in extra:
                got[fd] = (data, now)
                continue
            else:
                continue
            self.bytes += len(data)
            self.first = self.first or now
            self.last = time.monotonic()
        return got, keys, answers


def cpu_seconds(pid):
    """Run time of all the process's threads (schedstat, in ns: finer than clock ticks)."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass
    return total / 1e9


def program(exe_port, wine):
    if wine:
        link = os.path.join(PREFIX, "dosdevices", "com7")
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(exe_port, link)
        return ["wine", CLI_EXE, "--port", "COM7"]
    return [CLI, "--port", exe_port]


def find_pid(proc, wine):
    if not wine:
        return proc.pid
    for _ in range(200):  # Wine may still be starting its server
        out = subprocess.run(["pgrep", "-nf", CLI_EXE + " --port COM7"], capture_output=True, text=True).stdout
        if out.split():
            return int(out.split()[0])
        time.sleep(0.05)
    raise RuntimeError("tovamo-cli.exe is not running")


def wineserver_pid():
    out = subprocess.run(["pgrep", "-x", "wineserver"], capture_output=True, text=True).stdout.split()
    return int(out[0]) if out else None


def pct(values, p):
    values = sorted(values)
    return values[min(len(values) - 1, int(round(p / 100 * (len(values) - 1))))] * 1000


def monitor_bench(wine):
    sim, sim_fd = start_sim()
    relay = Relay(sim_fd)
    proc = subprocess.Popen(program(relay.slave_path, wine) + ["monitor"], stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, bufsize=0)
    out = proc.stdout.fileno()
    end = time.monotonic() + 3
    while time.monotonic() < end:  # start-up, then quiet
        relay.pump([out])
    pid = find_pid(proc, wine)
    server = wineserver_pid() if wine else None
    t0, c0 = time.monotonic(), cpu_seconds(pid)
    s0 = cpu_seconds(server) if server else 0
    while time.monotonic() - t0 < IDLE:
        relay.pump([out], timeout=0.5)
    seconds = time.monotonic() - t0
    idle = (cpu_seconds(pid) - c0) / seconds * 100
    server_idle = ((cpu_seconds(server) - s0) / seconds * 100) if server else 0.0
    key_lat, rec_lat = [], []
    for i in range(120):
        key = b"u" if i % 2 == 0 else b"d"
        sent = time.monotonic()
        proc.stdin.write(key)
        last_answer, last_line, deadline = None, None, time.monotonic() + 1
        while time.monotonic() < deadline:
            got, keys, answers = relay.pump([out], timeout=0.03)
            if keys and len(key_lat) <= i:
                key_lat.append(keys[0] - sent)
            if answers:
                last_answer = answers[-1]
            if out in got:
                last_line = got[out][1]
            if last_line and last_answer and last_line >= last_answer and not answers:
                break
        if last_line and last_answer:
            rec_lat.append(last_line - last_answer)
    proc.stdin.close()
    proc.wait(timeout=10)
    sim.terminate()
    sim.wait()
    return idle, server_idle, key_lat, rec_lat


def read_bench(wine):
    sim, sim_fd = start_sim("--baud", "9600")
    relay = Relay(sim_fd)
    proc = subprocess.Popen(program(relay.slave_path, wine) + ["read"], stdout=subprocess.DEVNULL)
    while proc.poll() is None:
        relay.pump()
    for _ in range(4):
        relay.pump()
    sim.terminate()
    sim.wait()
    wall = relay.last - relay.first
    wire = relay.bytes * 10 / 9600
    return wall, wire, proc.returncode


def main():
    print(f"{'':10}{'idle CPU %':>12}{'wineserver %':>14}{'record p50/p99 ms':>20}{'key p50/p99 ms':>18}"
          f"{'read wall/wire':>22}")
    for name, wine in ((("Wine", True),) if os.environ.get("ONLY_WINE") else (("Linux", False), ("Wine", True))):
        idle, server, keys, recs = monitor_bench(wine)
        wall, wire, status = read_bench(wine)
        print(f"{name:10}{idle:12.4f}{server:14.4f}{pct(recs, 50):9.2f} /{pct(recs, 99):7.2f}"
              f"{pct(keys, 50):9.2f} /{pct(keys, 99):7.2f}   {wall:6.2f}/{wire:6.2f} s = {wall / wire:.4f}"
              f"{'' if status == 0 else f' (status {status})'}")
        sys.stdout.flush()


main()
