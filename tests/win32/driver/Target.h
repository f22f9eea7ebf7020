#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"

// A step of the drive that did not come true in time; its text says what was expected.
class CDriveFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The program under test, started by the driver and seen only from outside: its
// windows, their texts and states, and messages posted to them as the window system
// would deliver a user's clicks and keys. Every wait has a time limit and ends early,
// with the exit code in the failure, when the program ends.
class CTarget {
public:
    // Starts "exe args" in folder (empty: the driver's).
    CTarget(const std::wstring& exe, const std::wstring& args, const std::wstring& folder);
    ~CTarget();
    CTarget(const CTarget&) = delete;
    CTarget& operator=(const CTarget&) = delete;

    bool Running() const;
    DWORD ExitCode() const;  // STILL_ACTIVE while it runs
    // Waits for the end; false after ms.
    bool WaitForExit(DWORD ms) const;
    void Kill();
    DWORD ProcessId() const { return m_process.dwProcessId; }

    // The program's visible top-level windows, the last one opened first.
    std::vector<HWND> TopWindows() const;
    // The one that takes input now: the enabled one (a modal dialog over its owner).
    HWND ActiveTop() const;
    // Waits for a visible top-level window of the program with this title (empty: any).
    HWND WaitForTop(const std::wstring& title, DWORD ms) const;
    // Waits until pred(window) holds for some visible top-level window of the program.
    HWND WaitForTopWhere(const std::function<bool(HWND)>& pred, const std::string& what, DWORD ms) const;
    // A visible control with this id in any of the program's top-level windows, the
    // active one first; nullptr when there is none.
    HWND FindControl(int nId) const;
    HWND WaitForControl(int nId, DWORD ms) const;
    // A tab of a tab control chosen as by a click on it (its rectangle is read into
    // memory lent in the program's process).
    void ClickTab(HWND hTab, int nIndex) const;

    // Polls pred every 20 ms until it holds; fails with what after ms, or at once when
    // the program has ended.
    void WaitUntil(const std::function<bool()>& pred, const std::string& what, DWORD ms) const;

private:
    PROCESS_INFORMATION m_process{};
};

// Text of a window of another process (WM_GETTEXT); empty when it does not answer.
std::wstring WindowText(HWND hWnd);
std::wstring ClassName(HWND hWnd);
// Every descendant of hWnd, depth first.
std::vector<HWND> Descendants(HWND hWnd);
// A descendant whose text begins with prefix; nullptr when none.
HWND FindTextBeginning(HWND hTop, const std::wstring& prefix);
// A button pressed as by the mouse (BM_CLICK, posted: a modal loop it starts does not
// hold the driver).
void Click(HWND hButton);
// A key pressed and released on the window that has the focus in hTop's thread.
void PostKey(HWND hTop, UINT vk);
// Characters typed into hWnd (WM_CHAR each).
void PostText(HWND hWnd, const std::wstring& text);
// Whether the window's thread answers a message within ms.
bool Answers(HWND hWnd, DWORD ms);

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& text);
