#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/OneShotTimer.h"
#include "platform/TickCount.h"
#include "platform/WaitCursor.h"
#include "table/TablesView.h"

// What the desktop page's platform gives CTables, for the command-line tool: timers as
// deadlines that the tool's record loop waits for, the file paths from the command line
// instead of dialogs, no cursor, messages on stderr (counted).

// One-shot timers on the tick count: the loop asks how long it may wait and fires the
// timers that are due.
class CDeadlineTimers : public ITimerHost {
public:
    explicit CDeadlineTimers(ITickCount& clock) : m_clock(clock) {}

    unsigned SetTimer(unsigned milliseconds) override;
    void KillTimer(unsigned handle) override;

    // Milliseconds until the earliest pending timer is due (0 when one is); none when
    // no timer is pending.
    std::optional<std::uint32_t> TimeToNext() const;
    // The pending timers that are due now, in the order they were set (each stays
    // pending until it is killed).
    std::vector<unsigned> Due() const;

private:
    ITickCount& m_clock;
    std::map<unsigned, std::uint32_t> m_started;  // handle -> tick at SetTimer
    std::map<unsigned, std::uint32_t> m_length;   // handle -> milliseconds
    unsigned m_nLast = 0;
};

// The paths given on the command line, whatever dialog is asked for.
class CGivenPaths : public IFileChooser {
public:
    std::optional<std::string> GetSaveFileName(const std::string&, const std::string&,
                                               const std::string&) override {
        return m_savePath;
    }
    std::optional<std::string> GetOpenFileName(const std::string&, const std::string&) override {
        return m_openPath;
    }
    std::optional<std::string> m_savePath;
    std::optional<std::string> m_openPath;
};

class CNoWaitCursor : public IWaitCursor {
public:
    void BeginWaitCursor() override {}
    void RestoreWaitCursor() override {}
    void EndWaitCursor() override {}
};

// Passes messages on and counts them, so that a command can tell that a step failed.
class CCountingMessageBox : public IMessageBox {
public:
    explicit CCountingMessageBox(IMessageBox& next) : m_next(next) {}
    void ShowMessage(const std::string& text, const std::string& detail = {}) override {
        ++m_nCount;
        m_next.ShowMessage(text, detail);
    }
    int Count() const { return m_nCount; }

private:
    IMessageBox& m_next;
    int m_nCount = 0;
};

// Remembers how the last procedure ended.
class CProcedureEndWatcher : public ITablesView {
public:
    void OnProcedureEnded(ETablesEnd how) override { m_end = how; }
    std::optional<ETablesEnd> m_end;
};
