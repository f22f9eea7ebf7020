#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "grid/GridCtrl.h"
#include "grid/GridNotify.h"
#include "link/ServoData.h"
#include "table/TablesView.h"
#include "table/ValueCompare.h"

class IFileChooser;
class IKeyWriter;
class IMessageBox;
class ITickCount;
class ITimerHost;
class IWaitCursor;

// What the platform gives the Table page. All are required except the view.
struct STablesServices {
    ITickCount* pTickCount = nullptr;
    ITimerHost* pTimerHost = nullptr;  // one-shot timers; fires call CTables::OnTimer
    IKeyWriter* pKeyWriter = nullptr;  // the drive's keys, one byte per write
    IMessageBox* pMessageBox = nullptr;
    IFileChooser* pFileChooser = nullptr;
    IWaitCursor* pWaitCursor = nullptr;
    ITablesView* pView = nullptr;
};

// The Table page's logic: the parameter grid, the drive scan ("Read DC Drive"), the
// drive update ("Update DC Drive"), the parameter files, the end-of-procedure refresh
// and the inactivity watchdog. The desktop page and the command-line tool own one each
// and feed it button presses, the drive's records, timer events and watchdog checks,
// all on one thread. Both procedures answer every record of the drive with at most one
// key, so the walk stays in step with what the drive shows.
class CTables : public IGridNotifyTarget {
public:
    static constexpr int kGridId = 1006;
    static constexpr int kMaxLevel = 9;
    static constexpr std::uint32_t kWatchdogMs = 1300;
    static constexpr unsigned kPauseMs = 300;
    static constexpr int kSettlingRecords = 10;
    static constexpr int kWrapRetryLimit = 10;
    static constexpr int kSameValueLimit = 10;
    // Times a parameter's value may go past its target before it is given up.
    static constexpr int kOvershootLimit = 10;

    explicit CTables(const STablesServices& services);
    ~CTables() override;
    CTables(const CTables&) = delete;
    CTables& operator=(const CTables&) = delete;

    CGridCtrl& GetGrid() { return m_Grid; }
    const CGridCtrl& GetGrid() const { return m_Grid; }

    // The grid set-up of the page's creation; false when the grid ran out of memory.
    bool OnInitDialog();

    // Buttons.
    void OnReadDrive();
    // "Verify after update": a read like "Read DC Drive" that keeps the outcomes of the
    // update just ended (and their colours), so that both show once it has ended.
    void OnVerifyDrive();
    void OnDriveToFile();
    // True when a file was read into the table (not cancelled, no file error).
    bool OnReadFile();
    void OnUpdateDrive();
    void OnClearTable();
    void OnFileToNewFile();
    // "Stop": ends a running read or update at once and keeps the table. A value the
    // update is stepping is left with Escape, so the drive keeps its stored value; after
    // that no key is sent, whatever the drive still answers.
    void OnStop();
    // "Mark Differing": "Yes" on every row whose file value differs from its drive value
    // (by the compare in use) and both are numbers the update steps, "No" on every other
    // row. Returns the rows marked.
    int MarkDiffering();

    // The compare of the colours (and of the page's filter and MarkDiffering); a change
    // recolours the table.
    void SetCompare(ECompare eCompare);
    ECompare GetCompare() const { return m_eCompare; }

    // One record of the drive; the record is consumed in every path.
    void OnServoData(std::unique_ptr<CServoData> pRecord);
    // A timer of the page's timer host has fired.
    void OnTimer(unsigned nIDEvent);
    // The watchdog check, run after every message the page's loop handles.
    void ContinueModal();
    // Edit permissions and the refresh after an edit of the file column.
    std::intptr_t OnGridNotify(int idFrom, NMHDR* pNotify) override;

    // Ends any procedure, then refreshes buttons and colours.
    void FinishAndRefresh() { FinishAndRefresh(ETablesEnd::kStopped); }

    // State, for the page and the command-line tool.
    bool IsReading() const { return m_bReading; }
    bool IsUpdating() const { return m_bUpdating; }
    // The clock reading of the running procedure's start or last handled record; 0 when
    // no procedure runs.
    std::uint32_t GetLastRecordTick() const { return m_dwLastRecordTick; }
    unsigned GetPauseTimer() const { return m_nPauseTimer; }
    char GetDirection() const { return m_cDirection; }
    int GetLevel() const { return m_nLevel; }
    // The row of the parameter opened last; 0 when none is open.
    int GetCurrentRow() const { return m_nRow; }
    const STablesButtons& GetButtons() const { return m_Buttons; }
    // The parameters the running or last procedure saw: rows it wrote a drive value or
    // error text into since its start (rows of an earlier read do not count).
    int GetParametersSeen() const { return static_cast<int>(m_rowsSeen.size()); }
    // Why the last update gave a row's parameter up; kNone when it did not.
    EValueGiveUp GetGiveUp(int nRow) const;
    // The outcome of the last update for a row it found marked "Yes"; kNone for other
    // rows, during an update, and after the table has been read again or cleared. The
    // "Update from File" cell of such a row has the outcome's colour (OutcomeColour).
    EUpdateOutcome GetOutcome(int nRow) const;
    bool HasOutcomes() const { return !m_outcomes.empty(); }
    // The drive value a marked row showed when the last update started.
    std::string GetValueBefore(int nRow) const;

private:
    void FinishAndRefresh(ETablesEnd eHow);
    void StartRead();
    void EndReplacedProcedure();
    void StartProcedure();
    void StopPauseTimer();
    void ShowWaitCursor();
    void SendKey(char cKey);
    std::uint32_t StampNow();

    // The record kinds and the walk (TablesWalk.cpp).
    bool IgnoredWhilePaused() const;
    void OnErrorLine(const std::string& strText);
    void OnValueLine(const std::string& strText);
    void OnNameLine(const std::string& strText);
    void LevelDone();
    void NewItem(const std::string& strText);
    void StepToNextItem();
    void ClearWalkLevel(int nLevel);
    void WriteDriveText(const std::string& strText);
    bool WrappedRound(const std::string& strValue) const;
    void GiveUp(EValueGiveUp eWhy);
    void ValueStep(const std::string& strValue);
    void StartPause();

    // The outcomes of the marked rows (TablesService.cpp).
    void NoteUpdateStart();
    void NoteUpdateEnd(bool bCompleted);
    void ClearOutcomes();
    EUpdateOutcome OutcomeOf(int nRow, bool bCompleted) const;

    void RefreshButtonsAndColours();
    void SaveTable(bool bFileValues);

    STablesServices m_Services;
    STablesButtons m_Buttons;
    bool m_bWaitCursorShown = false;

    int m_nSkipCount = 0;
    CGridCtrl m_Grid;
    std::uint32_t m_dwLastRecordTick = 0;
    unsigned m_nPauseTimer = 0;
    char m_cDirection = 0;
    bool m_bReading = false;
    bool m_bUpdating = false;
    int m_nRow = 0;
    int m_nLevel = 0;
    std::string m_strFirstName[kMaxLevel + 1];
    std::string m_strLastName[kMaxLevel + 1];
    std::string m_strValue;
    bool m_bValueDone = false;
    int m_nSameValueCount = 0;
    int m_nOvershoots = 0;
    bool m_bBackAtLevel = false;
    int m_nWrapRetries = 0;
    bool m_bStayOnLevel = false;
    // Per level: items opened and 'u' presses, which bound a level that never wraps.
    int m_nItemsAtLevel[kMaxLevel + 1] = {};
    int m_nUpPresses[kMaxLevel + 1] = {};
    char m_cLastStep = 0;  // 'u' or 'd' when the last value line of this item got a step
    std::set<int> m_rowsSeen;
    std::map<int, EValueGiveUp> m_giveUps;
    ECompare m_eCompare = ECompare::kText;
    std::set<int> m_rowsOpened;                 // rows the running update has opened
    std::map<int, std::string> m_valuesBefore;  // marked row -> drive value at the update's start
    std::map<int, EUpdateOutcome> m_outcomes;
};
