#include "support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {
constexpr auto kRunTimeout = std::chrono::seconds(60);

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& overrides) {
    std::vector<std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string current = *entry;
        const std::string name = current.substr(0, current.find('=') + 1);
        bool replaced = false;
        for (const std::string& override : overrides)
            replaced |= override.rfind(name, 0) == 0;
        if (!replaced)
            merged.push_back(current);
    }
    merged.insert(merged.end(), overrides.begin(), overrides.end());
    return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

void CloseFd(int& fd) {
    if (fd >= 0)
        close(fd);
    fd = -1;
}
}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = MergedEnvironment(env);
    const int spawned = posix_spawn(&m_nPid, args.at(0).c_str(), &actions, nullptr, Pointers(args).data(),
                                    Pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    m_nIn = in[1];
    m_nOut = out[0];
    m_nErr = err[0];
    if (spawned != 0) {
        m_nPid = -1;
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(spawned));
    }
}

ChildProcess::~ChildProcess() {
    if (m_nPid > 0 && m_nStatus < 0) {
        kill(m_nPid, SIGKILL);
        waitpid(m_nPid, nullptr, 0);
    }
    CloseFd(m_nIn);
    CloseFd(m_nOut);
    CloseFd(m_nErr);
}

void ChildProcess::WriteStdin(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(m_nIn, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw std::runtime_error(std::string("writing to the program's stdin: ") + std::strerror(errno));
        done += static_cast<size_t>(written);
    }
}

void ChildProcess::CloseStdin() {
    CloseFd(m_nIn);
}

void ChildProcess::Signal(int signal) {
    kill(m_nPid, signal);
}

bool ChildProcess::Pump(std::chrono::milliseconds timeout) {
    pollfd fds[2] = {{m_nOut, POLLIN, 0}, {m_nErr, POLLIN, 0}};
    if (m_nOut < 0 && m_nErr < 0)
        return false;
    if (poll(fds, 2, static_cast<int>(timeout.count())) <= 0)
        return true;
    int* fdOf[2] = {&m_nOut, &m_nErr};
    std::string* textOf[2] = {&m_strOut, &m_strErr};
    for (int i = 0; i < 2; ++i) {
        if (fds[i].revents == 0)
            continue;
        char buffer[4096];
        const ssize_t count = read(*fdOf[i], buffer, sizeof buffer);
        if (count > 0)
            textOf[i]->append(buffer, static_cast<size_t>(count));
        else if (count == 0 || errno != EINTR)
            CloseFd(*fdOf[i]);
    }
    return true;
}

bool ChildProcess::WaitForStdout(const std::string& needle, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (m_strOut.find(needle) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !Pump(left))
            return m_strOut.find(needle) != std::string::npos;
    }
    return true;
}

int ChildProcess::Wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (Pump(std::min(left, std::chrono::milliseconds(50))))
            continue;
        // Both outputs have ended: the program has ended or is about to.
        int status = 0;
        const pid_t ended = waitpid(m_nPid, &status, WNOHANG);
        if (ended == m_nPid) {
            m_nStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return m_nStatus;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(m_nPid, SIGKILL);
    waitpid(m_nPid, nullptr, 0);
    m_nPid = -1;
    return -1;
}

ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    ChildProcess child(argv, env);
    child.CloseStdin();
    ChildResult result;
    result.status = child.Wait(kRunTimeout);
    result.out = child.Stdout();
    result.err = child.Stderr();
    return result;
}
