#include "table/UpdatePlan.h"

#include "grid/GridCtrl.h"
#include "table/TableRows.h"
#include "table/ValueCompare.h"
#include "table/Windows1252.h"

namespace {
constexpr const char* kArrow = " \xE2\x86\x92 ";  // U+2192 with a blank on each side

std::string NameUtf8(const std::string& strName) {
    const std::size_t end = strName.find_last_not_of(' ');
    return Windows1252ToUtf8(end == std::string::npos ? std::string() : strName.substr(0, end + 1));
}
}  // namespace

// The value step leaves a row whose file value or drive value is not a number, accepts
// one that is equal as text or as a number, and steps every other.
SUpdatePlan MakeUpdatePlan(const CGridCtrl& grid) {
    SUpdatePlan plan;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        if (grid.GetItemText(nRow, kColUpdate) != "Yes")
            continue;
        SPlannedChange row{nRow, grid.GetItemText(nRow, kColName), grid.GetItemText(nRow, kColDrive),
                           grid.GetItemText(nRow, kColFile)};
        if (row.strDrive.empty())
            plan.leftAlone.push_back({std::move(row), EPlanSkip::kNotOnDrive});
        else if (!IsSteppableNumber(row.strFile) || !IsSteppableNumber(row.strDrive))
            plan.leftAlone.push_back({std::move(row), EPlanSkip::kNotANumber});
        else if (ValuesEqual(row.strDrive, row.strFile, ECompare::kNumeric))
            plan.leftAlone.push_back({std::move(row), EPlanSkip::kAlreadyEqual});
        else
            plan.changes.push_back(std::move(row));
    }
    return plan;
}

std::string PlanChangeUtf8(const SPlannedChange& change) {
    return NameUtf8(change.strName) + ": " + Windows1252ToUtf8(change.strDrive) + kArrow +
           Windows1252ToUtf8(change.strFile);
}

std::string PlanSkipUtf8(const SPlannedSkip& skip) {
    if (skip.eWhy == EPlanSkip::kAlreadyEqual)
        return NameUtf8(skip.row.strName) + ": " + Windows1252ToUtf8(skip.row.strDrive) + " (already equal)";
    if (skip.eWhy == EPlanSkip::kNotOnDrive)
        return NameUtf8(skip.row.strName) + ": " + Windows1252ToUtf8(skip.row.strFile) +
               " (not on the drive)";
    return PlanChangeUtf8(skip.row) + " (not a number)";
}

std::string PlanTextUtf8(const SUpdatePlan& plan) {
    const std::size_t nChanges = plan.changes.size();
    std::string text = std::to_string(nChanges) +
                       (nChanges == 1 ? " marked parameter" : " marked parameters") + " will be changed" +
                       (nChanges != 0 ? ":\n" : ".\n");
    for (const SPlannedChange& change : plan.changes)
        text += "  " + PlanChangeUtf8(change) + "\n";
    if (!plan.leftAlone.empty())
        text += "Left alone:\n";
    for (const SPlannedSkip& skip : plan.leftAlone)
        text += "  " + PlanSkipUtf8(skip) + "\n";
    return text;
}
