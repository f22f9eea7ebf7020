#include "cli/StopSignals.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {
std::atomic<int> g_nSignalFd{-1};
struct sigaction g_previousInt {};
struct sigaction g_previousTerm {};

void OnStopSignal(int) {
    const int saved = errno;
    const char byte = 's';
    [[maybe_unused]] const ssize_t written = write(g_nSignalFd.load(), &byte, 1);
    errno = saved;
}
}  // namespace

CStopSignals::CStopSignals(std::function<void()> onStop) : m_onStop(std::move(onStop)) {
    pipe2(m_nPipe, O_CLOEXEC | O_NONBLOCK);
    m_nShutdown = eventfd(0, EFD_CLOEXEC);
    g_nSignalFd.store(m_nPipe[1]);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &g_previousInt);
    sigaction(SIGTERM, &action, &g_previousTerm);
    m_watcher = std::thread(&CStopSignals::Watch, this);
}

CStopSignals::~CStopSignals() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_nShutdown, &one, sizeof one);
    m_watcher.join();
    sigaction(SIGINT, &g_previousInt, nullptr);
    sigaction(SIGTERM, &g_previousTerm, nullptr);
    g_nSignalFd.store(-1);
    close(m_nShutdown);
    close(m_nPipe[0]);
    close(m_nPipe[1]);
}

void CStopSignals::Watch() {
    pollfd fds[2] = {{m_nPipe[0], POLLIN, 0}, {m_nShutdown, POLLIN, 0}};
    while (poll(fds, 2, -1) < 0 && errno == EINTR) {
    }
    if (fds[0].revents == 0)
        return;
    m_bRequested.store(true);
    if (m_onStop)
        m_onStop();
}
