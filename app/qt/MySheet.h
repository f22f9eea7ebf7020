#pragma once

#include "app/SheetRouting.h"
#include "app/qt/ServoDataEvent.h"

#include <QDialog>

class CHardware;
class CLinkStateLine;
class CMyCPropertyPage;
class QPushButton;
class QTabWidget;
class QTimer;

// The property sheet the user works in while the port is open: one tab per page and
// only a Cancel button. When its window is first shown it starts the reader with
// itself as the receiver of the records, and routes each record, each key event and a
// periodic ContinueModal call to the page that is active at that moment. Run by
// Connect, which stops the reader after the sheet has closed and only then destroys it.
class CMySheet : public QDialog {
    Q_OBJECT
public:
    // How often the active page's ContinueModal is called while the sheet runs.
    static constexpr int kContinueModalMs = ::kContinueModalMs;

    CMySheet(CHardware& hardware, QWidget* parent = nullptr);
    ~CMySheet() override;

    // Adds the program's pages, in tab order.
    void AddStandardPages();
    // Takes ownership; the tab caption is the page's window title.
    void AddPage(CMyCPropertyPage* page);
    CMyCPropertyPage* GetActivePage() const;
    QTabWidget* TabWidget() const { return m_pTabs; }

    // Adds the pages and runs the sheet modally; returns when the user has closed it.
    int DoModal();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void OnInitDialog();
    void OnServoData(CServoDataEvent* event);
    void ContinueModal();
    void StopRunning();
    void OnTabChanged(int nIndex);
    void TurnTo(int nIndex);
    CMyCPropertyPage* PageAt(int nIndex) const;

    CHardware& m_Hardware;
    CServoDataPoster m_Poster{this};
    QTabWidget* m_pTabs = nullptr;
    QPushButton* m_pCancel = nullptr;
    CLinkStateLine* m_pLinkState = nullptr;  // left of Cancel: a lost and regained port
    QTimer* m_pModalTimer = nullptr;
    bool m_bInitialised = false;
    bool m_bFilterInstalled = false;
    int m_nActiveTab = -1;
    bool m_bTurning = false;  // the sheet turns the tabs itself
};
