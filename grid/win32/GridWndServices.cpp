// The services the grid asks of its window: invalidating, the scroll bars, capture,
// cursor, timers, focus and the fonts of the editors.
#include "grid/GridCtrl.h"
#include "grid/win32/GridWnd.h"
#include "grid/win32/Win32Font.h"
#include "platform/win32/Win32Api.h"

// --- Painting requests and geometry -------------------------------------------------------

void CGridWnd::Invalidate(bool bErase) {
    ::InvalidateRect(m_hWnd, nullptr, bErase ? TRUE : FALSE);
}

void CGridWnd::InvalidateRect(const CRect& rect, bool bErase) {
    const RECT rc = {rect.left, rect.top, rect.right, rect.bottom};
    ::InvalidateRect(m_hWnd, &rc, bErase ? TRUE : FALSE);
}

CRect CGridWnd::GetClientRect() const {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    return {rc.left, rc.top, rc.right, rc.bottom};
}

// --- Scroll bars -----------------------------------------------------------------------------

bool CGridWnd::GetScrollInfo(int nBar, SCROLLINFO* pInfo) const {
    if (pInfo == nullptr || (nBar != SB_HORZ && nBar != SB_VERT)) {
        return false;
    }
    SysSCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_hWnd, nBar, &si)) {
        return false;
    }
    pInfo->nMin = si.nMin;
    pInfo->nMax = si.nMax;
    pInfo->nPage = si.nPage;
    pInfo->nPos = si.nPos;
    pInfo->nTrackPos = m_trackPos[nBar].value_or(si.nTrackPos);
    return true;
}

void CGridWnd::SetScrollInfo(int nBar, const SCROLLINFO& info, bool bRedraw) {
    if (nBar != SB_HORZ && nBar != SB_VERT) {
        return;
    }
    SysSCROLLINFO si{};
    si.cbSize = sizeof(si);
    // The system would show a bar the grid hid, disabled, for SIF_DISABLENOSCROLL: the
    // client area would then not be what the grid reckons with.
    si.fMask = m_bBarShown[nBar] ? info.fMask : (info.fMask & ~SIF_DISABLENOSCROLL);
    si.nMin = info.nMin;
    si.nMax = info.nMax;
    si.nPage = info.nPage;
    si.nPos = info.nPos;
    ::SetScrollInfo(m_hWnd, nBar, &si, bRedraw ? TRUE : FALSE);
}

void CGridWnd::ShowScrollBar(int nBar, bool bShow) {
    if (nBar == SB_HORZ || nBar == SB_BOTH) {
        m_bBarShown[SB_HORZ] = bShow;
    }
    if (nBar == SB_VERT || nBar == SB_BOTH) {
        m_bBarShown[SB_VERT] = bShow;
    }
    ::ShowScrollBar(m_hWnd, nBar, bShow ? TRUE : FALSE);
}

void CGridWnd::PostScrollRequest(int nBar, int nCode) {
    PostMessageW(m_hWnd, nBar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, static_cast<WPARAM>(nCode), 0);
}

// A thumb request carries a 16-bit position only: the bar's own 32-bit track position
// counts while the thumb is dragged; otherwise (the bar's menu, a program's request) the
// position in the message does.
void CGridWnd::OnScrollMessage(int nBar, WPARAM wParam) {
    if (m_pGrid == nullptr) {
        return;
    }
    const int nCode = LOWORD(wParam);
    if (nCode == SB_THUMBTRACK || nCode == SB_THUMBPOSITION) {
        SysSCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        const bool bRead = ::GetScrollInfo(m_hWnd, nBar, &si) != 0;
        m_trackPos[nBar] =
            (bRead && si.nTrackPos != si.nPos) ? si.nTrackPos : static_cast<int>(HIWORD(wParam));
    }
    if (nBar == SB_VERT) {
        m_pGrid->OnVScroll(nCode);
    } else {
        m_pGrid->OnHScroll(nCode);
    }
    m_trackPos[nBar].reset();
}

// --- Mouse, cursor, timers, focus ------------------------------------------------------------

void CGridWnd::SetCapture() {
    ::SetCapture(m_hWnd);
}

// Our own release is no loss of the capture: the release handling goes on with its drag.
void CGridWnd::ReleaseCapture() {
    if (GetCapture() != m_hWnd) {
        return;
    }
    m_bReleasingCapture = true;
    ::ReleaseCapture();
    m_bReleasingCapture = false;
}

bool CGridWnd::HasCapture() const {
    return GetCapture() == m_hWnd;
}

void CGridWnd::SetCursor(int nCursor) {
    m_bCursorSet = true;
    ::SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(nCursor)));
}

void CGridWnd::BeginWaitCursor() {
    m_waitCursor.BeginWaitCursor();
}

void CGridWnd::EndWaitCursor() {
    m_waitCursor.EndWaitCursor();
}

IClipboard* CGridWnd::GetClipboard() const {
    if (m_pClipboard == nullptr) {
        m_pClipboard = std::make_unique<CWin32Clipboard>();
    }
    return m_pClipboard.get();
}

CPoint CGridWnd::GetCursorPos() const {
    POINT pt{};
    ::GetCursorPos(&pt);
    ScreenToClient(m_hWnd, &pt);
    return {pt.x, pt.y};
}

void CGridWnd::ClipCursor(const CRect* pRect) {
    if (pRect == nullptr) {
        m_clipCursor.reset();
        ::ClipCursor(nullptr);
        return;
    }
    m_clipCursor = *pRect;
    POINT corners[2] = {{pRect->left, pRect->top}, {pRect->right, pRect->bottom}};
    MapWindowPoints(m_hWnd, nullptr, corners, 2);
    const RECT rc = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    ::ClipCursor(&rc);
}

void CGridWnd::SetTimer(unsigned nIDEvent, unsigned nElapse) {
    ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr);
}

void CGridWnd::KillTimer(unsigned nIDEvent) {
    ::KillTimer(m_hWnd, nIDEvent);
}

void CGridWnd::SetFocus() {
    ::SetFocus(m_hWnd);
}

std::uint32_t CGridWnd::GetKeyModifiers() const {
    std::uint32_t nFlags = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        nFlags |= MK_SHIFT;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        nFlags |= MK_CONTROL;
    }
    return nFlags;
}

void CGridWnd::PostCommandToOwner() {
    PostMessageW(m_hWnd, kGridCommandMessage, 0, 0);
}

void CGridWnd::OnGridCommandPosted() {
    if (m_pGrid != nullptr) {
        if (IGridNotifyTarget* pTarget = m_pGrid->GetNotifyTarget()) {
            pTarget->OnGridCommand(m_pGrid->GetDlgCtrlID());
        }
    }
    const HWND hOwner =
        GetWindow(m_hWnd, GW_OWNER) != nullptr ? GetWindow(m_hWnd, GW_OWNER) : GetParent(m_hWnd);
    if (hOwner != nullptr) {
        const int nID = GetDlgCtrlID(m_hWnd);
        PostMessageW(hOwner, WM_COMMAND, MAKEWPARAM(nID, 0), reinterpret_cast<SysLPARAM>(m_hWnd));
    }
}

// --- Fonts -------------------------------------------------------------------------------------

// A dialog gives its controls its font: the grid's cells take it, as a font set on the
// grid would be.
void CGridWnd::OnSetFontMessage(HFONT hFont, bool bRedraw) {
    m_hWindowFont = hFont;
    if (m_pGrid != nullptr && hFont != nullptr) {
        if (const std::optional<LOGFONT> lf = LogFontFromHfont(hFont, WindowDpi(m_hWnd))) {
            m_pGrid->SetFont(&*lf);
        }
    }
    ForgetEditorFont();
    if (bRedraw) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

HFONT CGridWnd::GetEditorFont() {
    const LOGFONT* plf = m_pGrid != nullptr ? m_pGrid->GetFont() : nullptr;
    if (plf == nullptr) {
        return m_hWindowFont != nullptr ? m_hWindowFont
                                        : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    // Made again whenever the grid's font or the window's DPI is not the one it was made for.
    const int nDpi = WindowDpi(m_hWnd);
    if (m_hEditorFont != nullptr && m_lfEditorFont == *plf && m_nEditorFontDpi == nDpi) {
        return m_hEditorFont;
    }
    ForgetEditorFont();
    m_hEditorFont = HfontFromLogFont(*plf, nDpi);
    m_lfEditorFont = *plf;
    m_nEditorFontDpi = nDpi;
    return m_hEditorFont != nullptr ? m_hEditorFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// An editor still open may write in the font: it is deleted with the window.
void CGridWnd::ForgetEditorFont() {
    if (m_hEditorFont != nullptr) {
        m_retiredFonts.push_back(m_hEditorFont);
        m_hEditorFont = nullptr;
    }
}

void CGridWnd::DeleteEditorFonts() {
    ForgetEditorFont();
    for (const HFONT hFont : m_retiredFonts) {
        DeleteObject(hFont);
    }
    m_retiredFonts.clear();
}
