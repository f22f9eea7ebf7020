// The waits of CHardware's reader thread on POSIX: poll() on the port's descriptor and an
// eventfd that StopReader and OpenPort write to.
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "link/Hardware.h"

namespace {
// Without a wake-up descriptor a stop is noticed at the latest after this long.
constexpr int kStopCheckMs = 100;

short SeenOf(short revents) {
    short seen = 0;
    if ((revents & POLLIN) != 0)
        seen |= kPortInput;
    if ((revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
        seen |= kPortFailed;
    return seen;
}
}  // namespace

std::intptr_t CHardware::OpenWake() {
    return ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

void CHardware::CloseWake() {
    if (m_nWake >= 0)
        ::close(static_cast<int>(m_nWake));
    m_nWake = -1;
}

// Waits until the port has bytes or has failed, or a stop is requested; returns what was
// seen on the port (0 when woken for a stop or a re-open).
short CHardware::WaitForPortOrStop() {
    int portFd = -1;
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        portFd = m_pPort->PollFd();
    }
    const int wakeFd = static_cast<int>(m_nWake);
    pollfd fds[2] = {{portFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    const int timeoutMs = wakeFd >= 0 ? -1 : kStopCheckMs;
    if (::poll(fds, 2, timeoutMs) <= 0)
        return 0;
    if (fds[1].revents != 0)
        DrainWakeUps();
    return SeenOf(fds[0].revents);
}

void CHardware::WaitForStop(int timeoutMs) {
    pollfd wake = {static_cast<int>(m_nWake), POLLIN, 0};
    if (::poll(&wake, 1, m_nWake >= 0 ? timeoutMs : std::min(timeoutMs, kStopCheckMs)) > 0)
        DrainWakeUps();
}

void CHardware::DrainWakeUps() {
    std::uint64_t count = 0;
    if (::read(static_cast<int>(m_nWake), &count, sizeof count) < 0) {
        // Nothing pending: another wait drained it first.
    }
}

void CHardware::WakeReader() {
    const std::uint64_t one = 1;
    if (m_nWake >= 0 && ::write(static_cast<int>(m_nWake), &one, sizeof one) < 0) {
        // The counter is already non-zero; the reader will wake anyway.
    }
}
