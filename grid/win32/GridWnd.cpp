// The grid window: its class, its life and the messages it dispatches. The services the
// grid asks of it are in GridWndServices.cpp, input in GridWndInput.cpp, painting in
// GridWndPaint.cpp.
#include "grid/win32/GridWnd.h"

#include "grid/GridCtrl.h"
#include "grid/win32/GridDropTarget.h"
#include "grid/win32/InPlaceList.h"
#include "grid/win32/TitleTip.h"
#include "grid/win32/Win32Font.h"
#include "platform/win32/Win32Api.h"

namespace {

constexpr wchar_t kClassName[] = L"TovamoGrid";

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
        case kGridCommandMessage:
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
