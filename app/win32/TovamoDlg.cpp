#include "app/win32/TovamoDlg.h"

#include "app/PortList.h"
#include "app/win32/AboutDlg.h"
#include "app/win32/Globals.h"
#include "app/win32/MyCPropertyPage.h"
#include "app/win32/MySheet.h"
#include "app/win32/ResourceText.h"
#include "app/win32/resource.h"
#include "link/Hardware.h"
#include "platform/RegistrySettings.h"
#include "platform/WideText.h"

#include <algorithm>

#include "platform/win32/Win32Api.h"

namespace {
// The timer of the list's look for ports plugged in or out (every kAdapterScanMs).
constexpr UINT_PTR kAdapterTimerId = 1;

HICON LoadAppIcon(int metricX, int metricY) {
    return static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                           SysGetSystemMetrics(metricX), SysGetSystemMetrics(metricY), 0));
}

}  // namespace

CTovamoDlg::CTovamoDlg(CHardware& hardware) : m_Hardware(hardware) {
    m_hIcon = LoadAppIcon(SM_CXICON, SM_CYICON);
    m_hSmallIcon = LoadAppIcon(SM_CXSMICON, SM_CYSMICON);
}

CTovamoDlg::~CTovamoDlg() {
    m_Hardware.SetMessageBox(nullptr);
    for (HICON icon : {m_hIcon, m_hSmallIcon})
        if (icon != nullptr)
            ::DestroyIcon(icon);
}

INT_PTR CTovamoDlg::DoModal(HWND hParent) {
    return ::DialogBoxParamW(AppInstance(), MAKEINTRESOURCEW(IDD_TOVAMO_DIALOG), hParent, &DialogProc,
                             reinterpret_cast<SysLPARAM>(this));
}

INT_PTR CALLBACK CTovamoDlg::DialogProc(HWND hWnd, UINT message, WPARAM wParam, SysLPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dlg = reinterpret_cast<CTovamoDlg*>(lParam);
        ::SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dlg));
        dlg->m_hWnd = hWnd;
    }
    auto* dlg = reinterpret_cast<CTovamoDlg*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    if (dlg == nullptr)
        return FALSE;
    const INT_PTR result = dlg->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
        dlg->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR CTovamoDlg::HandleMessage(UINT message, WPARAM wParam, SysLPARAM /*lParam*/) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is on the combo box already
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) != IDM_ABOUTBOX)
                return FALSE;
            OnSysCommand(wParam);
            return TRUE;
        case WM_PAINT:
            return OnPaint();
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(m_hIcon);
        case WM_TIMER:
            if (wParam == kAdapterTimerId)
                OnAdapterTimer();
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    OnOK();
                    return TRUE;
                case IDCANCEL:
                    ::EndDialog(m_hWnd, IDCANCEL);  // nothing is stored
                    return TRUE;
                case IDC_COMBO1:
                    if (HIWORD(wParam) == CBN_SELCHANGE)
                        ShowResolvedDevice();
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

void CTovamoDlg::OnInitDialog() {
    m_Messages = CWin32MessageBox(m_hWnd);
    m_Hardware.SetMessageBox(&m_Messages);
    if (const HMENU menu = ::GetSystemMenu(m_hWnd, FALSE); menu != nullptr) {
        const std::wstring about = ResourceText(IDS_ABOUTBOX);
        if (!about.empty()) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
        }
    }
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<SysLPARAM>(m_hIcon));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<SysLPARAM>(m_hSmallIcon));

    m_hCombo = ::GetDlgItem(m_hWnd, IDC_COMBO1);
    m_Ports.Rescan();
    for (int nIndex = 0; nIndex < CPortList::Count(); ++nIndex)
        ::SendMessageW(m_hCombo, CB_ADDSTRING, 0,
                       reinterpret_cast<SysLPARAM>(WideFromUtf8(m_Ports.LineText(nIndex)).c_str()));
    ShowAdapters();
    // A stored number outside 1..32 leaves nothing selected.
    ::SendMessageW(m_hCombo, CB_SETCURSEL, static_cast<WPARAM>(PreselectedIndex(g_nNumCom)), 0);
    ShowResolvedDevice();
    ::SetTimer(m_hWnd, kAdapterTimerId, kAdapterScanMs, nullptr);
}

void CTovamoDlg::OnSysCommand(WPARAM /*wParam*/) {
    CAboutDlg about;
    about.DoModal(m_hWnd);
}

// While minimised the dialog draws its icon centred in what is left of its client area.
bool CTovamoDlg::OnPaint() {
    if (!::IsIconic(m_hWnd))
        return false;
    PAINTSTRUCT paint;
    const HDC hdc = ::BeginPaint(m_hWnd, &paint);
    ::SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - SysGetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - SysGetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(hdc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &paint);
    return true;
}

void CTovamoDlg::OnAdapterTimer() {
    if (!m_Ports.Rescan())
        return;
    ShowAdapters();
    ShowResolvedDevice();
}

// Only changed lines are set, and the selection is put back: a line being typed over
// is left alone.
void CTovamoDlg::ShowAdapters() {
    const auto sel = ::SendMessageW(m_hCombo, CB_GETCURSEL, 0, 0);
    bool bChanged = false;
    int widest = 0;
    const HDC hdc = ::GetDC(m_hCombo);
    const auto oldFont =
        ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(::SendMessageW(m_hCombo, WM_GETFONT, 0, 0)));
    for (int n = 1; n <= CPortList::Count(); ++n) {
        const std::wstring text = WideFromUtf8(m_Ports.LineText(n - 1));
        SIZE extent{};
        ::GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
        wchar_t shown[256] = {};
        if (::SendMessageW(m_hCombo, CB_GETLBTEXTLEN, n - 1, 0) < static_cast<SysLPARAM>(std::size(shown)))
            ::SendMessageW(m_hCombo, CB_GETLBTEXT, n - 1, reinterpret_cast<SysLPARAM>(shown));
        if (text == shown)
            continue;
        ::SendMessageW(m_hCombo, CB_DELETESTRING, n - 1, 0);
        ::SendMessageW(m_hCombo, CB_INSERTSTRING, n - 1, reinterpret_cast<SysLPARAM>(text.c_str()));
        bChanged = true;
    }
    ::SelectObject(hdc, oldFont);
    ::ReleaseDC(m_hCombo, hdc);
    if (bChanged)
        ::SendMessageW(m_hCombo, CB_SETCURSEL, static_cast<WPARAM>(sel), 0);
    // The closed box keeps the template's width; the dropped list is as wide as its lines.
    ::SendMessageW(m_hCombo, CB_SETDROPPEDWIDTH,
                   widest + 2 * SysGetSystemMetrics(SM_CXEDGE) + SysGetSystemMetrics(SM_CXVSCROLL) + 4, 0);
}

void CTovamoDlg::ShowResolvedDevice() {
    const auto sel = static_cast<int>(::SendMessageW(m_hCombo, CB_GETCURSEL, 0, 0));
    ::SetDlgItemTextW(m_hWnd, IDC_DEVICE, WideFromUtf8(m_Ports.DeviceLine(sel)).c_str());
}

// An adapter's port link is made before its port is opened (nothing to make on Windows,
// where the system numbers the ports); on failure the dialog stays for another choice.
bool CTovamoDlg::LinkAdapter(int nIndex) {
    const std::string error = m_Ports.LinkForConnect(nIndex);
    if (error.empty())
        return true;
    m_Messages.ShowMessage(LinkFailedText(nIndex + 1), error);
    OnAdapterTimer();
    return false;
}

// Connect. Every path but an adapter that cannot be linked ends the dialog, and with it
// the program.
void CTovamoDlg::OnOK() {
    const auto sel = static_cast<int>(::SendMessageW(m_hCombo, CB_GETCURSEL, 0, 0));
    if (sel != -1 && !LinkAdapter(sel))
        return;
    ::KillTimer(m_hWnd, kAdapterTimerId);
    const SConnectChoice choice = ConnectChoice(sel);
    g_nNumCom = choice.nNumCom;
    if (!choice.strPort.empty() && m_Hardware.OpenPort(choice.strPort) == 1) {
        {
            CMySheet sheet(m_Hardware);
            sheet.DoModal(m_hWnd);
            // The reader posts to the sheet: it has ended before the sheet goes and
            // before anything is stored.
            m_Hardware.StopReader();
        }
        WriteRegistryNumCom(g_nNumCom);  // a failure to store is not reported
    }
    ::EndDialog(m_hWnd, IDOK);
}
