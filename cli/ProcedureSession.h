#pragma once

#include <chrono>
#include <functional>

#include "cli/ProcedureServices.h"
#include "cli/RecordQueue.h"
#include "platform/TickCount.h"
#include "table/Tables.h"

class IKeyWriter;

// The Table page's procedures without a window: a CTables on the command-line tool's
// services, fed from the record queue by a loop that sleeps until the next record, the
// watchdog's deadline or the pause timer's deadline, whichever comes first.
class CProcedureSession {
public:
    CProcedureSession(IKeyWriter& keys, CRecordQueue& queue, IMessageBox& messages);
    CProcedureSession(const CProcedureSession&) = delete;
    CProcedureSession& operator=(const CProcedureSession&) = delete;

    CTables& Tables() { return m_tables; }
    CGivenPaths& Paths() { return m_paths; }
    // Messages shown so far (file errors, "Overflov Levels").
    int MessageCount() const { return m_messages.Count(); }

    // Checked after every wake-up; true ends the running procedure as "Stop" does
    // (kStopped). Whoever makes it true must also Wake the record queue.
    void SetStopCheck(std::function<bool()> stopRequested) { m_stopRequested = std::move(stopRequested); }
    // Sees every record just before the procedure handles it (for a progress line, for
    // the update report's list of the names the drive showed).
    void SetRecordObserver(std::function<void(const CServoData&)> observer) {
        m_observer = std::move(observer);
    }

    // Presses the button (OnReadDrive or OnUpdateDrive) and handles records, timers and
    // the watchdog until the procedure has ended; returns how it ended.
    ETablesEnd Run(void (CTables::*pfnStart)());

private:
    // A record takes 18 ms at 9600 baud; the drive answers at once.
    static constexpr int kDrainQuietMs = 200;
    static constexpr int kMaxDrained = 8;

    std::chrono::milliseconds NextWait();
    void DrainAnswers();

    CSystemTickCount m_clock;
    CDeadlineTimers m_timers{m_clock};
    CGivenPaths m_paths;
    CNoWaitCursor m_cursor;
    CCountingMessageBox m_messages;
    CProcedureEndWatcher m_watcher;
    CRecordQueue& m_queue;
    std::function<bool()> m_stopRequested;
    std::function<void(const CServoData&)> m_observer;
    CTables m_tables;
};
