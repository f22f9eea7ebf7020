#include "app/win32/UpdateConfirmDlg.h"

#include "app/TablesPageLogic.h"
#include "app/win32/TablesPageDialogs.h"
#include "app/win32/TablesPageIds.h"
#include "platform/WideText.h"

#include <algorithm>
#include <utility>

#include "platform/win32/Win32Api.h"

namespace {
// A list's width in pixels: at least the template's, at most this, however long a line.
constexpr int kWidestList = 640;

CUpdateConfirmDlg::Hook& TestHook() {
    static CUpdateConfirmDlg::Hook hook;
    return hook;
}

INT_PTR CALLBACK ConfirmProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    switch (nMsg) {
        case WM_INITDIALOG: {
            auto* dialog = reinterpret_cast<CUpdateConfirmDlg*>(lParam);
            dialog->OnInitDialog(hWnd);
            if (TestHook()) {
                const bool bUpdate = TestHook()(*dialog);
                EndDialog(hWnd, bUpdate ? IDC_CONFIRM_UPDATE : IDCANCEL);
                return FALSE;
            }
            SetFocus(GetDlgItem(hWnd, IDCANCEL));
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_CONFIRM_UPDATE || LOWORD(wParam) == IDCANCEL) {
                EndDialog(hWnd, LOWORD(wParam));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

RECT WindowRectIn(HWND hWnd, HWND hParent) {
    RECT rect;
    GetWindowRect(hWnd, &rect);
    MapWindowPoints(HWND_DESKTOP, hParent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int DialogUnitsX(HWND hDlg, int nUnits) {
    RECT rect{0, 0, nUnits, 0};
    MapDialogRect(hDlg, &rect);
    return rect.right;
}

int DialogUnitsY(HWND hDlg, int nUnits) {
    RECT rect{0, 0, 0, nUnits};
    MapDialogRect(hDlg, &rect);
    return rect.bottom;
}

int TextWidth(HWND hList, const std::wstring& text) {
    HDC hDC = GetDC(hList);
    HGDIOBJ hOld = SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(hList, WM_GETFONT, 0, 0)));
    SIZE size{0, 0};
    GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(hDC, hOld);
    ReleaseDC(hList, hDC);
    return size.cx;
}
}  // namespace

bool CUpdateConfirmDlg::Confirm(const SUpdatePlan& plan, HWND parent) {
    CUpdateConfirmDlg dialog(plan);
    const INT_PTR nResult = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_UPDATE_CONFIRM),
                                            parent, ConfirmProc, reinterpret_cast<SysLPARAM>(&dialog));
    return nResult == IDC_CONFIRM_UPDATE;
}

CUpdateConfirmDlg::Hook CUpdateConfirmDlg::SetTestHook(Hook hook) {
    Hook previous = std::move(TestHook());
    TestHook() = std::move(hook);
    return previous;
}

HWND CUpdateConfirmDlg::Control(int nId) const {
    return GetDlgItem(m_hWnd, nId);
}

std::vector<std::string> CUpdateConfirmDlg::Lines(int nListId) const {
    std::vector<std::string> lines;
    HWND hList = Control(nListId);
    const int nCount = static_cast<int>(SendMessageW(hList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i) {
        std::wstring line(static_cast<std::size_t>(SendMessageW(hList, LB_GETTEXTLEN, i, 0)), L'\0');
        SendMessageW(hList, LB_GETTEXT, i, reinterpret_cast<SysLPARAM>(line.data()));
        lines.push_back(Utf8FromWide(line));
    }
    return lines;
}

std::string CUpdateConfirmDlg::Heading() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(Control(IDC_CONFIRM_HEADING))), L'\0');
    GetWindowTextW(Control(IDC_CONFIRM_HEADING), text.data(), static_cast<int>(text.size()) + 1);
    return Utf8FromWide(text);
}

void CUpdateConfirmDlg::OnInitDialog(HWND hWnd) {
    m_hWnd = hWnd;
    SetWindowTextW(Control(IDC_CONFIRM_HEADING),
                   WideFromUtf8(UpdateConfirmHeading(m_plan.changes.size())).c_str());
    SetWindowTextW(Control(IDC_CONFIRM_UPDATE), WideFromUtf8(kConfirmUpdateButton).c_str());
    SetWindowTextW(Control(IDC_CONFIRM_LEFT_ALONE_LABEL), WideFromUtf8(kLeftAloneLabel).c_str());
    std::vector<std::string> changes;
    for (const SPlannedChange& change : m_plan.changes)
        changes.push_back(PlanChangeUtf8(change));
    std::vector<std::string> leftAlone;
    for (const SPlannedSkip& skip : m_plan.leftAlone)
        leftAlone.push_back(PlanSkipUtf8(skip));
    const int nChangesWidth = FillList(IDC_CONFIRM_CHANGES, changes);
    const int nLeftAloneWidth = FillList(IDC_CONFIRM_LEFT_ALONE, leftAlone);
    m_nListWidth = std::max(nChangesWidth, nLeftAloneWidth);
    LayOut(static_cast<int>(changes.size()), static_cast<int>(leftAlone.size()));
}

// Returns the width the longest line needs, in pixels.
int CUpdateConfirmDlg::FillList(int nListId, const std::vector<std::string>& lines) const {
    HWND hList = Control(nListId);
    int nWidest = 0;
    for (const std::string& line : lines) {
        const std::wstring wide = WideFromUtf8(line);
        SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<SysLPARAM>(wide.c_str()));
        nWidest = std::max(nWidest, TextWidth(hList, wide));
    }
    // Lines wider than the list scroll sideways.
    SendMessageW(hList, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(nWidest + 8), 0);
    return nWidest;
}

namespace {
// Places a control at (x, y) with the given size and shows it.
void Place(HWND hControl, int x, int y, int nWidth, int nHeight) {
    SetWindowPos(hControl, nullptr, x, y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace

// The controls one under another at the template's margins; a list with no lines is
// left out with its label.
void CUpdateConfirmDlg::LayOut(int nChanges, int nLeftAlone) {
    const int nMargin = DialogUnitsX(m_hWnd, 7);
    const int nGap = DialogUnitsY(m_hWnd, 4);
    HWND hChanges = Control(IDC_CONFIRM_CHANGES);
    const RECT list = WindowRectIn(hChanges, m_hWnd);
    // The list's border alone, whatever scroll bars it shows now.
    RECT border{0, 0, 0, 0};
    AdjustWindowRectEx(
        &border, static_cast<DWORD>(GetWindowLongPtrW(hChanges, GWL_STYLE) & ~(WS_VSCROLL | WS_HSCROLL)),
        FALSE, static_cast<DWORD>(GetWindowLongPtrW(hChanges, GWL_EXSTYLE)));
    const int nFrame = border.right - border.left;
    const int nScrollBar =
        std::max(nChanges, nLeftAlone) > kConfirmListRows ? SysGetSystemMetrics(SM_CXVSCROLL) : 0;
    const int nWidth = std::clamp(m_nListWidth + nFrame + nScrollBar + 8,
                                  static_cast<int>(list.right - list.left), kWidestList);
    const int nItemHeight = static_cast<int>(SendMessageW(hChanges, LB_GETITEMHEIGHT, 0, 0));
    const auto listHeight = [&](int nLines) {
        return nItemHeight * std::clamp(nLines, 1, kConfirmListRows) + nFrame;
    };

    const RECT heading = WindowRectIn(Control(IDC_CONFIRM_HEADING), m_hWnd);
    const int nLabelHeight = heading.bottom - heading.top;
    int y = heading.top;
    Place(Control(IDC_CONFIRM_HEADING), nMargin, y, nWidth, nLabelHeight);
    y += nLabelHeight + nGap / 2;
    if (nChanges > 0) {
        Place(hChanges, nMargin, y, nWidth, listHeight(nChanges));
        y += listHeight(nChanges) + nGap;
    } else {
        ShowWindow(hChanges, SW_HIDE);
    }
    if (nLeftAlone > 0) {
        Place(Control(IDC_CONFIRM_LEFT_ALONE_LABEL), nMargin, y, nWidth, nLabelHeight);
        y += nLabelHeight + nGap / 2;
        Place(Control(IDC_CONFIRM_LEFT_ALONE), nMargin, y, nWidth, listHeight(nLeftAlone));
        y += listHeight(nLeftAlone) + nGap;
    } else {
        ShowWindow(Control(IDC_CONFIRM_LEFT_ALONE_LABEL), SW_HIDE);
        ShowWindow(Control(IDC_CONFIRM_LEFT_ALONE), SW_HIDE);
    }
    const RECT button = WindowRectIn(Control(IDCANCEL), m_hWnd);
    const int nButtonWidth = button.right - button.left;
    const int nButtonHeight = button.bottom - button.top;
    const int nRight = nMargin + nWidth;
    Place(Control(IDCANCEL), nRight - nButtonWidth, y, nButtonWidth, nButtonHeight);
    Place(Control(IDC_CONFIRM_UPDATE), nRight - 2 * nButtonWidth - DialogUnitsX(m_hWnd, 4), y, nButtonWidth,
          nButtonHeight);

    RECT frame{0, 0, nRight + nMargin, y + nButtonHeight + DialogUnitsY(m_hWnd, 7)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)));
    SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    CentreOnOwner(m_hWnd);
}
