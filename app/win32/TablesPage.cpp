// The core's headers before those that bring in the system's.
#include "app/DialogLayout.h"
#include "app/Resources.h"
#include "link/KeyWriter.h"
#include "platform/RegistrySettings.h"
#include "platform/WideText.h"
#include "table/Tables.h"

#include "grid/win32/GridWnd.h"

#include "app/win32/TablesPage.h"
#include "app/win32/TablesPageIds.h"
#include "app/win32/WindowDpi.h"

#include "platform/win32/Win32Api.h"

// The resource script's numbers are the program's.
static_assert(IDD_TABLES == res::kIddTablePage && IDC_TABLES_GRID == res::kIdGrid &&
              IDC_TABLES_GRID == CTables::kGridId);
static_assert(IDC_READ_DRIVE == res::kIdReadDrive && IDC_DRIVE_TO_FILE == res::kIdDriveToFile &&
              IDC_READ_FILE == res::kIdReadFile && IDC_UPDATE_DRIVE == res::kIdUpdateDrive &&
              IDC_CLEAR_TABLE == res::kIdClearTable && IDC_FILE_TO_NEW_FILE == res::kIdFileToNewFile);
static_assert(IDC_TABLES_STOP == res::kIdStop && IDC_MARK_DIFFERING == res::kIdMarkDiffering &&
              IDC_TABLES_FILE_NAME == res::kIdFileName && IDC_ONLY_DIFFERING == res::kIdOnlyDiffering &&
              IDC_COMPARE_NUMBERS == res::kIdCompareNumbers && IDC_VERIFY_AFTER_UPDATE == res::kIdVerify &&
              IDC_TABLES_STATUS == res::kIdStatus && IDC_TABLES_PROGRESS == res::kIdProgress &&
              IDC_FIND_LABEL == res::kIdFindLabel && IDC_FIND_EDIT == res::kIdFind);

namespace {
// The page's dialog units as the layout counts them.
SDialogScale DialogScale(HWND hWnd) {
    RECT base{0, 0, 4, 8};
    MapDialogRect(hWnd, &base);
    return {base.right, base.bottom};
}
}  // namespace

CTablesPage::CTablesPage(IKeyWriter& writer)
    : CMyCPropertyPage(IDD_TABLES), m_timers([this](unsigned handle) { m_pTables->OnTimer(handle); }) {
    STablesServices services;
    services.pTickCount = &m_tick;
    services.pTimerHost = &m_timers;
    services.pKeyWriter = &writer;
    services.pMessageBox = &m_messages;
    services.pFileChooser = &m_chooser;
    services.pWaitCursor = &m_cursor;
    services.pView = this;
    m_pTables = std::make_unique<CTables>(services);
    m_pLogic = std::make_unique<CTablesPageLogic>(*m_pTables, m_tick, static_cast<ITablesPageView&>(*this));
    // The template's control 1006 is a window of the grid's class.
    CGridWnd::RegisterWindowClass(AppInstance());
}

// The grid's window lets the grid go before the core that owns it does.
CTablesPage::~CTablesPage() {
    DetachGrid();
}

void CTablesPage::DetachGrid() {
    if (m_pGridWnd == nullptr)
        return;
    StopOutcomeTip();
    m_pGridWnd->Detach();
    m_pGridWnd = nullptr;
}

HWND CTablesPage::Control(int nId) const {
    return GetDlgItem(GetSafeHwnd(), nId);
}

std::string CTablesPage::ControlText(int nId) const {
    HWND hControl = Control(nId);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hControl)), L'\0');
    GetWindowTextW(hControl, text.data(), static_cast<int>(text.size()) + 1);
    return Utf8FromWide(text);
}

bool CTablesPage::IsChecked(int nId) const {
    return IsDlgButtonChecked(GetSafeHwnd(), nId) == BST_CHECKED;
}

void CTablesPage::SetText(int nId, const std::string& strUtf8) {
    SetWindowTextW(Control(nId), WideFromUtf8(strUtf8).c_str());
}

void CTablesPage::Enable(int nId, bool bEnable) {
    EnableWindow(Control(nId), bEnable ? TRUE : FALSE);
}

// The grid's window is attached before the set-up, so the set-up's column widths stand;
// attaching gives the grid the dialog's font, as every control of a dialog writes in it
// (described at 96 DPI; the window draws it at its own). Message boxes and file dialogs
// belong to the sheet, the window the user works in.
void CTablesPage::OnInitDialog() {
    HWND hSheet = GetAncestor(GetSafeHwnd(), GA_ROOT);
    m_messages = CWin32MessageBox(hSheet);
    m_dialogs = CProgramFileChooser(hSheet);
    m_pGridWnd = CGridWnd::FromHandle(Control(IDC_TABLES_GRID));
    if (m_pGridWnd != nullptr)
        m_pGridWnd->Attach(m_pTables->GetGrid());
    m_pTables->OnInitDialog();
    ScaleColumns(kBaseDpi, DpiOfWindow(GetSafeHwnd()));
    InitSwitches();
    CreateOutcomeTip();
    LayOut();
}

// The switches the settings keep start as they were left (or as their default).
void CTablesPage::InitSwitches() {
    for (const SPageSwitch& entry : kTablesSwitches) {
        const bool bChecked = entry.pszEntry != nullptr
                                  ? ReadRegistryInt(entry.pszEntry, entry.bDefault ? 1 : 0) != 0
                                  : entry.bDefault;
        CheckDlgButton(GetSafeHwnd(), entry.nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
    }
    m_pLogic->SetCompareNumbers(IsChecked(IDC_COMPARE_NUMBERS), false);
}

void CTablesPage::OnSwitch(int nId) {
    for (const SPageSwitch& entry : kTablesSwitches)
        if (entry.nId == nId && entry.pszEntry != nullptr)
            WriteRegistryInt(entry.pszEntry, IsChecked(nId) ? 1 : 0);
    if (nId == IDC_ONLY_DIFFERING)
        ApplyFilter(true);
    else if (nId == IDC_COMPARE_NUMBERS &&
             m_pLogic->SetCompareNumbers(IsChecked(nId), IsChecked(IDC_ONLY_DIFFERING)))
        RepaintGrid();
}

// The columns' widths are pixels at 96 DPI; on a screen of more, they widen with the
// font, and a move to a screen of another DPI keeps the widths the user gave them.
void CTablesPage::ScaleColumns(unsigned nFromDpi, unsigned nToDpi) {
    m_nDpi = nToDpi;
    if (nFromDpi == nToDpi || nFromDpi == 0)
        return;
    CGridCtrl& grid = m_pTables->GetGrid();
    for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol)
        grid.SetColumnWidth(
            nCol, MulDiv(grid.GetColumnWidth(nCol), static_cast<int>(nToDpi), static_cast<int>(nFromDpi)));
    RepaintGrid();
}

void CTablesPage::RepaintGrid() {
    InvalidateRect(Control(IDC_TABLES_GRID), nullptr, FALSE);
}

void CTablesPage::OnCommand(int nId, int nCode) {
    if (nId == IDC_FIND_EDIT) {
        if (nCode == EN_CHANGE)
            FindStep(EFindStep::kHere);
        return;
    }
    if (nCode != BN_CLICKED)
        return;
    switch (nId) {
        case IDC_READ_DRIVE:
            return m_pLogic->StartRead(false);
        case IDC_DRIVE_TO_FILE:
            return m_pTables->OnDriveToFile();
        case IDC_READ_FILE:
            return ReadFile();
        case IDC_UPDATE_DRIVE:
            return StartUpdate();
        case IDC_CLEAR_TABLE:
            m_pLogic->ClearTable();
            SetControlTip(IDC_TABLES_FILE_NAME, {});
            return SetText(IDC_TABLES_FILE_NAME, {});
        case IDC_FILE_TO_NEW_FILE:
            return m_pTables->OnFileToNewFile();
        case IDC_TABLES_STOP:
            return StopProcedure();
        case IDC_MARK_DIFFERING:
            return m_pLogic->MarkDiffering();
        case IDC_ONLY_DIFFERING:
        case IDC_COMPARE_NUMBERS:
        case IDC_VERIFY_AFTER_UPDATE:
            return OnSwitch(nId);
        case IDM_SAVE_REPORT:
            return SaveReport();
        default:
            return;
    }
}

bool CTablesPage::OnMessage(UINT message, WPARAM wParam, SysLPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return true;
        case WM_SETCURSOR:
            // The hourglass stays over the page while a procedure runs.
            if (!CWin32WaitCursor::RestoreForSetCursor())
                return false;
            SetWindowLongPtrW(GetSafeHwnd(), DWLP_MSGRESULT, TRUE);
            result = TRUE;
            return true;
        case WM_CONTEXTMENU:
            if (m_pGridWnd == nullptr || reinterpret_cast<HWND>(wParam) != Control(IDC_TABLES_GRID))
                return false;
            ShowGridMenu(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return true;
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            // The sheet tells its pages; the grid takes the desktop's colours and metrics.
            SendMessageW(Control(IDC_TABLES_GRID), message, wParam, lParam);
            return false;
        case WM_DPICHANGED_AFTERPARENT:
            ScaleColumns(m_nDpi, DpiOfWindow(GetSafeHwnd()));
            return false;
        case WM_DESTROY:
            // The grid's window goes with the page's; the grid stays with CTables.
            DetachGrid();
            return false;
        default:
            return false;
    }
}

void CTablesPage::OnSize(int /*cx*/, int /*cy*/) {
    LayOut();
}

// The logic's layout: the template's places grown by the extra room, the find row and
// the progress bar where they are shown.
void CTablesPage::LayOut() {
    RECT client;
    GetClientRect(GetSafeHwnd(), &client);
    const std::map<int, CRect> rects =
        TablesPageRects(DialogScale(GetSafeHwnd()), {client.right, client.bottom}, IsFindFieldOpen(),
                        IsWindowVisible(Control(IDC_TABLES_PROGRESS)) != FALSE);
    for (const auto& [nId, rect] : rects)
        MoveWindow(Control(nId), rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

// "Stop", and the questions' Yes: the logic leaves a value being stepped with Escape.
void CTablesPage::StopProcedure() {
    m_pTables->OnStop();
}

void CTablesPage::OnPageData(std::unique_ptr<CServoData> record) {
    m_pTables->OnServoData(std::move(record));
    m_pLogic->OnRecordHandled();
}

bool CTablesPage::ContinueModal() {
    m_pTables->ContinueModal();
    m_pLogic->OnContinueModal();
    return CMyCPropertyPage::ContinueModal();
}

void CTablesPage::OnButtonsChanged(const STablesButtons& /*buttons*/) {
    for (const int nId : {IDC_DRIVE_TO_FILE, IDC_UPDATE_DRIVE, IDC_FILE_TO_NEW_FILE})
        Enable(nId, m_pLogic->IsButtonEnabled(nId));
}

void CTablesPage::OnGridRedraw() {
    ApplyFilter(false);
    RedrawWindow(Control(IDC_TABLES_GRID), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CTablesPage::OnProcedureEnded(ETablesEnd how) {
    if (m_pLogic->OnProcedureEnded(how, IsChecked(IDC_VERIFY_AFTER_UPDATE)))
        m_pLogic->StartRead(true);  // what the drive holds now, compared with the file
}
