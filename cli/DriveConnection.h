#pragma once

#include <string>

#include "cli/ProcedureSession.h"
#include "cli/RecordQueue.h"
#include "cli/StderrMessageBox.h"
#include "cli/StopSignals.h"
#include "link/Hardware.h"

// The port, its reader and a procedure session on them, for one command of read and
// update. SIGINT and SIGTERM end a running procedure as "Stop" does (a value being stepped
// is left with Escape).
class CDriveConnection {
public:
    CDriveConnection() : m_hardware(&m_messages) {
        m_session.SetStopCheck([this] { return m_signals.Requested(); });
    }
    ~CDriveConnection() { m_hardware.StopReader(); }
    CDriveConnection(const CDriveConnection&) = delete;
    CDriveConnection& operator=(const CDriveConnection&) = delete;

    // False after the message of a port that could not be opened.
    bool Open(const std::string& port) {
        if (m_hardware.OpenPort(port) != 1)
            return false;
        m_hardware.StartReader(&m_queue);
        return true;
    }
    CProcedureSession& Session() { return m_session; }

private:
    CStderrMessageBox m_messages;
    CRecordQueue m_queue;
    CHardware m_hardware;
    CProcedureSession m_session{m_hardware, m_queue, m_messages};
    CStopSignals m_signals{[this] { m_queue.Wake(); }};
};
