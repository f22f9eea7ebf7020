#pragma once

#include "platform/OneShotTimer.h"

#include <QObject>

#include <functional>
#include <map>

class QTimer;

// One-shot timers on the thread of the owning widget. Handles count up from 1 and are
// never given out twice, so a late KillTimer can never stop a newer timer; KillTimer
// really cancels: a timer killed before it fired never calls back.
class CQtTimerHost final : public QObject, public ITimerHost {
public:
    using Callback = std::function<void(unsigned handle)>;
    explicit CQtTimerHost(Callback onTimer, QObject* parent = nullptr);
    ~CQtTimerHost() override;

    unsigned SetTimer(unsigned milliseconds) override;
    void KillTimer(unsigned handle) override;
    bool IsPending(unsigned handle) const { return m_timers.count(handle) != 0; }

private:
    Callback m_onTimer;
    std::map<unsigned, QTimer*> m_timers;
    unsigned m_nLast = 0;
};
