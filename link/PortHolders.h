#pragma once

#include <string>
#include <vector>

// Who else uses a serial device, for the "busy" and "permission denied" detail lines and
// for honouring the lock files that terminal programs leave (LCK..ttyUSB0).

// Folders searched for lock files: $TOVAMO_LOCK_DIR alone when set, else /var/lock and
// /run/lock.
std::vector<std::string> UucpLockDirs();

// The PID in the device's lock file when that process is alive; 0 when there is no such
// lock (no file, stale PID, unreadable). The PID may be ASCII or a binary int.
int FindUucpLockOwner(const std::string& devicePath);

// A process that has the device open (this one included), found in /proc/*/fd; 0 if none.
int FindProcessUsingDevice(const std::string& devicePath);

// "process 1234 (minicom)".
std::string DescribeProcess(int pid);

// For a device the user may not open: which group may use it and how to join that group,
// or, when no group other than root may read and write it, who alone may open it.
std::string DescribeGroupAccess(const std::string& devicePath);
