// The reader thread of CHardware: polling passes, and the waits between them.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "link/Hardware.h"

namespace {

// While the port seems gone (adapter unplugged, the far end of a pseudo-terminal closed)
// the reader looks at it again after these pauses instead of spinning on a hang-up.
constexpr int kFirstBackoffMs = 200;
constexpr int kLongestBackoffMs = 1000;
// Without a wake-up descriptor a stop is noticed at the latest after this long.
constexpr int kStopCheckMs = 100;

int NextBackoff(int backoffMs) {
    return backoffMs == 0 ? kFirstBackoffMs : std::min(2 * backoffMs, kLongestBackoffMs);
}

bool IsHangUp(short revents) {
    return (revents & (POLLHUP | POLLERR | POLLNVAL)) != 0 && (revents & POLLIN) == 0;
}

}  // namespace

void CHardware::ReaderThreadProc() {
    int backoffMs = 0;          // > 0 while the port seems gone
    bool readableSeen = false;  // the last wait said bytes had come
    while (!m_bStopRequest.load()) {
        const EPass pass = RunPollingPass();
        if (pass == EPass::Data)
            backoffMs = 0;
        else if (pass == EPass::Failed || readableSeen || backoffMs > 0)
            backoffMs = NextBackoff(backoffMs);
        readableSeen = false;
        if (m_bStopRequest.load())
            break;
        if (backoffMs > 0) {
            WaitForStop(backoffMs);
            continue;
        }
        const short revents = WaitForPortOrStop();
        readableSeen = (revents & POLLIN) != 0;
        if (IsHangUp(revents))
            backoffMs = NextBackoff(backoffMs);
    }
    m_bStopped.store(1);
}

CHardware::EPass CHardware::RunPollingPass() {
    std::lock_guard<std::mutex> lock(m_Lock);
    const int waiting = m_pPort->BytesWaiting();
    if (waiting < 0)
        return EPass::Failed;
    if (waiting == 0)
        return EPass::Idle;
    // A full line buffer is emptied by the framer, so a pass never has to read less than
    // is queued for its sake; it still takes at most one buffer's worth.
    char bytes[CLineFramer::kLineSize];
    const int got = m_pPort->Read(bytes, std::min(waiting, CLineFramer::kLineSize));
    if (got <= 0)
        return EPass::Failed;
    m_Framer.Feed(bytes, static_cast<std::size_t>(got), [this](std::unique_ptr<CServoData> record) {
        if (m_pSink != nullptr)
            m_pSink->PostServoData(std::move(record));
    });
    return EPass::Data;
}

// Waits until the port has bytes or has failed, or a stop is requested; returns the
// port's poll events (0 when woken for a stop or a re-open).
short CHardware::WaitForPortOrStop() {
    int portFd = -1;
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        portFd = m_pPort->PollFd();
    }
    pollfd fds[2] = {{portFd, POLLIN, 0}, {m_nWakeFd, POLLIN, 0}};
    const int timeoutMs = m_nWakeFd >= 0 ? -1 : kStopCheckMs;
    if (::poll(fds, 2, timeoutMs) <= 0)
        return 0;
    if (fds[1].revents != 0)
        DrainWakeUps();
    return fds[0].revents;
}

void CHardware::WaitForStop(int timeoutMs) {
    pollfd wake = {m_nWakeFd, POLLIN, 0};
    if (::poll(&wake, 1, m_nWakeFd >= 0 ? timeoutMs : std::min(timeoutMs, kStopCheckMs)) > 0)
        DrainWakeUps();
}

void CHardware::DrainWakeUps() {
    std::uint64_t count = 0;
    if (::read(m_nWakeFd, &count, sizeof count) < 0) {
        // Nothing pending: another wait drained it first.
    }
}
