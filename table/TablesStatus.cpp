#include "table/TablesStatus.h"

#include "grid/GridCtrl.h"
#include "table/TableRows.h"
#include "table/Tables.h"
#include "table/ValueCompare.h"

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

std::string VerifiedStatusText(const CTables& tables) {
    const CGridCtrl& grid = tables.GetGrid();
    int nVerified = 0;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        const std::string strFile = grid.GetItemText(nRow, kColFile);
        if (tables.GetOutcome(nRow) != EUpdateOutcome::kNone && !strFile.empty() &&
            ValuesEqual(grid.GetItemText(nRow, kColDrive), strFile, ECompare::kNumeric))
            ++nVerified;
    }
    const SMarkedCounts counts = CountMarkedOutcomes(tables);
    return "Update complete: " + std::to_string(counts.nReached) + " of " + std::to_string(counts.nMarked) +
           " reached; verified: " + std::to_string(nVerified) + " now equal the file";
}

std::string MarkedStatusText(int nMarked) {
    return "Mark Differing: " + Parameters(nMarked) + " marked";
}
