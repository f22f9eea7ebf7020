#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/KeyWriter.h"
#include "link/ServoData.h"
#include "platform/FileChooser.h"
#include "platform/OneShotTimer.h"
#include "platform/TickCount.h"
#include "platform/WaitCursor.h"
#include "support/RecordingMessageBox.h"
#include "table/TableRows.h"
#include "table/Tables.h"

// Hand-driven stand-ins for what the platform gives CTables.
class FakeTickCount : public ITickCount {
public:
    std::uint32_t GetTickCount() override { return m_now; }
    std::uint32_t m_now = 1000;
};

class FakeTimerHost : public ITimerHost {
public:
    unsigned SetTimer(unsigned milliseconds) override {
        m_pending[++m_nLast] = milliseconds;
        return m_nLast;
    }
    void KillTimer(unsigned handle) override { m_pending.erase(handle); }
    bool IsPending(unsigned handle) const { return m_pending.count(handle) != 0; }
    std::size_t PendingCount() const { return m_pending.size(); }

    std::map<unsigned, unsigned> m_pending;  // handle -> milliseconds
    unsigned m_nLast = 0;
};

class FakeKeys : public IKeyWriter {
public:
    void WritePort(const char* bytes, int count) override {
        m_strSent.append(bytes, static_cast<std::size_t>(count));
    }
    // The keys sent since the last call.
    std::string Take() {
        std::string sent;
        sent.swap(m_strSent);
        return sent;
    }
    std::string m_strSent;
};

class FakeWaitCursor : public IWaitCursor {
public:
    void BeginWaitCursor() override { ++m_nBegin; }
    void RestoreWaitCursor() override { ++m_nRestore; }
    void EndWaitCursor() override { ++m_nEnd; }
    int m_nBegin = 0;
    int m_nRestore = 0;
    int m_nEnd = 0;
};

class FakeFileChooser : public IFileChooser {
public:
    std::optional<std::string> GetSaveFileName(const std::string& filter, const std::string& initialName,
                                               const std::string& defaultExtension) override {
        m_strFilter = filter;
        m_strInitial = initialName;
        m_strExtension = defaultExtension;
        return m_savePath;
    }
    std::optional<std::string> GetOpenFileName(const std::string& filter,
                                               const std::string& initialName) override {
        m_strFilter = filter;
        m_strInitial = initialName;
        return m_openPath;
    }
    std::optional<std::string> m_savePath;
    std::optional<std::string> m_openPath;
    std::string m_strFilter, m_strInitial, m_strExtension;
};

class FakeTablesView : public ITablesView {
public:
    void OnButtonsChanged(const STablesButtons& buttons) override { m_buttons = buttons; }
    void OnGridRedraw() override { ++m_nRedraws; }
    void OnProcedureEnded(ETablesEnd how) override {
        m_ends.push_back(how);
        m_runningAtEnd.push_back(m_pTables != nullptr && (m_pTables->IsReading() || m_pTables->IsUpdating()));
    }
    const CTables* m_pTables = nullptr;
    // Whether a procedure still counted as running when each end was reported.
    std::vector<bool> m_runningAtEnd;
    STablesButtons m_buttons;
    int m_nRedraws = 0;
    std::vector<ETablesEnd> m_ends;
};

// A CTables on fakes, with its grid set up, and helpers that feed it the drive's lines.
class TablesHarness {
public:
    TablesHarness() {
        m_tables.OnInitDialog();
        m_view.m_pTables = &m_tables;
    }

    // Feeds one line and returns the keys CTables answered it with.
    std::string Name(const std::string& text) { return Feed(text, 0, 0); }
    std::string Value(const std::string& text) { return Feed(text, 1, 0); }
    std::string Error(const std::string& text) { return Feed(text, 0, 1); }
    // Answers the settling phase of a start with ten lines.
    std::string Settle() {
        std::string sent;
        for (int i = 0; i < CTables::kSettlingRecords; ++i)
            sent += Name("P9 settling");
        return sent;
    }
    std::string Keys() { return m_keys.Take(); }
    // Fires the pending pause timer; returns the keys sent.
    std::string FirePause() {
        m_tables.OnTimer(m_tables.GetPauseTimer());
        return m_keys.Take();
    }

    std::string Text(int nRow, int nCol) const { return m_tables.GetGrid().GetItemText(nRow, nCol); }
    int Rows() const { return m_tables.GetGrid().GetRowCount(); }
    int RowOf(const std::string& name) const;
    // A parameter row with the given texts, as "Read File" would make it.
    int AddRow(const std::string& name, const std::string& drive, const std::string& file,
               const std::string& flag);

    FakeTickCount m_tick;
    FakeTimerHost m_timers;
    FakeKeys m_keys;
    RecordingMessageBox m_messages;
    FakeFileChooser m_chooser;
    FakeWaitCursor m_cursor;
    FakeTablesView m_view;
    CTables m_tables{{&m_tick, &m_timers, &m_keys, &m_messages, &m_chooser, &m_cursor, &m_view}};

private:
    std::string Feed(const std::string& text, int bValue, int bError) {
        auto record = std::make_unique<CServoData>();
        record->m_strText = text;
        record->m_bValue = bValue;
        record->m_bError = bError;
        m_tables.OnServoData(std::move(record));
        return m_keys.Take();
    }
};

inline int TablesHarness::RowOf(const std::string& name) const {
    for (int nRow = 1; nRow < Rows(); ++nRow) {
        if (Text(nRow, 0) == name)
            return nRow;
    }
    return -1;
}

inline int TablesHarness::AddRow(const std::string& name, const std::string& drive, const std::string& file,
                                 const std::string& flag) {
    CGridCtrl& grid = m_tables.GetGrid();
    const int nRow = AddParameterRow(grid, name);  // as the scan and the files add them
    grid.SetItemText(nRow, 1, drive);
    grid.SetItemText(nRow, 2, file);
    grid.SetItemText(nRow, 3, flag);
    return nRow;
}
