// Console control events for the command-line tool. The system calls the handler on a
// thread of its own, which serves as the watcher: it marks the stop and runs onStop. The
// handler returns TRUE so that the process is not ended at once: the command writes the
// table so far and ends with status 130.
#include <windows.h>

#include <atomic>
#include <utility>

#include "cli/StopSignals.h"

namespace {
std::atomic<CStopSignals*> g_pActive{nullptr};
std::atomic<bool> g_bCalled{false};
std::atomic<bool>* g_pRequested = nullptr;
std::function<void()>* g_pOnStop = nullptr;

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    if (g_pActive.load() == nullptr)
        return FALSE;
    if (!g_bCalled.exchange(true)) {
        g_pRequested->store(true);
        if (*g_pOnStop)
            (*g_pOnStop)();
    }
    return TRUE;
}
}  // namespace

CStopSignals::CStopSignals(std::function<void()> onStop) : m_onStop(std::move(onStop)) {
    g_pRequested = &m_bRequested;
    g_pOnStop = &m_onStop;
    g_bCalled.store(false);
    g_pActive.store(this);
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

CStopSignals::~CStopSignals() {
    ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    g_pActive.store(nullptr);
}

void CStopSignals::Watch() {}
