#include "sim/SimServer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr std::int64_t kNsPerSecond = 1000000000;
constexpr std::int64_t kNsPerMs = 1000000;

std::int64_t MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * kNsPerSecond + now.tv_nsec;
}
}  // namespace

CSimServer::CSimServer(CDriveSimulator& drive, int masterFd, int stopFd, Options options)
    : m_drive(drive),
      m_nMaster(masterFd),
      m_nStop(stopFd),
      m_options(options),
      m_nByteNs(options.m_nBaud > 0 ? 10 * kNsPerSecond / options.m_nBaud : 0) {}

int CSimServer::Run() {
    m_nStarted = MonotonicNs();
    while (!m_bStopped) {
        ReleaseHeldIfDue();
        if (UnplugDue())
            return kUnplug;
        pollfd fds[2] = {{m_nMaster, POLLIN, 0}, {m_nStop, POLLIN, 0}};
        if (poll(fds, 2, NextEventMs()) < 0) {
            if (errno == EINTR)
                continue;
            std::perror("tovamo-drive-sim: poll");
            return 1;
        }
        if (fds[1].revents != 0)
            break;
        if (fds[0].revents != 0 && !HandleInput())
            return 1;
    }
    return 0;
}

int CSimServer::NextEventMs() const {
    const std::int64_t elapsedMs = (MonotonicNs() - m_nStarted) / kNsPerMs;
    std::int64_t next = -1;
    for (const int at : {m_options.m_nUnplugAfterMs, m_options.m_nHeldFd >= 0 ? m_options.m_nHeldMs : -1}) {
        if (at >= 0) {
            const std::int64_t left = std::max<std::int64_t>(0, at - elapsedMs + 1);
            next = next < 0 ? left : std::min(next, left);
        }
    }
    return static_cast<int>(next);
}

bool CSimServer::UnplugDue() const {
    if (m_options.m_nUnplugAfterKeys >= 0 && m_nKeys >= m_options.m_nUnplugAfterKeys)
        return true;
    return m_options.m_nUnplugAfterMs >= 0 &&
           MonotonicNs() - m_nStarted >= m_options.m_nUnplugAfterMs * kNsPerMs;
}

// The other program that held the replugged terminal lets it go.
void CSimServer::ReleaseHeldIfDue() {
    if (m_options.m_nHeldFd < 0 || MonotonicNs() - m_nStarted < m_options.m_nHeldMs * kNsPerMs)
        return;
    flock(m_options.m_nHeldFd, LOCK_UN);
    m_options.m_nHeldFd = -1;
}

bool CSimServer::HandleInput() {
    char buffer[256];
    const ssize_t count = read(m_nMaster, buffer, sizeof buffer);
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return true;
    if (count <= 0) {
        std::fprintf(stderr, "tovamo-drive-sim: reading the terminal: %s\n",
                     count < 0 ? std::strerror(errno) : "end of file");
        return false;
    }
    for (ssize_t i = 0; i < count && !m_bStopped; ++i) {
        if (m_options.m_nLogFd >= 0 && write(m_options.m_nLogFd, &buffer[i], 1) != 1)
            std::perror("tovamo-drive-sim: writing the key log");
        if (!Send(m_drive.OnKey(buffer[i])))
            return false;
        ++m_nKeys;
        if (UnplugDue())
            return true;  // the bytes after this key are lost with the cable
    }
    return true;
}

bool CSimServer::Send(const std::string& field) {
    // The line may have been idle before this field; within the field the bytes follow
    // each other at the line rate, so a late wake-up for one byte is not carried over
    // to the next (that would make the simulated line slower than its baud rate).
    if (m_nByteNs > 0)
        m_nLineFree = std::max(m_nLineFree, MonotonicNs());
    for (const char byte : field) {
        if (m_bStopped)
            return true;
        if (m_nByteNs > 0) {
            // A byte is on the receiver's side once its ten bits have been sent.
            m_nLineFree += m_nByteNs;
            if (!SleepUntil(m_nLineFree))
                return true;
        }
        if (!WriteByte(byte))
            return false;
    }
    return true;
}

bool CSimServer::WriteByte(char byte) {
    for (;;) {
        if (write(m_nMaster, &byte, 1) == 1)
            return true;
        if (errno != EAGAIN && errno != EINTR) {
            std::perror("tovamo-drive-sim: writing the terminal");
            return false;
        }
        // The program is not reading and the terminal's queue is full: wait for room.
        pollfd fds[2] = {{m_nMaster, POLLOUT, 0}, {m_nStop, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR)
            return false;
        if (StopRequested())
            return true;
    }
}

bool CSimServer::SleepUntil(std::int64_t deadline) {
    for (std::int64_t now = MonotonicNs(); now < deadline; now = MonotonicNs()) {
        const std::int64_t left = deadline - now;
        const timespec timeout{static_cast<time_t>(left / kNsPerSecond),
                               static_cast<long>(left % kNsPerSecond)};
        pollfd stop{m_nStop, POLLIN, 0};
        if (ppoll(&stop, 1, &timeout, nullptr) > 0) {
            m_bStopped = true;
            return false;
        }
    }
    return true;
}

bool CSimServer::StopRequested() {
    pollfd stop{m_nStop, POLLIN, 0};
    if (poll(&stop, 1, 0) > 0)
        m_bStopped = true;
    return m_bStopped;
}
