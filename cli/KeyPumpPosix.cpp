#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

#include "cli/KeyPump.h"

CKeyPump::CKeyPump(IKeyWriter& keys, CRecordQueue& queue, const CStopSignals& signals)
    : m_keys(keys),
      m_queue(queue),
      m_signals(signals),
      m_nQuit(eventfd(0, EFD_CLOEXEC)),
      m_thread(&CKeyPump::Run, this) {}

CKeyPump::~CKeyPump() {
    Quit();
    m_thread.join();
    close(static_cast<int>(m_nQuit));
}

void CKeyPump::Quit() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(static_cast<int>(m_nQuit), &one, sizeof one);
}

void CKeyPump::WaitOutGraceTime() {
    pollfd stop[2] = {{m_signals.Fd(), POLLIN, 0}, {static_cast<int>(m_nQuit), POLLIN, 0}};
    while (poll(stop, 2, kAfterEndOfInputMs) < 0 && errno == EINTR) {
    }
}

bool CKeyPump::PumpUntilEndOfInput() {
    for (;;) {
        pollfd fds[3] = {
            {STDIN_FILENO, POLLIN, 0}, {m_signals.Fd(), POLLIN, 0}, {static_cast<int>(m_nQuit), POLLIN, 0}};
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR)
                continue;
            return true;
        }
        if (fds[1].revents != 0 || fds[2].revents != 0)
            return false;
        char buffer[256];
        const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
        if (count < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (count <= 0)
            return true;
        SendKeys(buffer, count);
    }
}
