#include "table/Tables.h"

#include "link/KeyWriter.h"
#include "platform/OneShotTimer.h"
#include "platform/TickCount.h"
#include "platform/WaitCursor.h"
#include "table/TableRows.h"

CTables::CTables(const STablesServices& services) : m_Services(services) {
    m_Grid.SetNotifyTarget(this, kGridId);
    m_Grid.SetMessageBox(m_Services.pMessageBox);
}

CTables::~CTables() {
    StopPauseTimer();
    m_Grid.SetNotifyTarget(nullptr, kGridId);
}

bool CTables::OnInitDialog() {
    return SetUpTableGrid(m_Grid);
}

// A stamp of 0 means "no procedure runs", so a clock reading of exactly 0 is stored as 1:
// otherwise a procedure started at that millisecond would never be ended by the watchdog.
std::uint32_t CTables::StampNow() {
    const std::uint32_t now = m_Services.pTickCount->GetTickCount();
    return now != 0 ? now : 1;
}

void CTables::SendKey(char cKey) {
    m_Services.pKeyWriter->WritePort(&cKey, 1);
}

void CTables::StopPauseTimer() {
    if (m_nPauseTimer == 0)
        return;
    m_Services.pTimerHost->KillTimer(m_nPauseTimer);
    m_nPauseTimer = 0;
}

// The walk's state is reset for a new run. Only one procedure runs at a time: running
// both would answer a value line with two keys and put the walk out of step with the
// drive, so a start ends the other procedure, and a pending pause, which belongs to
// the update that is being ended or restarted, is dropped.
void CTables::StartProcedure() {
    for (int nLevel = 0; nLevel <= kMaxLevel; ++nLevel)
        ClearWalkLevel(nLevel);
    m_rowsSeen.clear();
    m_nLevel = 0;
    m_nRow = 0;
    m_bBackAtLevel = false;
    m_nWrapRetries = 0;
    m_bStayOnLevel = true;
    StopPauseTimer();
}

// One busy cursor per running procedure: a restart does not stack a second one that the
// single end of the procedure would leave behind.
void CTables::ShowWaitCursor() {
    if (m_bWaitCursorShown)
        return;
    m_Services.pWaitCursor->BeginWaitCursor();
    m_bWaitCursorShown = true;
}

// A procedure that a new start replaces is reported as ended before the new one begins,
// so that whoever watches sees the ends and starts in the order they happened.
void CTables::EndReplacedProcedure() {
    if (!m_bReading && !m_bUpdating)
        return;
    m_bReading = false;
    m_bUpdating = false;
    if (m_Services.pView != nullptr)
        m_Services.pView->OnProcedureEnded(ETablesEnd::kStopped);
}

void CTables::OnReadDrive() {
    ClearOutcomes();
    StartRead();
}

void CTables::OnVerifyDrive() {
    StartRead();
}

void CTables::StartRead() {
    EndReplacedProcedure();
    m_dwLastRecordTick = StampNow();
    m_bReading = true;
    StartProcedure();
    ShowWaitCursor();
    m_nSkipCount = kSettlingRecords;
    SendKey('o');
}

void CTables::OnUpdateDrive() {
    EndReplacedProcedure();
    m_dwLastRecordTick = StampNow();
    m_bUpdating = true;
    StartProcedure();
    m_strValue.clear();
    m_bValueDone = false;
    m_nSameValueCount = 0;
    m_nOvershoots = 0;
    m_giveUps.clear();
    NoteUpdateStart();
    ShowWaitCursor();
    m_nSkipCount = kSettlingRecords;
    SendKey('o');
}

void CTables::OnClearTable() {
    ClearOutcomes();
    m_Grid.SetRowCount(1);
    FinishAndRefresh();
}

void CTables::OnTimer(unsigned nIDEvent) {
    // Only the pause timer is ours; a fire after it was stopped sends nothing.
    if (m_nPauseTimer == 0 || nIDEvent != m_nPauseTimer)
        return;
    StopPauseTimer();
    SendKey(m_cDirection == 'D' ? 'u' : 'd');
    m_cDirection = 0;
}

void CTables::ContinueModal() {
    if (m_dwLastRecordTick == 0)
        return;
    // Unsigned difference: stays right when the 32-bit tick count wraps around.
    const std::uint32_t elapsed = m_Services.pTickCount->GetTickCount() - m_dwLastRecordTick;
    if (elapsed > kWatchdogMs)
        FinishAndRefresh(ETablesEnd::kWatchdog);
}

std::intptr_t CTables::OnGridNotify(int idFrom, NMHDR* pNotify) {
    if (pNotify == nullptr || idFrom != m_Grid.GetDlgCtrlID())
        return 0;
    const auto* pGridNotify = reinterpret_cast<const GRID_NOTIFY*>(pNotify);
    if (pNotify->code == GN_BEGINLABELEDIT) {
        if (pGridNotify->iColumn == kColName || pGridNotify->iColumn == kColDrive)
            return -1;
    } else if (pNotify->code == GN_ENDLABELEDIT) {
        if (pGridNotify->iColumn == kColFile)
            FinishAndRefresh();
    }
    return 1;
}

void CTables::FinishAndRefresh(ETablesEnd eHow) {
    const bool bWasRunning = m_bReading || m_bUpdating;
    const bool bWasUpdating = m_bUpdating;
    m_dwLastRecordTick = 0;
    m_bReading = false;
    m_bUpdating = false;
    for (int nLevel = 0; nLevel <= kMaxLevel; ++nLevel)
        ClearWalkLevel(nLevel);
    m_strValue.clear();
    m_nLevel = 0;
    m_nRow = 0;
    // An ended procedure sends no further key, so its pending pause goes too.
    StopPauseTimer();
    m_Services.pWaitCursor->EndWaitCursor();
    m_bWaitCursorShown = false;
    if (bWasUpdating)
        NoteUpdateEnd(eHow == ETablesEnd::kCompleted);
    RefreshButtonsAndColours();
    m_Grid.Refresh();
    if (m_Services.pView != nullptr) {
        m_Services.pView->OnGridRedraw();
        if (bWasRunning)
            m_Services.pView->OnProcedureEnded(eHow);
    }
}

EValueGiveUp CTables::GetGiveUp(int nRow) const {
    const auto it = m_giveUps.find(nRow);
    return it != m_giveUps.end() ? it->second : EValueGiveUp::kNone;
}

void CTables::RefreshButtonsAndColours() {
    bool bDriveValues = false;
    bool bFileValues = false;
    for (int nRow = 1; nRow < m_Grid.GetRowCount(); ++nRow) {
        bDriveValues = bDriveValues || !m_Grid.GetItemText(nRow, kColDrive).empty();
        bFileValues = bFileValues || !m_Grid.GetItemText(nRow, kColFile).empty();
    }
    m_Buttons.bDriveToFile = bDriveValues;
    m_Buttons.bUpdateDrive = bFileValues;
    m_Buttons.bFileToNewFile = bFileValues;
    if (bFileValues) {
        for (int nRow = 1; nRow < m_Grid.GetRowCount(); ++nRow)
            m_Grid.SetItemBkColour(nRow, kColDrive,
                                   DriveCellColour(m_Grid.GetItemText(nRow, kColDrive),
                                                   m_Grid.GetItemText(nRow, kColFile), m_eCompare));
    }
    if (m_Services.pView != nullptr)
        m_Services.pView->OnButtonsChanged(m_Buttons);
}
