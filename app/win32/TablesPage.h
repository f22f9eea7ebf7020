#pragma once

#include "app/PageFileChooser.h"
#include "app/TablesPageLogic.h"
#include "app/win32/ProgramFileChooser.h"
#include "app/win32/TablesPageDialogs.h"
#include "platform/TickCount.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32TimerHost.h"
#include "platform/win32/Win32WaitCursor.h"
#include "table/TablesView.h"

#include <memory>
#include <string>

#include "app/win32/MyCPropertyPage.h"

class CGridWnd;
class CTables;
class IKeyWriter;

// The "Table" page of the Windows program: the parameter grid, the six buttons of its
// template and a status line, and below them the tools of a day's service work: Stop, a
// progress bar, the filter and compare switches, verify after update, the loaded file's
// name and a find field under the grid. The procedures, the files and the refresh are
// CTables's, what the page shows and decides around them CTablesPageLogic's; the page
// gives CTables the system's services (clock, port, message boxes, file dialogs, busy
// cursor, timers), forwards clicks, keys and the drive's records, and shows what the
// logic says. Keys typed here go to the grid and the controls, never to the drive.
// Everything runs on the window's thread, one record or timer at a time. The header
// holds nothing of the table's and the grid's own, so it may follow the system's headers.
class CTablesPage final : public CMyCPropertyPage, private ITablesView, private ITablesPageView {
public:
    explicit CTablesPage(IKeyWriter& writer);
    ~CTablesPage() override;

    CTables& Tables() { return *m_pTables; }
    const CTablesPageLogic& Logic() const { return *m_pLogic; }
    HWND Control(int nId) const;
    CGridWnd* GridWindow() const { return m_pGridWnd; }
    // The text of a control (status line, file name), UTF-8.
    std::string ControlText(int nId) const;
    bool IsChecked(int nId) const;
    // Whether a timer of the page (the update's 300 ms pause) is pending.
    bool IsTimerPending(unsigned handle) const { return m_timers.IsPending(handle); }
    // The outcome tip's text for the cell last under the pointer (UTF-8); empty for none.
    const std::string& OutcomeTipText() const { return m_strTip; }
    // The pointer over the grid (client coordinates): the tip follows the cell under it.
    void OnGridMouseMove(int x, int y);

    bool ContinueModal() override;
    bool PreTranslatePageMessage(MSG* pMsg) override;
    bool IsBusy() const override { return m_pLogic->IsBusy(); }
    bool OnKillActive() override;
    bool OnQueryCancel() override;

protected:
    void OnInitDialog() override;
    void OnPageData(std::unique_ptr<CServoData> record) override;
    void OnSize(int cx, int cy) override;
    bool OnMessage(UINT message, WPARAM wParam, SysLPARAM lParam, INT_PTR& result) override;

private:
    void OnCommand(int nId, int nCode);
    void InitSwitches();
    void OnSwitch(int nId);
    void RepaintGrid();
    void ScaleColumns(unsigned nFromDpi, unsigned nToDpi);
    void LayOut();
    void SetText(int nId, const std::string& strUtf8);
    void Enable(int nId, bool bEnable);
    void StartUpdate();
    void StopProcedure();
    void DetachGrid();
    // The guard rails (TablesPageGuards.cpp).
    bool AskToStop(const std::string& strQuestion);
    void ReadFile();
    // The update's confirmation, the report and the outcome tips (TablesPageUpdate.cpp).
    void SaveReport();
    void ShowGridMenu(int x, int y);
    void CreateOutcomeTip();
    void StopOutcomeTip();
    void SetControlTip(int nId, const std::string& strTip);
    // Find and filter (TablesPageFind.cpp).
    void ShowFindField();
    void CloseFindField();
    bool IsFindFieldOpen() const;
    void FindStep(EFindStep eStep);
    bool OnFindKey(const MSG& msg);
    void ApplyFilter(bool bShowCount);

    // ITablesView
    void OnButtonsChanged(const STablesButtons& buttons) override;
    void OnGridRedraw() override;
    void OnProcedureEnded(ETablesEnd how) override;
    // ITablesPageView (TablesPageStatus.cpp)
    void ShowStatus(const std::string& strText) override;
    void ShowProgressBar(const SProgressBar& bar) override;
    void HideProgressBar() override;
    void EnableStop(bool bEnable) override;

    CSystemTickCount m_tick;
    CWin32TimerHost m_timers;
    CWin32WaitCursor m_cursor;
    CWin32MessageBox m_messages;            // owned by the sheet once the window exists
    CProgramFileChooser m_dialogs;          // the same
    CPageFileChooser m_chooser{m_dialogs};  // the dialogs CTables runs, and the report's
    std::unique_ptr<CTables> m_pTables;
    std::unique_ptr<CTablesPageLogic> m_pLogic;
    CGridWnd* m_pGridWnd = nullptr;  // the window of control 1006; it owns itself
    HWND m_hTip = nullptr;           // the outcome tips over the grid
    std::string m_strTip;            // the tip's text now
    unsigned m_nDpi = kBaseDpi;      // the DPI the columns' widths are for
    static constexpr unsigned kBaseDpi = 96;
};
