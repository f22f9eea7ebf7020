#include "support/UiDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace uitest {
namespace {
struct SWaiting {
    std::function<HWND()> find;  // what the action waits for; nullptr while it is not there
    std::function<void(HWND)> action;
};
std::vector<SWaiting> g_waiting;
UINT_PTR g_nLookTimer = 0;

void CALLBACK LookForWindows(HWND, UINT, UINT_PTR, DWORD) {
    for (size_t i = 0; i < g_waiting.size(); ++i) {
        const HWND hWnd = g_waiting[i].find();
        if (hWnd == nullptr)
            continue;
        // Out of the list before it runs: the action may wait for more windows.
        std::function<void(HWND)> action = std::move(g_waiting[i].action);
        g_waiting.erase(g_waiting.begin() + static_cast<std::ptrdiff_t>(i));
        if (g_waiting.empty()) {
            ::KillTimer(nullptr, g_nLookTimer);
            g_nLookTimer = 0;
        }
        action(hWnd);
        return;
    }
}

struct SFind {
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND hWnd, SysLPARAM lParam) {
    auto* find = reinterpret_cast<SFind*>(lParam);
    if (::IsWindowVisible(hWnd) && Text(hWnd) == *find->caption) {
        find->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CancelWindow(HWND hWnd, SysLPARAM) {
    ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void CALLBACK CancelEverything(HWND, UINT, UINT_PTR, DWORD) {
    ADD_FAILURE() << "a modal window was still open at the watchdog's time";
    ::EnumThreadWindows(::GetCurrentThreadId(), &CancelWindow, 0);
}
}  // namespace

void WhenVisible(const std::wstring& caption, std::function<void(HWND)> action) {
    g_waiting.push_back({[caption] { return FindVisible(caption); }, std::move(action)});
    if (g_nLookTimer == 0)
        g_nLookTimer = ::SetTimer(nullptr, 0, 20, &LookForWindows);
}

void WhenTrue(std::function<bool()> condition, std::function<void()> action) {
    g_waiting.push_back(
        {[condition = std::move(condition)] { return condition() ? ::GetDesktopWindow() : nullptr; },
         [action = std::move(action)](HWND) { action(); }});
    if (g_nLookTimer == 0)
        g_nLookTimer = ::SetTimer(nullptr, 0, 20, &LookForWindows);
}

HWND FindVisible(const std::wstring& caption) {
    SFind find{&caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchCaption, reinterpret_cast<SysLPARAM>(&find));
    return find.found;
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (static_cast<int>(::GetTickCount() - start) > timeoutMs)
            return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PostKey(UINT vk) {
    HWND hTarget = ::GetFocus();
    if (hTarget == nullptr)
        hTarget = ::GetActiveWindow();
    const UINT scan = ::MapVirtualKeyW(vk, 0 /*MAPVK_VK_TO_VSC*/);
    ::PostMessageW(hTarget, WM_KEYDOWN, vk, static_cast<SysLPARAM>(1 | (scan << 16)));
    ::PostMessageW(hTarget, WM_KEYUP, vk, static_cast<SysLPARAM>(1 | (scan << 16) | 0xC0000000u));
}

std::wstring Text(HWND hWnd) {
    wchar_t text[512] = {};
    ::GetWindowTextW(hWnd, text, static_cast<int>(std::size(text)));
    return text;
}

namespace {
struct SFindId {
    int nId;
    HWND found;
};
BOOL CALLBACK MatchId(HWND hWnd, SysLPARAM lParam) {
    auto* find = reinterpret_cast<SFindId*>(lParam);
    if (::GetDlgCtrlID(hWnd) == find->nId) {
        find->found = hWnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindControl(HWND hDialog, int nId) {
    SFindId find{nId, nullptr};
    ::EnumChildWindows(hDialog, &MatchId, reinterpret_cast<SysLPARAM>(&find));
    return find.found;
}

CModalWatchdog::CModalWatchdog(int timeoutMs) {
    m_nTimer = ::SetTimer(nullptr, 0, static_cast<UINT>(timeoutMs), &CancelEverything);
}

CModalWatchdog::~CModalWatchdog() {
    ::KillTimer(nullptr, m_nTimer);
    g_waiting.clear();
    if (g_nLookTimer != 0)
        ::KillTimer(nullptr, g_nLookTimer);
    g_nLookTimer = 0;
}

}  // namespace uitest
