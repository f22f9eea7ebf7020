// The Table page around an update: the confirmation and the snapshot before it, "Mark
// Differing", and afterwards each marked row's outcome as the cell's tip and the report
// in the grid's context menu. What each of them decides is the table logic's.
#include "app/qt/TablesPage.h"

#include "app/qt/QtLayout.h"
#include "app/qt/UpdateConfirmDlg.h"
#include "grid/qt/GridWnd.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QToolTip>

// The user sees what will change and says so; then the drive's values as read are saved,
// before the first key of the update. A snapshot that cannot be written stops it there.
void CTablesPage::StartUpdate() {
    const auto confirm = [this](const SUpdatePlan& plan) { return CUpdateConfirmDlg::Confirm(plan, this); };
    if (m_pLogic->StartUpdate(confirm, m_messages))
        m_pStatus->setToolTip(QFile::decodeName(m_pLogic->SnapshotPath().c_str()));
}

void CTablesPage::MarkDiffering() {
    m_pLogic->MarkDiffering();
}

QMenu* CTablesPage::MakeGridMenu() {
    auto* menu = new QMenu(this);
    QAction* report = menu->addAction(ResText(res::kSaveReport), this, [this] { SaveReport(); });
    report->setEnabled(m_pTables->HasOutcomes());
    return menu;
}

// The same report as `tovamo-cli update --report`, of the last update on this page (its
// outcomes stay until the table is read again or cleared).
void CTablesPage::SaveReport() {
    const std::optional<std::string> path =
        m_chooser.GetSaveFileName(kReportFilter, kReportFileName, kReportExtension);
    if (!path)
        return;
    const std::string strError = m_pLogic->SaveReport(*path);
    if (!strError.empty())
        m_messages.ShowMessage(strError);
}

// Over an "Update from File" cell with an outcome, the tip gives the outcome's words.
bool CTablesPage::ShowOutcomeTip(QHelpEvent* event) {
    const CCellID cell = m_pTables->GetGrid().GetCellFromPoint(CPoint(event->pos().x(), event->pos().y()));
    const char* pszTip = m_pLogic->OutcomeTip(cell);
    if (pszTip == nullptr) {
        QToolTip::hideText();  // a tip of another cell does not stay over this one
        return true;
    }
    QToolTip::showText(event->globalPos(), QString::fromLatin1(pszTip), m_pGridWnd);
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
