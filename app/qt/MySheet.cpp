#include "app/qt/MySheet.h"

#include "app/qt/EditParam.h"
#include "app/qt/LinkStateLine.h"
#include "app/qt/QtLayout.h"
#include "app/qt/TablesPage.h"
#include "link/Hardware.h"
#include "platform/qt/DialogUnits.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

CMySheet::CMySheet(CHardware& hardware, QWidget* parent) : QDialog(parent), m_Hardware(hardware) {
    setWindowTitle(ResText(res::kSheetCaption));
    setFont(DialogFont());
    const CDialogUnits du(font());

    m_pTabs = new QTabWidget(this);
    m_pTabs->setFocusPolicy(Qt::NoFocus);
    m_pCancel = new QPushButton(ResText(res::kCancel), this);
    m_pCancel->setFixedSize(du.Size(kSheetCancelWidth, kSheetCancelHeight));
    m_pCancel->setAutoDefault(false);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CMySheet::OnTabChanged);

    m_pLinkState = new CLinkStateLine(this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pLinkState);
    buttons->addStretch(1);
    buttons->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    // The tab control takes the extra room; the row under it stays at the bottom.
    layout->setContentsMargins(du.X(kSheetMargin), du.Y(kSheetMargin), du.X(kSheetMargin),
                               du.Y(kSheetMargin));
    layout->setSpacing(du.Y(kSheetGap));
    layout->addWidget(m_pTabs);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    m_pModalTimer = new QTimer(this);
    m_pModalTimer->setInterval(kContinueModalMs);
    connect(m_pModalTimer, &QTimer::timeout, this, &CMySheet::ContinueModal);
}

CMySheet::~CMySheet() {
    StopRunning();
    m_Hardware.SetLinkStateListener(nullptr);
    m_Poster.Detach();
}

void CMySheet::AddStandardPages() {
    AddPage(new CEditParam(m_Hardware));
    AddPage(new CTablesPage(m_Hardware));
}

void CMySheet::AddPage(CMyCPropertyPage* page) {
    m_pTabs->addTab(page, page->windowTitle());
}

CMyCPropertyPage* CMySheet::GetActivePage() const {
    return qobject_cast<CMyCPropertyPage*>(m_pTabs->currentWidget());
}

CMyCPropertyPage* CMySheet::PageAt(int nIndex) const {
    return qobject_cast<CMyCPropertyPage*>(m_pTabs->widget(nIndex));
}

// A busy page is turned back to before it asks whether it may be left: while its
// question is open the drive's records keep reaching it.
void CMySheet::OnTabChanged(int nIndex) {
    if (m_bTurning)
        return;
    const int nPrevious = m_nActiveTab;
    m_nActiveTab = nIndex;
    CMyCPropertyPage* previous = PageAt(nPrevious);
    if (!AsksBeforeLeaving(previous, nPrevious == nIndex))
        return;
    TurnTo(nPrevious);
    if (previous->OnKillActive())
        TurnTo(nIndex);
}

void CMySheet::TurnTo(int nIndex) {
    m_bTurning = true;
    m_pTabs->setCurrentIndex(nIndex);
    m_bTurning = false;
    m_nActiveTab = nIndex;
}

int CMySheet::DoModal() {
    AddStandardPages();
    m_pTabs->setCurrentIndex(0);
    return exec();
}

void CMySheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
}

// The window exists and is about to be used: from now on records and keys flow.
void CMySheet::OnInitDialog() {
    qApp->installEventFilter(this);
    m_bFilterInstalled = true;
    m_pModalTimer->start();
    m_Hardware.SetLinkStateListener(m_pLinkState);
    m_Hardware.StartReader(&m_Poster);
}

// Escape, Cancel and the window's close all end here; each page may keep the sheet open.
void CMySheet::done(int result) {
    std::vector<ISheetPage*> pages;
    for (int nIndex = 0; nIndex < m_pTabs->count(); ++nIndex)
        pages.push_back(PageAt(nIndex));
    if (!MayCloseSheet(pages))
        return;
    StopRunning();
    QDialog::done(result);
}

void CMySheet::StopRunning() {
    m_pModalTimer->stop();
    if (m_bFilterInstalled) {
        qApp->removeEventFilter(this);
        m_bFilterInstalled = false;
    }
}

bool CMySheet::event(QEvent* event) {
    if (event->type() == WM_SERVODATA) {
        OnServoData(static_cast<CServoDataEvent*>(event));
        return true;
    }
    return QDialog::event(event);
}

// A record goes to the active page only.
void CMySheet::OnServoData(CServoDataEvent* event) {
    RouteRecord(GetActivePage(), event->TakeRecord());
}

// Key events meant for this sheet's window reach the active page before any widget,
// shortcut or the dialog's Enter/Escape handling sees them.
bool CMySheet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this)
        return false;
    CMyCPropertyPage* page = GetActivePage();
    return page != nullptr && page->PreTranslatePageMessage(event);
}

void CMySheet::ContinueModal() {
    RouteContinueModal(GetActivePage());
}
