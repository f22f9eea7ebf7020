#pragma once

#include <ctime>
#include <string>

// The snapshot of the drive before an update: the drive values as read, written as a
// parameter file ("DC Drive To File" of the whole table) into the snapshot folder
// (TovamoSnapshotDir), named after the local time, YYYYMMDD-HHMMSS-before-update.txt.
// A second snapshot in the same second gets "-2", "-3", ... before ".txt"; the newest
// kSnapshotsKept stay, older ones are removed. Loading a snapshot with "Read File" and
// updating puts the drive back.

inline constexpr int kSnapshotsKept = 200;

struct SSnapshotResult {
    std::string strPath;   // the file written; empty after a failure
    std::string strError;  // why nothing was written, for a message box or stderr
    bool Ok() const { return strError.empty(); }
};

// The file name of a snapshot taken at `when` (local time); nSuffix 1 gives none.
std::string SnapshotFileName(const std::tm& when, int nSuffix = 1);

// Creates the folder (and its parents) if needed, writes `strContent` under a name no
// existing snapshot has, then removes the oldest beyond kSnapshotsKept. Only files named
// as snapshots are ever removed.
SSnapshotResult WriteSnapshot(const std::string& strFolder, const std::string& strContent,
                              const std::tm& when);

// The local time now, for WriteSnapshot.
std::tm LocalTimeNow();
