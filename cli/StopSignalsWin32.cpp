// Console control events for the command-line tool. The system calls the handler on a
// thread of its own, which serves as the watcher: it marks the stop and runs onStop. The
// handler returns TRUE so that the process is not ended at once: the command writes the
// table so far and ends with status 130.
#include <windows.h>

#include <mutex>
#include <utility>

#include "cli/StopSignals.h"

namespace {
std::mutex g_activeMutex;  // a handler that is running keeps the instance from going
std::atomic<bool>* g_pRequested = nullptr;
std::function<void()>* g_pOnStop = nullptr;

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    std::lock_guard<std::mutex> lock(g_activeMutex);
    if (g_pRequested == nullptr)
        return FALSE;
    if (!g_pRequested->exchange(true) && *g_pOnStop)
        (*g_pOnStop)();
    return TRUE;
}
}  // namespace

CStopSignals::CStopSignals(std::function<void()> onStop) : m_onStop(std::move(onStop)) {
    {
        std::lock_guard<std::mutex> lock(g_activeMutex);
        g_pRequested = &m_bRequested;
        g_pOnStop = &m_onStop;
    }
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

CStopSignals::~CStopSignals() {
    ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    std::lock_guard<std::mutex> lock(g_activeMutex);
    g_pRequested = nullptr;
    g_pOnStop = nullptr;
}

void CStopSignals::Watch() {}
