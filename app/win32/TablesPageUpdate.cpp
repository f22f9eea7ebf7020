// The Table page around an update: the confirmation and the snapshot before it, "Mark
// Differing", and afterwards each marked row's outcome as the cell's tip and the report
// in the grid's context menu. What each of them decides is the table logic's.

// The core's headers before those that bring in the system's.
#include "app/Resources.h"
#include "platform/WideText.h"
#include "table/Tables.h"
#include "table/UpdatePlan.h"

#include "app/win32/TablesPage.h"
#include "app/win32/TablesPageIds.h"
#include "app/win32/UpdateConfirmDlg.h"

#include "platform/win32/Win32Api.h"

namespace {
constexpr UINT_PTR kGridSubclassId = 1;

LRESULT CALLBACK GridSubclassProc(HWND hGrid, UINT nMsg, WPARAM wParam, SysLPARAM lParam, UINT_PTR /*nId*/,
                                  DWORD_PTR dwPage) {
    if (nMsg == WM_MOUSEMOVE)
        reinterpret_cast<CTablesPage*>(dwPage)->OnGridMouseMove(static_cast<short>(LOWORD(lParam)),
                                                                static_cast<short>(HIWORD(lParam)));
    if (nMsg == WM_NCDESTROY)
        RemoveWindowSubclass(hGrid, GridSubclassProc, kGridSubclassId);
    return DefSubclassProc(hGrid, nMsg, wParam, lParam);
}

// A tool over a whole child window of the page.
TTTOOLINFOW ToolOf(HWND hPage, HWND hChild, const wchar_t* pszText) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hPage;
    tool.uId = reinterpret_cast<UINT_PTR>(hChild);
    tool.lpszText = const_cast<wchar_t*>(pszText);
    return tool;
}
}  // namespace

// The user sees what will change and says so; then the drive's values as read are saved,
// before the first key of the update. A snapshot that cannot be written stops it there.
void CTablesPage::StartUpdate() {
    HWND hSheet = GetAncestor(GetSafeHwnd(), GA_ROOT);
    const auto confirm = [hSheet](const SUpdatePlan& plan) {
        return CUpdateConfirmDlg::Confirm(plan, hSheet);
    };
    m_pLogic->StartUpdate(confirm, m_messages);
}

// The same report as `tovamo-cli update --report`, of the last update on this page (its
// outcomes stay until the table is read again or cleared).
void CTablesPage::SaveReport() {
    const std::optional<std::string> path =
        m_chooser.GetSaveFileName(kReportFilter, kReportFileName, kReportExtension);
    if (!path)
        return;
    const std::string strError = m_pLogic->SaveReport(*path);
    if (!strError.empty())
        m_messages.ShowMessage(strError);
}

// "Save Report..." at the pointer, or at the grid's top left corner from the keyboard.
void CTablesPage::ShowGridMenu(int x, int y) {
    if (x == -1 && y == -1) {
        POINT corner{0, 0};
        ClientToScreen(Control(IDC_TABLES_GRID), &corner);
        x = corner.x;
        y = corner.y;
    }
    HMENU hMenu = CreatePopupMenu();
    AppendMenuW(hMenu, MF_STRING | (m_pTables->HasOutcomes() ? MF_ENABLED : MF_GRAYED), IDM_SAVE_REPORT,
                WideFromUtf8(res::kSaveReport).c_str());
    TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, GetSafeHwnd(), nullptr);
    DestroyMenu(hMenu);
}

// One tool over the whole grid, whose text follows the cell under the pointer.
void CTablesPage::CreateOutcomeTip() {
    HWND hGrid = Control(IDC_TABLES_GRID);
    m_hTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetSafeHwnd(),
                             nullptr, AppInstance(), nullptr);
    if (m_hTip == nullptr || hGrid == nullptr)
        return;
    // The status line and the file name tell the whole path of the snapshot and the file.
    for (HWND hTool : {hGrid, Control(IDC_TABLES_STATUS), Control(IDC_TABLES_FILE_NAME)}) {
        TTTOOLINFOW tool = ToolOf(GetSafeHwnd(), hTool, L"");
        SendMessageW(m_hTip, TTM_ADDTOOLW, 0, reinterpret_cast<SysLPARAM>(&tool));
    }
    SetWindowSubclass(hGrid, GridSubclassProc, kGridSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

// The grid's window no longer tells this page of the pointer.
void CTablesPage::StopOutcomeTip() {
    RemoveWindowSubclass(Control(IDC_TABLES_GRID), GridSubclassProc, kGridSubclassId);
}

// Over an "Update from File" cell with an outcome, the tip gives the outcome's words; a
// tip of another cell does not stay over this one.
void CTablesPage::OnGridMouseMove(int x, int y) {
    const char* pszTip = m_pLogic->OutcomeTip(m_pTables->GetGrid().GetCellFromPoint(CPoint(x, y)));
    const std::string strTip = pszTip != nullptr ? pszTip : "";
    if (strTip == m_strTip || m_hTip == nullptr)
        return;
    m_strTip = strTip;
    SendMessageW(m_hTip, TTM_POP, 0, 0);
    const std::wstring text = WideFromUtf8(strTip);
    TTTOOLINFOW tool = ToolOf(GetSafeHwnd(), Control(IDC_TABLES_GRID), text.c_str());
    SendMessageW(m_hTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<SysLPARAM>(&tool));
}

void CTablesPage::SetControlTip(int nId, const std::string& strTip) {
    const std::wstring text = WideFromUtf8(strTip);
    TTTOOLINFOW tool = ToolOf(GetSafeHwnd(), Control(nId), text.c_str());
    SendMessageW(m_hTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<SysLPARAM>(&tool));
}
