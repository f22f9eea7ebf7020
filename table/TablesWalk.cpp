// The drive's records: the settling phase, the three kinds of line, the menu walk shared
// by the scan and the update, and the update's value step.
#include "grid/GridCtrl.h"
#include "platform/MessageBox.h"
#include "platform/OneShotTimer.h"
#include "platform/WaitCursor.h"
#include "table/FixedPoint.h"
#include "table/TableRows.h"
#include "table/Tables.h"
#include "table/ValueCompare.h"

namespace {
bool StartsLikeANumber(const std::string& strText) {
    return IsSteppableNumber(strText);
}
}  // namespace

void CTables::OnServoData(std::unique_ptr<CServoData> pRecord) {
    if (pRecord == nullptr)
        return;
    // Settling: after a start, the first records of any kind are each answered with 'o'
    // so that the drive ends up on an item of its top level.
    if ((!m_bReading && !m_bUpdating) || m_nSkipCount != 0) {
        if (m_nSkipCount != 0) {
            --m_nSkipCount;
            SendKey('o');
        }
        return;
    }
    m_dwLastRecordTick = StampNow();
    if (pRecord->m_bError)
        OnErrorLine(pRecord->m_strText);
    else if (pRecord->m_bValue)
        OnValueLine(pRecord->m_strText);
    else
        OnNameLine(pRecord->m_strText);
}

// While the update waits out a pause, the drive's lines are dropped unanswered.
bool CTables::IgnoredWhilePaused() const {
    return !m_bReading && m_nPauseTimer != 0;
}

void CTables::OnErrorLine(const std::string& strText) {
    if (IgnoredWhilePaused())
        return;
    if (m_nRow != 0)
        WriteDriveText(strText);
    m_Services.pWaitCursor->RestoreWaitCursor();
    m_nRow = 0;
    SendKey('o');
}

void CTables::WriteDriveText(const std::string& strText) {
    m_Grid.SetItemText(m_nRow, kColDrive, strText);
    m_Grid.RedrawRow(m_nRow);
    m_rowsSeen.insert(m_nRow);
}

void CTables::OnValueLine(const std::string& strText) {
    if (IgnoredWhilePaused())
        return;
    m_bStayOnLevel = true;
    const bool bHasRow = m_nRow != 0;
    if (bHasRow) {
        WriteDriveText(strText);
        if (m_bUpdating)
            ValueStep(strText);
    }
    m_Services.pWaitCursor->RestoreWaitCursor();
    if (m_bReading) {
        m_nRow = 0;
        SendKey('o');
    } else if (!bHasRow) {
        // A parameter the table has no row for: leave it, so that the walk goes on to
        // the items after it instead of waiting for a key that never comes.
        SendKey('o');
    }
}

void CTables::OnNameLine(const std::string& strText) {
    if (IgnoredWhilePaused())
        return;
    m_Services.pWaitCursor->RestoreWaitCursor();
    const int nLevel = m_nLevel;
    std::string& strFirst = m_strFirstName[nLevel];
    const std::string& strLast = m_strLastName[nLevel];
    if (strText == strLast) {
        if (strFirst.empty()) {
            // Back at the level's first item: remember it as where the level starts.
            strFirst = strLast;
            StepToNextItem();
        } else if (strFirst == strLast) {
            // The level's only item keeps coming back: a few more tries, then it is done.
            if (!m_bBackAtLevel && m_nWrapRetries != kWrapRetryLimit) {
                ++m_nWrapRetries;
                StepToNextItem();
            } else {
                LevelDone();
            }
        } else {
            m_nWrapRetries = 0;
            m_bBackAtLevel = true;
            m_bStayOnLevel = true;
            StepToNextItem();
        }
    } else if (strText == strFirst) {
        LevelDone();  // the level has wrapped around
    } else {
        NewItem(strText);
    }
}

// 'u' to the level's next item. A level that never comes back to its first item (its last
// item does not wrap round, or 'u' shows the same name again) would be answered for ever,
// with the watchdog never firing: a level gets as many presses as it showed items, plus
// the retries of a level with a single item, and the procedure stops after that.
void CTables::StepToNextItem() {
    int& nPresses = m_nUpPresses[m_nLevel];
    if (nPresses >= m_nItemsAtLevel[m_nLevel] + kWrapRetryLimit) {
        FinishAndRefresh(ETablesEnd::kNoWrap);
        return;
    }
    ++nPresses;
    SendKey('u');
}

void CTables::ClearWalkLevel(int nLevel) {
    m_strFirstName[nLevel].clear();
    m_strLastName[nLevel].clear();
    m_nItemsAtLevel[nLevel] = 0;
    m_nUpPresses[nLevel] = 0;
}

void CTables::LevelDone() {
    m_strValue.clear();
    m_bBackAtLevel = false;
    m_nWrapRetries = 0;
    if (m_nLevel == 0) {
        FinishAndRefresh(ETablesEnd::kCompleted);
        return;
    }
    ClearWalkLevel(m_nLevel);
    m_bStayOnLevel = true;
    --m_nLevel;
    SendKey('o');
}

void CTables::NewItem(const std::string& strText) {
    int nRow = FindParameterRow(m_Grid, strText);
    m_nRow = 0;
    m_bValueDone = false;
    m_nSameValueCount = 0;
    m_nOvershoots = 0;
    m_cLastStep = 0;
    if (nRow == m_Grid.GetRowCount())
        nRow = m_bUpdating ? 0 : AddParameterRow(m_Grid, strText);
    SendKey('e');
    m_nRow = nRow;
    if (m_bUpdating && nRow != 0)
        m_rowsOpened.insert(nRow);
    if (!m_bStayOnLevel) {
        // A name right after 'e' is the first item of the sub-menu just opened.
        if (m_nLevel < kMaxLevel) {
            ++m_nLevel;
        } else {
            if (m_bUpdating)
                NoteUpdateEnd(false);
            m_bReading = false;
            m_bUpdating = false;
            m_Services.pMessageBox->ShowMessage("Overflov Levels");
            if (m_Services.pView != nullptr)
                m_Services.pView->OnProcedureEnded(ETablesEnd::kOverflow);
        }
    }
    m_strLastName[m_nLevel] = strText;
    ++m_nItemsAtLevel[m_nLevel];
    m_bStayOnLevel = false;
}

void CTables::StartPause() {
    m_nPauseTimer = m_Services.pTimerHost->SetTimer(kPauseMs);
}

// One value line of the parameter being updated: at most one key, chosen by comparing
// the drive's value with the file value.
void CTables::ValueStep(const std::string& strValue) {
    const std::string strFile = m_Grid.GetItemText(m_nRow, kColFile);
    if (m_Grid.GetItemText(m_nRow, kColUpdate) != "Yes" || !StartsLikeANumber(strFile) || m_bValueDone) {
        SendKey('o');
        return;
    }
    if (strValue == m_strValue)
        ++m_nSameValueCount;
    else
        m_nSameValueCount = 0;
    const bool bWrapped = WrappedRound(strValue);
    m_strValue = strValue;
    m_cLastStep = 0;
    if (!StartsLikeANumber(strValue)) {
        m_bValueDone = true;
        SendKey('o');
        return;
    }
    char cKey = 0;
    bool bPauseStarted = false;
    if (strValue == strFile) {
        m_bValueDone = true;
        m_cDirection = 0;
        cKey = 'e';
    } else {
        const CFixedPoint drive(strValue);
        const CFixedPoint file(strFile);
        if (drive > file || drive < file) {
            const char cWanted = drive > file ? 'D' : 'U';
            if (m_cDirection == 0)
                m_cDirection = cWanted;
            const bool bPastTarget = m_cDirection != cWanted;
            if ((bPastTarget || bWrapped) && ++m_nOvershoots >= kOvershootLimit) {
                // The target lies between two of the drive's steps, or outside a range
                // the value wraps round: stepping would go on for ever, so the
                // parameter is given up where it is.
                GiveUp(EValueGiveUp::kTrips);
                m_cDirection = 0;
                cKey = 'o';
            } else if (!bPastTarget) {
                cKey = cWanted == 'D' ? 'd' : 'u';
                m_cLastStep = cKey;
            } else {
                StartPause();  // gone past the target: wait, then step back
                bPauseStarted = true;
            }
        } else {
            m_bValueDone = true;  // equal values written differently, e.g. 3 and 3.00
            cKey = 'e';
        }
    }
    if (m_nSameValueCount == kSameValueLimit) {
        // The value no longer changes: give the parameter up with a single key. An
        // accepted value keeps its 'e'; a pause that this line started ends at once.
        if (cKey != 'e' && !m_bValueDone)
            GiveUp(EValueGiveUp::kRepeats);
        m_bValueDone = true;
        if (cKey != 'e') {
            if (bPauseStarted) {
                StopPauseTimer();
                m_cDirection = 0;
            }
            cKey = 'o';
        }
    }
    if (cKey != 0)
        SendKey(cKey);
}

// Up that gave a lower value, or Down a higher one: the value went round the end of its
// range.
bool CTables::WrappedRound(const std::string& strValue) const {
    if (m_cLastStep == 0 || !StartsLikeANumber(strValue))
        return false;
    const CFixedPoint now(strValue);
    const CFixedPoint before(m_strValue);
    return m_cLastStep == 'u' ? now < before : now > before;
}

void CTables::GiveUp(EValueGiveUp eWhy) {
    m_bValueDone = true;
    m_giveUps[m_nRow] = eWhy;
}
