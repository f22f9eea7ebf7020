// The grid window's children for the grid: the in-place editors, the title tip, and the
// clipboard the copies go to.
#include "grid/GridCtrl.h"
#include "grid/win32/GridWnd.h"
#include "grid/win32/InPlaceEdit.h"
#include "grid/win32/InPlaceList.h"
#include "grid/win32/TitleTip.h"
#include "platform/win32/Win32Api.h"

IGridEditWnd* CGridWnd::CreateInPlaceEdit(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID,
                                          int nRow, int nCol, const std::string& strInitText,
                                          std::uint32_t nFirstChar) {
    HideTitleTip();
    return CInPlaceEdit::Create(*this, rect, dwStyle, nID, nRow, nCol, strInitText, nFirstChar);
}

IGridEditWnd* CGridWnd::CreateInPlaceList(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID,
                                          int nRow, int nCol, COLORREF crFore, COLORREF crBack,
                                          const std::vector<std::string>& options,
                                          const std::string& strInitText, std::uint32_t nFirstChar) {
    HideTitleTip();
    return CInPlaceList::Create(*this, rect, dwStyle, nID, nRow, nCol, crFore, crBack, options, strInitText,
                                nFirstChar);
}

// A cell without a font of its own shows in the grid's, not in the window's.
void CGridWnd::ShowTitleTip(const CRect& rectTitle, const std::string& strTitle, int xoffset,
                            const CRect& rectHover, const LOGFONT* plf, COLORREF crTextClr,
                            COLORREF crBackClr) {
    if (m_pTitleTip == nullptr) {
        return;
    }
    const LOGFONT* plfTip = plf != nullptr ? plf : (m_pGrid != nullptr ? m_pGrid->GetFont() : nullptr);
    m_pTitleTip->Show(rectTitle, strTitle, xoffset, rectHover, plfTip, crTextClr, crBackClr);
}

void CGridWnd::HideTitleTip() {
    if (m_pTitleTip != nullptr) {
        m_pTitleTip->Hide();
    }
}
