// Times `tovamo-cli read` and `tovamo-cli update` against the simulated drive paced at
// 9600 baud, and compares the wall time with the wire time of the bytes exchanged: the
// procedures should run as fast as the drive answers (target ratio <= 1.03).
//
// The keys are taken from the simulated drive's log; the drive's answers are counted by
// replaying those keys to a second simulated drive, paced the same way (it answers every
// key with exactly one field, ending in CR LF). That replay sends each key the moment
// the previous answer is complete, so its duration is the baseline: the time the paced
// drive itself needs for the exchange. CPU time is the command-line tool's own (wait4).
//
// Usage: bench_cli_procedures [BUILD_DIR]   (default: the folder above this program's)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "table/ParamFile.h"

extern char** environ;

namespace {
constexpr double kBaud = 9600.0;
constexpr double kBitsPerByte = 10.0;

std::string g_strSim;
std::string g_strCli;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

pid_t Spawn(const std::vector<std::string>& args, int stdoutFd) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw std::runtime_error("cannot start " + args[0]);
    return pid;
}

// A simulated drive process; its terminal's path is read from its first line.
class CSim {
public:
    explicit CSim(std::vector<std::string> args) {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        args.insert(args.begin(), g_strSim);
        m_pid = Spawn(args, out[1]);
        close(out[1]);
        std::string line;
        char c;
        while (read(out[0], &c, 1) == 1 && c != '\n')
            line += c;
        close(out[0]);
        if (line.rfind("PTY ", 0) != 0)
            throw std::runtime_error("the simulated drive did not start: " + line);
        m_strPty = line.substr(4);
    }
    ~CSim() {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    CSim(const CSim&) = delete;
    CSim& operator=(const CSim&) = delete;
    const std::string& Pty() const { return m_strPty; }

private:
    pid_t m_pid = -1;
    std::string m_strPty;
};

struct SRun {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    int status = -1;
};

SRun RunCli(const std::vector<std::string>& args) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = Spawn(args, -1);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    SRun run;
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

struct SReplay {
    std::size_t answerBytes = 0;
    double seconds = 0;
};

// What a fresh drive paced at 9600 baud answers to `keys`, one field per key, and how
// long it takes when every key is sent as soon as the previous answer is complete.
SReplay Replay(const std::string& keys) {
    CSim sim({"--baud", "9600"});
    const int fd = open(sim.Pty().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + sim.Pty());
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
    SReplay replay;
    const auto start = std::chrono::steady_clock::now();
    for (char key : keys) {
        if (write(fd, &key, 1) != 1)
            throw std::runtime_error("cannot send a key");
        std::string field;
        while (field.size() < 2 || field.compare(field.size() - 2, 2, "\r\n") != 0) {
            pollfd readable{fd, POLLIN, 0};
            char buffer[64];
            if (poll(&readable, 1, 5000) <= 0)
                throw std::runtime_error("no answer to a replayed key");
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0)
                throw std::runtime_error("replay read failed");
            field.append(buffer, static_cast<std::size_t>(n));
        }
        replay.answerBytes += field.size();
    }
    replay.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    close(fd);
    return replay;
}

void Measure(const char* name, const std::string& folder, const std::vector<std::string>& cliArgs) {
    const std::string log = folder + "/" + name + "-keys.log";
    SRun run;
    {
        CSim sim({"--baud", "9600", "--log", log});
        std::vector<std::string> args = {g_strCli, "--port", sim.Pty()};
        args.insert(args.end(), cliArgs.begin(), cliArgs.end());
        run = RunCli(args);
    }
    const std::string keys = Slurp(log);
    const SReplay replay = Replay(keys);
    const double wire = static_cast<double>(keys.size() + replay.answerBytes) * kBitsPerByte / kBaud;
    const std::size_t records = keys.size();  // one record per key
    std::printf("%-6s exit %d: %zu keys, %zu bytes from the drive, %zu records\n", name, run.status,
                keys.size(), replay.answerBytes, records);
    std::printf("       wall %.3f s, wire %.3f s, ratio %.4f (target <= 1.03)\n", run.wallSeconds, wire,
                run.wallSeconds / wire);
    std::printf("       the paced drive alone (replay) %.3f s: wall / replay %.4f\n", replay.seconds,
                run.wallSeconds / replay.seconds);
    std::printf("       CPU %.3f s in all, %.1f us per record\n", run.cpuSeconds,
                run.cpuSeconds * 1e6 / static_cast<double>(records));
}

std::string WithChanges(const std::string& table) {
    const std::vector<std::pair<std::string, std::string>> changes = {
        {"P101", "14"},       {"P102", "4.50 A"}, {"P104", "2950 rpm"}, {"P202", "1.230"},
        {"P203", "27.0 ms"},  {"P206", "0.5 ms"}, {"P302", "1.40 ms"},  {"P305", "16 kHz"},
        {"P402", "-0.080 V"}, {"P410", "5"},
    };
    std::string out;
    for (SParamLine line : ParseParamFile(table)) {
        for (const auto& [prefix, value] : changes) {
            if (line.strName.rfind(prefix, 0) == 0) {
                line.strValue = value;
                line.strFlag = "Yes";
            }
        }
        out += FormatParamLine(line.strName, line.strValue, line.strFlag);
    }
    return out;
}
}  // namespace

int main(int argc, char** argv) {
    std::string build;
    if (argc > 1) {
        build = argv[1];
    } else {
        char self[4096];
        const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        build = std::string(self, n > 0 ? static_cast<std::size_t>(n) : 0);
        build = build.substr(0, build.rfind('/')) + "/..";
    }
    g_strSim = build + "/sim/tovamo-drive-sim";
    g_strCli = build + "/cli/tovamo-cli";
    char folderTemplate[] = "/tmp/tovamo-bench-XXXXXX";
    const std::string folder = mkdtemp(folderTemplate);
    try {
        Measure("read", folder, {"read", "-o", folder + "/drive.txt"});
        if (WriteParamFile(folder + "/wanted.txt", WithChanges(Slurp(folder + "/drive.txt"))) != 0)
            throw std::runtime_error("cannot write the update file");
        Measure("update", folder, {"update", folder + "/wanted.txt", "-o", folder + "/updated.txt"});
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_cli_procedures: %s\n", error.what());
        return 1;
    }
    std::filesystem::remove_all(folder);
    return 0;
}
