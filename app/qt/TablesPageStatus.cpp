// The Table page's status line and progress bar: what CTablesPageLogic says a running
// procedure has done and for how long, and how it ended.
#include "app/qt/TablesPage.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

void CTablesPage::ShowStatus(const std::string& strText) {
    m_pStatus->setText(QString::fromStdString(strText));
}

void CTablesPage::ShowProgressBar(const SProgressBar& bar) {
    m_pProgress->setRange(0, bar.nMaximum);
    m_pProgress->setValue(bar.nValue);
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

void CTablesPage::EnableStop(bool bEnable) {
    m_pStop->setEnabled(bEnable);
}
