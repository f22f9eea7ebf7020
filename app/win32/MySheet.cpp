#include "app/win32/MySheet.h"

#include "app/SheetRouting.h"
#include "app/win32/EditParam.h"
#include "app/win32/Globals.h"
#include "app/win32/ResourceText.h"
#include "app/win32/TablesPage.h"
#include "app/win32/resource.h"
#include "link/Hardware.h"

#include "platform/win32/Win32Api.h"

namespace {
constexpr UINT_PTR kModalTimerId = 1;
}  // namespace

CMySheet::CMySheet(CHardware& hardware) : m_Hardware(hardware) {}

CMySheet::~CMySheet() {
    EndModalLoop();
}

void CMySheet::AddStandardPages() {
    AddPage(std::make_unique<CEditParam>(m_Hardware));
    AddPage(std::make_unique<CTablesPage>(m_Hardware));
}

void CMySheet::AddPage(std::unique_ptr<CMyCPropertyPage> page) {
    m_pages.push_back(std::move(page));
}

CMyCPropertyPage* CMySheet::GetPage(int nIndex) const {
    return nIndex >= 0 && nIndex < GetPageCount() ? m_pages[nIndex].get() : nullptr;
}

CMyCPropertyPage* CMySheet::GetActivePage() const {
    return GetPage(m_nActive);
}

INT_PTR CMySheet::DoModal(HWND hOwner) {
    if (m_pages.empty())
        AddStandardPages();
    m_hWnd = ::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(IDD_SHEET), hOwner, &DialogProc,
                                  reinterpret_cast<SysLPARAM>(this));
    if (m_hWnd == nullptr)
        return -1;
    if (hOwner != nullptr)
        ::EnableWindow(hOwner, FALSE);
    ::ShowWindow(m_hWnd, SW_SHOW);
    m_bRunning = true;
    MSG msg;
    while (m_bRunning) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            break;
        }
        if (got == -1)
            break;
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    // The owner comes back before the sheet goes, so that it is activated again.
    if (hOwner != nullptr)
        ::EnableWindow(hOwner, TRUE);
    EndModalLoop();
    return IDCANCEL;
}

// Stops the records and the link news, then the window goes (the pages' with it).
void CMySheet::EndModalLoop() {
    m_bRunning = false;
    if (m_hWnd == nullptr)
        return;
    ::KillTimer(m_hWnd, kModalTimerId);
    m_Hardware.SetLinkStateListener(nullptr);
    m_LinkState.Detach();
    m_Poster.Detach();
    const HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    ::DestroyWindow(hWnd);
}

INT_PTR CALLBACK CMySheet::DialogProc(HWND hWnd, UINT message, WPARAM wParam, SysLPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* sheet = reinterpret_cast<CMySheet*>(lParam);
        ::SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(sheet));
        sheet->m_hWnd = hWnd;
    }
    auto* sheet = reinterpret_cast<CMySheet*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    if (sheet == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY)
        ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
    return sheet->HandleMessage(message, wParam, lParam);
}

INT_PTR CMySheet::HandleMessage(UINT message, WPARAM wParam, SysLPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is set by ShowPage
        case WM_SERVODATA:
            // A record goes to the active page only; with no page it is deleted here.
            RouteRecord(GetActivePage(), CServoDataPoster::TakeRecord(wParam));
            return TRUE;
        case CLinkStateLine::WM_LINKSTATE:
            m_LinkState.ShowNews();
            return TRUE;
        case WM_TIMER:
            if (wParam == kModalTimerId) {
                RouteContinueModal(GetActivePage());
                return TRUE;
            }
            return FALSE;
        case WM_COMMAND:
            // Only Cancel: Enter (IDOK) presses nothing, as the sheet has no OK button.
            if (LOWORD(wParam) == IDCANCEL)
                OnCancel();
            return TRUE;
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            // Read again before the pages' grids hear of the change from their parent.
            if (g_pSystemMetrics != nullptr)
                g_pSystemMetrics->Refresh();
            for (const auto& page : m_pages)
                if (page->GetSafeHwnd() != nullptr)
                    ::SendMessageW(page->GetSafeHwnd(), message, wParam, lParam);
            return FALSE;
        case WM_CLOSE:
            OnCancel();
            return TRUE;
        case WM_SIZE:
            Layout();
            return TRUE;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {m_minTrack.cx, m_minTrack.cy};
            return TRUE;
        }
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SizeToPages();
            ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == ::GetDlgItem(m_hWnd, IDC_LINK_STATE)) {
                const HDC hdc = reinterpret_cast<HDC>(wParam);
                ::SetTextColor(hdc, m_LinkState.TextColour());
                ::SetBkColor(hdc, SysGetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
            }
            return FALSE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const SysNMHDR*>(lParam);
            if (header->hwndFrom != m_hTab)
                return FALSE;
            if (header->code == TCN_SELCHANGING) {
                ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, !MayLeaveActivePage());
                return TRUE;
            }
            if (header->code == TCN_SELCHANGE)
                ShowPage(static_cast<int>(::SendMessageW(m_hTab, TCM_GETCURSEL, 0, 0)));
            return TRUE;
        }
        default:
            return FALSE;
    }
}

// The window exists: the pages are made, and from now on records, keys and news flow.
void CMySheet::OnInitDialog() {
    ::SetWindowTextW(m_hWnd, ResourceText(IDS_SHEET_CAPTION).c_str());
    m_hTab = ::GetDlgItem(m_hWnd, IDC_TAB_CONTROL);
    CreatePages();
    SizeToPages();
    ShowPage(0);
    ::SetTimer(m_hWnd, kModalTimerId, kContinueModalMs, nullptr);
    m_LinkState.Attach(::GetDlgItem(m_hWnd, IDC_LINK_STATE), m_hWnd);
    m_Hardware.SetLinkStateListener(&m_LinkState);
    m_Poster.Attach(m_hWnd);
    m_Hardware.StartReader(&m_Poster);
}

bool CMySheet::SetActivePage(int nIndex) {
    if (GetPage(nIndex) == nullptr)
        return false;
    if (nIndex == m_nActive)
        return true;
    if (!MayLeaveActivePage())
        return false;
    ::SendMessageW(m_hTab, TCM_SETCURSEL, nIndex, 0);
    ShowPage(nIndex);
    return true;
}

// A busy page is asked first; it is still the active page while it asks, so the drive's
// records keep reaching it.
bool CMySheet::MayLeaveActivePage() {
    CMyCPropertyPage* page = GetActivePage();
    return !AsksBeforeLeaving(page, false) || page->OnKillActive();
}

void CMySheet::ShowPage(int nIndex) {
    CMyCPropertyPage* next = GetPage(nIndex);
    if (next == nullptr || next->GetSafeHwnd() == nullptr)
        return;
    CMyCPropertyPage* previous = GetActivePage();
    m_nActive = nIndex;
    ::ShowWindow(next->GetSafeHwnd(), SW_SHOW);
    if (previous != nullptr && previous != next && previous->GetSafeHwnd() != nullptr)
        ::ShowWindow(previous->GetSafeHwnd(), SW_HIDE);
    // The focus goes to the page's first control, or to the page itself when it has none.
    const HWND hFirst = ::GetNextDlgTabItem(next->GetSafeHwnd(), nullptr, FALSE);
    ::SetFocus(hFirst != nullptr && ::IsChild(next->GetSafeHwnd(), hFirst) ? hFirst : next->GetSafeHwnd());
    next->OnSetActive();
}

// Escape, Cancel and the close box all end here; each page may keep the sheet open.
void CMySheet::OnCancel() {
    std::vector<ISheetPage*> pages;
    for (const auto& page : m_pages)
        pages.push_back(page.get());
    if (!MayCloseSheet(pages))
        return;
    m_bRunning = false;
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
}

bool CMySheet::IsSheetMessage(const MSG& msg) const {
    return m_hWnd != nullptr && (msg.hwnd == m_hWnd || ::IsChild(m_hWnd, msg.hwnd));
}

// Ctrl+Tab and Ctrl+Page Down turn to the next page, with Shift or Page Up back.
bool CMySheet::HandleTabKeys(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (::GetKeyState(VK_CONTROL) & 0x8000) == 0)
        return false;
    int nStep = 0;
    if (msg.wParam == VK_TAB)
        nStep = (::GetKeyState(VK_SHIFT) & 0x8000) != 0 ? -1 : 1;
    else if (msg.wParam == VK_NEXT)
        nStep = 1;
    else if (msg.wParam == VK_PRIOR)
        nStep = -1;
    if (nStep == 0 || GetPageCount() < 2)
        return false;
    SetActivePage((m_nActive + nStep + GetPageCount()) % GetPageCount());
    return true;
}

// The active page sees every message for the sheet's windows first; then the tab keys
// and the dialog keyboard handling (Tab, mnemonics, Escape as Cancel).
bool CMySheet::PreTranslateMessage(MSG* pMsg) {
    if (!IsSheetMessage(*pMsg))
        return false;
    if (CMyCPropertyPage* page = GetActivePage(); page != nullptr && page->PreTranslatePageMessage(pMsg))
        return true;
    if (HandleTabKeys(*pMsg))
        return true;
    return ::IsDialogMessageW(m_hWnd, pMsg) != FALSE;
}
