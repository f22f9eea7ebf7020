#include "grid/GridCell.h"

#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridEditWnd.h"
#include "platform/TextFormat.h"

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)

namespace {
constexpr std::uint32_t kInherit = 0xFFFFFFFFu;
}

CGridCell::CGridCell() {
    CGridCell::Reset();
}

CGridCell::~CGridCell() = default;

bool CGridCell::SetMergeSpan(int nRowSpan, int nColSpan) {
    m_nMergeRowSpan = nRowSpan;
    m_nMergeColSpan = nColSpan;
    return true;
}

void CGridCell::SetFont(const LOGFONT* plf) {
    if (plf == nullptr) {
        m_plfFont.reset();
        return;
    }
    if (m_plfFont == nullptr) {
        m_plfFont = std::make_unique<LOGFONT>(*plf);
    } else {
        *m_plfFont = *plf;
    }
}

// A default cell asks itself when it has no value of its own: it answers its raw value
// rather than recursing.
std::uint32_t CGridCell::GetFormat() const {
    if (m_nFormat != kInherit) {
        return m_nFormat;
    }
    const CGridDefaultCell* pDefault = GetDefaultCell();
    if (pDefault == nullptr) {
        return 0;
    }
    return pDefault == this ? m_nFormat : pDefault->GetFormat();
}

std::uint32_t CGridCell::GetMargin() const {
    if (m_nMargin != kInherit) {
        return m_nMargin;
    }
    const CGridDefaultCell* pDefault = GetDefaultCell();
    if (pDefault == nullptr) {
        return 0;
    }
    return pDefault == this ? m_nMargin : pDefault->GetMargin();
}

const LOGFONT* CGridCell::GetFont() const {
    if (m_plfFont != nullptr) {
        return m_plfFont.get();
    }
    const CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault != nullptr ? pDefault->GetFont() : nullptr;
}

const CFont* CGridCell::GetFontObject() const {
    if (m_plfFont == nullptr) {
        const CGridDefaultCell* pDefault = GetDefaultCell();
        return pDefault != nullptr ? pDefault->GetFontObject() : nullptr;
    }
    // One scratch font for all cells with a font of their own: valid until the next call.
    static CFont s_font;
    s_font.DeleteObject();
    s_font.CreateFontIndirect(m_plfFont.get());
    return &s_font;
}

void CGridCell::Reset() {
    CGridCellBase::Reset();
    m_strText.clear();
    m_lParam = 0;
    m_nImage = -1;
    m_nFormat = kInherit;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_plfFont.reset();
    m_nMargin = kInherit;
    m_bEditing = false;
    m_pGrid = nullptr;
    m_pEditWnd = nullptr;
}

bool CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint /*point*/, std::uint32_t nID,
                     std::uint32_t nChar) {
    if (m_bEditing && m_pEditWnd != nullptr) {
        m_pEditWnd->SendChar(nChar);
        return true;
    }
    IGridWindowHost* pHost = m_pGrid != nullptr ? m_pGrid->GetWindowHost() : nullptr;
    if (pHost == nullptr) {
        return false;  // no window to place an editor on
    }
    const std::uint32_t nFormat = GetFormat();
    const std::uint32_t dwStyle = (nFormat & DT_RIGHT) != 0    ? ES_RIGHT
                                  : (nFormat & DT_CENTER) != 0 ? ES_CENTER
                                                               : ES_LEFT;
    IGridEditWnd* pEdit = pHost->CreateInPlaceEdit(rect, dwStyle, nID, nRow, nCol, m_strText, nChar);
    // An editor that could not be made would never report back: stay out of editing.
    if (pEdit == nullptr) {
        return false;
    }
    SetEditing(true, pEdit);
    return true;
}

void CGridCell::EndEdit() {
    if (m_pEditWnd != nullptr) {
        m_pEditWnd->EndEdit();
    }
}

void CGridCell::OnEndEdit() {
    SetEditing(false, nullptr);
}
