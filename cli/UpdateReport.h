#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "table/ParamFile.h"
#include "table/TablesView.h"

class CGridCtrl;
class CServoData;
class CTables;

// The report of `tovamo-cli update FILE --report REPORT`: for each parameter FILE marks
// "Yes", what the drive showed before the update, the file's value, what the drive
// showed afterwards and how it went. It watches the procedures from outside: the drive
// values of the table after the scan, and the names the drive showed.
class CUpdateReport {
public:
    explicit CUpdateReport(const std::vector<SParamLine>& fileLines);

    // After the scan that precedes the update: the drive values before.
    void NoteValuesBefore(const CGridCtrl& grid);
    // Every record of the scan and the update.
    void NoteRecord(const CServoData& record);

    int MarkedCount() const { return static_cast<int>(m_marked.size()); }
    // Marked parameters the update has come to so far.
    int MarkedVisited() const { return m_nVisited; }

    // The header line and one line per marked parameter, LF line ends. `bCompleted`: the
    // update ran to its end (it was not ended by the watchdog, a signal or an overflow).
    std::string Text(const CTables& tables, bool bCompleted) const;

private:
    std::vector<SParamLine> m_marked;
    std::map<std::string, std::string> m_before;  // name -> drive value after the scan
    std::set<std::string> m_seen;                 // names the drive showed
    int m_nVisited = 0;
    bool m_bUpdating = false;  // values before are noted: what comes now is the update
};

// How the update went for one parameter; `eGiveUp` says why the update left it, if it did.
const char* UpdateOutcome(bool bFound, const std::string& strBefore, const std::string& strFile,
                          const std::string& strAfter, bool bCompleted, EValueGiveUp eGiveUp);
