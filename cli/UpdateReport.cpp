#include "cli/UpdateReport.h"

#include "cli/ProcedureTable.h"
#include "grid/GridCtrl.h"
#include "link/ServoData.h"
#include "table/TableRows.h"

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

std::string CUpdateReport::Text(const CGridCtrl& grid, bool bCompleted) const {
    std::string text = "name\tdrive before\tfile\tdrive after\toutcome\n";
    for (const SParamLine& line : m_marked) {
        const auto before = m_before.find(line.strName);
        const std::string strBefore = before != m_before.end() ? before->second : std::string();
        const int nRow = FindParameterRow(grid, line.strName);
        const std::string strAfter =
            nRow < grid.GetRowCount() ? grid.GetItemText(nRow, kColDrive) : strBefore;
        const bool bFound = before != m_before.end() || m_seen.count(line.strName) != 0;
        text += line.strName + "\t" + strBefore + "\t" + line.strValue + "\t" + strAfter + "\t" +
                UpdateOutcome(bFound, strBefore, line.strValue, strAfter, bCompleted) + "\n";
    }
    return text;
}

// The update steps a value only when both its texts look like numbers; when the drive
// shows the same value ten times over it gives the parameter up.
const char* UpdateOutcome(bool bFound, const std::string& strBefore, const std::string& strFile,
                          const std::string& strAfter, bool bCompleted) {
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
    return "gave up after ten repeats";
}
