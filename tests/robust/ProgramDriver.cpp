#include "robust/ProgramDriver.h"

#include "app/Resources.h"
#include "app/qt/MySheet.h"
#include "app/qt/TablesPage.h"
#include "app/qt/TovamoApp.h"
#include "app/qt/TovamoDlg.h"
#include "link/Hardware.h"
#include "robust/FailureReport.h"
#include "robust/RandomInput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kReadTimeoutMs = 120000;  // a sanitizer build on a loaded machine
constexpr int kReadTries = 3;
constexpr int kWaitStepMs = 20;  // while the program works on its own
constexpr int kBusyStepMs = 5;   // while an action holds the window (a held button)
constexpr int kMaxCloseSteps = 1000;
}  // namespace

CProgramDriver::CProgramDriver(CRandomInput& input, robust::CHangWatchdog& watchdog, int nRandomMs)
    : m_input(input), m_watchdog(watchdog), m_nRandomMsLeft(nRandomMs) {
    m_stepTimer.setSingleShot(true);
    connect(&m_stepTimer, &QTimer::timeout, this, &CProgramDriver::Step);
}

bool CProgramDriver::RunProgram() {
    ++m_nRuns;
    m_ePhase = EPhase::kPortDialog;
    m_nReadTries = 0;
    m_nCloseSteps = 0;
    const int nReadsBefore = m_nReads;
    {
        CHardware hardware;
        CTovamoApp app(hardware, QStringLiteral("tovamo-robust"));
        m_stepTimer.start(kWaitStepMs);
        app.InitInstance();
        app.ExitInstance();
        m_stepTimer.stop();
    }
    if (m_strFailure.empty() && m_nReads == nReadsBefore)
        Fail("the program ended before its read was complete");
    return m_strFailure.empty();
}

// The next step is due before this one acts: an action that opens a dialog returns only
// once the dialog has closed, and the steps in between answer it.
void CProgramDriver::Step() {
    m_watchdog.Beat();
    QWidget* top = QApplication::activePopupWidget();
    if (top == nullptr)
        top = QApplication::activeModalWidget();
    const bool bBusy = top != nullptr && Busy(top);
    m_stepTimer.start(bBusy ? kBusyStepMs : m_ePhase == EPhase::kRandom ? 0 : kWaitStepMs);
    if (top == nullptr || bBusy || !top->isVisible() || top->windowHandle() == nullptr)
        return;
    CountRandomTime();
    m_busy.emplace_back(top);
    if (!m_strFailure.empty() || (m_ePhase == EPhase::kRandom && !TimeLeft())) {
        CloseTop(*top);
    } else {
        Activate(*top);
        Act(*top);
    }
    m_busy.pop_back();
    // The action's own event processing found this window busy and put the next step
    // off: no need to wait now that it has returned.
    m_stepTimer.start(m_ePhase == EPhase::kRandom ? 0 : kWaitStepMs);
}

bool CProgramDriver::Busy(const QWidget* top) const {
    return std::any_of(m_busy.begin(), m_busy.end(),
                       [top](const QPointer<QWidget>& busy) { return busy == top; });
}

void CProgramDriver::CountRandomTime() {
    const long long nMs = m_sinceStep.restart();
    if (m_ePhase != EPhase::kRandom)
        return;
    m_nRandomMs += nMs;
    m_nRandomMsLeft -= nMs;
}

// The offscreen platform has no window manager to give the keyboard back to a window
// when the dialog or menu over it closes; a user would click it.
void CProgramDriver::Activate(QWidget& top) {
    if (QApplication::activePopupWidget() == &top || QApplication::activeWindow() == &top)
        return;
    robust::NoteAction("the window gets the keyboard again");
    top.activateWindow();
    QCoreApplication::processEvents();
}

void CProgramDriver::Act(QWidget& top) {
    if (QApplication::activePopupWidget() == &top) {
        m_input.OnPopup(top);
    } else if (auto* portDialog = qobject_cast<CTovamoDlg*>(&top)) {
        if (m_ePhase != EPhase::kPortDialog) {
            CloseTop(top);
            return;
        }
        m_ePhase = EPhase::kSheetShown;
        robust::NoteAction("Connect");
        ClickOn(*portDialog->ConnectButton(), portDialog->ConnectButton()->rect().center());
    } else if (auto* sheet = qobject_cast<CMySheet*>(&top)) {
        OnSheet(*sheet);
    } else {
        m_input.OnDialog(top);
    }
}

void CProgramDriver::OnSheet(CMySheet& sheet) {
    auto* page = sheet.findChild<CTablesPage*>();
    if (page == nullptr) {
        Fail("the sheet has no Table page");
        return;
    }
    switch (m_ePhase) {
        case EPhase::kPortDialog:
        case EPhase::kSheetShown:
            StartRead(sheet, *page);
            break;
        case EPhase::kReading:
            CheckRead(sheet, *page);
            break;
        case EPhase::kRandom:
            m_input.OnSheet(sheet, page->GridWindow());
            break;
    }
}

// A click on the page's tab, then on "Read DC Drive".
void CProgramDriver::StartRead(CMySheet& sheet, CTablesPage& page) {
    robust::NoteAction("Table page, Read DC Drive");
    if (auto* bar = sheet.TabWidget()->findChild<QTabBar*>())
        ClickOn(*bar, bar->tabRect(sheet.TabWidget()->indexOf(&page)).center());
    if (sheet.TabWidget()->currentWidget() != &page) {
        Fail("a click on the Table page's tab did not show it");
        return;
    }
    QPushButton* read = page.Button(res::kIdReadDrive);
    ClickOn(*read, read->rect().center());
    m_ePhase = EPhase::kReading;
    ++m_nReadTries;
    m_readTime.start();
}

void CProgramDriver::CheckRead(CMySheet& sheet, CTablesPage& page) {
    if (page.Tables().IsReading()) {
        if (m_readTime.hasExpired(kReadTimeoutMs))
            Fail("the read did not end in time");
        return;
    }
    const QString status = page.StatusLine()->text();
    if (status.startsWith(QStringLiteral("Read complete"))) {
        ++m_nReads;
        m_nLongestReadMs = std::max(m_nLongestReadMs, static_cast<long long>(m_readTime.elapsed()));
        std::printf("tovamo-robust: run %d: %s after %lld ms\n", m_nRuns, qPrintable(status),
                    static_cast<long long>(m_readTime.elapsed()));
        std::fflush(stdout);
        m_ePhase = EPhase::kRandom;
        m_sinceStep.restart();
        return;
    }
    if (m_nReadTries >= kReadTries) {
        Fail("the read did not complete: " + status.toStdString());
        return;
    }
    StartRead(sheet, page);
}

namespace {
QAbstractButton* YesButton(QWidget& top) {
    auto* box = qobject_cast<QMessageBox*>(&top);
    if (box == nullptr)
        return nullptr;
    for (QAbstractButton* button : box->buttons())
        if (button->text().remove(QLatin1Char('&')) == QStringLiteral("Yes"))
            return button;
    return nullptr;
}
}  // namespace

// At the end (or after a failure): menus close, questions whether to stop are answered
// Yes, other dialogs are cancelled, the sheet and then the port dialog with it.
void CProgramDriver::CloseTop(QWidget& top) {
    if (++m_nCloseSteps > kMaxCloseSteps) {
        robust::PrintFailure("the program's windows did not close");
        std::abort();
    }
    if (QApplication::activePopupWidget() == &top) {
        top.close();
    } else if (QAbstractButton* yes = YesButton(top)) {
        yes->click();  // "Stop ... and close?" asked by a page that is still busy
    } else if (auto* dialog = qobject_cast<QDialog*>(&top)) {
        dialog->reject();
    } else {
        top.close();
    }
}

void CProgramDriver::ClickOn(QWidget& widget, QPoint point) {
    QWidget* window = widget.window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, widget.mapTo(window, point));
}

void CProgramDriver::Fail(const std::string& why) {
    if (!m_strFailure.empty())
        return;
    m_strFailure = why;
    robust::PrintFailure(why.c_str());
}
