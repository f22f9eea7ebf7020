// CPU used by a connected but idle `tovamo-cli monitor`: it should sleep until the drive
// or the keyboard has something, not poll. Measured over 10 s (or argv[1] seconds) beside
// a process that only sleeps in poll() (the floor) and, for scale, one that spins with
// sched_yield() for 1 s (a full core). Then the same for a monitor whose device has been
// unplugged (the simulated drive pulls its cable), and the time from the replug (the
// drive's new "PTY" line) to the monitor's "link<TAB>back", over a few replugs.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {
constexpr double kTargetPercent = 0.1;

struct CpuTime {
    long long ticks = 0;  // utime + stime of /proc/<pid>/stat, in clock ticks
    long long ns = 0;     // run time of all threads from /proc/<pid>/task/*/schedstat
};

CpuTime ReadCpuTime(pid_t pid) {
    CpuTime time;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name in parentheses; utime and stime are fields 14 and 15.
    std::istringstream fields(content.substr(content.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i >= 14)
            time.ticks += std::stoll(field);
    }
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* dir = opendir(tasks.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
            long long ns = 0;
            if (schedstat >> ns)
                time.ns += ns;
        }
        closedir(dir);
    }
    return time;
}

pid_t Spawn(std::vector<std::string> args, int in, int out) {
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in, 0);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Reads from `fd` until a line feed; what came before it.
std::string ReadLine(int fd) {
    std::string line;
    char c = 0;
    while (read(fd, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

pid_t ForkSleeper(int milliseconds) {
    const pid_t pid = fork();
    if (pid == 0) {
        poll(nullptr, 0, milliseconds);
        _exit(0);
    }
    return pid;
}

pid_t ForkSpinner(std::chrono::milliseconds duration) {
    const pid_t pid = fork();
    if (pid == 0) {
        const auto end = std::chrono::steady_clock::now() + duration;
        while (std::chrono::steady_clock::now() < end)
            sched_yield();
        _exit(0);
    }
    return pid;
}

void Report(const char* what, CpuTime before, CpuTime after, double seconds) {
    const double tickPercent = 100.0 * static_cast<double>(after.ticks - before.ticks) /
                               static_cast<double>(sysconf(_SC_CLK_TCK)) / seconds;
    const double nsPercent = 100.0 * static_cast<double>(after.ns - before.ns) / 1e9 / seconds;
    std::printf("%-34s %8.3f %% of a core (stat ticks: %lld), %8.4f %% (schedstat: %.3f ms)\n", what,
                tickPercent, after.ticks - before.ticks, nsPercent,
                static_cast<double>(after.ns - before.ns) / 1e6);
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Reads lines from `fd` until one equals `wanted`; false at the end of the output.
bool ReadUntilLine(int fd, const std::string& wanted) {
    for (std::string line = ReadLine(fd); line != wanted; line = ReadLine(fd)) {
        if (line.empty())
            return false;
    }
    return true;
}

// A simulated drive behind a port link and a monitor on that link, both ended on leaving.
struct SUnpluggingRun {
    pid_t sim = -1;
    pid_t cli = -1;
    int simOut = -1;
    int cliIn = -1;
    int cliOut = -1;

    SUnpluggingRun(const std::string& link, int unpluggedMs) {
        int simPipe[2], inPipe[2], outPipe[2];
        if (pipe2(simPipe, O_CLOEXEC) != 0 || pipe2(inPipe, O_CLOEXEC) != 0 || pipe2(outPipe, O_CLOEXEC) != 0)
            std::exit(1);
        const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
        sim = Spawn({TOVAMO_SIM_PATH, "--link", link, "--unplug-after-keys", "1", "--unplugged-ms",
                     std::to_string(unpluggedMs)},
                    devNull, simPipe[1]);
        close(simPipe[1]);
        simOut = simPipe[0];
        if (ReadLine(simOut).rfind("PTY ", 0) != 0) {
            std::fprintf(stderr, "the simulated drive did not start\n");
            std::exit(1);
        }
        cli = Spawn({TOVAMO_CLI_PATH, "--port", link, "monitor"}, inPipe[0], outPipe[1]);
        close(inPipe[0]);
        close(outPipe[1]);
        close(devNull);
        cliIn = inPipe[1];
        cliOut = outPipe[0];
    }
    ~SUnpluggingRun() {
        close(cliIn);  // end of stdin: the monitor ends 500 ms later
        waitpid(cli, nullptr, 0);
        kill(sim, SIGTERM);
        waitpid(sim, nullptr, 0);
        close(cliOut);
        close(simOut);
    }
    // The one key after which the drive pulls its cable; true once the monitor says so.
    bool Unplug() { return write(cliIn, "u", 1) == 1 && ReadUntilLine(cliOut, "link\tlost"); }
    // Seconds from the drive's replug to the monitor's "link back"; < 0 on failure.
    double ReplugToBack() {
        if (ReadLine(simOut).rfind("PTY ", 0) != 0)
            return -1;
        const auto replugged = std::chrono::steady_clock::now();
        if (!ReadUntilLine(cliOut, "link\tback"))
            return -1;
        return Seconds(std::chrono::steady_clock::now() - replugged);
    }
};

// CPU of a monitor whose device is away, beside a poll() sleeper; then replug times.
void MeasureUnplugged(int seconds) {
    char folder[] = "/tmp/tovamo-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        std::exit(1);
    const std::string link = std::string(folder) + "/COM9";
    std::vector<double> replugs;
    {
        SUnpluggingRun run(link, seconds * 1000 + 1000);
        if (!run.Unplug()) {
            std::fprintf(stderr, "the monitor did not report the unplug\n");
            std::exit(1);
        }
        const pid_t sleeper = ForkSleeper(seconds * 1000 + 500);
        const CpuTime monitorBefore = ReadCpuTime(run.cli);
        const CpuTime sleeperBefore = ReadCpuTime(sleeper);
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        const CpuTime monitorAfter = ReadCpuTime(run.cli);
        const CpuTime sleeperAfter = ReadCpuTime(sleeper);
        const double measured = Seconds(std::chrono::steady_clock::now() - start);
        waitpid(sleeper, nullptr, 0);
        std::printf("\nunplugged over %.1f s:\n", measured);
        Report("tovamo-cli monitor, unplugged", monitorBefore, monitorAfter, measured);
        Report("baseline: sleeping in poll()", sleeperBefore, sleeperAfter, measured);
        const double monitorNs = static_cast<double>(monitorAfter.ns - monitorBefore.ns);
        const long long sleeperNs = sleeperAfter.ns - sleeperBefore.ns;
        const double percent = 100.0 * monitorNs / 1e9 / measured;
        if (sleeperNs > 0)
            std::printf("ratio monitor / sleeper (schedstat): %.1f\n",
                        monitorNs / static_cast<double>(sleeperNs));
        else
            std::printf("ratio monitor / sleeper: the sleeper used no measurable time\n");
        std::printf("target <= %.1f %% of a core: %s\n", kTargetPercent,
                    percent <= kTargetPercent ? "met" : "NOT met");
        replugs.push_back(run.ReplugToBack());
    }
    for (int more = 0; more < 4; ++more) {
        SUnpluggingRun run(link, 300);
        replugs.push_back(run.Unplug() ? run.ReplugToBack() : -1);
    }
    std::printf("replug to \"link back\" (the path is looked at every 200 ms):");
    for (const double replug : replugs)
        std::printf(" %.0f ms", replug * 1000);
    std::printf("\n");
    rmdir(folder);
}
}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    int simOut[2], cliIn[2], cliOut[2];
    if (pipe2(simOut, O_CLOEXEC) != 0 || pipe2(cliIn, O_CLOEXEC) != 0 || pipe2(cliOut, O_CLOEXEC) != 0)
        return 1;
    const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t sim = Spawn({TOVAMO_SIM_PATH}, devNull, simOut[1]);
    const std::string ptyLine = ReadLine(simOut[0]);
    if (ptyLine.rfind("PTY ", 0) != 0) {
        std::fprintf(stderr, "the simulated drive did not start\n");
        return 1;
    }
    const pid_t cli = Spawn({TOVAMO_CLI_PATH, "--port", ptyLine.substr(4), "monitor"}, cliIn[0], cliOut[1]);
    close(cliIn[0]);
    close(cliOut[1]);
    // One key and its answer: the monitor is connected and its reader is running.
    if (write(cliIn[1], "u", 1) != 1 || ReadLine(cliOut[0]).empty()) {
        std::fprintf(stderr, "tovamo-cli monitor did not answer\n");
        return 1;
    }

    const pid_t sleeper = ForkSleeper(seconds * 1000 + 500);
    const CpuTime monitorBefore = ReadCpuTime(cli);
    const CpuTime sleeperBefore = ReadCpuTime(sleeper);
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const CpuTime monitorAfter = ReadCpuTime(cli);
    const CpuTime sleeperAfter = ReadCpuTime(sleeper);
    const double measured = Seconds(std::chrono::steady_clock::now() - start);
    waitpid(sleeper, nullptr, 0);

    const pid_t spinner = ForkSpinner(std::chrono::seconds(1));
    const CpuTime spinnerBefore = ReadCpuTime(spinner);
    const auto spinStart = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(900));
    const CpuTime spinnerAfter = ReadCpuTime(spinner);
    const double spinMeasured = Seconds(std::chrono::steady_clock::now() - spinStart);
    waitpid(spinner, nullptr, 0);

    std::printf("idle over %.1f s (stat ticks are 1/%ld s):\n", measured, sysconf(_SC_CLK_TCK));
    Report("tovamo-cli monitor, idle", monitorBefore, monitorAfter, measured);
    Report("baseline: sleeping in poll()", sleeperBefore, sleeperAfter, measured);
    Report("reference: sched_yield() spinner", spinnerBefore, spinnerAfter, spinMeasured);
    const double percent = 100.0 * static_cast<double>(monitorAfter.ns - monitorBefore.ns) / 1e9 / measured;
    std::printf("target <= %.1f %% of a core: %s\n", kTargetPercent,
                percent <= kTargetPercent ? "met" : "NOT met");
    std::fflush(stdout);

    close(cliIn[1]);  // end of stdin: the monitor ends 500 ms later
    waitpid(cli, nullptr, 0);
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);

    MeasureUnplugged(seconds);
    return 0;
}
