// The Table page's actions around its files, the update's snapshot and report, the
// filter, find and the texts they show (the page logic's second half).
#include "app/PageFileChooser.h"
#include "app/TablesPageLogic.h"
#include "platform/ConfigPaths.h"
#include "platform/MessageBox.h"
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

namespace {
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
