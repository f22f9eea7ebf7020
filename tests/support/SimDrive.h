#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

#include "support/TempDir.h"

struct SimDriveOptions {
    std::string menu;  // menu file text; empty = the built-in menu
    int baud = 0;      // 0 = unpaced
    std::string linkPath;
    int silentAfter = -1;
    // One pulled cable (needs linkPath to be found again): after this many keys or
    // milliseconds, for unpluggedMs; then held by "another program" for busyMs.
    int unplugAfterKeys = -1;
    int unplugAfterMs = -1;
    int unpluggedMs = 500;
    int busyMs = 0;
};

// A tovamo-drive-sim process for one test: started in the constructor, which returns once
// the program has printed its terminal's path (throws std::runtime_error if it does not),
// and ended with SIGTERM in the destructor, or when the thread that started it ends (so a
// crashed test leaves no drive behind). It logs the bytes it receives, so a test can see
// which keys reached the drive.
class SimDrive {
public:
    explicit SimDrive(SimDriveOptions options = {});
    ~SimDrive();
    SimDrive(const SimDrive&) = delete;
    SimDrive& operator=(const SimDrive&) = delete;

    const std::string& PtyPath() const { return m_strPtyPath; }
    pid_t Pid() const { return m_nPid; }
    // The bytes the drive has received so far.
    std::string KeysReceived() const;
    // Waits until at least `count` bytes have been received; false on time-out.
    bool WaitForKeys(size_t count, std::chrono::milliseconds timeout) const;

private:
    void WaitForPtyLine(int fd);

    TempDir m_dir;
    pid_t m_nPid = -1;
    std::string m_strPtyPath;
};
