// The operations for a day of service work: "Stop", "Mark Differing", the compare of the
// colours, and what the last update did to each marked row.
#include "grid/GridCtrl.h"
#include "table/TableRows.h"
#include "table/Tables.h"
#include "table/UpdateOutcome.h"
#include "table/ValueCompare.h"

void CTables::OnStop() {
    if (!m_bReading && !m_bUpdating)
        return;
    // Up and Down only change the value shown; Escape leaves it without storing it. A
    // parameter the update has opened and not finished is the one being stepped (or
    // about to be), including one waiting out a pause.
    if (m_bUpdating && m_nRow != 0 && !m_bValueDone)
        SendKey('o');
    // The drive's answers still on their way meet a procedure that is over: no settling
    // record may be answered either.
    m_nSkipCount = 0;
    FinishAndRefresh(ETablesEnd::kStopped);
}

int CTables::MarkDiffering() {
    int nMarked = 0;
    for (int nRow = 1; nRow < m_Grid.GetRowCount(); ++nRow) {
        const std::string strDrive = m_Grid.GetItemText(nRow, kColDrive);
        const std::string strFile = m_Grid.GetItemText(nRow, kColFile);
        const bool bMark = IsSteppableNumber(strDrive) && IsSteppableNumber(strFile) &&
                           !ValuesEqual(strDrive, strFile, m_eCompare);
        m_Grid.SetItemText(nRow, kColUpdate, bMark ? "Yes" : "No");
        nMarked += bMark ? 1 : 0;
    }
    m_Grid.Refresh();
    if (m_Services.pView != nullptr)
        m_Services.pView->OnGridRedraw();
    return nMarked;
}

void CTables::SetCompare(ECompare eCompare) {
    if (eCompare == m_eCompare)
        return;
    m_eCompare = eCompare;
    RefreshButtonsAndColours();
    m_Grid.Refresh();
    if (m_Services.pView != nullptr)
        m_Services.pView->OnGridRedraw();
}

EUpdateOutcome CTables::GetOutcome(int nRow) const {
    const auto it = m_outcomes.find(nRow);
    return it != m_outcomes.end() ? it->second : EUpdateOutcome::kNone;
}

std::string CTables::GetValueBefore(int nRow) const {
    const auto it = m_valuesBefore.find(nRow);
    return it != m_valuesBefore.end() ? it->second : std::string();
}

void CTables::ClearOutcomes() {
    for (const auto& [nRow, eOutcome] : m_outcomes) {
        if (nRow < m_Grid.GetRowCount())
            m_Grid.SetItemBkColour(nRow, kColUpdate);
    }
    m_outcomes.clear();
    m_valuesBefore.clear();
}

// The rows marked when the update starts are the ones it reports on; a mark changed
// while it runs changes what it does, not what it is judged by.
void CTables::NoteUpdateStart() {
    ClearOutcomes();
    m_rowsOpened.clear();
    for (int nRow = 1; nRow < m_Grid.GetRowCount(); ++nRow) {
        if (m_Grid.GetItemText(nRow, kColUpdate) == "Yes")
            m_valuesBefore[nRow] = m_Grid.GetItemText(nRow, kColDrive);
    }
}

void CTables::NoteUpdateEnd(bool bCompleted) {
    for (const auto& [nRow, strBefore] : m_valuesBefore) {
        if (nRow >= m_Grid.GetRowCount())
            continue;
        const EUpdateOutcome eOutcome = OutcomeOf(nRow, bCompleted);
        m_outcomes[nRow] = eOutcome;
        m_Grid.SetItemBkColour(nRow, kColUpdate, OutcomeColour(eOutcome));
    }
}

// The update steps a value only when both its texts are numbers; it gives a parameter up
// when the drive shows the same value ten times over, or when the value has gone past
// the target (or round the end of its range) ten times.
EUpdateOutcome CTables::OutcomeOf(int nRow, bool bCompleted) const {
    const std::string strFile = m_Grid.GetItemText(nRow, kColFile);
    const std::string strAfter = m_Grid.GetItemText(nRow, kColDrive);
    // A value the drive showed before is there whether or not the update came to it.
    if (!strFile.empty() && ValuesEqual(GetValueBefore(nRow), strFile, ECompare::kNumeric))
        return EUpdateOutcome::kAlreadyEqual;
    if (m_rowsOpened.count(nRow) == 0)
        return bCompleted ? EUpdateOutcome::kNotFound : EUpdateOutcome::kNotReachedAtEnd;
    if (!strFile.empty() && ValuesEqual(strAfter, strFile, ECompare::kNumeric))
        return EUpdateOutcome::kReached;
    if (!IsSteppableNumber(strAfter) || !IsSteppableNumber(strFile))
        return EUpdateOutcome::kNotANumber;
    if (!bCompleted && GetGiveUp(nRow) == EValueGiveUp::kNone)
        return EUpdateOutcome::kNotReachedAtEnd;
    return GetGiveUp(nRow) == EValueGiveUp::kTrips ? EUpdateOutcome::kGaveUpTrips
                                                   : EUpdateOutcome::kGaveUpRepeats;
}
