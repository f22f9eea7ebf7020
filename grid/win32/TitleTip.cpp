#include "grid/win32/TitleTip.h"

#include "grid/win32/Win32Font.h"
#include "platform/win32/WideCp1252.h"
#include "platform/win32/Win32Api.h"

namespace {

constexpr wchar_t kClassName[] = L"TovamoTitleTip";

SysCOLORREF SystemColour(COLORREF cr, int nDefaultIndex) {
    return cr != CLR_DEFAULT ? static_cast<SysCOLORREF>(cr) : SysGetSysColor(nDefaultIndex);
}

}  // namespace

CTitleTip::CTitleTip(HWND hGrid) : m_hGrid(hGrid) {}

CTitleTip::~CTitleTip() {
    if (m_hWnd != nullptr) {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
    SetFont(nullptr);
}

bool CTitleTip::CreateTipWindow() {
    if (m_hWnd != nullptr) {
        return true;
    }
    const auto hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hGrid, GWLP_HINSTANCE));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(hInstance, kClassName, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = &CTitleTip::WindowProc;
        wc.hInstance = hInstance;
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INFOBK + 1));
        wc.lpszClassName = kClassName;
        if (RegisterClassExW(&wc) == 0) {
            return false;
        }
    }
    // Owned by the grid's top window: it stays above it and goes with it.
    m_hWnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, L"",
                             WS_POPUP | WS_BORDER, 0, 0, 0, 0, GetAncestor(m_hGrid, GA_ROOT), nullptr,
                             hInstance, nullptr);
    if (m_hWnd != nullptr) {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    return m_hWnd != nullptr;
}

void CTitleTip::SetFont(const LOGFONT* plf) {
    if (m_bOwnFont && m_hFont != nullptr) {
        DeleteObject(m_hFont);
    }
    m_hFont = nullptr;
    m_bOwnFont = false;
    if (plf != nullptr) {
        m_hFont = HfontFromLogFont(*plf, WindowDpi(m_hGrid));
        m_bOwnFont = m_hFont != nullptr;
    }
    if (m_hFont == nullptr) {
        m_hFont = reinterpret_cast<HFONT>(SendMessageW(m_hGrid, WM_GETFONT, 0, 0));
    }
}

void CTitleTip::Show(const CRect& rectTitle, const std::string& strTitle, int xoffset, const CRect& rectHover,
                     const LOGFONT* plf, COLORREF crTextClr, COLORREF crBackClr) {
    if (rectTitle.IsRectEmpty() || IsVisible() || !CreateTipWindow()) {
        return;
    }
    const CRect& hover = rectHover.IsRectEmpty() ? rectTitle : rectHover;
    m_rectHover = CRect(hover.left, hover.top, hover.right + 1, hover.bottom + 1);
    if (GetFocus() == nullptr) {
        return;  // the program is not the one the user works in
    }
    m_strText = L" " + WideFromCp1252(strTitle) + L" ";
    SetFont(plf);

    const HDC hDC = ::GetDC(m_hWnd);
    const HGDIOBJ hOld = SelectObject(hDC, m_hFont != nullptr ? m_hFont : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(hDC, m_strText.c_str(), static_cast<int>(m_strText.size()), &size);
    TEXTMETRICW tm{};
    GetTextMetricsW(hDC, &tm);
    SelectObject(hDC, hOld);
    ReleaseDC(m_hWnd, hDC);

    // As tall as the cell, from its left edge, as wide as the text and the border: shown
    // only when that reaches past the cell.
    const int nLeft = rectTitle.left + xoffset;
    const int nRight = nLeft + size.cx + tm.tmOverhang + xoffset + 2 * SysGetSystemMetrics(SM_CXBORDER);
    if (nRight <= rectTitle.right - xoffset) {
        return;
    }
    m_crText = crTextClr;
    m_crBack = crBackClr;
    POINT topLeft = {nLeft, rectTitle.top};
    ClientToScreen(m_hGrid, &topLeft);
    SetWindowPos(m_hWnd, HWND_TOPMOST, topLeft.x, topLeft.y, nRight - nLeft, rectTitle.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CTitleTip::Hide() {
    if (IsVisible()) {
        ShowWindow(m_hWnd, SW_HIDE);
    }
}

bool CTitleTip::IsVisible() const {
    return m_hWnd != nullptr && IsWindowVisible(m_hWnd);
}

bool CTitleTip::IsInHoverArea(CPoint point) const {
    return IsVisible() && m_rectHover.PtInRect(point);
}

void CTitleTip::Paint() {
    PAINTSTRUCT ps{};
    const HDC hDC = BeginPaint(m_hWnd, &ps);
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    const HBRUSH hBrush = CreateSolidBrush(SystemColour(m_crBack, COLOR_INFOBK));
    FillRect(hDC, &rc, hBrush);
    DeleteObject(hBrush);
    const HGDIOBJ hOld = SelectObject(hDC, m_hFont != nullptr ? m_hFont : GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, SystemColour(m_crText, COLOR_INFOTEXT));
    TextOutW(hDC, 0, 0, m_strText.c_str(), static_cast<int>(m_strText.size()));
    SelectObject(hDC, hOld);
    EndPaint(m_hWnd, &ps);
}

LRESULT CALLBACK CTitleTip::WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    auto* pThis = reinterpret_cast<CTitleTip*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (nMsg) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_PAINT:
            if (pThis != nullptr) {
                pThis->Paint();
                return 0;
            }
            break;
        case WM_NCDESTROY:
            if (pThis != nullptr) {
                pThis->m_hWnd = nullptr;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}
