#pragma once

#include "app/Resources.h"
#include "grid/CellRange.h"
#include "table/FindRows.h"
#include "table/TablesPageText.h"
#include "table/TablesView.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>

class CPageFileChooser;
class CTables;
class IMessageBox;
struct SUpdatePlan;
class ITickCount;

// What the Table page shows around CTables and decides without any GUI library: the
// status line's texts, the progress bar, which buttons are enabled, the loaded file's
// name, the questions before a running procedure is stopped, find's keys and the
// filter. The front end creates the controls, forwards clicks, keys and records, and
// shows what this tells its view. Texts are UTF-8.

// The procedure the page runs: a read, an update, or the read that verifies an update.
enum class EPageProcedure { kNone, kRead, kUpdate, kVerify };

class ITablesPageView {
public:
    virtual ~ITablesPageView() = default;
    virtual void ShowStatus(const std::string& strText) = 0;
    // Shows the bar (when hidden) with the value against the maximum (0: a busy bar).
    virtual void ShowProgressBar(const SProgressBar& bar) = 0;
    virtual void HideProgressBar() = 0;
    virtual void EnableStop(bool bEnable) = 0;
};

// Modifier keys held with a key, for find's keys.
enum EKeyModifier : unsigned {
    kModNone = 0,
    kModShift = 1u << 0,
    kModControl = 1u << 1,
    kModAlt = 1u << 2,
    kModMeta = 1u << 3,
};
inline constexpr std::uint32_t kVkF = 0x46;
inline constexpr std::uint32_t kVkF3 = 0x72;

// What a key does to find: Ctrl+F opens the field; F3 and Shift+F3 go on searching from
// anywhere on the page (once there is a text); in the field Enter finds the next match
// and Escape closes the field (not the sheet). kNone: the key is not find's.
enum class EFindKey { kNone, kOpen, kNext, kPrevious, kClose };
EFindKey FindKeyAction(std::uint32_t nVirtualKey, unsigned nModifiers, bool bInField, bool bFieldEmpty);

// The answers to the question before a second file is read while file values are shown.
enum class EReadFileChoice { kReplace, kAdd, kCancel };
inline constexpr const char* kReadFileAnswers[] = {"&Replace", "&Add", "Cancel"};
inline constexpr int kReadFileDefaultAnswer = 1;  // Add
inline constexpr int kReadFileEscapeAnswer = 2;   // Cancel

// The switches under the buttons: their settings entries (section "Setings"; none: not
// kept) and their state when the entry is not there yet.
struct SPageSwitch {
    int nId;
    const char* pszEntry;
    bool bDefault;
};
inline constexpr SPageSwitch kTablesSwitches[] = {
    {res::kIdOnlyDiffering, nullptr, false},
    {res::kIdCompareNumbers, res::kCompareEntry, false},
    {res::kIdVerify, res::kVerifyEntry, true},
};

// The confirmation before an update: "3 marked parameters will be changed:" (or "... .",
// nothing to change), the changes and, under "Left alone:", what is not; lists show up to
// kConfirmListRows lines, then scroll. Cancel is the default button.
std::string UpdateConfirmHeading(std::size_t nChanges);
inline constexpr const char* kConfirmUpdateButton = "&Update";
inline constexpr const char* kLeftAloneLabel = "Left alone:";
inline constexpr int kConfirmListRows = 10;

// The report of the grid's context menu: its file dialog.
inline constexpr const char* kReportFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
inline constexpr const char* kReportFileName = "report.txt";
inline constexpr const char* kReportExtension = "txt";

class CTablesPageLogic {
public:
    CTablesPageLogic(CTables& tables, ITickCount& tick, ITablesPageView& view);

    EPageProcedure Running() const { return m_eRunning; }
    bool IsBusy() const { return m_eRunning != EProcedure::kNone; }
    // Whether a button (by control id: the template's six, Stop, Mark Differing) is
    // enabled now.
    bool IsButtonEnabled(int nId) const;

    // "Read DC Drive", or the read that verifies an update: CTables starts it, then as
    // OnStarted.
    void StartRead(bool bVerify);
    // "Update DC Drive": the user confirms the plan (confirm answers true), the drive's
    // values as read are saved (WriteUpdateSnapshot), then CTables starts the update. False
    // when it was not started.
    bool StartUpdate(const std::function<bool(const SUpdatePlan&)>& confirm, IMessageBox& messages);
    // After CTables has started the procedure (OnReadDrive, OnVerifyDrive, OnUpdateDrive).
    void OnStarted(EPageProcedure eProcedure);
    // After each record CTables handled: the progress.
    void OnRecordHandled();
    // The periodic call: the clock in the status line moves on while the drive is slow.
    void OnContinueModal();
    // CTables's end of a procedure. True when the read that verifies the update is to
    // start now (the update completed and "Verify after update" is on).
    bool OnProcedureEnded(ETablesEnd how, bool bVerifyAfterUpdate);

    // The page was left (another page turned to) while a procedure ran: it starves.
    void OnPageLeft();
    // The question before closing or leaving while a procedure runs; nullopt when nothing
    // runs, so nothing is asked.
    std::optional<std::string> CloseQuestion() const;
    std::optional<std::string> LeaveQuestion() const;
    // The user kept the page after the leave question: nothing starved.
    void OnStayed();

    // "Read File": whether to ask replace-or-add first (file values are shown); the
    // answer's index in kReadFileAnswers (anything but Replace and Cancel adds).
    bool AsksReplaceOrAdd() const;
    static EReadFileChoice ReadFileChoice(int nAnswer);
    // "Read File" after the question (kAdd when none was asked): a replacing read clears
    // the file columns once a file is chosen and gives them back when it cannot be read.
    // True when a file was read (then as OnFileRead).
    bool ReadFile(EReadFileChoice eChoice, CPageFileChooser& chooser);
    // A file has been read: the file-name line names it (after the others when added)
    // and the status line tells how the file compares with the drive.
    void OnFileRead(const std::string& strFileName, bool bReplace);
    const std::string& FileNameLine() const { return m_strFileNameLine; }
    // "Clear Table": CTables empties the grid, then as OnTableCleared.
    void ClearTable();
    // The table was cleared: the snapshot and file names are forgotten.
    void OnTableCleared();

    // Before an update: the drive's values as read are saved. False (with the message
    // shown and the status line saying so) when the snapshot cannot be written.
    bool WriteUpdateSnapshot(IMessageBox& messages);
    const std::string& SnapshotPath() const { return m_strSnapshotPath; }

    // "Mark Differing".
    void MarkDiffering();
    // "Compare as numbers" switched: the colours follow, and so do the rows the filter shows
    // (true: the grid is to be repainted).
    bool SetCompareNumbers(bool bNumeric, bool bOnlyDiffering);
    // "Only rows that differ" turned on or off (bShowCount), or a refresh (the filter is
    // applied again). True when the grid's rows changed and it is to be repainted.
    bool ApplyFilter(bool bOnlyDiffering, bool bShowCount);
    // Find: moves the grid's focus to the match (from the focus cell, in a value column)
    // and scrolls it into view; false when nothing matches.
    bool FindAndFocus(const std::string& strText, EFindStep eStep);
    // The outcome words for the tip over a cell; nullptr: no tip there.
    const char* OutcomeTip(CCellID cell) const;
    // Saves the report of the last update; empty on success, else the message to show.
    std::string SaveReport(const std::string& strPath) const;

    // Texts (also shown through the view by the operations above).
    std::string ComparisonText() const;
    std::string UpdateProgressText();
    std::string EndText(ETablesEnd how, EPageProcedure eEnded) const;

private:
    using EProcedure = EPageProcedure;

    void ShowProgress();
    std::string SnapshotNote() const;
    std::uint32_t Elapsed();

    CTables& m_Tables;
    ITickCount& m_Tick;
    ITablesPageView& m_View;
    EProcedure m_eRunning = EProcedure::kNone;
    bool m_bLeftWhileRunning = false;   // the page was left while the procedure ran
    std::set<int> m_markedVisited;      // marked rows the update has opened
    std::uint32_t m_dwStartTick = 0;    // the running procedure's start
    std::uint32_t m_dwShownSecond = 0;  // the elapsed second the status line shows
    int m_nLastReadTotal = 0;           // parameters of the last complete read; 0 before one
    std::string m_strSnapshot;          // the file name of the last update's snapshot
    std::string m_strSnapshotPath;
    std::string m_strFileNameLine;
};
