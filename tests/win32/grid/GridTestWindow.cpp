#include "GridTestWindow.h"

#include <gtest/gtest.h>

#include <string_view>

#include "platform/win32/Win32Api.h"

namespace {

// A dialog template in memory: the words of DLGTEMPLATE and its items.
class CTemplateWriter {
public:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(std::wstring_view text) {
        for (const wchar_t ch : text) {
            Word(static_cast<WORD>(ch));
        }
        Word(0);
    }
    void AlignDword() {
        if (m_words.size() % 2 != 0) {
            Word(0);
        }
    }
    void Item(DWORD dwStyle, short x, short y, short cx, short cy, WORD nID, std::wstring_view className) {
        AlignDword();
        Dword(dwStyle | WS_CHILD | WS_VISIBLE);
        Dword(0);
        for (const short n : {x, y, cx, cy}) {
            Word(static_cast<WORD>(n));
        }
        Word(nID);
        Text(className);
        Text(L"");
        Word(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    std::vector<WORD> m_words;
};

INT_PTR CALLBACK TestDialogProc(HWND, UINT nMsg, WPARAM, SysLPARAM) {
    return nMsg == WM_INITDIALOG ? TRUE : FALSE;
}

HWND MakeDialog() {
    CTemplateWriter writer;
    writer.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT);
    writer.Dword(0);
    writer.Word(2);  // items
    for (const short n : {10, 10, 300, 250}) {
        writer.Word(static_cast<WORD>(n));
    }
    writer.Word(0);  // no menu
    writer.Word(0);  // the dialog class
    writer.Text(L"Grid window test");
    writer.Word(9);
    writer.Text(L"Arial");
    writer.Item(WS_TABSTOP | WS_BORDER, 0, 0, 200, 130, CGridTestWindow::kGridId, L"TovamoGrid");
    writer.Item(WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, 140, 60, 14, CGridTestWindow::kOtherId, L"EDIT");
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), writer.Get(), nullptr, &TestDialogProc, 0);
}

}  // namespace

CGridTestWindow::CGridTestWindow(int nRows, int nCols, int nWidth, int nHeight) {
    EXPECT_TRUE(CGridWnd::RegisterWindowClass(GetModuleHandleW(nullptr)));
    // One dialog for every test: Wine without a window manager takes seconds to hide one.
    static const HWND s_hDlg = MakeDialog();
    m_hDlg = s_hDlg;
    EXPECT_NE(m_hDlg, nullptr);
    m_hGrid = GetDlgItem(m_hDlg, kGridId);
    m_hOther = GetDlgItem(m_hDlg, kOtherId);
    m_pWnd = CGridWnd::FromHandle(m_hGrid);
    EXPECT_NE(m_pWnd, nullptr);
    EXPECT_EQ(CGridWnd::FromHandle(m_hOther), nullptr);
    SetWindowPos(m_hDlg, nullptr, 0, 0, nWidth + 40, nHeight + 100, SWP_NOMOVE | SWP_NOZORDER);
    MoveWindow(m_hGrid, 0, 0, nWidth, nHeight, TRUE);
    MoveWindow(m_hOther, 0, nHeight + 10, 100, 24, TRUE);
    m_pWnd->Attach(m_grid);
    m_grid.SetRowCount(nRows);
    m_grid.SetColumnCount(nCols);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    // Narrow enough for four columns in the window at any DPI.
    for (int nCol = 0; nCol < nCols; ++nCol) {
        m_grid.SetColumnWidth(nCol, 60);
    }
    for (int nRow = 0; nRow < nRows && nRow < 200; ++nRow) {
        for (int nCol = 0; nCol < nCols; ++nCol) {
            m_grid.SetItemText(nRow, nCol, std::to_string(nRow) + "," + std::to_string(nCol));
        }
    }
    SetForegroundWindow(m_hDlg);
    SetFocus(m_hGrid);
    Pump();
}

// The window lets the grid go (editors still open report to it first) and waits for
// the next test's grid.
CGridTestWindow::~CGridTestWindow() {
    if (CGridWnd::FromHandle(m_hGrid) == m_pWnd) {
        m_pWnd->Detach();
    }
    SetFocus(m_hOther);
    Pump();
}

void CGridTestWindow::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void CGridTestWindow::Key(HWND hWnd, UINT nKey, bool bShift, bool bCtrl) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = bShift ? 0x80 : 0;
    state[VK_CONTROL] = bCtrl ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageW(hWnd, WM_KEYDOWN, nKey, 1);
    state[VK_SHIFT] = 0;
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
}

void CGridTestWindow::DialogKey(UINT nKey, bool bShift) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = bShift ? 0x80 : 0;
    SetKeyboardState(state);
    MSG msg{};
    msg.hwnd = GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = nKey;
    msg.lParam = 1;
    if (!IsDialogMessageW(m_hDlg, &msg)) {
        DispatchMessageW(&msg);
    }
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
    Pump();
}

void CGridTestWindow::Char(HWND hWnd, wchar_t ch) {
    SendMessageW(hWnd, WM_CHAR, ch, 1);
}

void CGridTestWindow::Mouse(UINT nMsg, CPoint point, WPARAM nFlags) const {
    SendMessageW(m_hGrid, nMsg, nFlags, MAKELPARAM(point.x, point.y));
}

void CGridTestWindow::Click(CPoint point, WPARAM nFlags) const {
    Mouse(WM_LBUTTONDOWN, point, nFlags | MK_LBUTTON);
    Mouse(WM_LBUTTONUP, point, nFlags);
}

CRect CGridTestWindow::CellRect(int nRow, int nCol) const {
    CRect rect;
    EXPECT_TRUE(m_grid.GetCellRect(nRow, nCol, &rect)) << nRow << "," << nCol;
    return rect;
}

CPoint CGridTestWindow::CellCentre(int nRow, int nCol) const {
    const CRect rect = CellRect(nRow, nCol);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

CGridCellCombo* CGridTestWindow::MakeCombo(int nRow, int nCol, std::vector<std::string> options,
                                           std::uint32_t dwStyle) {
    m_grid.SetCellType(nRow, nCol, RUNTIME_CLASS(CGridCellCombo));
    auto* pCell = static_cast<CGridCellCombo*>(m_grid.GetCell(nRow, nCol));
    pCell->SetOptions(options);
    pCell->SetStyle(dwStyle);
    return pCell;
}

void CGridTestWindow::StartEdit(int nRow, int nCol, const std::string& strText, std::uint32_t nChar) {
    m_grid.SetItemText(nRow, nCol, strText);
    m_grid.SetFocusCell(nRow, nCol);
    m_grid.OnEditCell(nRow, nCol, CPoint(-1, -1), nChar);
}

COLORREF CGridTestWindow::PixelAt(CPoint point) const {
    const HDC hDC = GetDC(m_hGrid);
    const SysCOLORREF cr = GetPixel(hDC, point.x, point.y);
    ReleaseDC(m_hGrid, hDC);
    return static_cast<COLORREF>(cr);
}
