#include "cli/ProcedureSession.h"

#include <algorithm>

CProcedureSession::CProcedureSession(IKeyWriter& keys, CRecordQueue& queue, IMessageBox& messages)
    : m_messages(messages),
      m_queue(queue),
      m_tables({&m_clock, &m_timers, &keys, &m_messages, &m_paths, &m_cursor, &m_watcher}) {
    m_tables.OnInitDialog();
}

ETablesEnd CProcedureSession::Run(void (CTables::*pfnStart)()) {
    m_watcher.m_end.reset();
    (m_tables.*pfnStart)();
    while (!m_watcher.m_end) {
        if (std::unique_ptr<CServoData> record = m_queue.WaitFor(NextWait())) {
            if (m_observer)
                m_observer(*record);
            m_tables.OnServoData(std::move(record));
        }
        for (unsigned handle : m_timers.Due())
            m_tables.OnTimer(handle);
        m_tables.ContinueModal();
        if (!m_watcher.m_end && m_stopRequested && m_stopRequested()) {
            m_tables.OnStop();
            DrainAnswers();
        }
    }
    return *m_watcher.m_end;
}

// The drive still answers the keys sent before the stop (and the Escape of the stop).
// Those answers are taken in and dropped here: left unread, they would wait in the
// port for the next command, whose walk would then be one record out of step.
void CProcedureSession::DrainAnswers() {
    for (int nRecord = 0; nRecord < kMaxDrained; ++nRecord) {
        if (m_queue.WaitFor(std::chrono::milliseconds(kDrainQuietMs)) == nullptr)
            return;
    }
}

// Until the watchdog would end the procedure or the pause timer fires, whichever is
// sooner; a record that comes first ends the wait at once.
std::chrono::milliseconds CProcedureSession::NextWait() {
    std::uint32_t wait = CTables::kWatchdogMs + 1;
    if (const std::uint32_t stamp = m_tables.GetLastRecordTick()) {
        const std::uint32_t elapsed = m_clock.GetTickCount() - stamp;
        wait = elapsed > CTables::kWatchdogMs ? 0 : CTables::kWatchdogMs + 1 - elapsed;
    }
    if (const std::optional<std::uint32_t> timer = m_timers.TimeToNext())
        wait = std::min(wait, *timer);
    return std::chrono::milliseconds(wait);
}
