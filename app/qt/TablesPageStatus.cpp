// The Table page's status line and progress bar: what a running procedure has done and
// for how long, and how it ended.
#include "app/qt/TablesPage.h"

#include "platform/qt/Cp1252.h"
#include "platform/qt/DialogUnits.h"
#include "table/TableRows.h"
#include "table/TablesPageText.h"
#include "table/TablesStatus.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>

// The parameters this read has shown a value of (the sub-menus' own rows have none);
// rows left from an earlier read that the drive no longer shows do not count.
int CTablesPage::CountParameters() const {
    return m_pTables->GetParametersSeen();
}

std::uint32_t CTablesPage::Elapsed() {
    return m_tick.GetTickCount() - m_dwStartTick;
}

QString CTablesPage::UpdateSummary() const {
    const SMarkedCounts count = CountMarkedOutcomes(*m_pTables);
    return QStringLiteral("%1 of %2 marked parameters reached").arg(count.nReached).arg(count.nMarked);
}

QString CTablesPage::VerifySummary() const {
    return QString::fromLatin1(VerifiedStatusText(*m_pTables).c_str());
}

// The snapshot the update began with, named after its summary.
QString CTablesPage::SnapshotNote() const {
    if (m_strSnapshot.empty())
        return {};
    return QStringLiteral("; snapshot ") + QFile::decodeName(m_strSnapshot.c_str());
}

// After "Read File": how the file compares with what the drive showed.
void CTablesPage::ShowComparison() {
    const CGridCtrl& grid = m_pTables->GetGrid();
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
    m_pStatus->setText(QStringLiteral("Compared with the file: %1 differ, %2 without a drive value")
                           .arg(nDiffer)
                           .arg(nMissing));
}

void CTablesPage::ShowProgress() {
    if (m_pTables->IsReading()) {
        m_dwShownSecond = Elapsed() / 1000;
        m_pStatus->setText(QString::fromLatin1(
            ReadProgressText(CountParameters(), m_nLastReadTotal, m_pTables->GetLevel(), Elapsed()).c_str()));
        const SProgressBar bar = ReadProgressBar(CountParameters(), m_nLastReadTotal);
        ShowProgressBar(bar.nValue, bar.nMaximum);
    } else if (m_pTables->IsUpdating()) {
        m_pStatus->setText(UpdateProgress());
    }
}

// The clock in the status line moves on while the drive takes its time to answer.
void CTablesPage::ShowElapsed() {
    if (m_eRunning != EProcedure::kNone && Elapsed() / 1000 != m_dwShownSecond)
        ShowProgress();
}

// "Updating: P12 ..., 4 of 10 marked parameters done, 0:12": the marked parameters the
// walk has passed count as done, the one open now does not yet.
QString CTablesPage::UpdateProgress() {
    const CGridCtrl& grid = m_pTables->GetGrid();
    int nMarked = 0;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
        nMarked += grid.GetItemText(nRow, kColUpdate) == "Yes" ? 1 : 0;
    const int nRow = m_pTables->GetCurrentRow();
    const bool bMarkedOpen = nRow > 0 && grid.GetItemText(nRow, kColUpdate) == "Yes";
    if (bMarkedOpen)
        m_markedVisited.insert(nRow);
    const int nDone = static_cast<int>(m_markedVisited.size()) - (bMarkedOpen ? 1 : 0);
    const SProgressBar bar = UpdateProgressBar(nDone, nMarked);
    ShowProgressBar(bar.nValue, bar.nMaximum);
    m_dwShownSecond = Elapsed() / 1000;
    const QString name =
        nRow > 0 ? DecodeWindows1252(grid.GetItemText(nRow, kColName)).trimmed() + QStringLiteral(" ...")
                 : QStringLiteral("...");
    return QStringLiteral("Updating: %1, %2 of %3 marked parameters done, %4")
        .arg(name)
        .arg(nDone)
        .arg(nMarked)
        .arg(QString::fromLatin1(ElapsedText(Elapsed()).c_str()));
}

void CTablesPage::ShowProgressBar(int nValue, int nMaximum) {
    m_pProgress->setRange(0, nMaximum);
    m_pProgress->setValue(nValue);
    if (!m_pProgress->isVisibleTo(this)) {
        m_pProgress->show();
        LayOut();
    }
}

void CTablesPage::HideProgressBar() {
    if (!m_pProgress->isVisibleTo(this))
        return;
    m_pProgress->hide();
    LayOut();
}

void CTablesPage::ShowEnd(ETablesEnd how, EProcedure eEnded) {
    const bool bUpdate = eEnded == EProcedure::kUpdate;
    switch (how) {
        case ETablesEnd::kCompleted:
            if (bUpdate) {
                m_pStatus->setText(QStringLiteral("Update complete: ") + UpdateSummary() + SnapshotNote());
            } else if (eEnded == EProcedure::kVerify) {
                m_pStatus->setText(VerifySummary() + SnapshotNote());
            } else {
                m_pStatus->setText(QStringLiteral("Read complete: %1 parameters").arg(CountParameters()));
            }
            break;
        case ETablesEnd::kWatchdog:
            // A procedure starves while another page takes the drive's answers.
            m_pStatus->setText(
                m_bLeftWhileRunning
                    ? QStringLiteral("No answer from the drive for 1.3 s (the Table page was left)")
                    : QStringLiteral("No answer from the drive for 1.3 s"));
            break;
        case ETablesEnd::kOverflow:
            m_pStatus->setText(QStringLiteral("Overflov Levels"));
            break;
        case ETablesEnd::kStopped:
            m_pStatus->setText(QString::fromLatin1(StoppedStatusText(*m_pTables, bUpdate).c_str()) +
                               (bUpdate ? SnapshotNote() : QString()));
            break;
        case ETablesEnd::kNoWrap:
            m_pStatus->setText((bUpdate ? QStringLiteral("Update stopped") : QStringLiteral("Read stopped")) +
                               QStringLiteral(": the drive's menu did not come back to its first item"));
            break;
    }
}
