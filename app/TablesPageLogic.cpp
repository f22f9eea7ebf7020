#include "app/TablesPageLogic.h"

#include "app/PageFileChooser.h"
#include "platform/ConfigPaths.h"
#include "platform/MessageBox.h"
#include "platform/TickCount.h"
#include "platform/WindowInput.h"
#include "table/FileColumns.h"
#include "table/FileError.h"
#include "table/ParamFile.h"
#include "table/RowFilter.h"
#include "table/Snapshot.h"
#include "table/TableRows.h"
#include "table/Tables.h"
#include "table/TablesStatus.h"
#include "table/UpdateOutcome.h"
#include "table/UpdatePlan.h"
#include "table/Windows1252.h"

namespace {
ERunningProcedure RunningOf(EPageProcedure eProcedure) {
    return eProcedure == EPageProcedure::kUpdate ? ERunningProcedure::kUpdate : ERunningProcedure::kRead;
}

// A parameter's name for the status line: without the blanks the drive pads it with.
std::string ShownName(const std::string& strBytes) {
    const auto blank = [](unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0xA0; };
    std::size_t nBegin = 0;
    std::size_t nEnd = strBytes.size();
    while (nBegin < nEnd && blank(static_cast<unsigned char>(strBytes[nBegin])))
        ++nBegin;
    while (nEnd > nBegin && blank(static_cast<unsigned char>(strBytes[nEnd - 1])))
        --nEnd;
    std::string strShown;
    for (std::size_t i = nBegin; i < nEnd; ++i) {
        const auto byte = static_cast<unsigned char>(strBytes[i]);
        // The five bytes Windows-1252 leaves undefined stay the control characters of
        // the same value, as the system's code page shows them.
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D)
            strShown += {static_cast<char>(0xC2), static_cast<char>(byte)};
        else
            strShown += Windows1252ToUtf8(std::string(1, static_cast<char>(byte)));
    }
    return strShown;
}

// The last part of a path.
std::string FileNameOf(const std::string& strPath) {
#ifdef _WIN32
    const std::size_t nSlash = strPath.find_last_of("/\\");
#else
    const std::size_t nSlash = strPath.rfind('/');
#endif
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}
}  // namespace

std::string UpdateConfirmHeading(std::size_t nChanges) {
    return std::to_string(nChanges) + (nChanges == 1 ? " marked parameter" : " marked parameters") +
           " will be changed" + (nChanges != 0 ? ":" : ".");
}

EFindKey FindKeyAction(std::uint32_t nVirtualKey, unsigned nModifiers, bool bInField, bool bFieldEmpty) {
    if (nVirtualKey == kVkF && nModifiers == kModControl)
        return EFindKey::kOpen;
    const bool bF3 = nVirtualKey == kVkF3 && !bFieldEmpty;
    const bool bEnter = bInField && nVirtualKey == VK_RETURN;
    if ((bF3 && (nModifiers == kModNone || nModifiers == kModShift)) || (bEnter && nModifiers == kModNone))
        return nModifiers == kModShift ? EFindKey::kPrevious : EFindKey::kNext;
    if (bInField && nVirtualKey == VK_ESCAPE && nModifiers == kModNone)
        return EFindKey::kClose;
    return EFindKey::kNone;
}

CTablesPageLogic::CTablesPageLogic(CTables& tables, ITickCount& tick, ITablesPageView& view)
    : m_Tables(tables), m_Tick(tick), m_View(view) {}

bool CTablesPageLogic::IsButtonEnabled(int nId) const {
    const STablesButtons& buttons = m_Tables.GetButtons();
    switch (nId) {
        case res::kIdDriveToFile:
            return buttons.bDriveToFile;
        case res::kIdUpdateDrive:
            return buttons.bUpdateDrive;
        case res::kIdFileToNewFile:
            return buttons.bFileToNewFile;
        case res::kIdStop:
            return IsBusy();
        default:  // Read DC Drive, Read File, Clear Table, Mark Differing: always
            return true;
    }
}

std::uint32_t CTablesPageLogic::Elapsed() {
    return m_Tick.GetTickCount() - m_dwStartTick;
}

void CTablesPageLogic::StartRead(bool bVerify) {
    if (bVerify)
        m_Tables.OnVerifyDrive();
    else
        m_Tables.OnReadDrive();
    OnStarted(bVerify ? EProcedure::kVerify : EProcedure::kRead);
}

bool CTablesPageLogic::StartUpdate(const std::function<bool(const SUpdatePlan&)>& confirm,
                                   IMessageBox& messages) {
    if (!confirm(MakeUpdatePlan(m_Tables.GetGrid())) || !WriteUpdateSnapshot(messages))
        return false;
    m_Tables.OnUpdateDrive();
    OnStarted(EProcedure::kUpdate);
    return true;
}

void CTablesPageLogic::OnStarted(EPageProcedure eProcedure) {
    m_eRunning = eProcedure;
    m_bLeftWhileRunning = false;
    m_dwStartTick = m_Tick.GetTickCount();
    m_dwShownSecond = 0;
    m_View.EnableStop(true);
    if (eProcedure == EProcedure::kUpdate) {
        m_markedVisited.clear();
        m_View.ShowStatus("Updating: starting");
        m_View.ShowProgressBar({0, 1});
    } else {
        m_View.ShowStatus("Reading: starting");
        m_View.ShowProgressBar(ReadProgressBar(0, m_nLastReadTotal));
    }
}

void CTablesPageLogic::OnRecordHandled() {
    ShowProgress();
}

void CTablesPageLogic::OnContinueModal() {
    if (m_eRunning != EProcedure::kNone && Elapsed() / 1000 != m_dwShownSecond)
        ShowProgress();
}

void CTablesPageLogic::ShowProgress() {
    if (m_Tables.IsReading()) {
        const int nSeen = m_Tables.GetParametersSeen();
        m_dwShownSecond = Elapsed() / 1000;
        m_View.ShowStatus(ReadProgressText(nSeen, m_nLastReadTotal, m_Tables.GetLevel(), Elapsed()));
        m_View.ShowProgressBar(ReadProgressBar(nSeen, m_nLastReadTotal));
    } else if (m_Tables.IsUpdating()) {
        m_View.ShowStatus(UpdateProgressText());
    }
}

// "Updating: P12 ..., 4 of 10 marked parameters done, 0:12": the marked parameters the
// walk has passed count as done, the one open now does not yet.
std::string CTablesPageLogic::UpdateProgressText() {
    const CGridCtrl& grid = m_Tables.GetGrid();
    int nMarked = 0;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
        nMarked += grid.GetItemText(nRow, kColUpdate) == "Yes" ? 1 : 0;
    const int nRow = m_Tables.GetCurrentRow();
    const bool bMarkedOpen = nRow > 0 && grid.GetItemText(nRow, kColUpdate) == "Yes";
    if (bMarkedOpen)
        m_markedVisited.insert(nRow);
    const int nDone = static_cast<int>(m_markedVisited.size()) - (bMarkedOpen ? 1 : 0);
    m_View.ShowProgressBar(UpdateProgressBar(nDone, nMarked));
    m_dwShownSecond = Elapsed() / 1000;
    const std::string strName = nRow > 0 ? ShownName(grid.GetItemText(nRow, kColName)) + " ..." : "...";
    return "Updating: " + strName + ", " + std::to_string(nDone) + " of " + std::to_string(nMarked) +
           " marked parameters done, " + ElapsedText(Elapsed());
}

bool CTablesPageLogic::OnProcedureEnded(ETablesEnd how, bool bVerifyAfterUpdate) {
    const EProcedure eEnded = m_eRunning;
    m_eRunning = EProcedure::kNone;
    m_View.EnableStop(false);
    m_View.HideProgressBar();
    if (how == ETablesEnd::kCompleted && eEnded != EProcedure::kUpdate)
        m_nLastReadTotal = m_Tables.GetParametersSeen();
    m_View.ShowStatus(EndText(how, eEnded));
    return how == ETablesEnd::kCompleted && eEnded == EProcedure::kUpdate && bVerifyAfterUpdate;
}

// The snapshot the update began with, named after its summary.
std::string CTablesPageLogic::SnapshotNote() const {
    return m_strSnapshot.empty() ? std::string() : "; snapshot " + m_strSnapshot;
}

std::string CTablesPageLogic::EndText(ETablesEnd how, EPageProcedure eEnded) const {
    const bool bUpdate = eEnded == EProcedure::kUpdate;
    switch (how) {
        case ETablesEnd::kCompleted: {
            if (bUpdate) {
                const SMarkedCounts count = CountMarkedOutcomes(m_Tables);
                return "Update complete: " + std::to_string(count.nReached) + " of " +
                       std::to_string(count.nMarked) + " marked parameters reached" + SnapshotNote();
            }
            if (eEnded == EProcedure::kVerify)
                return VerifiedStatusText(m_Tables) + SnapshotNote();
            return "Read complete: " + std::to_string(m_Tables.GetParametersSeen()) + " parameters";
        }
        case ETablesEnd::kWatchdog:
            // A procedure starves while another page takes the drive's answers.
            return m_bLeftWhileRunning ? "No answer from the drive for 1.3 s (the Table page was left)"
                                       : "No answer from the drive for 1.3 s";
        case ETablesEnd::kOverflow:
            return "Overflov Levels";
        case ETablesEnd::kStopped:
            return StoppedStatusText(m_Tables, bUpdate) + (bUpdate ? SnapshotNote() : std::string());
        case ETablesEnd::kNoWrap:
            return std::string(bUpdate ? "Update stopped" : "Read stopped") +
                   ": the drive's menu did not come back to its first item";
    }
    return {};
}

void CTablesPageLogic::OnPageLeft() {
    m_bLeftWhileRunning = m_bLeftWhileRunning || IsBusy();
}

std::optional<std::string> CTablesPageLogic::CloseQuestion() const {
    if (!IsBusy())
        return std::nullopt;
    return StopAndCloseQuestion(RunningOf(m_eRunning));
}

std::optional<std::string> CTablesPageLogic::LeaveQuestion() const {
    if (!IsBusy())
        return std::nullopt;
    return StopAndLeaveQuestion(RunningOf(m_eRunning));
}

void CTablesPageLogic::OnStayed() {
    m_bLeftWhileRunning = false;
}

bool CTablesPageLogic::AsksReplaceOrAdd() const {
    return m_Tables.GetButtons().bFileToNewFile;
}

EReadFileChoice CTablesPageLogic::ReadFileChoice(int nAnswer) {
    if (nAnswer == kReadFileEscapeAnswer)
        return EReadFileChoice::kCancel;
    return nAnswer == 0 ? EReadFileChoice::kReplace : EReadFileChoice::kAdd;
}

bool CTablesPageLogic::ReadFile(EReadFileChoice eChoice, CPageFileChooser& chooser) {
    if (eChoice == EReadFileChoice::kCancel)
        return false;
    const bool bReplace = eChoice == EReadFileChoice::kReplace;
    CGridCtrl& grid = m_Tables.GetGrid();
    std::optional<SFileColumns> saved;
    if (bReplace)
        chooser.SetOnOpenChosen([&] { saved = TakeFileColumns(grid); });
    const bool bRead = m_Tables.OnReadFile();
    chooser.SetOnOpenChosen({});
    if (!bRead) {
        // A cancelled dialog or a file error leaves the line to a procedure that still runs.
        if (saved)
            RestoreFileColumns(grid, *saved);
        return false;
    }
    OnFileRead(FileNameOf(chooser.LastOpenPath()), bReplace);
    return true;
}

void CTablesPageLogic::OnFileRead(const std::string& strFileName, bool bReplace) {
    m_strFileNameLine = bReplace || m_strFileNameLine.empty() ? "File: " + strFileName
                                                              : m_strFileNameLine + ", " + strFileName;
    m_View.ShowStatus(ComparisonText());
}

// After "Read File": how the file compares with what the drive showed.
std::string CTablesPageLogic::ComparisonText() const {
    const CGridCtrl& grid = m_Tables.GetGrid();
    int nDiffer = 0;
    int nMissing = 0;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        const std::string strFile = grid.GetItemText(nRow, kColFile);
        if (strFile.empty())
            continue;
        const std::string strDrive = grid.GetItemText(nRow, kColDrive);
        nMissing += strDrive.empty() ? 1 : 0;
        nDiffer += !strDrive.empty() && strDrive != strFile ? 1 : 0;
    }
    return "Compared with the file: " + std::to_string(nDiffer) + " differ, " + std::to_string(nMissing) +
           " without a drive value";
}

void CTablesPageLogic::ClearTable() {
    m_Tables.OnClearTable();
    OnTableCleared();
}

void CTablesPageLogic::OnTableCleared() {
    m_strSnapshot.clear();
    m_strFileNameLine.clear();
}

bool CTablesPageLogic::WriteUpdateSnapshot(IMessageBox& messages) {
    const SSnapshotResult snapshot =
        WriteSnapshot(TovamoSnapshotDir(), DriveFileText(m_Tables.GetGrid()), LocalTimeNow());
    if (!snapshot.Ok()) {
        m_strSnapshot.clear();
        messages.ShowMessage(
            "The drive's values could not be saved before the update, so it was not started.",
            snapshot.strError);
        m_View.ShowStatus("Update not started: the snapshot could not be written");
        return false;
    }
    m_strSnapshot = FileNameOf(snapshot.strPath);
    m_strSnapshotPath = snapshot.strPath;
    return true;
}

void CTablesPageLogic::MarkDiffering() {
    m_View.ShowStatus(MarkedStatusText(m_Tables.MarkDiffering()));
}

bool CTablesPageLogic::SetCompareNumbers(bool bNumeric, bool bOnlyDiffering) {
    m_Tables.SetCompare(bNumeric ? ECompare::kNumeric : ECompare::kText);
    return bOnlyDiffering && ApplyFilter(true, true);
}

bool CTablesPageLogic::ApplyFilter(bool bOnlyDiffering, bool bShowCount) {
    if (!bOnlyDiffering && !bShowCount)
        return false;
    CGridCtrl& grid = m_Tables.GetGrid();
    const int nShown = ShowOnlyDifferingRows(grid, bOnlyDiffering);
    if (bShowCount)
        m_View.ShowStatus(RowsShownText(nShown, grid.GetRowCount() - 1));
    return true;
}

bool CTablesPageLogic::FindAndFocus(const std::string& strText, EFindStep eStep) {
    CGridCtrl& grid = m_Tables.GetGrid();
    const CCellID focus = grid.GetFocusCell();
    const int nRow = FindRow(grid, strText, focus.row, eStep);
    if (nRow == 0)
        return false;
    const int nCol = focus.col >= kColDrive ? focus.col : kColDrive;
    grid.SetFocusCell(nRow, nCol);
    grid.EnsureVisible(nRow, nCol);
    return true;
}

const char* CTablesPageLogic::OutcomeTip(CCellID cell) const {
    const EUpdateOutcome eOutcome =
        cell.col == kColUpdate && cell.row > 0 ? m_Tables.GetOutcome(cell.row) : EUpdateOutcome::kNone;
    return eOutcome == EUpdateOutcome::kNone ? nullptr : UpdateOutcomeWords(eOutcome);
}

// The same report as `tovamo-cli update --report`, of the last update on this page.
std::string CTablesPageLogic::SaveReport(const std::string& strPath) const {
    if (const int nErrno = WriteParamFile(strPath, UpdateReportText(m_Tables)))
        return FileErrorMessage(FileErrorCauseFromErrno(nErrno), strPath);
    return {};
}
