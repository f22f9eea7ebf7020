#pragma once

#include "platform/OneShotTimer.h"
#include "platform/win32/MessageWindow.h"

#include <functional>
#include <map>

// One-shot timers on window timers of a hidden window of the calling thread; the owner is
// called back from that thread's message loop. Handles count up from 1 and are never
// given out twice, so a late KillTimer can never stop a newer timer. KillTimer really
// cancels: a timer killed before it fired never calls back, even when its tick was
// already waiting in the message queue (the system leaves queued ticks there). A timer
// that fired stays pending, without firing again, until its owner kills it.
class CWin32TimerHost final : public ITimerHost {
public:
    using Callback = std::function<void(unsigned handle)>;
    explicit CWin32TimerHost(Callback onTimer);
    ~CWin32TimerHost() override;

    unsigned SetTimer(unsigned milliseconds) override;
    void KillTimer(unsigned handle) override;
    bool IsPending(unsigned handle) const { return m_timers.count(handle) != 0; }
    HWND GetSafeHwnd() const { return m_window.GetSafeHwnd(); }

private:
    void OnTick(unsigned handle);

    Callback m_onTimer;
    CMessageWindow m_window;
    std::map<unsigned, bool> m_timers;  // pending handles; true once fired
    unsigned m_nLast = 0;
};
