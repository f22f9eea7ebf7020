#include "table/TablesStatus.h"

#include "grid/GridCtrl.h"
#include "table/Tables.h"

namespace {
std::string Parameters(int nCount) {
    return std::to_string(nCount) + (nCount == 1 ? " parameter" : " parameters");
}
}  // namespace

SMarkedCounts CountMarkedOutcomes(const CTables& tables) {
    SMarkedCounts counts;
    for (int nRow = 1; nRow < tables.GetGrid().GetRowCount(); ++nRow) {
        const EUpdateOutcome eOutcome = tables.GetOutcome(nRow);
        if (eOutcome == EUpdateOutcome::kNone)
            continue;
        ++counts.nMarked;
        if (eOutcome == EUpdateOutcome::kReached || eOutcome == EUpdateOutcome::kAlreadyEqual)
            ++counts.nReached;
    }
    return counts;
}

std::string StoppedStatusText(const CTables& tables, bool bWasUpdate) {
    if (!bWasUpdate)
        return "Read stopped: " + Parameters(tables.GetParametersSeen());
    const SMarkedCounts counts = CountMarkedOutcomes(tables);
    return "Update stopped: " + std::to_string(counts.nReached) + " of " + std::to_string(counts.nMarked) +
           " marked parameters reached";
}

std::string MarkedStatusText(int nMarked) {
    return "Mark Differing: " + Parameters(nMarked) + " marked";
}
