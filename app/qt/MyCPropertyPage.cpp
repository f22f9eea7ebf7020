#include "app/qt/MyCPropertyPage.h"

#include "app/qt/ServoDataEvent.h"
#include "platform/qt/DialogUnits.h"

#include <QCoreApplication>

CMyCPropertyPage::CMyCPropertyPage(const CPageTemplate& pageTemplate, QWidget* parent)
    : QWidget(parent), m_nTemplateId(pageTemplate.m_nId) {
    setObjectName(QString::fromLatin1(pageTemplate.m_pszTitle));
    setWindowTitle(QString::fromLatin1(pageTemplate.m_pszTitle));
    setFont(DialogFont());
    // The template's size is where the page starts and the least it takes; a sheet made
    // larger gives the page the room.
    m_templateSize = CDialogUnits(font()).Size(pageTemplate.m_nWidth, pageTemplate.m_nHeight);
    setMinimumSize(m_templateSize);
    resize(m_templateSize);
}

QSize CMyCPropertyPage::sizeHint() const {
    return m_templateSize;
}

bool CMyCPropertyPage::PreTranslatePageMessage(QEvent* /*event*/) {
    return false;
}

void CMyCPropertyPage::ReceiveRecord(std::unique_ptr<CServoData> record) {
    CServoDataEvent pageEvent(WM_PAGEDATA, std::move(record));
    QCoreApplication::sendEvent(this, &pageEvent);
}

bool CMyCPropertyPage::ContinueModal() {
    return true;
}

bool CMyCPropertyPage::event(QEvent* event) {
    if (event->type() == WM_PAGEDATA) {
        OnPageData(static_cast<CServoDataEvent*>(event)->TakeRecord());
        return true;
    }
    return QWidget::event(event);
}

void CMyCPropertyPage::OnPageData(std::unique_ptr<CServoData> /*record*/) {}
