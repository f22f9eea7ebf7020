#include "grid/win32/demo/DemoWindow.h"

#include <string>

#include "grid/qt/demo/DemoGrid.h"
#include "grid/win32/GridWnd.h"
#include "grid/win32/Win32Font.h"
#include "platform/WideText.h"
#include "platform/win32/Win32Api.h"

namespace {

constexpr wchar_t kClassName[] = L"TovamoGridDemo";
constexpr char kSeparator = ',';
constexpr int kRightRows = 40;
constexpr int kRightColumns = 5;
constexpr UINT kLeftId = 100;
constexpr UINT kRightId = 101;
constexpr UINT kSaveId = 102;
constexpr UINT kLoadId = 103;
// At 96 dots per inch; scaled to the window's DPI.
constexpr int kMargin = 6;
constexpr int kButtonHeight = 26;
constexpr int kButtonWidth = 170;
constexpr int kHeight = 480;

// A blank sheet with a header row and column, as wide as the left grid's columns.
void FillRightGrid(CGridCtrl& right, const CGridCtrl& left) {
    right.SetColumnCount(kRightColumns);
    right.SetRowCount(kRightRows);
    right.SetFixedRowCount(1);
    right.SetFixedColumnCount(1);
    for (int nCol = 0; nCol < kRightColumns; ++nCol) {
        right.SetItemText(0, nCol,
                          nCol == 0 ? std::string() : std::string(1, static_cast<char>('A' + nCol - 1)));
        right.SetColumnWidth(nCol, left.GetColumnWidth(std::min(nCol, left.GetColumnCount() - 1)));
    }
    for (int nRow = 1; nRow < kRightRows; ++nRow) {
        right.SetItemText(nRow, 0, std::to_string(nRow));
    }
}

// The file name the user chose, in UTF-8; empty when the dialog was cancelled.
std::string ChooseFile(HWND hOwner, bool bSave) {
    wchar_t szFile[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = L"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"txt";
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | (bSave ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL bChosen = bSave ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    return bChosen ? Utf8FromWide(szFile) : std::string();
}

HWND MakeButton(HWND hParent, const wchar_t* pszText, UINT nID) {
    return CreateWindowExW(0, L"BUTTON", pszText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0,
                           0, hParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)), nullptr, nullptr);
}

}  // namespace

HWND CDemoWindow::Create(HINSTANCE hInstance, CWin32SystemMetrics& metrics, int nDataRows) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &CDemoWindow::WindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
    wc.lpszClassName = kClassName;
    if (RegisterClassExW(&wc) == 0 || !CGridWnd::RegisterWindowClass(hInstance)) {
        return nullptr;
    }
    const HWND hWnd = CreateWindowExW(0, kClassName, L"Tovamo grid demo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 960, 520, nullptr, nullptr, hInstance, nullptr);
    if (hWnd == nullptr) {
        return nullptr;
    }
    // Owned by its window, freed when the window goes.
    auto* pThis = new CDemoWindow(hWnd, metrics);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pThis));
    pThis->Build(nDataRows);
    return hWnd;
}

void CDemoWindow::Build(int nDataRows) {
    m_metrics.SetDpi(WindowDpi(m_hWnd));
    m_hFont = HfontFromLogFont(m_metrics.GetMessageFont(), WindowDpi(m_hWnd));
    const RECT none = {0, 0, 10, 10};
    CGridWnd* pLeft = CGridWnd::Create(m_hWnd, none, kLeftId);
    CGridWnd* pRight = CGridWnd::Create(m_hWnd, none, kRightId);
    m_hSave = MakeButton(m_hWnd, L"&Save left grid...", kSaveId);
    m_hLoad = MakeButton(m_hWnd, L"&Load into right grid...", kLoadId);
    if (pLeft == nullptr || pRight == nullptr) {
        return;
    }
    m_hLeft = pLeft->GetHwnd();
    m_hRight = pRight->GetHwnd();
    for (const HWND hButton : {m_hSave, m_hLoad}) {
        SendMessageW(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    }
    pLeft->Attach(m_left);
    pRight->Attach(m_right);
    m_messageBox = CWin32MessageBox(m_hWnd);
    FillDemoGrid(m_left, nDataRows);
    FillRightGrid(m_right, m_left);
    for (CGridCtrl* pGrid : {&m_left, &m_right}) {
        pGrid->SetDragAndDrop(true);
        pGrid->SetMessageBox(&m_messageBox);
    }
    // The left grid's columns and bar whole; the right one gets two thirds of that.
    int nWidth = 4 * Scaled(kMargin) + GetSystemMetrics(SM_CXVSCROLL);
    for (int nCol = 0; nCol < m_left.GetColumnCount(); ++nCol) {
        nWidth += m_left.GetColumnWidth(nCol);
    }
    RECT rc = {0, 0, nWidth * 5 / 3, Scaled(kHeight)};
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER);
    Layout();
    SetFocus(m_hLeft);
}

void CDemoWindow::Layout() {
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    const int nMargin = Scaled(kMargin);
    const int nButtonWidth = Scaled(kButtonWidth);
    const int nButtonHeight = Scaled(kButtonHeight);
    const int nGridBottom = rc.bottom - 2 * nMargin - nButtonHeight;
    const int nLeftWidth = (rc.right - 3 * nMargin) * 3 / 5;
    MoveWindow(m_hLeft, nMargin, nMargin, nLeftWidth, nGridBottom - nMargin, TRUE);
    MoveWindow(m_hRight, 2 * nMargin + nLeftWidth, nMargin, rc.right - 3 * nMargin - nLeftWidth,
               nGridBottom - nMargin, TRUE);
    MoveWindow(m_hSave, nMargin, nGridBottom + nMargin, nButtonWidth, nButtonHeight, TRUE);
    MoveWindow(m_hLoad, 2 * nMargin + nButtonWidth, nGridBottom + nMargin, nButtonWidth, nButtonHeight, TRUE);
}

int CDemoWindow::Scaled(int nPixels) const {
    return MulDiv(nPixels, WindowDpi(m_hWnd), 96);
}

void CDemoWindow::SaveLeft() {
    const std::string strFile = ChooseFile(m_hWnd, true);
    if (!strFile.empty()) {
        m_left.Save(strFile, kSeparator);
    }
}

void CDemoWindow::LoadRight() {
    const std::string strFile = ChooseFile(m_hWnd, false);
    if (!strFile.empty()) {
        m_right.Load(strFile, kSeparator);
    }
}

LRESULT CALLBACK CDemoWindow::WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    auto* pThis = reinterpret_cast<CDemoWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pThis == nullptr) {
        return DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    if (nMsg == WM_NCDESTROY) {
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        delete pThis;
        return DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    return pThis->OnMessage(nMsg, wParam, lParam);
}

LRESULT CDemoWindow::OnMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    switch (nMsg) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kSaveId) {
                SaveLeft();
            } else if (LOWORD(wParam) == kLoadId) {
                LoadRight();
            }
            return 0;
        case WM_DPICHANGED: {
            // Moved to a screen of another DPI: the size the system suggests, the buttons'
            // font and the metrics for it; the grids hear of it themselves.
            const auto* pSuggested = reinterpret_cast<const RECT*>(lParam);
            m_metrics.SetDpi(HIWORD(wParam));
            const HFONT hOld = m_hFont;
            m_hFont = HfontFromLogFont(m_metrics.GetMessageFont(), HIWORD(wParam));
            for (const HWND hButton : {m_hSave, m_hLoad}) {
                SendMessageW(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
            }
            if (hOld != nullptr) {
                DeleteObject(hOld);
            }
            SetWindowPos(m_hWnd, nullptr, pSuggested->left, pSuggested->top,
                         pSuggested->right - pSuggested->left, pSuggested->bottom - pSuggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            // The grids read the desktop's values again once the metrics have them.
            m_metrics.Refresh();
            for (const HWND hGrid : {m_hLeft, m_hRight}) {
                SendMessageW(hGrid, nMsg, wParam, lParam);
            }
            break;
        case WM_DESTROY:
            // The grids go with this object: their windows let them go first.
            for (const HWND hGrid : {m_hLeft, m_hRight}) {
                if (CGridWnd* pGrid = CGridWnd::FromHandle(hGrid)) {
                    pGrid->Detach();
                }
            }
            if (m_hFont != nullptr) {
                DeleteObject(m_hFont);
            }
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_hWnd, nMsg, wParam, lParam);
}
