#include "Target.h"

#include <algorithm>
#include <cstdio>

namespace {

struct SEnumTops {
    DWORD dwPid;
    std::vector<HWND>* pTops;
};

BOOL CALLBACK CollectTop(HWND hWnd, SysLPARAM lParam) {
    auto* pEnum = reinterpret_cast<SEnumTops*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid == pEnum->dwPid && IsWindowVisible(hWnd))
        pEnum->pTops->push_back(hWnd);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hWnd, SysLPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

std::string Describe(DWORD dwExit) {
    char text[64];
    std::snprintf(text, sizeof text, "%lu (0x%08lX)", static_cast<unsigned long>(dwExit),
                  static_cast<unsigned long>(dwExit));
    return text;
}

}  // namespace

CTarget::CTarget(const std::wstring& exe, const std::wstring& args, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &m_process))
        throw CDriveFailure("cannot start " + Utf8(exe) + " (error " + std::to_string(GetLastError()) + ")");
}

CTarget::~CTarget() {
    Kill();
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool CTarget::Running() const {
    return ExitCode() == STILL_ACTIVE;
}

DWORD CTarget::ExitCode() const {
    DWORD dwExit = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &dwExit);
    return dwExit;
}

bool CTarget::WaitForExit(DWORD ms) const {
    return WaitForSingleObject(m_process.hProcess, ms) == WAIT_OBJECT_0;
}

void CTarget::Kill() {
    if (Running()) {
        TerminateProcess(m_process.hProcess, 255);
        WaitForExit(5000);
    }
}

std::vector<HWND> CTarget::TopWindows() const {
    std::vector<HWND> tops;
    SEnumTops enumTops{m_process.dwProcessId, &tops};
    EnumWindows(CollectTop, reinterpret_cast<SysLPARAM>(&enumTops));
    return tops;  // EnumWindows goes from the top of the z-order down
}

HWND CTarget::ActiveTop() const {
    for (HWND hWnd : TopWindows())
        if (IsWindowEnabled(hWnd))
            return hWnd;
    return nullptr;
}

HWND CTarget::WaitForTop(const std::wstring& title, DWORD ms) const {
    return WaitForTopWhere([&title](HWND hWnd) { return title.empty() || WindowText(hWnd) == title; },
                           "a window \"" + Utf8(title) + "\"", ms);
}

HWND CTarget::WaitForTopWhere(const std::function<bool(HWND)>& pred, const std::string& what,
                              DWORD ms) const {
    HWND hFound = nullptr;
    WaitUntil(
        [&] {
            for (HWND hWnd : TopWindows())
                if (pred(hWnd)) {
                    hFound = hWnd;
                    return true;
                }
            return false;
        },
        what, ms);
    return hFound;
}

HWND CTarget::FindControl(int nId) const {
    std::vector<HWND> tops = TopWindows();
    std::stable_partition(tops.begin(), tops.end(), [](HWND hWnd) { return IsWindowEnabled(hWnd) != FALSE; });
    for (HWND hTop : tops)
        for (HWND hWnd : Descendants(hTop))
            if (GetDlgCtrlID(hWnd) == nId && IsWindowVisible(hWnd))
                return hWnd;
    return nullptr;
}

HWND CTarget::WaitForControl(int nId, DWORD ms) const {
    HWND hFound = nullptr;
    WaitUntil([&] { return (hFound = FindControl(nId)) != nullptr; }, "control " + std::to_string(nId), ms);
    return hFound;
}

void CTarget::ClickTab(HWND hTab, int nIndex) const {
    void* pRemote = VirtualAllocEx(m_process.hProcess, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (pRemote == nullptr)
        throw CDriveFailure("no memory in the program for a tab's rectangle");
    RECT rect{};
    DWORD_PTR nResult = 0;
    const bool bRead =
        SendMessageTimeoutW(hTab, TCM_GETITEMRECT, static_cast<WPARAM>(nIndex),
                            reinterpret_cast<SysLPARAM>(pRemote), SMTO_ABORTIFHUNG, 5000, &nResult) != 0 &&
        nResult != 0 && ReadProcessMemory(m_process.hProcess, pRemote, &rect, sizeof rect, nullptr) != 0;
    VirtualFreeEx(m_process.hProcess, pRemote, 0, MEM_RELEASE);
    if (!bRead)
        throw CDriveFailure("tab " + std::to_string(nIndex) + " has no rectangle");
    const SysLPARAM lPoint =
        static_cast<SysLPARAM>(MAKELONG((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    PostMessageW(hTab, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    PostMessageW(hTab, WM_LBUTTONUP, 0, lPoint);
}

void CTarget::WaitUntil(const std::function<bool()>& pred, const std::string& what, DWORD ms) const {
    const DWORD dwStart = GetTickCount();
    for (;;) {
        if (pred())
            return;
        if (!Running())
            throw CDriveFailure("the program ended with exit code " + Describe(ExitCode()) +
                                " while waiting for " + what);
        if (GetTickCount() - dwStart > ms)
            throw CDriveFailure("timed out after " + std::to_string(ms) + " ms waiting for " + what);
        Sleep(20);
    }
}

std::wstring WindowText(HWND hWnd) {
    wchar_t text[1024] = L"";
    DWORD_PTR nResult = 0;
    if (!SendMessageTimeoutW(hWnd, WM_GETTEXT, std::size(text), reinterpret_cast<SysLPARAM>(text),
                             SMTO_ABORTIFHUNG, 5000, &nResult))
        return {};
    return std::wstring(text, std::min<std::size_t>(nResult, std::size(text) - 1));
}

std::wstring ClassName(HWND hWnd) {
    wchar_t name[128] = L"";
    GetClassNameW(hWnd, name, std::size(name));
    return name;
}

std::vector<HWND> Descendants(HWND hWnd) {
    std::vector<HWND> children;
    EnumChildWindows(hWnd, CollectChild, reinterpret_cast<SysLPARAM>(&children));
    return children;
}

HWND FindTextBeginning(HWND hTop, const std::wstring& prefix) {
    for (HWND hWnd : Descendants(hTop))
        if (IsWindowVisible(hWnd) && WindowText(hWnd).starts_with(prefix))
            return hWnd;
    return nullptr;
}

void Click(HWND hButton) {
    PostMessageW(hButton, BM_CLICK, 0, 0);
}

void PostKey(HWND hTop, UINT vk) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND hTarget = hTop;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(hTop, nullptr), &info) && info.hwndFocus != nullptr)
        hTarget = info.hwndFocus;
    const SysLPARAM lScan = static_cast<SysLPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(hTarget, WM_KEYDOWN, vk, lScan | 1);
    PostMessageW(hTarget, WM_KEYUP, vk, lScan | 1 | (SysLPARAM{3} << 30));
}

void PostText(HWND hWnd, const std::wstring& text) {
    for (wchar_t c : text)
        PostMessageW(hWnd, WM_CHAR, c, 1);
}

bool Answers(HWND hWnd, DWORD ms) {
    DWORD_PTR nResult = 0;
    return SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, ms, &nResult) != 0 || !IsWindow(hWnd);
}

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string result(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n, nullptr,
                        nullptr);
    return result;
}

std::wstring Wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n);
    return result;
}
