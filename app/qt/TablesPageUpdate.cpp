// The Table page around an update: the confirmation and the snapshot before it, "Mark
// Differing", and afterwards each marked row's outcome as the cell's tip and the report
// in the grid's context menu. What each of them decides is the table logic's.
#include "app/qt/TablesPage.h"

#include "app/qt/UpdateConfirmDlg.h"
#include "grid/qt/GridWnd.h"
#include "platform/ConfigPaths.h"
#include "platform/qt/Cp1252.h"
#include "table/FileError.h"
#include "table/ParamFile.h"
#include "table/Snapshot.h"
#include "table/TableRows.h"
#include "table/TablesStatus.h"
#include "table/UpdateOutcome.h"
#include "table/UpdatePlan.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QToolTip>

namespace {
constexpr const char* kReportFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
}  // namespace

// The user sees what will change and says so; then the drive's values as read are saved,
// before the first key of the update. A snapshot that cannot be written stops it there.
bool CTablesPage::ConfirmAndSnapshot() {
    if (!CUpdateConfirmDlg::Confirm(MakeUpdatePlan(m_pTables->GetGrid()), this))
        return false;
    const SSnapshotResult snapshot =
        WriteSnapshot(TovamoSnapshotDir(), DriveFileText(m_pTables->GetGrid()), LocalTimeNow());
    if (!snapshot.Ok()) {
        m_strSnapshot.clear();
        m_messages.ShowMessage(
            "The drive's values could not be saved before the update, so it was not started.",
            snapshot.strError);
        m_pStatus->setText(QStringLiteral("Update not started: the snapshot could not be written"));
        return false;
    }
    m_strSnapshot = QFileInfo(QFile::decodeName(snapshot.strPath.c_str())).fileName().toStdString();
    m_pStatus->setToolTip(QFile::decodeName(snapshot.strPath.c_str()));
    return true;
}

void CTablesPage::MarkDiffering() {
    const int nMarked = m_pTables->MarkDiffering();
    m_pStatus->setText(QString::fromLatin1(MarkedStatusText(nMarked).c_str()));
}

QMenu* CTablesPage::MakeGridMenu() {
    auto* menu = new QMenu(this);
    QAction* report = menu->addAction(QStringLiteral("Save Report..."), this, [this] { SaveReport(); });
    report->setEnabled(m_pTables->HasOutcomes());
    return menu;
}

// The same report as `tovamo-cli update --report`, of the last update on this page (its
// outcomes stay until the table is read again or cleared).
void CTablesPage::SaveReport() {
    const std::optional<std::string> path = m_chooser.GetSaveFileName(kReportFilter, "report.txt", "txt");
    if (!path)
        return;
    if (const int nErrno = WriteParamFile(*path, UpdateReportText(*m_pTables)))
        m_messages.ShowMessage(FileErrorMessage(FileErrorCauseFromErrno(nErrno), *path));
}

// Over an "Update from File" cell with an outcome, the tip gives the outcome's words.
bool CTablesPage::ShowOutcomeTip(QHelpEvent* event) {
    const CGridCtrl& grid = m_pTables->GetGrid();
    const CCellID cell = grid.GetCellFromPoint(CPoint(event->pos().x(), event->pos().y()));
    const EUpdateOutcome eOutcome =
        cell.col == kColUpdate && cell.row > 0 ? m_pTables->GetOutcome(cell.row) : EUpdateOutcome::kNone;
    if (eOutcome == EUpdateOutcome::kNone) {
        QToolTip::hideText();  // a tip of another cell does not stay over this one
        return true;
    }
    QToolTip::showText(event->globalPos(), QString::fromLatin1(UpdateOutcomeWords(eOutcome)), m_pGridWnd);
    return true;
}

bool CTablesPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pGridWnd && event->type() == QEvent::ToolTip)
        return ShowOutcomeTip(static_cast<QHelpEvent*>(event));
    if (watched == m_pGridWnd && event->type() == QEvent::ContextMenu) {
        QMenu* menu = MakeGridMenu();
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        delete menu;
        return true;
    }
    return CMyCPropertyPage::eventFilter(watched, event);
}
