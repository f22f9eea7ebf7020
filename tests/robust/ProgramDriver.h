#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <string>
#include <vector>

class CMySheet;
class CRandomInput;
class CTablesPage;
class CTovamoDlg;
class QWidget;
namespace robust {
class CHangWatchdog;
}

// Runs the desktop program as a user would: Connect in the port dialog, the Table page,
// "Read DC Drive" until the read is complete, then random input until the time given
// is used up; every dialog and menu that opens on the way is answered at random, and at
// the end everything open is closed. The steps come from one single-shot timer, which
// also fires inside the modal loops that the program's dialogs run.
class CProgramDriver : public QObject {
    Q_OBJECT
public:
    CProgramDriver(CRandomInput& input, robust::CHangWatchdog& watchdog, int nRandomMs);

    // One start of the program, up to its end (the sheet may be closed by the random
    // input before the time is up). False once a run has failed.
    bool RunProgram();
    bool TimeLeft() const { return m_nRandomMsLeft > 0; }
    const std::string& Failure() const { return m_strFailure; }

    int Runs() const { return m_nRuns; }
    int Reads() const { return m_nReads; }
    long long RandomMs() const { return m_nRandomMs; }
    long long LongestReadMs() const { return m_nLongestReadMs; }

private:
    enum class EPhase { kPortDialog, kSheetShown, kReading, kRandom };

    void Step();
    void Activate(QWidget& top);
    void Act(QWidget& top);
    void OnSheet(CMySheet& sheet);
    void StartRead(CMySheet& sheet, CTablesPage& page);
    void CheckRead(CMySheet& sheet, CTablesPage& page);
    void CloseTop(QWidget& top);
    void ClickOn(QWidget& widget, QPoint point);
    void Fail(const std::string& why);
    bool Busy(const QWidget* top) const;
    void CountRandomTime();

    CRandomInput& m_input;
    robust::CHangWatchdog& m_watchdog;
    QTimer m_stepTimer;
    // The windows whose action is still running (it runs a nested event loop).
    std::vector<QPointer<QWidget>> m_busy;

    EPhase m_ePhase = EPhase::kPortDialog;
    long long m_nRandomMsLeft = 0;
    long long m_nRandomMs = 0;
    QElapsedTimer m_sinceStep;
    QElapsedTimer m_readTime;
    int m_nReadTries = 0;
    int m_nCloseSteps = 0;
    int m_nRuns = 0;
    int m_nReads = 0;
    long long m_nLongestReadMs = 0;
    std::string m_strFailure;
};
