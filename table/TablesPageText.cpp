#include "table/TablesPageText.h"

#include <algorithm>

namespace {
std::string TwoDigits(std::uint32_t n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string RunningText(ERunningProcedure eRunning) {
    return eRunning == ERunningProcedure::kUpdate ? "An update of the drive is running."
                                                  : "A read of the drive is running.";
}
}  // namespace

std::string ElapsedText(std::uint32_t dwElapsedMs) {
    const std::uint32_t nSeconds = dwElapsedMs / 1000;
    const std::uint32_t nHours = nSeconds / 3600;
    const std::uint32_t nMinutes = nSeconds / 60 % 60;
    const std::string strSeconds = TwoDigits(nSeconds % 60);
    if (nHours == 0)
        return std::to_string(nMinutes) + ":" + strSeconds;
    return std::to_string(nHours) + ":" + TwoDigits(nMinutes) + ":" + strSeconds;
}

std::string ReadProgressText(int nSeen, int nTotal, int nLevel, std::uint32_t dwElapsedMs) {
    std::string text = "Reading: " + std::to_string(nSeen);
    if (nTotal > 0)
        text += " of " + std::to_string(nTotal);
    return text + " parameters, level " + std::to_string(nLevel) + ", " + ElapsedText(dwElapsedMs);
}

SProgressBar ReadProgressBar(int nSeen, int nLastTotal) {
    if (nLastTotal <= 0)
        return {};
    return {std::min(nSeen, nLastTotal), nLastTotal};
}

// An update with nothing marked still runs its walk: a full bar says there is nothing
// left to step, where a busy bar would suggest waiting for something.
SProgressBar UpdateProgressBar(int nDone, int nMarked) {
    if (nMarked <= 0)
        return {1, 1};
    return {std::clamp(nDone, 0, nMarked), nMarked};
}

std::string RowsShownText(int nShown, int nRows) {
    return std::to_string(nShown) + " of " + std::to_string(nRows) + " rows shown";
}

std::string StopAndCloseQuestion(ERunningProcedure eRunning) {
    return RunningText(eRunning) + " Stop it and close?";
}

std::string StopAndLeaveQuestion(ERunningProcedure eRunning) {
    return RunningText(eRunning) + " Stop it and leave the Table page?";
}
