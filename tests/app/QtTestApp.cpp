#include "app/QtTestApp.h"

#include "platform/qt/QtMessageBox.h"

#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace apptest {
namespace {

std::unique_ptr<QTemporaryDir>& TempHome() {
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

class CQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        TempHome() =
            std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tovamo-app-test-XXXXXX"));
        ASSERT_TRUE(TempHome()->isValid());
        qputenv("XDG_CONFIG_HOME", TempHome()->path().toLocal8Bit());
        // The update's snapshots, unless a test gives them a folder of its own.
        qputenv("XDG_STATE_HOME", (TempHome()->path() + QStringLiteral("/state")).toLocal8Bit());
        QDir().mkpath(TovamoDir() + QStringLiteral("/ports"));
        static int argc = 1;
        static char name[] = "tovamo-app-test";
        static char* argv[] = {name, nullptr};
        m_pApplication = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override {
        m_pApplication.reset();
        TempHome().reset();
    }

private:
    std::unique_ptr<QApplication> m_pApplication;
};

[[maybe_unused]] ::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new CQtEnvironment);

}  // namespace

QString ConfigHome() {
    return TempHome()->path();
}
QString TovamoDir() {
    return ConfigHome() + QStringLiteral("/Tovamo Dispenser");
}

bool WaitUntil(const std::function<bool()>& pred, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!pred()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents();
        QThread::msleep(2);
    }
    return true;
}

void PollLater(const std::function<bool()>& tryOnce, int timeoutMs) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, tryOnce, elapsed, timeoutMs]() {
        // Stopped first: the action may run a modal loop of its own.
        timer->stop();
        if (tryOnce() || elapsed->hasExpired(timeoutMs))
            timer->deleteLater();
        else
            timer->start();
    });
    timer->start();
}

CModalWatchdog::CModalWatchdog(int timeoutMs) : m_pTimer(new QTimer) {
    m_pTimer->setSingleShot(true);
    QObject::connect(m_pTimer, &QTimer::timeout, []() {
        ADD_FAILURE() << "a modal loop was still running; closing it";
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(widget); dialog != nullptr && dialog->isVisible())
                dialog->reject();
    });
    m_pTimer->start(timeoutMs);
}

CModalWatchdog::~CModalWatchdog() {
    delete m_pTimer;
}

CRecordedMessages::CRecordedMessages() {
    CQtMessageBox::SetTestHook([this](QMessageBox& box) {
        m_aBoxes.push_back(
            {box.windowTitle(), box.text(), box.informativeText(), static_cast<int>(box.standardButtons())});
    });
}

CRecordedMessages::~CRecordedMessages() {
    CQtMessageBox::SetTestHook({});
}

void SetStoredNumCom(const QString& appName, const QVariant& value) {
    QSettings settings(TovamoDir() + QLatin1Char('/') + appName + QStringLiteral(".conf"),
                       QSettings::IniFormat);
    if (value.isValid())
        settings.setValue(QStringLiteral("Setings/NumCom"), value);
    else
        settings.remove(QStringLiteral("Setings/NumCom"));
    settings.sync();
}

std::string ReadSettingsFile(const QString& appName) {
    QFile file(TovamoDir() + QLatin1Char('/') + appName + QStringLiteral(".conf"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

}  // namespace apptest
