#include "support/SimDrive.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {
// Generous: the machine may be loaded with sanitizer builds of the whole suite.
constexpr auto kStartTimeout = std::chrono::seconds(30);
constexpr auto kStopTimeout = std::chrono::seconds(10);

void StopChild(pid_t pid) {
    kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kStopTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) != 0)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}
}  // namespace

SimDrive::SimDrive(SimDriveOptions options) {
    std::vector<std::string> args = {TOVAMO_SIM_PATH, "--log", m_dir.File("keys.log")};
    WriteFileBytes(m_dir.File("keys.log"), "");
    if (!options.menu.empty()) {
        WriteFileBytes(m_dir.File("menu.txt"), options.menu);
        args.insert(args.end(), {"--menu", m_dir.File("menu.txt")});
    }
    if (options.baud > 0)
        args.insert(args.end(), {"--baud", std::to_string(options.baud)});
    if (!options.linkPath.empty())
        args.insert(args.end(), {"--link", options.linkPath});
    if (options.silentAfter >= 0)
        args.insert(args.end(), {"--silent-after", std::to_string(options.silentAfter)});
    if (options.unplugAfterKeys >= 0)
        args.insert(args.end(), {"--unplug-after-keys", std::to_string(options.unplugAfterKeys)});
    if (options.unplugAfterMs >= 0)
        args.insert(args.end(), {"--unplug-after-ms", std::to_string(options.unplugAfterMs)});
    if (options.unplugAfterKeys >= 0 || options.unplugAfterMs >= 0)
        args.insert(args.end(), {"--unplugged-ms", std::to_string(options.unpluggedMs), "--busy-ms",
                                 std::to_string(options.busyMs)});
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    const pid_t parent = getpid();
    m_nPid = fork();
    if (m_nPid == 0) {
        // Only async-signal-safe calls until exec. The drive ends with the test process
        // (strictly: with the thread that started it), even if that crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        const int devNull = open("/dev/null", O_RDONLY);
        if (devNull < 0 || dup2(devNull, 0) < 0 || dup2(out[1], 1) < 0)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    const int forkError = errno;
    close(out[1]);
    if (m_nPid < 0) {
        close(out[0]);
        throw std::runtime_error(std::string("fork: ") + std::strerror(forkError));
    }
    try {
        WaitForPtyLine(out[0]);
    } catch (...) {
        close(out[0]);
        StopChild(m_nPid);
        throw;
    }
    close(out[0]);
}

SimDrive::~SimDrive() {
    StopChild(m_nPid);
}

void SimDrive::WaitForPtyLine(int fd) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) == 0)
            throw std::runtime_error("tovamo-drive-sim did not report its terminal in time");
        char buffer[256];
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            throw std::runtime_error("tovamo-drive-sim ended before it was ready (see its message above)");
        line.append(buffer, static_cast<size_t>(count));
    }
    line.erase(line.find('\n'));
    if (line.compare(0, 4, "PTY ") != 0)
        throw std::runtime_error("unexpected first line from tovamo-drive-sim: " + line);
    m_strPtyPath = line.substr(4);
}

std::string SimDrive::KeysReceived() const {
    return ReadFileBytes(m_dir.File("keys.log"));
}

bool SimDrive::WaitForKeys(size_t count, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (KeysReceived().size() >= count)
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}
