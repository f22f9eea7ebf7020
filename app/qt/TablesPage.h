#pragma once

#include "app/PageFileChooser.h"
#include "app/TablesPageLogic.h"
#include "app/qt/MyCPropertyPage.h"
#include "platform/TickCount.h"
#include "platform/qt/QtFileChooser.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtTimerHost.h"
#include "platform/qt/QtWaitCursor.h"
#include "platform/qt/SettingsStore.h"
#include "table/Tables.h"

#include <map>
#include <memory>

class CGridWnd;
class IKeyWriter;
class QCheckBox;
class QHelpEvent;
class QLabel;
class QMenu;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The "Table" page: the parameter grid, the six buttons of its template and a status
// line, and below them the tools of a day's service work: Stop, a progress bar, the
// filter and compare switches, verify after update, the loaded file's name and a find
// field under the grid. The procedures, the files and the refresh are CTables's, the
// find, filter and texts the toolkit-free helpers beside it; the page gives CTables the
// desktop's services (clock, port, message boxes, file dialogs, busy cursor, timers),
// shows its controls and feeds it the drive's records and the watchdog check while the
// page is active; what the status line, the buttons and the questions say is
// CTablesPageLogic's, the layout kTablesPageTemplate's. Keys typed here go to the grid
// and the controls, never to the drive.
class CTablesPage : public CMyCPropertyPage, private ITablesView, private ITablesPageView {
    Q_OBJECT
public:
    explicit CTablesPage(IKeyWriter& writer, QWidget* parent = nullptr);
    ~CTablesPage() override;

    CTables& Tables() { return *m_pTables; }
    CGridWnd* GridWindow() const { return m_pGridWnd; }
    // The buttons by control id: the template's six, Stop and Mark Differing.
    QPushButton* Button(int nId) const;
    QPushButton* StopButton() const { return m_pStop; }
    QLabel* StatusLine() const { return m_pStatus; }
    QProgressBar* ProgressBar() const { return m_pProgress; }
    QCheckBox* OnlyDifferingBox() const { return m_pOnlyDiffering; }
    QCheckBox* VerifyBox() const { return m_pVerify; }
    QCheckBox* CompareNumbersBox() const { return m_pCompareNumbers; }
    QPushButton* MarkDifferingButton() const { return m_pMarkDiffering; }
    // The entries of the grid's context menu ("Save Report..."), as it would show them.
    QMenu* MakeGridMenu();
    QLabel* FileNameLine() const { return m_pFileName; }
    QLineEdit* FindField() const { return m_pFindEdit; }
    // The page's timers (the update's 300 ms pause).
    const CQtTimerHost& Timers() const { return m_timers; }

    bool ContinueModal() override;
    bool PreTranslatePageMessage(QEvent* event) override;
    bool IsBusy() const override { return m_pLogic->IsBusy(); }
    bool OnKillActive() override;
    bool OnQueryCancel() override;

protected:
    void OnPageData(std::unique_ptr<CServoData> record) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreateButtons();
    QPushButton* MakeButton(int nId, const char* pszObjectName = nullptr);
    void CreateSwitches();
    QCheckBox* MakeSwitch(int nId);
    void CreateFindField();
    void LayOut();
    void StartRead(bool bVerify = false);
    void StartUpdate();
    void StopProcedure();
    bool AskToStop(const std::string& strQuestion);
    void ReadFile();
    // The update's confirmation, the report and the outcome tips (TablesPageUpdate.cpp).
    void MarkDiffering();
    void SaveReport();
    bool ShowOutcomeTip(QHelpEvent* event);
    void ClearTable();

    // ITablesPageView: the status line and the progress bar.
    void ShowStatus(const std::string& strText) override;
    void ShowProgressBar(const SProgressBar& bar) override;
    void HideProgressBar() override;
    void EnableStop(bool bEnable) override;

    // Find and filter (TablesPageFind.cpp).
    void ShowFindField();
    void CloseFindField();
    void FindStep(EFindStep eStep);
    bool OnFindKey(QKeyEvent* key);
    void ApplyFilter(bool bShowCount);

    // ITablesView
    void OnButtonsChanged(const STablesButtons& buttons) override;
    void OnGridRedraw() override;
    void OnProcedureEnded(ETablesEnd how) override;

    CSystemTickCount m_tick;
    CQtMessageBox m_messages{this};
    CQtFileChooser m_chooser{this};
    CPageFileChooser m_tablesChooser{m_chooser};  // the dialogs CTables runs
    CQtWaitCursor m_cursor;
    CQtTimerHost m_timers;
    CSettingsStore m_settings;
    std::unique_ptr<CTables> m_pTables;
    std::unique_ptr<CTablesPageLogic> m_pLogic;
    CGridWnd* m_pGridWnd = nullptr;
    std::map<int, QPushButton*> m_buttons;
    QPushButton* m_pStop = nullptr;
    QPushButton* m_pMarkDiffering = nullptr;
    QCheckBox* m_pCompareNumbers = nullptr;
    QLabel* m_pStatus = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QCheckBox* m_pOnlyDiffering = nullptr;
    QCheckBox* m_pVerify = nullptr;
    QLabel* m_pFileName = nullptr;
    QLabel* m_pFindLabel = nullptr;
    QLineEdit* m_pFindEdit = nullptr;
};
