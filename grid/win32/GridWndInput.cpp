// The grid window's input: keys, characters, the mouse, the wheel, the cursor, the
// auto-scroll timer, the capture and the focus, turned into the grid's handlers.
#include <algorithm>

#include "grid/GridCtrl.h"
#include "grid/win32/GridWnd.h"
#include "grid/win32/TitleTip.h"
#include "platform/win32/WideCp1252.h"
#include "platform/win32/Win32Api.h"

namespace {

// One notch of a wheel: high-resolution wheels send parts of it.
constexpr int kWheelDelta = 120;

CPoint PointOf(SysLPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// MK_SHIFT, MK_CONTROL and the buttons, as mouse messages carry them.
std::uint32_t MouseFlags(WPARAM wParam) {
    return static_cast<std::uint32_t>(GET_KEYSTATE_WPARAM(wParam)) &
           (MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL);
}

}  // namespace

bool CGridWnd::OnInputMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam, LRESULT* pResult) {
    *pResult = 0;
    switch (nMsg) {
        case WM_GETDLGCODE:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
        case WM_IME_CHAR:
            return OnKeyMessage(nMsg, wParam, lParam, pResult);
        case WM_MOUSEWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), wParam, lParam);
            return true;
        case WM_SETCURSOR:
            *pResult = OnSetCursorMessage(wParam, lParam) ? TRUE : FALSE;
            return *pResult == TRUE;
        case WM_TIMER:
            m_pGrid->OnTimer(static_cast<unsigned>(wParam));
            return true;
        case WM_CAPTURECHANGED:
            OnCaptureChangedMessage(reinterpret_cast<HWND>(lParam));
            return true;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return true;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            HideTitleTip();
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
            return false;
        default:
            return OnMouseMessage(nMsg, wParam, lParam);
    }
}

// --- Keys ------------------------------------------------------------------------------------------

bool CGridWnd::OnKeyMessage(UINT nMsg, WPARAM wParam, SysLPARAM /*lParam*/, LRESULT* pResult) {
    switch (nMsg) {
        case WM_GETDLGCODE:
            *pResult = static_cast<LRESULT>(m_pGrid->OnGetDlgCode(GetKeyModifiers()));
            return true;
        case WM_KEYDOWN:
            OnKeyDown(wParam);
            return true;
        case WM_SYSKEYDOWN:
            HideTitleTip();
            return false;
        case WM_CHAR:
            OnCharMessage(wParam);
            return true;
        case WM_IME_CHAR:
            if (wParam < 0x10000 && (wParam < 0xD800 || wParam > 0xDFFF)) {
                const std::string bytes = Cp1252FromWide(std::wstring(1, static_cast<wchar_t>(wParam)));
                m_pGrid->OnImeChar(static_cast<unsigned char>(bytes.empty() ? '?' : bytes[0]),
                                   GetKeyModifiers());
            }
            return true;
        default:
            return false;
    }
}

// From the last cell (the first, backwards) Tab leaves the grid: the dialog moves on,
// as its own Tab handling would (a sheet's pages included), or in a window that is no
// dialog the next control that stops Tab takes the focus.
void CGridWnd::OnKeyDown(WPARAM wParam) {
    HideTitleTip();
    const auto nKey = static_cast<std::uint32_t>(wParam);
    // AltGr with C, V, X or A types a letter on some keyboards: no clipboard shortcut.
    const std::uint32_t nFlags = CharModifiers();
    if (m_pGrid->OnKeyDown(nKey, nFlags) || nKey != VK_TAB || !m_pGrid->GetHandleTabKey()) {
        return;
    }
    const bool bBackwards = (nFlags & MK_SHIFT) != 0;
    const HWND hRoot = GetAncestor(m_hWnd, GA_ROOT);
    wchar_t szClass[8] = {};
    if (GetClassNameW(hRoot, szClass, 8) != 0 && lstrcmpW(szClass, L"#32770") == 0) {
        SendMessageW(hRoot, WM_NEXTDLGCTL, bBackwards ? 1 : 0, FALSE);
    } else if (const HWND hNext = GetNextDlgTabItem(hRoot, m_hWnd, bBackwards ? TRUE : FALSE)) {
        ::SetFocus(hNext);
    }
}

// Characters come as UTF-16: the grid takes Windows-1252 bytes, '?' for what the code
// page cannot hold, one '?' for a character made of two halves.
void CGridWnd::OnCharMessage(WPARAM wParam) {
    const auto ch = static_cast<wchar_t>(wParam);
    if (ch >= 0xD800 && ch <= 0xDBFF) {
        m_chHighSurrogate = ch;
        return;
    }
    std::wstring text(1, ch);
    if (ch >= 0xDC00 && ch <= 0xDFFF) {
        if (m_chHighSurrogate == 0) {
            return;
        }
        text.insert(text.begin(), m_chHighSurrogate);
    }
    m_chHighSurrogate = 0;
    const std::string bytes = Cp1252FromWide(text);
    const unsigned char byte = bytes.size() == 1 ? static_cast<unsigned char>(bytes[0]) : '?';
    m_pGrid->OnChar(byte, CharModifiers());
}

// AltGr arrives as Ctrl and Alt held: a character typed with it ('@', '{' and the euro
// sign on many keyboards) is typed, not a Ctrl shortcut.
std::uint32_t CGridWnd::CharModifiers() const {
    std::uint32_t nFlags = GetKeyModifiers();
    if ((nFlags & MK_CONTROL) != 0 && GetKeyState(VK_MENU) < 0) {
        nFlags &= ~MK_CONTROL;
    }
    return nFlags;
}

// --- Mouse -------------------------------------------------------------------------------------------

CPoint CGridWnd::MousePoint(SysLPARAM lParam) const {
    CPoint point = PointOf(lParam);
    const int nMode = m_pGrid->GetMouseMode();
    if (m_clipCursor && (nMode == MOUSE_SIZING_COL || nMode == MOUSE_SIZING_ROW)) {
        point.x = std::clamp(point.x, m_clipCursor->left, m_clipCursor->right - 1);
        point.y = std::clamp(point.y, m_clipCursor->top, m_clipCursor->bottom - 1);
    }
    return point;
}

void CGridWnd::TrackMouseLeave() {
    if (m_bTrackingLeave) {
        return;
    }
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    m_bTrackingLeave = TrackMouseEvent(&tme) != FALSE;
}

bool CGridWnd::OnMouseMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    const std::uint32_t nFlags = MouseFlags(wParam);
    switch (nMsg) {
        case WM_LBUTTONDOWN:
            HideTitleTip();
            m_pGrid->OnLButtonDown(nFlags, MousePoint(lParam));
            return true;
        case WM_MOUSEMOVE: {
            TrackMouseLeave();
            const CPoint point = MousePoint(lParam);
            if (m_pTitleTip != nullptr && !m_pTitleTip->IsInHoverArea(point)) {
                m_pTitleTip->Hide();
            }
            m_pGrid->OnMouseMove(nFlags, point);
            return true;
        }
        case WM_LBUTTONUP:
            m_pGrid->OnLButtonUp(nFlags, MousePoint(lParam));
            return true;
        case WM_LBUTTONDBLCLK:
            HideTitleTip();
            m_pGrid->OnLButtonDblClk(nFlags, MousePoint(lParam));
            return true;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            HideTitleTip();
            return false;
        case WM_RBUTTONUP:
            m_pGrid->OnRButtonUp(nFlags, MousePoint(lParam));
            return false;  // the default handling turns it into WM_CONTEXTMENU
        default:
            return false;
    }
}

// Whole notches reach the grid; the rest waits for the next turn the same way.
void CGridWnd::OnWheel(int nDelta, WPARAM wParam, SysLPARAM lParam) {
    HideTitleTip();
    if ((nDelta > 0) != (m_nWheelRemainder > 0)) {
        m_nWheelRemainder = 0;
    }
    m_nWheelRemainder += nDelta;
    const int nNotches = m_nWheelRemainder / kWheelDelta;
    if (nNotches == 0) {
        return;
    }
    m_nWheelRemainder -= nNotches * kWheelDelta;
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(m_hWnd, &pt);
    m_pGrid->OnMouseWheel(MouseFlags(wParam), nNotches * kWheelDelta, CPoint(pt.x, pt.y));
}

// The client area only, and the hourglass while a wait cursor is on: the cell or the divider under the
// pointer decides, the arrow where neither sets a cursor.
bool CGridWnd::OnSetCursorMessage(WPARAM wParam, SysLPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) != m_hWnd || LOWORD(lParam) != HTCLIENT) {
        return false;
    }
    if (CWin32WaitCursor::RestoreForSetCursor()) {
        return true;
    }
    m_bCursorSet = false;
    const bool bHandled = m_pGrid->OnSetCursor(GetCursorPos());
    // A cursor is global: one the grid leaves alone would be the last window's (an edit
    // box's I-beam); only a drag keeps its own.
    if (bHandled && !m_bCursorSet && m_pGrid->GetMouseMode() != MOUSE_DRAGGING) {
        SetCursor(32512);  // the arrow
    }
    return bHandled;
}

// Our own release is part of the release handling; losing the capture to another
// window ends a drag (the divider stays) and the auto-scroll.
void CGridWnd::OnCaptureChangedMessage(HWND hNewCapture) {
    if (m_bReleasingCapture || hNewCapture == m_hWnd) {
        return;
    }
    m_pGrid->OnCaptureChanged();
}

// The pointer left the window (not onto the tip, which lets the pointer through).
void CGridWnd::OnMouseLeave() {
    m_bTrackingLeave = false;
    HideTitleTip();
}
