#include "platform/win32/Win32WaitCursor.h"

#include "platform/win32/Win32Api.h"

namespace {

// Every wait cursor of the user-interface thread counts here.
int g_nWaiting = 0;
HCURSOR g_hBefore = nullptr;

HCURSOR WaitCursor() {
    return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // the system's hourglass
}

}  // namespace

CWin32WaitCursor::~CWin32WaitCursor() {
    while (m_nDepth > 0)
        EndWaitCursor();
}

void CWin32WaitCursor::BeginWaitCursor() {
    HCURSOR hPrevious = ::SetCursor(WaitCursor());
    if (g_nWaiting++ == 0)
        g_hBefore = hPrevious;
    ++m_nDepth;
}

void CWin32WaitCursor::RestoreWaitCursor() {
    if (m_nDepth > 0)
        ::SetCursor(WaitCursor());
}

void CWin32WaitCursor::EndWaitCursor() {
    if (m_nDepth == 0)
        return;
    --m_nDepth;
    if (--g_nWaiting == 0)
        ::SetCursor(g_hBefore);
}

bool CWin32WaitCursor::IsWaiting() {
    return g_nWaiting > 0;
}

bool CWin32WaitCursor::RestoreForSetCursor() {
    if (!IsWaiting())
        return false;
    ::SetCursor(WaitCursor());
    return true;
}
