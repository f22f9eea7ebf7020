#include "grid/GridCellLitle.h"

#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"

IMPLEMENT_DYNCREATE(CGridCellLitle, CGridCellBase)

namespace {
constexpr std::uint32_t kInherit = 0xFFFFFFFFu;
}

CGridCellLitle::CGridCellLitle() {
    CGridCellLitle::Reset();
}

CGridCellLitle::~CGridCellLitle() = default;

CGridCellBase* CGridCellLitle::GetColumnCell() const {
    return m_pGrid != nullptr ? m_pGrid->GetCell(-1, m_nCol) : nullptr;
}

// Without a grid or column cell the answers are those of a cell with nothing set:
// format and margin 0, colours default, no font.
std::uint32_t CGridCellLitle::GetFormat() const {
    const CGridCellBase* pColumn = GetColumnCell();
    const std::uint32_t nFormat = pColumn != nullptr ? pColumn->GetFormat() : kInherit;
    if (nFormat != kInherit) {
        return nFormat;
    }
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault != nullptr ? pDefault->GetFormat() : 0;
}

std::uint32_t CGridCellLitle::GetMargin() const {
    const CGridCellBase* pColumn = GetColumnCell();
    const std::uint32_t nMargin = pColumn != nullptr ? pColumn->GetMargin() : kInherit;
    if (nMargin != kInherit) {
        return nMargin;
    }
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault != nullptr ? pDefault->GetMargin() : 0;
}

COLORREF CGridCellLitle::GetTextColor() const {
    const CGridCellBase* pColumn = GetColumnCell();
    return pColumn != nullptr ? pColumn->GetTextColor() : CLR_DEFAULT;
}

COLORREF CGridCellLitle::GetBackColor() const {
    const CGridCellBase* pColumn = GetColumnCell();
    return pColumn != nullptr ? pColumn->GetBackColor() : CLR_DEFAULT;
}

const LOGFONT* CGridCellLitle::GetFont() const {
    const CGridCellBase* pColumn = GetColumnCell();
    const LOGFONT* plf = pColumn != nullptr ? pColumn->GetFont() : nullptr;
    if (plf != nullptr) {
        return plf;
    }
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault != nullptr ? pDefault->GetFont() : nullptr;
}

const CFont* CGridCellLitle::GetFontObject() const {
    const CGridCellBase* pColumn = GetColumnCell();
    const LOGFONT* plf = pColumn != nullptr ? pColumn->GetFont() : nullptr;
    if (plf == nullptr) {
        const CGridDefaultCell* pDefault = GetDefaultCell();
        return pDefault != nullptr ? pDefault->GetFontObject() : nullptr;
    }
    // One scratch font for all light cells: valid until the next call.
    static CFont s_font;
    s_font.DeleteObject();
    s_font.CreateFontIndirect(plf);
    return &s_font;
}

IGridEditWnd* CGridCellLitle::GetEditWnd() const {
    const CGridCellBase* pColumn = GetColumnCell();
    return pColumn != nullptr ? pColumn->GetEditWnd() : nullptr;
}

void CGridCellLitle::Reset() {
    CGridCellBase::Reset();
    m_strText.clear();
    m_nCol = -1;
    m_pGrid = nullptr;
    m_bEditing = false;
    m_lParam = 0;
}

bool CGridCellLitle::Edit(int nRow, int nCol, CRect rect, CPoint point, std::uint32_t nID,
                          std::uint32_t nChar) {
    if (m_bEditing) {
        return true;
    }
    CGridCellBase* pColumn = GetColumnCell();
    if (pColumn == nullptr) {
        return false;
    }
    pColumn->SetText(m_strText);
    m_bEditing = true;
    const bool bResult = pColumn->Edit(nRow, nCol, rect, point, nID, nChar);
    // The column cell opened no editor, so no end of edit will come back here.
    if (!bResult) {
        m_bEditing = false;
    }
    return bResult;
}

void CGridCellLitle::EndEdit() {
    CGridCellBase* pColumn = GetColumnCell();
    if (pColumn != nullptr) {
        pColumn->EndEdit();
    }
}

void CGridCellLitle::OnEndEdit() {
    CGridCellBase* pColumn = GetColumnCell();
    if (pColumn != nullptr) {
        pColumn->OnEndEdit();
    }
    m_bEditing = false;
}
