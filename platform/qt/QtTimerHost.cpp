#include "platform/qt/QtTimerHost.h"

#include <QTimer>

CQtTimerHost::CQtTimerHost(Callback onTimer, QObject* parent)
    : QObject(parent), m_onTimer(std::move(onTimer)) {}

CQtTimerHost::~CQtTimerHost() {
    for (auto& [handle, timer] : m_timers)
        delete timer;
}

// The timer stays pending after it fired, as a window timer does, until its owner kills it.
unsigned CQtTimerHost::SetTimer(unsigned milliseconds) {
    const unsigned handle = ++m_nLast;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(static_cast<int>(milliseconds));
    connect(timer, &QTimer::timeout, this, [this, handle] {
        if (IsPending(handle) && m_onTimer)
            m_onTimer(handle);
    });
    m_timers[handle] = timer;
    timer->start();
    return handle;
}

void CQtTimerHost::KillTimer(unsigned handle) {
    const auto it = m_timers.find(handle);
    if (it == m_timers.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
}
