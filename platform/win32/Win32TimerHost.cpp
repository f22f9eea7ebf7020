#include "platform/win32/Win32TimerHost.h"

#include "platform/win32/Win32Api.h"

CWin32TimerHost::CWin32TimerHost(Callback onTimer)
    : m_onTimer(std::move(onTimer)),
      m_window([this](unsigned nMessage, std::uintptr_t wParam, std::intptr_t) {
          if (nMessage != WM_TIMER)
              return false;
          OnTick(static_cast<unsigned>(wParam));
          return true;
      }) {}

CWin32TimerHost::~CWin32TimerHost() {
    for (const auto& [handle, bFired] : m_timers)
        if (!bFired)
            ::KillTimer(GetSafeHwnd(), handle);
}

unsigned CWin32TimerHost::SetTimer(unsigned milliseconds) {
    // 0 is no handle; after the last one the count would start over, so it stops there.
    if (m_nLast == ~0u || GetSafeHwnd() == nullptr)
        return 0;
    const unsigned handle = ++m_nLast;
    if (::SetTimer(GetSafeHwnd(), handle, milliseconds, nullptr) == 0)
        return 0;
    m_timers[handle] = false;
    return handle;
}

void CWin32TimerHost::KillTimer(unsigned handle) {
    const auto it = m_timers.find(handle);
    if (it == m_timers.end())
        return;
    if (!it->second)
        ::KillTimer(GetSafeHwnd(), handle);
    m_timers.erase(it);
}

// A tick of a killed timer finds no pending handle; a window timer repeats, so the
// system's timer stops at the first tick.
void CWin32TimerHost::OnTick(unsigned handle) {
    const auto it = m_timers.find(handle);
    if (it == m_timers.end() || it->second)
        return;
    ::KillTimer(GetSafeHwnd(), handle);
    it->second = true;
    if (m_onTimer)
        m_onTimer(handle);
}
