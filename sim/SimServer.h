#pragma once

#include <cstdint>
#include <string>

#include "sim/DriveSimulator.h"

// The simulated drive's serving loop: reads key bytes from the pseudo-terminal's master,
// lets the drive answer each one and writes the answer back, paced like a serial line
// when a baud rate is given. Waits in poll(); ends when the stop descriptor becomes
// readable (the signal handler writes to it), or when it is time to pull the cable
// (kUnplug: the caller closes the terminal and opens a new one). Does not own the
// descriptors.
class CSimServer {
public:
    struct Options {
        int m_nBaud = 0;              // 0: write at once
        int m_nLogFd = -1;            // every byte received is appended here, one write per byte
        int m_nUnplugAfterKeys = -1;  // >= 0: unplug once this many keys have been answered
        int m_nUnplugAfterMs = -1;    // >= 0: unplug this long after Run started
        int m_nHeldFd = -1;           // a descriptor flock()ed by the caller; released after m_nHeldMs
        int m_nHeldMs = 0;
    };
    static constexpr int kUnplug = 2;

    CSimServer(CDriveSimulator& drive, int masterFd, int stopFd, Options options);
    CSimServer(const CSimServer&) = delete;
    CSimServer& operator=(const CSimServer&) = delete;

    // 0 when stopped, 1 on a failure of the terminal (reason on stderr), kUnplug.
    int Run();

private:
    // Milliseconds until the next timed event (unplug, release of the held terminal); -1: none.
    int NextEventMs() const;
    bool UnplugDue() const;
    void ReleaseHeldIfDue();
    bool HandleInput();
    bool Send(const std::string& field);
    bool WriteByte(char byte);
    // Sleeps until the monotonic time `deadline` (ns); false when a stop came first.
    bool SleepUntil(std::int64_t deadline);
    bool StopRequested();

    CDriveSimulator& m_drive;
    int m_nMaster = -1;
    int m_nStop = -1;
    Options m_options;
    std::int64_t m_nByteNs = 0;    // time of 10 bits on the line
    std::int64_t m_nLineFree = 0;  // when the last paced byte has left
    std::int64_t m_nStarted = 0;
    int m_nKeys = 0;
    bool m_bStopped = false;
};
