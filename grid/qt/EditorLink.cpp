#include "grid/qt/EditorLink.h"

#include <QFont>
#include <QWidget>

#include <utility>

#include "grid/GridCtrl.h"
#include "grid/GridNotify.h"
#include "platform/qt/QtFont.h"

CGridEditorLink::CGridEditorLink(CGridCtrl* pGrid, std::uint32_t nID, int nRow, int nCol,
                                 std::string strInitText)
    : m_pGrid(pGrid), m_nID(nID), m_nRow(nRow), m_nCol(nCol), m_strInitText(std::move(strInitText)) {}

CGridEditorLink::~CGridEditorLink() {
    if (m_bReported || m_pGrid == nullptr) {
        return;
    }
    CGridCellBase* pCell = m_pGrid->GetCell(m_nRow, m_nCol);
    if (pCell != nullptr && pCell->IsEditing()) {
        pCell->OnEndEdit();
    }
}

void CGridEditorLink::ReportEndOfEdit(void* hwndFrom, const std::string& strText) const {
    m_bReported = true;
    if (m_pGrid == nullptr) {
        return;
    }
    GRID_DISPINFO dispinfo;
    dispinfo.hdr.hwndFrom = hwndFrom;
    dispinfo.hdr.idFrom = static_cast<int>(m_nID);
    dispinfo.hdr.code = GN_ENDLABELEDIT;
    dispinfo.item.row = m_nRow;
    dispinfo.item.col = m_nCol;
    dispinfo.item.mask = GIF_TEXT | GIF_PARAM;
    dispinfo.item.strText = strText;
    dispinfo.item.lParam = m_nLastKey;
    m_pGrid->OnChildNotify(static_cast<int>(m_nID), &dispinfo.hdr);
}

int CGridEditorLink::GridClientRight(const QWidget* pGridWidget) const {
    const IGridWindowHost* pHost = m_pGrid != nullptr ? m_pGrid->GetWindowHost() : nullptr;
    if (pHost != nullptr) {
        return pHost->GetClientRect().right;
    }
    return pGridWidget != nullptr ? pGridWidget->width() : 0;
}

QFont CGridEditorLink::GridFont(const QWidget* pGridWidget) const {
    const LOGFONT* plf = m_pGrid != nullptr ? m_pGrid->GetFont() : nullptr;
    if (plf != nullptr) {
        return FontFromLogFont(*plf);
    }
    return pGridWidget != nullptr ? pGridWidget->font() : QFont();
}
