// How a cell paints itself: background (with the selection and focus marks), the
// header border, image, sort arrow and text. A merged block is painted by its owner.
#include "grid/GridCell.h"
#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"
#include "platform/SystemMetrics.h"

namespace {

// Restores the context's state however drawing leaves the function.
class CSavedDC {
public:
    explicit CSavedDC(IDrawContext* pDC) : m_pDC(pDC), m_nSaved(pDC->SaveDC()) {}
    ~CSavedDC() { m_pDC->RestoreDC(m_nSaved); }
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;

private:
    IDrawContext* m_pDC;
    int m_nSaved;
};

// On a two-colour printer a coloured text is toned down per channel.
COLORREF ToneDown(COLORREF cr) {
    return RGB(static_cast<std::uint8_t>(GetRValue(cr) * 0.30),
               static_cast<std::uint8_t>(GetGValue(cr) * 0.59),
               static_cast<std::uint8_t>(GetBValue(cr) * 0.11));
}

void DrawRaisedBorder(IDrawContext* pDC, const CRect& rect) {
    const CPen oldPen = pDC->SelectPen(CPen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT)));
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.left, rect.top);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectPen(CPen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW)));
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.right, rect.bottom);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectPen(oldPen);
}

void DrawPolyline(IDrawContext* pDC, const CPoint (&points)[4]) {
    pDC->MoveTo(points[0].x, points[0].y);
    for (int i = 1; i < 4; ++i) {
        pDC->LineTo(points[i].x, points[i].y);
    }
}

bool IsVertical(const LOGFONT* plf) {
    return plf != nullptr && plf->lfEscapement == 900;
}

}  // namespace

bool CGridCellBase::Draw(IDrawContext* pDC, int nRow, int nCol, CRect rect, bool bEraseBkgnd) {
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == nullptr || pDC == nullptr || rect.Width() <= 0 || rect.Height() <= 0) {
        return false;
    }
    const CSavedDC savedDC(pDC);
    pDC->SetBkMode(TRANSPARENT);
    const CGridDefaultCell* pDefaultCell = GetDefaultCell();
    if (pDefaultCell == nullptr) {
        return false;
    }

    // Colours: the cell's own, else its default cell's.
    COLORREF textClr = GetTextColor() == CLR_DEFAULT ? pDefaultCell->GetTextColor() : GetTextColor();
    COLORREF textBkClr = pDefaultCell->GetBackColor();
    if (GetBackColor() != CLR_DEFAULT) {
        textBkClr = GetBackColor();
        bEraseBkgnd = true;
    }
    const bool bPrinting = pDC->IsPrinting();
    if (bPrinting) {
        if (pGrid->GetPrintBlackAndWhite()) {
            textBkClr = RGB(0xFF, 0xFF, 0xFF);
            textClr = RGB(0, 0, 0);
        } else if (pDC->GetDeviceCaps(NUMCOLORS) == 2 && GetBackColor() == CLR_DEFAULT) {
            textClr = ToneDown(textClr);
        }
    }

    DrawBackground(pDC, rect, textClr, textBkClr, bEraseBkgnd, bPrinting);
    if (IsFixed() && pGrid->GetGridLines() != GVL_NONE) {
        DrawFixedBorder(pDC, nRow, nCol, rect, bPrinting);
    }
    if (!bPrinting && GetFontObject() != nullptr) {
        pDC->SelectObject(GetFontObject());
    }
    const int nMargin = static_cast<int>(GetMargin());
    rect.DeflateRect(nMargin, 0, nMargin, 0);
    DrawImage(pDC, rect, nMargin);
    if (nRow == 0 && nCol == pGrid->GetSortColumn()) {
        DrawSortArrow(pDC, rect, nMargin);
    }
    GetTextRect(&rect);
    const std::string* pText = GetText();
    if (pText != nullptr) {
        pDC->DrawText(*pText, &rect, GetFormat() | DT_NOPREFIX);
    }
    return true;
}

void CGridCellBase::DrawBackground(IDrawContext* pDC, CRect& rect, COLORREF textClr, COLORREF textBkClr,
                                   bool bEraseBkgnd, bool bPrinting) {
    const CGridCtrl* pGrid = GetGrid();
    const bool bGridLines = pGrid->GetGridLines() != GVL_NONE;
    if ((GetState() & (GIS_FOCUSED | GIS_DROPHILITED)) != 0 && !bPrinting) {
        if (IsSelected()) {
            textBkClr = ::GetSysColor(COLOR_HIGHLIGHT);
            textClr = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            bEraseBkgnd = true;
        }
        rect.right++;
        rect.bottom++;
        if (bEraseBkgnd) {
            pDC->FillSolidRect(rect, textBkClr);
        }
        if (bGridLines) {
            rect.right--;
            rect.bottom--;
        }
        if (pGrid->GetFrameFocusCell()) {
            pDC->FrameRect(rect, textClr);
        }
        pDC->SetTextColor(textClr);
        if (!bGridLines) {
            rect.right--;
            rect.bottom--;
        }
        rect.DeflateRect(0, 1, 1, 1);
    } else if (IsSelected() && !bPrinting) {
        rect.right++;
        rect.bottom++;
        pDC->FillSolidRect(rect, ::GetSysColor(COLOR_HIGHLIGHT));
        rect.right--;
        rect.bottom--;
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        if (bEraseBkgnd) {
            rect.right++;
            rect.bottom++;
            pDC->FillSolidRect(rect, textBkClr);
            rect.right--;
            rect.bottom--;
        }
        pDC->SetTextColor(textClr);
    }
}

// A header cell in the focus cell's row or column looks pressed in while the grid
// tracks the focus; every other header cell looks raised.
void CGridCellBase::DrawFixedBorder(IDrawContext* pDC, int nRow, int nCol, CRect& rect, bool bPrinting) {
    const CGridCtrl* pGrid = GetGrid();
    const CCellID focusCell = pGrid->GetFocusCell();
    if (pGrid->GetTrackFocusCell() && pGrid->IsValid(focusCell) &&
        (focusCell.row == nRow || focusCell.col == nCol) && !bPrinting) {
        rect.right++;
        rect.bottom++;
        pDC->DrawEdge(&rect, BDR_SUNKENINNER, BF_RECT);
        rect.DeflateRect(1, 1, 1, 1);
    } else {
        DrawRaisedBorder(pDC, rect);
        rect.DeflateRect(1, 1, 1, 1);
    }
}

void CGridCellBase::DrawImage(IDrawContext* pDC, const CRect& rect, int nMargin) {
    const CGridCtrl* pGrid = GetGrid();
    const IImageList* pImageList = pGrid->GetImageList();
    CSize size;
    if (pImageList == nullptr || GetImage() < 0 || !pImageList->GetImageSize(GetImage(), &size)) {
        return;
    }
    if (rect.left + size.cx <= rect.right + 2 * nMargin && rect.top + size.cy <= rect.bottom + 2 * nMargin) {
        pDC->DrawImage(pImageList, GetImage(), rect.TopLeft());
    }
}

void CGridCellBase::DrawSortArrow(IDrawContext* pDC, CRect& rect, int nMargin) {
    const CGridCtrl* pGrid = GetGrid();
    int size = pDC->GetTextExtent("M").cy - 4;
    if (size >= rect.Height()) {
        size = rect.Height() - 4;
    }
    const bool bVertical = IsVertical(GetFont());
    if (rect.left + size >= rect.right + 2 * nMargin) {
        return;
    }
    const int y0 = rect.bottom - size - 2;
    const int x0 = bVertical ? (rect.right - size + rect.left) / 2 : rect.right - size;
    const CPen penShadow(PS_SOLID, 0, ::GetSysColor(COLOR_BTNSHADOW));
    const CPen penLight(PS_SOLID, 0, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    const CPen oldPen = pDC->SelectPen(penLight);
    if (pGrid->GetSortAscending()) {
        DrawPolyline(pDC, {{x0 + 1, y0 + size + 1},
                           {x0 + size / 2 + 1, y0 + 1},
                           {x0 + size + 1, y0 + size + 1},
                           {x0 + 1, y0 + size + 1}});
        pDC->SelectPen(penShadow);
        DrawPolyline(pDC, {{x0, y0 + size}, {x0 + size / 2, y0}, {x0 + size, y0 + size}, {x0, y0 + size}});
    } else {
        DrawPolyline(pDC, {{x0 + 1, y0 + 1},
                           {x0 + size / 2 + 1, y0 + size + 1},
                           {x0 + size + 1, y0 + 1},
                           {x0 + 1, y0 + 1}});
        pDC->SelectPen(penShadow);
        DrawPolyline(pDC, {{x0, y0}, {x0 + size / 2, y0 + size}, {x0 + size, y0}, {x0, y0}});
    }
    pDC->SelectPen(oldPen);
    if (!bVertical) {
        rect.right -= size;
    }
}

bool CGridCell::Draw(IDrawContext* pDC, int nRow, int nCol, CRect rect, bool bEraseBkgnd) {
    if (GetMergeRowSpan() == 0 && GetMergeColSpan() == 0) {
        return CGridCellBase::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    }
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == nullptr) {
        return false;
    }
    // Walk up and left to the block's owner, moving the rectangle with it.
    CGridCellBase* pOwner = this;
    while (pOwner != nullptr && pOwner->GetMergeRowSpan() < 0) {
        rect.bottom -= pGrid->GetRowHeight(nRow);
        --nRow;
        pOwner = pGrid->GetCell(nRow, nCol);
        rect.top -= pGrid->GetRowHeight(nRow);
    }
    while (pOwner != nullptr && pOwner->GetMergeColSpan() < 0) {
        rect.right -= pGrid->GetColumnWidth(nCol);
        --nCol;
        pOwner = pGrid->GetCell(nRow, nCol);
        rect.left -= pGrid->GetColumnWidth(nCol);
    }
    if (pOwner == nullptr) {
        return false;
    }
    for (int i = 1; i <= pOwner->GetMergeRowSpan(); ++i) {
        rect.bottom += pGrid->GetRowHeight(nRow + i);
    }
    for (int i = 1; i <= pOwner->GetMergeColSpan(); ++i) {
        rect.right += pGrid->GetColumnWidth(nCol + i);
    }
    if (pDC != nullptr && pDC->IsPrinting()) {
        const CRect& clip = pGrid->GetPrintClipRect();
        rect = CRect(std::max(rect.left, clip.left), std::max(rect.top, clip.top),
                     std::min(rect.right, clip.right), std::min(rect.bottom, clip.bottom));
    }
    return pOwner->CGridCellBase::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
}
