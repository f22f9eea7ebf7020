// Find and the filter of the Table page: the decisions are CTablesPageLogic's and the
// toolkit-free helpers' (table/FindRows.h, table/RowFilter.h); here keys and switches
// reach them.

// The core's headers before those that bring in the system's.
#include "table/Tables.h"

#include "app/win32/TablesPage.h"
#include "app/win32/TablesPageIds.h"
#include "platform/win32/WideCp1252.h"

#include "platform/win32/Win32Api.h"

namespace {
constexpr int kVkAlt = 0x12;
constexpr int kVkLeftWindows = 0x5B;
constexpr int kVkRightWindows = 0x5C;

bool IsDown(int nVirtualKey) {
    return GetKeyState(nVirtualKey) < 0;
}

unsigned HeldModifiers() {
    unsigned nModifiers = kModNone;
    nModifiers |= IsDown(static_cast<int>(VK_SHIFT)) ? kModShift : kModNone;
    nModifiers |= IsDown(static_cast<int>(VK_CONTROL)) ? kModControl : kModNone;
    nModifiers |= IsDown(kVkAlt) ? kModAlt : kModNone;
    nModifiers |= IsDown(kVkLeftWindows) || IsDown(kVkRightWindows) ? kModMeta : kModNone;
    return nModifiers;
}
}  // namespace

bool CTablesPage::IsFindFieldOpen() const {
    return IsWindowVisible(Control(IDC_FIND_EDIT)) != FALSE;
}

void CTablesPage::ShowFindField() {
    if (!IsFindFieldOpen()) {
        ShowWindow(Control(IDC_FIND_LABEL), SW_SHOW);
        ShowWindow(Control(IDC_FIND_EDIT), SW_SHOW);
        LayOut();
    }
    SetFocus(Control(IDC_FIND_EDIT));
    SendMessageW(Control(IDC_FIND_EDIT), EM_SETSEL, 0, -1);
}

void CTablesPage::CloseFindField() {
    ShowWindow(Control(IDC_FIND_LABEL), SW_HIDE);
    ShowWindow(Control(IDC_FIND_EDIT), SW_HIDE);
    LayOut();
    SetFocus(Control(IDC_TABLES_GRID));
}

// The grid's focus moves to the match; the keyboard stays in the find field. A
// character outside Windows-1252 is '?', as in the table's texts.
void CTablesPage::FindStep(EFindStep eStep) {
    HWND hEdit = Control(IDC_FIND_EDIT);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hEdit)), L'\0');
    GetWindowTextW(hEdit, text.data(), static_cast<int>(text.size()) + 1);
    if (m_pLogic->FindAndFocus(Cp1252FromWide(text), eStep))
        InvalidateRect(Control(IDC_TABLES_GRID), nullptr, FALSE);
}

bool CTablesPage::OnFindKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    const EFindKey eAction = FindKeyAction(static_cast<std::uint32_t>(msg.wParam), HeldModifiers(),
                                           GetFocus() == Control(IDC_FIND_EDIT),
                                           GetWindowTextLengthW(Control(IDC_FIND_EDIT)) == 0);
    switch (eAction) {
        case EFindKey::kNone:
            return false;
        case EFindKey::kOpen:
            ShowFindField();
            break;
        case EFindKey::kNext:
            FindStep(EFindStep::kNext);
            break;
        case EFindKey::kPrevious:
            FindStep(EFindStep::kPrevious);
            break;
        case EFindKey::kClose:
            CloseFindField();
            break;
    }
    return true;
}

// Only keys for the page's own windows; the key is then neither translated nor
// dispatched, so no character follows it and no default button takes it.
bool CTablesPage::PreTranslatePageMessage(MSG* pMsg) {
    if (pMsg->hwnd != GetSafeHwnd() && !IsChild(GetSafeHwnd(), pMsg->hwnd))
        return false;
    return OnFindKey(*pMsg);
}

// Applied again after every refresh, since a read or a file changes which rows differ;
// the count goes to the status line only when the user turns the filter on or off.
void CTablesPage::ApplyFilter(bool bShowCount) {
    if (m_pLogic->ApplyFilter(IsChecked(IDC_ONLY_DIFFERING), bShowCount))
        InvalidateRect(Control(IDC_TABLES_GRID), nullptr, FALSE);
}
