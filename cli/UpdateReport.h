#pragma once

#include <set>
#include <string>

class CGridCtrl;
class CServoData;

// How far `tovamo-cli update` has come, for its progress line: the names of the rows
// marked "Yes" when the update starts, and how many of them the drive has shown since.
// The report of --report itself is the table's own (UpdateReportText), the same as the
// desktop page's "Save Report...".
class CUpdateProgress {
public:
    // At the start of the update: the marked rows.
    void NoteMarked(const CGridCtrl& grid);
    // Every record of the scan and the update.
    void NoteRecord(const CServoData& record);

    int MarkedCount() const { return static_cast<int>(m_marked.size()); }
    // Marked parameters the update has come to so far.
    int MarkedVisited() const { return m_nVisited; }

private:
    std::set<std::string> m_marked;
    std::set<std::string> m_seen;  // names the drive showed during the update
    int m_nVisited = 0;
    bool m_bUpdating = false;
};
