#pragma once

// Exit statuses of tovamo-cli.
enum CliExit : int {
    kExitDone = 0,            // done; for procedures: the top level wrapped around
    kExitDiffers = 1,         // diff: some rows differ
    kExitPortFailed = 2,      // the port could not be opened
    kExitWatchdog = 3,        // the drive went silent and the watchdog ended the procedure
    kExitOverflowLevels = 4,  // "Overflov Levels"
    kExitFileFailed = 5,      // a file could not be read or written; stdout closed early
    kExitNotReached = 6,      // update completed but some "Yes" rows did not reach their file value
    kExitUsage = 64,          // usage error
    kExitInterrupted = 130,   // ended by SIGINT or SIGTERM (the shell's 128 + SIGINT)
};
