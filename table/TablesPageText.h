#pragma once

#include <cstdint>
#include <string>

// The Table page's own texts around the procedures: what the status line says while a
// read runs, what the progress bar shows, how many rows the filter leaves, and the
// questions asked before a running procedure is stopped. Shared by the desktop front
// ends, so each shows the same words.

// "0:41", "12:05", "1:02:09": minutes and seconds, hours only once there are any.
std::string ElapsedText(std::uint32_t dwElapsedMs);

// "Reading: 120 of 431 parameters, level 2, 0:41"; without a total (no complete read of
// this drive yet) "Reading: 120 parameters, level 2, 0:41".
std::string ReadProgressText(int nSeen, int nTotal, int nLevel, std::uint32_t dwElapsedMs);

// The progress bar: the value against the maximum; a maximum of 0 is a busy bar.
struct SProgressBar {
    int nValue = 0;
    int nMaximum = 0;
    bool operator==(const SProgressBar&) const = default;
};
// A read counts against the last complete read; one that goes past it keeps the bar full.
SProgressBar ReadProgressBar(int nSeen, int nLastTotal);
SProgressBar UpdateProgressBar(int nDone, int nMarked);

// "12 of 431 rows shown".
std::string RowsShownText(int nShown, int nRows);

// Which procedure a question is about.
enum class ERunningProcedure { kRead, kUpdate };

// "A read of the drive is running. Stop it and close?" (or "An update ...").
std::string StopAndCloseQuestion(ERunningProcedure eRunning);
// Asked when the user turns to another page while a procedure runs: the procedure would
// starve there, since only the active page hears the drive.
std::string StopAndLeaveQuestion(ERunningProcedure eRunning);
// A second "Read File" while file values are shown.
inline constexpr const char* kReplaceFileQuestion =
    "The table shows values from a file. Replace them with the values of the next file, or add "
    "the next file's values to them?";
