#pragma once

#include "platform/WaitCursor.h"

// The busy cursor while a drive procedure runs. A window sets its own cursor whenever
// the pointer moves over it (WM_SETCURSOR), so the program's windows ask
// RestoreForSetCursor first and keep the hourglass while any wait cursor is on. Begin
// and End pair up per object; End without a Begin of this object does nothing; the
// cursor from before the first Begin comes back with the last End.
class CWin32WaitCursor final : public IWaitCursor {
public:
    CWin32WaitCursor() = default;
    ~CWin32WaitCursor() override;

    CWin32WaitCursor(const CWin32WaitCursor&) = delete;
    CWin32WaitCursor& operator=(const CWin32WaitCursor&) = delete;

    void BeginWaitCursor() override;
    // Shows the busy cursor again after something (a message box) changed it.
    void RestoreWaitCursor() override;
    void EndWaitCursor() override;

    int Depth() const { return m_nDepth; }

    // For a window's WM_SETCURSOR: shows the busy cursor and returns true while any wait
    // cursor is on (the window then answers TRUE), false otherwise.
    static bool RestoreForSetCursor();
    static bool IsWaiting();

private:
    int m_nDepth = 0;  // Begins of this object not yet ended
};
