#include "cli/UpdateReport.h"

#include "cli/ProcedureTable.h"
#include "grid/GridCtrl.h"
#include "link/ServoData.h"
#include "table/TableRows.h"
#include "table/Tables.h"

namespace {
bool StartsLikeANumber(const std::string& strText) {
    return !strText.empty() && ((strText[0] >= '0' && strText[0] <= '9') || strText[0] == '-');
}
}  // namespace

CUpdateReport::CUpdateReport(const std::vector<SParamLine>& fileLines) {
    for (const SParamLine& line : fileLines) {
        if (line.strFlag == "Yes")
            m_marked.push_back(line);
    }
}

void CUpdateReport::NoteValuesBefore(const CGridCtrl& grid) {
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
        m_before[grid.GetItemText(nRow, kColName)] = grid.GetItemText(nRow, kColDrive);
    m_bUpdating = true;
}

void CUpdateReport::NoteRecord(const CServoData& record) {
    if (record.m_bValue || record.m_bError || !m_seen.insert(record.m_strText).second || !m_bUpdating)
        return;
    for (const SParamLine& line : m_marked) {
        if (line.strName == record.m_strText)
            ++m_nVisited;
    }
}

std::string CUpdateReport::Text(const CTables& tables, bool bCompleted) const {
    const CGridCtrl& grid = tables.GetGrid();
    std::string text = "name\tdrive before\tfile\tdrive after\toutcome\n";
    for (const SParamLine& line : m_marked) {
        const auto before = m_before.find(line.strName);
        const std::string strBefore = before != m_before.end() ? before->second : std::string();
        const int nRow = FindParameterRow(grid, line.strName);
        const bool bHasRow = nRow < grid.GetRowCount();
        const std::string strAfter = bHasRow ? grid.GetItemText(nRow, kColDrive) : strBefore;
        const EValueGiveUp eGiveUp = bHasRow ? tables.GetGiveUp(nRow) : EValueGiveUp::kNone;
        const bool bFound = before != m_before.end() || m_seen.count(line.strName) != 0;
        text += line.strName + "\t" + strBefore + "\t" + line.strValue + "\t" + strAfter + "\t" +
                UpdateOutcome(bFound, strBefore, line.strValue, strAfter, bCompleted, eGiveUp) + "\n";
    }
    return text;
}

// The update steps a value only when both its texts look like numbers. It gives a
// parameter up when the drive shows the same value ten times over, or when the value has
// gone past the target (or round the end of its range) ten times.
const char* UpdateOutcome(bool bFound, const std::string& strBefore, const std::string& strFile,
                          const std::string& strAfter, bool bCompleted, EValueGiveUp eGiveUp) {
    if (!bFound)
        return bCompleted ? "not found on the drive" : "not reached when the procedure ended";
    if (RowReachedFileValue(strBefore, strFile))
        return "already equal";
    if (RowReachedFileValue(strAfter, strFile))
        return "reached";
    if (!bCompleted)
        return "not reached when the procedure ended";
    if (!StartsLikeANumber(strAfter) || !StartsLikeANumber(strFile))
        return "not a number";
    return eGiveUp == EValueGiveUp::kTrips ? "gave up between two steps" : "gave up after ten repeats";
}
