#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Every GUI test process runs one QApplication on the offscreen platform, with its
// per-user settings in a private folder ($XDG_CONFIG_HOME of this process, set before
// Qt first looks at it). The environment is registered by linking QtTestApp.cpp.
namespace apptest {

// The private $XDG_CONFIG_HOME and the program's folder below it.
QString ConfigHome();
QString TovamoDir();

// Processes events until pred() holds or timeoutMs has passed; returns pred().
bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 20000);

// The first visible top-level widget of type T, or nullptr.
template <typename T>
T* FindVisible() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* typed = qobject_cast<T*>(widget); typed != nullptr && typed->isVisible())
            return typed;
    return nullptr;
}

// Runs action once a visible T exists (polled from the event loop, so it also runs
// inside a modal exec()). The action is skipped if none appears within timeoutMs.
template <typename T>
void WhenVisible(std::function<void(T*)> action, int timeoutMs = 30000);

// Closes every popup and dialog (and fails the test) if still running after timeoutMs,
// so that a modal loop whose test went wrong ends.
class CModalWatchdog {
public:
    explicit CModalWatchdog(int timeoutMs = 60000);
    ~CModalWatchdog();
    CModalWatchdog(const CModalWatchdog&) = delete;
    CModalWatchdog& operator=(const CModalWatchdog&) = delete;

private:
    QTimer* m_pTimer = nullptr;
};

// Records every message box instead of running it (installs the test hook while alive).
class CRecordedMessages {
public:
    struct SBox {
        QString m_strTitle;
        QString m_strText;
        QString m_strDetail;
        int m_nButtons = 0;
    };
    CRecordedMessages();
    ~CRecordedMessages();
    CRecordedMessages(const CRecordedMessages&) = delete;
    CRecordedMessages& operator=(const CRecordedMessages&) = delete;

    const std::vector<SBox>& Boxes() const { return m_aBoxes; }

private:
    std::vector<SBox> m_aBoxes;
};

// Stores "NumCom" for the program named appName through Qt's own settings object (so
// its file cache stays coherent); an invalid value removes the entry.
void SetStoredNumCom(const QString& appName, const QVariant& value);
// The raw settings file of appName, empty when there is none.
std::string ReadSettingsFile(const QString& appName);

}  // namespace apptest

#include "app/QtTestApp.inl"
