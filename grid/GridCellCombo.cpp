#include "grid/GridCellCombo.h"

#include <algorithm>

#include "grid/GridCtrl.h"
#include "grid/GridEditWnd.h"
#include "platform/SystemMetrics.h"

IMPLEMENT_DYNCREATE(CGridCellCombo, CGridCell)

CGridCellCombo::CGridCellCombo() = default;

CGridCellCombo::~CGridCellCombo() = default;

// Only an edit field is an editor of its own; a list-only box has none to hand out.
IGridEditWnd* CGridCellCombo::GetEditWnd() const {
    if (IsEditing() && HasEditField()) {
        return CGridCell::GetEditWnd();
    }
    return nullptr;
}

bool CGridCellCombo::Draw(IDrawContext* pDC, int nRow, int nCol, CRect rect, bool bEraseBkgnd) {
    const int cxButton = GetSystemMetrics(SM_CXVSCROLL);
    const int cyButton = GetSystemMetrics(SM_CYHSCROLL);
    if (pDC != nullptr && !IsFixed() && IsFocused() && cyButton < rect.Width() && cyButton < rect.Height()) {
        const CRect rectButton(rect.right - cxButton, rect.top, rect.right, rect.top + cyButton);
        pDC->DrawFrameControl(rectButton, DFC_SCROLL, DFCS_SCROLLDOWN);
        rect.right = rectButton.left;
    }
    if (!IsEditing()) {
        return CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    }
    const std::string strText = *GetText();
    SetText(std::string());
    const bool bResult = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    SetText(strText);
    return bResult;
}

CSize CGridCellCombo::GetCellExtent(IDrawContext* pDC) {
    CSize size = CGridCellBase::GetCellExtent(pDC);
    size.cx += GetSystemMetrics(SM_CXVSCROLL);
    size.cy += GetSystemMetrics(SM_CYHSCROLL);
    return size;
}

// One list per cell: a key that arrives while the list is open (a key event may carry
// several characters) goes to that list, as the text cell hands it to its editor.
bool CGridCellCombo::Edit(int nRow, int nCol, CRect rect, CPoint /*point*/, std::uint32_t nID,
                          std::uint32_t nChar) {
    if (IGridEditWnd* pOpen = IsEditing() ? CGridCell::GetEditWnd() : nullptr) {
        pOpen->SendChar(nChar);
        return true;
    }
    CGridCtrl* pGrid = GetGrid();
    IGridWindowHost* pHost = pGrid != nullptr ? pGrid->GetWindowHost() : nullptr;
    if (pHost == nullptr) {
        return false;
    }
    const std::string* pText = GetText();
    IGridEditWnd* pList =
        pHost->CreateInPlaceList(rect, m_dwStyle, nID, nRow, nCol, GetTextColor(), GetBackColor(), m_Strings,
                                 pText != nullptr ? *pText : std::string(), nChar);
    if (pList == nullptr) {
        return false;
    }
    SetEditing(true, pList);
    return true;
}

void CGridCellCombo::EndEdit() {
    // The list is asked directly: GetEditWnd hides it for list-only boxes.
    IGridEditWnd* pList = CGridCell::GetEditWnd();
    if (pList != nullptr) {
        pList->EndEdit();
    }
}

bool CGridCellCombo::HasEditField() const {
    return (m_dwStyle & kComboKindMask) == CBS_DROPDOWN;
}

// The low two bits choose the kind of box; the others (automatic scrolling, sorting,
// ...) do not make a list take other texts.
bool CGridCellCombo::ValidateEdit(const std::string& str) {
    if ((m_dwStyle & kComboKindMask) != CBS_DROPDOWNLIST || m_Strings.empty())
        return true;
    return std::find(m_Strings.begin(), m_Strings.end(), str) != m_Strings.end();
}
