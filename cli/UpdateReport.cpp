#include "cli/UpdateReport.h"

#include "grid/GridCtrl.h"
#include "link/ServoData.h"
#include "table/TableRows.h"

void CUpdateProgress::NoteMarked(const CGridCtrl& grid) {
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        if (grid.GetItemText(nRow, kColUpdate) == "Yes")
            m_marked.insert(grid.GetItemText(nRow, kColName));
    }
    m_bUpdating = true;
}

void CUpdateProgress::NoteRecord(const CServoData& record) {
    if (!m_bUpdating || record.m_bValue || record.m_bError || !m_seen.insert(record.m_strText).second)
        return;
    m_nVisited += static_cast<int>(m_marked.count(record.m_strText));
}
