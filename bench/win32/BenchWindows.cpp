#include "bench/win32/BenchWindows.h"

void WaitUntil(const CBenchProcess& program, const std::function<bool()>& pred, double nMs,
               const std::string& what) {
    const double nEnd = NowMs() + nMs;
    while (!pred()) {
        if (!program.Running())
            throw CBenchFailure("the program ended while waiting for " + what);
        if (NowMs() > nEnd)
            throw CBenchFailure("timed out waiting for " + what);
        Sleep(5);
    }
}

HWND WaitForTop(const CBenchProcess& program, const wchar_t* szTitle) {
    HWND hWnd = program.WaitForVisibleWindow(kStepTimeoutMs, szTitle);
    if (!hWnd)
        throw CBenchFailure("no window \"" + Utf8FromWide(szTitle) + "\"");
    return hWnd;
}

namespace {
struct SControlSearch {
    int nId;
    HWND hFound;
};

BOOL CALLBACK MatchControl(HWND hWnd, SysLPARAM lParam) {
    auto& search = *reinterpret_cast<SControlSearch*>(lParam);
    if (GetDlgCtrlID(hWnd) != search.nId || !IsWindowVisible(hWnd))
        return TRUE;
    search.hFound = hWnd;
    return FALSE;
}
}  // namespace

HWND FindControl(HWND hTop, int nId) {
    SControlSearch search{nId, nullptr};
    EnumChildWindows(hTop, MatchControl, reinterpret_cast<SysLPARAM>(&search));
    return search.hFound;
}

HWND WaitForControl(const CBenchProcess& program, HWND hTop, int nId) {
    HWND hControl = nullptr;
    WaitUntil(
        program, [&] { return (hControl = FindControl(hTop, nId)) != nullptr; }, kStepTimeoutMs,
        "control " + std::to_string(nId));
    return hControl;
}

void Press(HWND hButton) {
    PostMessageW(GetParent(hButton), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hButton), BN_CLICKED),
                 reinterpret_cast<SysLPARAM>(hButton));
}

void ClickTab(const CBenchProcess& program, HWND hTab, int nIndex) {
    void* pRemote =
        VirtualAllocEx(program.ProcessHandle(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    RECT rect{};
    const bool bRead = pRemote &&
                       SendMessageW(hTab, TCM_GETITEMRECT, static_cast<WPARAM>(nIndex),
                                    reinterpret_cast<SysLPARAM>(pRemote)) != 0 &&
                       ReadProcessMemory(program.ProcessHandle(), pRemote, &rect, sizeof(rect), nullptr);
    if (pRemote)
        VirtualFreeEx(program.ProcessHandle(), pRemote, 0, MEM_RELEASE);
    if (!bRead)
        throw CBenchFailure("no rectangle of tab " + std::to_string(nIndex));
    const SysLPARAM lPoint = MAKELONG((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(hTab, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    PostMessageW(hTab, WM_LBUTTONUP, 0, lPoint);
}

void PostKey(HWND hTop, UINT nVirtualKey) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    HWND hTarget = hTop;
    // The focus may still be in the window hTop was opened from (a disabled owner).
    if (GetGUIThreadInfo(GetWindowThreadProcessId(hTop, nullptr), &info) && info.hwndFocus &&
        IsChild(hTop, info.hwndFocus))
        hTarget = info.hwndFocus;
    const UINT nScan = MapVirtualKeyW(nVirtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(hTarget, WM_KEYDOWN, nVirtualKey, static_cast<SysLPARAM>(1 | (nScan << 16)));
    PostMessageW(hTarget, WM_KEYUP, nVirtualKey, static_cast<SysLPARAM>(1 | (nScan << 16) | (3u << 30)));
}

std::wstring TextOf(HWND hWnd) {
    wchar_t szText[512] = {};
    DWORD_PTR nResult = 0;
    SendMessageTimeoutW(hWnd, WM_GETTEXT, 512, reinterpret_cast<SysLPARAM>(szText), SMTO_NORMAL, 5000,
                        &nResult);
    return szText;
}
