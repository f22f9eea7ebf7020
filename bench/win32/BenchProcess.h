#pragma once

// What the Wine benches share: a stopwatch on the performance counter, a program started
// with CreateProcessW and the windows it shows, its memory, and medians.
#include <string>
#include <vector>

#include "platform/WideText.h"

#include "platform/win32/Win32Api.h"

double NowMs();
double Median(std::vector<double> values);

// A started program; terminated if still running when destroyed.
class CBenchProcess {
public:
    // The whole command line, as CreateProcessW takes it; the standard handles go to NUL.
    explicit CBenchProcess(const std::wstring& strCommandLine);
    ~CBenchProcess();
    CBenchProcess(const CBenchProcess&) = delete;
    CBenchProcess& operator=(const CBenchProcess&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    bool Running() const;
    // The process's first visible top-level window with this title (any title when
    // null), or null; does not wait.
    HWND FindVisibleWindow(const wchar_t* szTitle = nullptr) const;
    // Polls FindVisibleWindow every millisecond until it finds one or nMs pass.
    HWND WaitForVisibleWindow(double nMs, const wchar_t* szTitle = nullptr) const;
    bool WaitForExit(DWORD nMs) const;
    // Working set and private bytes (the commit charge) now, in bytes; false if the
    // system would not say.
    bool Memory(SIZE_T& nWorkingSet, SIZE_T& nPrivate) const;
    // User and kernel time of the process so far.
    double CpuMs() const;
    DWORD ProcessId() const { return m_info.dwProcessId; }
    HANDLE ProcessHandle() const { return m_info.hProcess; }

private:
    PROCESS_INFORMATION m_info{};
};

// Whether the window's thread answers a sent message within nMs; how long it took.
bool AnswersWithin(HWND hWnd, UINT nMs, double& nAnswerMs);
