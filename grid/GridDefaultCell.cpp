#include "grid/GridDefaultCell.h"

#include "platform/SystemMetrics.h"
#include "platform/TextFormat.h"

IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

CGridDefaultCell::CGridDefaultCell() {
    SetFormat(DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    const LOGFONT lf = SystemMetrics().GetMessageFont();
    CGridDefaultCell::SetFont(&lf);
}

CGridDefaultCell::~CGridDefaultCell() = default;

void CGridDefaultCell::SetFont(const LOGFONT* plf) {
    if (plf == nullptr) {
        return;
    }
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(plf);
    CGridCell::SetFont(plf);

    // Without memory for a screen context the font is measured as without a screen.
    std::unique_ptr<IDrawContext> screenDC;
    try {
        screenDC = SystemMetrics().GetScreenDC();
    } catch (const std::bad_alloc&) {
    }
    if (screenDC == nullptr) {
        SetMargin(3);
        m_nWidth = 40;
        m_nHeight = 16;
        return;
    }
    const CFont* pOldFont = screenDC->SelectObject(&m_Font);
    SetMargin(static_cast<std::uint32_t>(screenDC->GetTextExtent(" ").cx));
    const CSize size = screenDC->GetTextExtent(" XXXXXXXXXXXX ");
    m_nWidth = size.cx;
    m_nHeight = size.cy * 3 / 2;
    screenDC->SelectObject(pOldFont);
}

const LOGFONT* CGridDefaultCell::GetFont() const {
    return IsDefaultFont() ? nullptr : CGridCell::GetFont();
}

const CFont* CGridDefaultCell::GetFontObject() const {
    return m_Font.IsValid() ? &m_Font : nullptr;
}
