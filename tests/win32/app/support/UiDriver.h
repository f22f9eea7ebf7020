#pragma once

#include <functional>
#include <string>

#include "platform/win32/Win32Api.h"

// Drives the program's modal windows from inside their own loops: a thread timer looks
// for the windows a test waits for and runs its action there, as a user would act once
// the window shows.
namespace uitest {

// Runs action once a visible top-level window of this thread has the caption. Actions
// may open further modal windows; each waits for its own window.
void WhenVisible(const std::wstring& caption, std::function<void(HWND)> action);
// Runs action once condition() holds, checked as WhenVisible checks for windows. A test
// waits with this, not with a loop of its own, so that every message goes through the
// program's own modal loop.
void WhenTrue(std::function<bool()> condition, std::function<void()> action);
// A visible top-level window of this thread with the caption; nullptr when none.
HWND FindVisible(const std::wstring& caption);
// Handles messages until done() or timeoutMs have passed; false on the time-out.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000);
// A key pressed and released, posted to the focus window as the keyboard would.
void PostKey(UINT vk);
// The text of a window.
std::wstring Text(HWND hWnd);
// The dialog's child with the id, searched through its pages too.
HWND FindControl(HWND hDialog, int nId);

// Ends every modal window of this thread that is still open after the time a test may
// take, so that a test that goes wrong fails instead of hanging.
class CModalWatchdog {
public:
    explicit CModalWatchdog(int timeoutMs = 60000);
    ~CModalWatchdog();
    CModalWatchdog(const CModalWatchdog&) = delete;
    CModalWatchdog& operator=(const CModalWatchdog&) = delete;

private:
    UINT_PTR m_nTimer = 0;
};

}  // namespace uitest
