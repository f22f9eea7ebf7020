#include "grid/GridCellBase.h"

#include <algorithm>
#include <string_view>

#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"
#include "platform/TextFormat.h"

IMPLEMENT_DYNCREATE(CGridCellBase, CObject)

namespace {

// Restores the previously selected font when measuring ends.
class CFontSelection {
public:
    CFontSelection(IDrawContext* pDC, const CFont* pFont) : m_pDC(pDC) {
        if (pFont != nullptr) {
            m_pOldFont = m_pDC->SelectObject(pFont);
            m_bSelected = true;
        }
    }
    ~CFontSelection() {
        if (m_bSelected) {
            m_pDC->SelectObject(m_pOldFont);
        }
    }
    CFontSelection(const CFontSelection&) = delete;
    CFontSelection& operator=(const CFontSelection&) = delete;

private:
    IDrawContext* m_pDC;
    const CFont* m_pOldFont = nullptr;
    bool m_bSelected = false;
};

int WidestLine(IDrawContext* pDC, std::string_view text) {
    int nWidest = 0;
    std::size_t nStart = 0;
    while (true) {
        const std::size_t nEnd = text.find('\n', nStart);
        const std::string_view line =
            text.substr(nStart, nEnd == std::string_view::npos ? text.npos : nEnd - nStart);
        nWidest = std::max(nWidest, pDC->GetTextExtent(line).cx);
        if (nEnd == std::string_view::npos) {
            return nWidest;
        }
        nStart = nEnd + 1;
    }
}

bool IsVerticalFont(const LOGFONT* plf) {
    return plf != nullptr && (plf->lfEscapement == 900 || plf->lfEscapement == -900);
}

}  // namespace

bool CGridCellBase::SetMergeSpan(int /*nRowSpan*/, int /*nColSpan*/) {
    return false;
}

CGridDefaultCell* CGridCellBase::GetDefaultCell() const {
    const CGridCtrl* pGrid = GetGrid();
    if (pGrid == nullptr) {
        return nullptr;
    }
    return pGrid->GetDefaultCell(IsFixedRow(), IsFixedCol());
}

void CGridCellBase::CopyFrom(const CGridCellBase& cell) {
    if (&cell == this) {
        return;
    }
    SetGrid(cell.GetGrid());
    const std::string* pText = cell.GetText();
    SetText(pText != nullptr ? *pText : std::string());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextColor(cell.GetTextColor());
    SetBackColor(cell.GetBackColor());
    SetFont(cell.IsDefaultFont() ? nullptr : cell.GetFont());
    SetMargin(cell.GetMargin());
}

bool CGridCellBase::GetTextRect(CRect* pRect) {
    const CGridCtrl* pGrid = GetGrid();
    const int nImage = GetImage();
    if (pRect != nullptr && pGrid != nullptr && nImage >= 0 && pGrid->GetImageList() != nullptr) {
        CSize size;
        if (pGrid->GetImageList()->GetImageSize(nImage, &size)) {
            pRect->left += size.cx + static_cast<int>(GetMargin());
        }
    }
    return true;
}

CSize CGridCellBase::GetTextExtent(const std::string* pText, IDrawContext* pDC) {
    std::unique_ptr<IDrawContext> windowDC;
    CGridCtrl* pGrid = GetGrid();
    if (pDC == nullptr && pGrid != nullptr && pGrid->GetWindowHost() != nullptr) {
        windowDC = pGrid->GetWindowHost()->GetDC();
        pDC = windowDC.get();
    }
    if (pText == nullptr || pDC == nullptr) {
        const CGridDefaultCell* pDefault = GetDefaultCell();
        return pDefault != nullptr ? CSize(pDefault->GetWidth(), pDefault->GetHeight()) : CSize();
    }

    const CFontSelection selection(pDC, GetFontObject());
    const std::uint32_t nFormat = GetFormat();
    CSize size;
    if ((nFormat & DT_WORDBREAK) == 0 || (nFormat & DT_SINGLELINE) != 0) {
        size = pDC->GetTextExtent(*pText);
    } else {
        CRect rect(0, 0, WidestLine(pDC, *pText) + 1, 0);
        pDC->DrawText(*pText, &rect, nFormat | DT_CALCRECT);
        size = rect.Size();
    }

    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int nMargin = static_cast<int>(GetMargin());
    size.cx += tm.tmOverhang + 4 * nMargin;
    size.cy += 2 * nMargin;
    if (IsVerticalFont(GetFont())) {
        size = CSize(size.cy, size.cx + 4 * nMargin);
    }
    return size;
}

CSize CGridCellBase::GetCellExtent(IDrawContext* pDC) {
    const CSize textSize = GetTextExtent(GetText(), pDC);
    CSize imageSize;
    const CGridCtrl* pGrid = GetGrid();
    const int nImage = GetImage();
    if (nImage >= 0 && pGrid != nullptr && pGrid->GetImageList() != nullptr) {
        if (!pGrid->GetImageList()->GetImageSize(nImage, &imageSize)) {
            imageSize = CSize();
        }
    }
    return {imageSize.cx + textSize.cx, std::max(imageSize.cy, textSize.cy)};
}
