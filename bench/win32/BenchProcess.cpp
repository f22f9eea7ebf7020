#include "bench/win32/BenchProcess.h"

#include <psapi.h>

#include <algorithm>

double NowMs() {
    static const double nTicksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / nTicksPerMs;
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t nMiddle = values.size() / 2;
    return values.size() % 2 ? values[nMiddle] : (values[nMiddle - 1] + values[nMiddle]) / 2;
}

CBenchProcess::CBenchProcess(const std::wstring& strCommandLine) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE hNul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = hNul;
    std::wstring strMutable = strCommandLine;
    if (!CreateProcessW(nullptr, strMutable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &m_info))
        m_info = {};
    if (hNul != INVALID_HANDLE_VALUE)
        CloseHandle(hNul);
}

CBenchProcess::~CBenchProcess() {
    if (!Started())
        return;
    if (Running()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForExit(5000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

bool CBenchProcess::Running() const {
    return Started() && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

namespace {
struct SWindowSearch {
    DWORD nProcessId;
    const wchar_t* szTitle;
    HWND hFound;
};

BOOL CALLBACK MatchWindow(HWND hWnd, SysLPARAM lParam) {
    auto& search = *reinterpret_cast<SWindowSearch*>(lParam);
    DWORD nProcessId = 0;
    GetWindowThreadProcessId(hWnd, &nProcessId);
    if (nProcessId != search.nProcessId || !IsWindowVisible(hWnd))
        return TRUE;
    if (search.szTitle) {
        wchar_t szTitle[128] = {};
        GetWindowTextW(hWnd, szTitle, 128);
        if (lstrcmpW(szTitle, search.szTitle) != 0)
            return TRUE;
    }
    search.hFound = hWnd;
    return FALSE;
}
}  // namespace

HWND CBenchProcess::FindVisibleWindow(const wchar_t* szTitle) const {
    SWindowSearch search{m_info.dwProcessId, szTitle, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<SysLPARAM>(&search));
    return search.hFound;
}

HWND CBenchProcess::WaitForVisibleWindow(double nMs, const wchar_t* szTitle) const {
    const double nEnd = NowMs() + nMs;
    while (NowMs() < nEnd) {
        if (HWND hWnd = FindVisibleWindow(szTitle))
            return hWnd;
        if (!Running())
            return nullptr;
        Sleep(1);
    }
    return nullptr;
}

bool CBenchProcess::WaitForExit(DWORD nMs) const {
    return WaitForSingleObject(m_info.hProcess, nMs) == WAIT_OBJECT_0;
}

double CBenchProcess::CpuMs() const {
    FILETIME created{}, ended{}, kernel{}, user{};
    if (!GetProcessTimes(m_info.hProcess, &created, &ended, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;  // 100 ns ticks
}

bool CBenchProcess::Memory(SIZE_T& nWorkingSet, SIZE_T& nPrivate) const {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(m_info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof(counters)))
        return false;
    nWorkingSet = counters.WorkingSetSize;
    // The commit charge: both fields hold it on Windows; Wine fills only the older one.
    nPrivate = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    return true;
}

bool AnswersWithin(HWND hWnd, UINT nMs, double& nAnswerMs) {
    DWORD_PTR nResult = 0;
    const double nStart = NowMs();
    const bool bAnswered = SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, nMs, &nResult) != 0;
    nAnswerMs = NowMs() - nStart;
    return bAnswered;
}
