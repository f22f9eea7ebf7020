// The grid window's painting: through a memory context when the grid asks for double
// buffering, the drag line inverted over what is painted, and the contexts the grid
// measures and draws with between paints.
#include "grid/GridCtrl.h"
#include "grid/win32/GridWnd.h"
#include "grid/win32/Win32Font.h"
#include "platform/win32/GdiDrawContext.h"
#include "platform/win32/Win32Api.h"

namespace {

// An off-screen copy of the rectangle being painted: drawn into with the paint's own
// coordinates (its origin moved to the rectangle's corner), filled with the target's
// background colour first, and copied to the target when it goes out of scope.
class CMemDC {
public:
    CMemDC(HDC hTarget, const RECT& rect) : m_hTarget(hTarget), m_rect(rect) {
        const int nWidth = rect.right - rect.left;
        const int nHeight = rect.bottom - rect.top;
        if (nWidth <= 0 || nHeight <= 0) {
            return;
        }
        m_hDC = CreateCompatibleDC(hTarget);
        m_hBitmap = m_hDC != nullptr ? CreateCompatibleBitmap(hTarget, nWidth, nHeight) : nullptr;
        if (m_hBitmap == nullptr) {
            return;
        }
        m_hOldBitmap = SelectObject(m_hDC, m_hBitmap);
        SetWindowOrgEx(m_hDC, rect.left, rect.top, nullptr);
        const HBRUSH hBrush = CreateSolidBrush(GetBkColor(hTarget));
        FillRect(m_hDC, &rect, hBrush);
        DeleteObject(hBrush);
    }
    ~CMemDC() {
        if (m_hOldBitmap != nullptr) {
            BitBlt(m_hTarget, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top,
                   m_hDC, m_rect.left, m_rect.top, SRCCOPY);
            SelectObject(m_hDC, m_hOldBitmap);
        }
        if (m_hBitmap != nullptr) {
            DeleteObject(m_hBitmap);
        }
        if (m_hDC != nullptr) {
            DeleteDC(m_hDC);
        }
    }
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // nullptr when no off-screen copy could be made: the caller paints directly.
    HDC GetSafeHdc() const { return m_hOldBitmap != nullptr ? m_hDC : nullptr; }

private:
    HDC m_hTarget = nullptr;
    RECT m_rect{};
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};

}  // namespace

void CGridWnd::OnPaint() {
    PAINTSTRUCT ps{};
    const HDC hDC = BeginPaint(m_hWnd, &ps);
    if (hDC == nullptr) {
        return;
    }
    if (m_pGrid->GetDoubleBuffering()) {
        CMemDC memDC(hDC, ps.rcPaint);
        if (memDC.GetSafeHdc() != nullptr) {
            PaintInto(memDC.GetSafeHdc(), ps.rcPaint);
        } else {
            PaintInto(hDC, ps.rcPaint);
        }
    } else {
        PaintInto(hDC, ps.rcPaint);
    }
    EndPaint(m_hWnd, &ps);
}

// What the paint covers of the drag line was drawn afresh: it is inverted again there,
// so the band stays one inversion over the cells.
void CGridWnd::PaintInto(HDC hDC, const RECT& /*rcPaint*/) {
    {
        CGdiDrawContext dc(hDC, m_hWindowFont);
        dc.SetFontDpi(WindowDpi(m_hWnd));
        m_pGrid->OnDraw(&dc);
    }
    InvertDragLine(hDC);
}

void CGridWnd::InvertDragLine(HDC hDC) const {
    if (m_dragLine) {
        PatBlt(hDC, m_dragLine->left, m_dragLine->top, m_dragLine->Width(), m_dragLine->Height(), DSTINVERT);
    }
}

// The band is inverted on the screen at once: inverting it again where it was takes it
// away, whatever was painted under it meanwhile (a paint inverts its part again).
void CGridWnd::SetDragLine(const CRect* pBand) {
    const HDC hDC = ::GetDC(m_hWnd);
    if (hDC != nullptr) {
        InvertDragLine(hDC);
    }
    if (pBand != nullptr) {
        m_dragLine = *pBand;
    } else {
        m_dragLine.reset();
    }
    if (hDC != nullptr) {
        InvertDragLine(hDC);
        ReleaseDC(m_hWnd, hDC);
    }
}

std::unique_ptr<IDrawContext> CGridWnd::GetDC() {
    return CGdiDrawContext::CreateForWindow(m_hWnd, m_hWindowFont, WindowDpi(m_hWnd));
}

// GDI draws onto the window at once: a cell is redrawn without waiting for a paint.
std::unique_ptr<IDrawContext> CGridWnd::GetDrawDC() {
    return CGdiDrawContext::CreateForWindow(m_hWnd, m_hWindowFont, WindowDpi(m_hWnd));
}
