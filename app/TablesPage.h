#pragma once

#include "app/MyCPropertyPage.h"
#include "platform/TickCount.h"
#include "platform/qt/QtFileChooser.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtTimerHost.h"
#include "platform/qt/QtWaitCursor.h"
#include "table/Tables.h"

#include <map>
#include <memory>
#include <set>

class CGridWnd;
class IKeyWriter;
class QLabel;
class QPushButton;

// The "Table" page: the parameter grid, the six buttons of its template and a status
// line. The procedures, the files and the refresh are CTables's; the page gives it the
// desktop's services (clock, port, message boxes, file dialogs, busy cursor, timers),
// shows its buttons and grid, and feeds it the drive's records and the watchdog
// check while the page is active. Keys typed here go to the grid and the buttons, never
// to the drive.
class CTablesPage : public CMyCPropertyPage, private ITablesView {
    Q_OBJECT
public:
    static constexpr CPageTemplate kTemplate{134, "Table", 446, 238};

    explicit CTablesPage(IKeyWriter& writer, QWidget* parent = nullptr);
    ~CTablesPage() override;

    CTables& Tables() { return *m_pTables; }
    CGridWnd* GridWindow() const { return m_pGridWnd; }
    QPushButton* Button(int nId) const;
    QLabel* StatusLine() const { return m_pStatus; }
    // The page's timers (the update's 300 ms pause).
    const CQtTimerHost& Timers() const { return m_timers; }

    bool ContinueModal() override;

protected:
    void OnPageData(std::unique_ptr<CServoData> record) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    enum class EProcedure { kNone, kRead, kUpdate };

    void CreateButtons();
    void LayOut();
    void StartRead();
    void StartUpdate();
    void ShowProgress();
    QString UpdateProgress();
    QString UpdateSummary() const;
    void ShowComparison();
    int CountParameters() const;

    // ITablesView
    void OnButtonsChanged(const STablesButtons& buttons) override;
    void OnGridRedraw() override;
    void OnProcedureEnded(ETablesEnd how) override;

    CSystemTickCount m_tick;
    CQtMessageBox m_messages{this};
    CQtFileChooser m_chooser{this};
    CQtWaitCursor m_cursor;
    CQtTimerHost m_timers;
    std::unique_ptr<CTables> m_pTables;
    CGridWnd* m_pGridWnd = nullptr;
    std::map<int, QPushButton*> m_buttons;
    QLabel* m_pStatus = nullptr;

    EProcedure m_eRunning = EProcedure::kNone;
    bool m_bLeftWhileRunning = false;  // the page was hidden while the procedure ran
    std::set<int> m_markedVisited;     // marked rows the update has opened
};
