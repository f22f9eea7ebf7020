#include "grid/win32/EditorLink.h"

#include <algorithm>
#include <utility>

#include "grid/GridCtrl.h"
#include "grid/GridNotify.h"
#include "grid/win32/GridWnd.h"
#include "platform/win32/WideCp1252.h"
#include "platform/win32/Win32Api.h"

CEditorLink::CEditorLink(CGridWnd& gridWnd, std::uint32_t nID, int nRow, int nCol, std::string strInitText)
    : m_gridWnd(gridWnd),
      m_hGrid(gridWnd.GetHwnd()),
      m_pGrid(gridWnd.Grid()),
      m_nID(nID),
      m_nRow(nRow),
      m_nCol(nCol),
      m_strInitText(std::move(strInitText)) {}

CEditorLink::~CEditorLink() {
    if (m_bReported || m_pGrid == nullptr) {
        return;
    }
    CGridCellBase* pCell = m_pGrid->GetCell(m_nRow, m_nCol);
    if (pCell != nullptr && pCell->IsEditing()) {
        pCell->OnEndEdit();
    }
}

// A grid that has lost its window takes no report: the cell is told when the editor goes.
void CEditorLink::ReportEndOfEdit(HWND hwndFrom, const std::string& strText) {
    if (m_pGrid == nullptr || !m_pGrid->IsWindow()) {
        return;
    }
    m_bReported = true;
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

int CEditorLink::GridClientRight() const {
    RECT rc{};
    ::GetClientRect(m_hGrid, &rc);
    return rc.right;
}

HFONT CEditorLink::GridFont() const {
    return m_gridWnd.GetEditorFont();
}

void CEditorLink::FocusGrid() const {
    if (::IsWindow(m_hGrid)) {
        SetFocus(m_hGrid);
    }
}

bool IsArrowOrPageKey(WPARAM nKey) {
    switch (nKey) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            return true;
        default:
            return false;
    }
}

std::wstring WideOfChar(std::uint32_t nChar) {
    if (nChar < 0x100) {
        return WideFromCp1252(std::string(1, static_cast<char>(nChar)));
    }
    return std::wstring(1, static_cast<wchar_t>(nChar));
}

LRESULT EditorDialogCode(SysLPARAM lParam, LRESULT nDefault) {
    const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (pMsg != nullptr && pMsg->message == WM_SYSCHAR) {
        return DLGC_WANTMESSAGE;
    }
    return nDefault | DLGC_WANTALLKEYS;
}

std::string WindowTextCp1252(HWND hWnd) {
    const int nLength = GetWindowTextLengthW(hWnd);
    std::wstring text(static_cast<std::size_t>(nLength) + 1, L'\0');
    const int nRead = GetWindowTextW(hWnd, text.data(), nLength + 1);
    text.resize(static_cast<std::size_t>(std::max(0, nRead)));
    return Cp1252FromWide(text);
}
