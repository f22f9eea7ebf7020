// The grid window: its class, its life, the messages it dispatches and the services
// the grid asks of it. Input is in GridWndInput.cpp, painting in GridWndPaint.cpp.
#include "grid/win32/GridWnd.h"

#include "grid/GridCtrl.h"
#include "grid/win32/GridDropTarget.h"
#include "grid/win32/InPlaceList.h"
#include "grid/win32/TitleTip.h"
#include "grid/win32/Win32Font.h"
#include "platform/win32/Win32Api.h"

namespace {

constexpr wchar_t kClassName[] = L"TovamoGrid";
// Posted to itself after a click, so that the command arrives once the release has been
// handled, as a posted command does.
constexpr UINT WM_GRID_COMMAND = WM_APP + 0x3A1;

HINSTANCE ModuleOf(HWND hWnd) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hWnd, GWLP_HINSTANCE));
}

}  // namespace

bool CGridWnd::RegisterWindowClass(HINSTANCE hInstance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(hInstance, kClassName, &wc)) {
        return true;
    }
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &CGridWnd::WindowProc;
    wc.cbWndExtra = sizeof(CGridWnd*);
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

CGridWnd* CGridWnd::FromHandle(HWND hWnd) {
    wchar_t szClass[16] = {};
    if (hWnd == nullptr || GetClassNameW(hWnd, szClass, 16) == 0 || lstrcmpW(szClass, kClassName) != 0) {
        return nullptr;
    }
    return reinterpret_cast<CGridWnd*>(GetWindowLongPtrW(hWnd, 0));
}

CGridWnd* CGridWnd::Create(HWND hParent, const RECT& rect, UINT nID) {
    const HINSTANCE hInstance = ModuleOf(hParent) != nullptr ? ModuleOf(hParent) : GetModuleHandleW(nullptr);
    if (!RegisterWindowClass(hInstance)) {
        return nullptr;
    }
    const HWND hWnd = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"",
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL, rect.left,
                                      rect.top, rect.right - rect.left, rect.bottom - rect.top, hParent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)), hInstance, nullptr);
    return FromHandle(hWnd);
}

CGridWnd::CGridWnd(HWND hWnd) : m_hWnd(hWnd) {}

CGridWnd::~CGridWnd() {
    DeleteEditorFonts();
}

LRESULT CALLBACK CGridWnd::WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    auto* pWnd = reinterpret_cast<CGridWnd*>(GetWindowLongPtrW(hWnd, 0));
    if (nMsg == WM_NCCREATE) {
        pWnd = new CGridWnd(hWnd);
        SetWindowLongPtrW(hWnd, 0, reinterpret_cast<LONG_PTR>(pWnd));
    }
    if (pWnd == nullptr) {
        return DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    if (nMsg == WM_NCDESTROY) {
        SetWindowLongPtrW(hWnd, 0, 0);
        delete pWnd;
        return DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    return pWnd->OnMessage(nMsg, wParam, lParam);
}

LRESULT CGridWnd::OnMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    if (m_pGrid != nullptr) {
        LRESULT result = 0;
        if (OnInputMessage(nMsg, wParam, lParam, &result)) {
            return result;
        }
    }
    switch (nMsg) {
        case WM_ERASEBKGND:
            return m_pGrid != nullptr ? TRUE : DefWindowProcW(m_hWnd, nMsg, wParam, lParam);
        case WM_PAINT:
            if (m_pGrid == nullptr) {
                break;
            }
            OnPaint();
            return 0;
        case WM_SIZE:
            if (m_pGrid != nullptr) {
                m_pGrid->OnSize();
            }
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            OnScrollMessage(nMsg == WM_VSCROLL ? SB_VERT : SB_HORZ, wParam);
            return 0;
        case WM_SETFONT:
            OnSetFontMessage(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(m_hWindowFont);
        case WM_DPICHANGED_AFTERPARENT:
            // The cells' fonts are drawn at the new DPI; the editors' is made again.
            ForgetEditorFont();
            if (m_pGrid != nullptr) {
                m_pGrid->ResetScrollBars();
            }
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
            return 0;
        case WM_SYSCOLORCHANGE:
            if (m_pGrid != nullptr) {
                m_pGrid->OnSysColorChange();
            }
            break;
        case WM_SETTINGCHANGE:
            if (m_pGrid != nullptr) {
                m_pGrid->OnSettingChange();
            }
            break;
        case WM_GRID_COMMAND:
            OnGridCommandPosted();
            return 0;
        case WM_COMMAND:
            // The option list is sized for its options each time it drops down.
            if (HIWORD(wParam) == CBN_DROPDOWN) {
                if (CInPlaceList* pList = CInPlaceList::FromHandle(reinterpret_cast<HWND>(lParam))) {
                    pList->SetDroppedWidth();
                }
            }
            return 0;
        case WM_DESTROY:
            // Editors going with the window report nothing; their cells forget them.
            HideTitleTip();
            DetachGrid();
            m_pTitleTip.reset();
            break;
        default:
            break;
    }
    return DefWindowProcW(m_hWnd, nMsg, wParam, lParam);
}

// The bars start hidden and at 0, as the grid reckons with none until it shows one; a
// control of a dialog template gets its client edge here, as the grid's own windows
// have one.
void CGridWnd::Attach(CGridCtrl& grid) {
    if (m_pGrid == &grid) {
        return;
    }
    Detach();
    const LONG_PTR exStyle = GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    if ((exStyle & WS_EX_CLIENTEDGE) == 0) {
        SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_CLIENTEDGE);
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SysSCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, FALSE);
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, FALSE);
    ShowScrollBar(SB_BOTH, false);
    m_pGrid = &grid;
    if (m_pTitleTip == nullptr) {
        m_pTitleTip = std::make_unique<CTitleTip>(m_hWnd);
    }
    m_pDropTarget = CGridDropTarget::Register(m_hWnd, grid);
    grid.Create(this);
    // A dialog gave the window its font before the grid came.
    if (m_hWindowFont != nullptr) {
        OnSetFontMessage(m_hWindowFont, false);
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// Editors still open report to the grid on their way out; nothing reaches it after.
void CGridWnd::Detach() {
    if (m_pGrid != nullptr) {
        m_pGrid->EndEditing();
    }
    DetachGrid();
}

void CGridWnd::DetachGrid() {
    if (m_pGrid == nullptr) {
        return;
    }
    HideTitleTip();
    CGridDropTarget::Revoke(m_hWnd, m_pDropTarget);
    m_pDropTarget = nullptr;
    if (GetCapture() == m_hWnd) {
        m_bReleasingCapture = true;
        ::ReleaseCapture();
        m_bReleasingCapture = false;
    }
    CGridCtrl* pGrid = m_pGrid;
    m_pGrid = nullptr;
    pGrid->Create(nullptr);
}

bool CGridWnd::IsWindow() const {
    return m_pGrid != nullptr && ::IsWindow(m_hWnd);
}

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
    PostMessageW(m_hWnd, WM_GRID_COMMAND, 0, 0);
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
