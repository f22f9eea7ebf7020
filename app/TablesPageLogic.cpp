// The Table page's logic: the procedures' start, progress and end as the status line,
// the progress bar and Stop show them, and the questions while one runs.
#include "app/TablesPageLogic.h"

#include "platform/TickCount.h"
#include "table/TableRows.h"
#include "table/Tables.h"
#include "table/TablesStatus.h"
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

}  // namespace
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