// The Table page's status line, progress bar and Stop: what CTablesPageLogic says a
// running procedure has done and for how long, and how it ended.

// The core's headers before those that bring in the system's.

#include "app/win32/TablesPage.h"
#include "app/win32/TablesPageIds.h"

#include "platform/win32/Win32Api.h"

void CTablesPage::ShowStatus(const std::string& strText) {
    SetText(IDC_TABLES_STATUS, strText);
}

// A maximum of 0 is a busy bar, which moves by itself.
void CTablesPage::ShowProgressBar(const SProgressBar& bar) {
    HWND hBar = Control(IDC_TABLES_PROGRESS);
    const LONG_PTR style = GetWindowLongPtrW(hBar, GWL_STYLE);
    const bool bBusy = bar.nMaximum == 0;
    if (bBusy != ((style & PBS_MARQUEE) != 0)) {
        SetWindowLongPtrW(hBar, GWL_STYLE,
                          bBusy ? style | PBS_MARQUEE : style & ~static_cast<LONG_PTR>(PBS_MARQUEE));
        SendMessageW(hBar, PBM_SETMARQUEE, bBusy ? TRUE : FALSE, 0);
    }
    if (!bBusy) {
        SendMessageW(hBar, PBM_SETRANGE32, 0, bar.nMaximum);
        SendMessageW(hBar, PBM_SETPOS, static_cast<WPARAM>(bar.nValue), 0);
    }
    if (!IsWindowVisible(hBar)) {
        ShowWindow(hBar, SW_SHOWNA);
        LayOut();
    }
}

void CTablesPage::HideProgressBar() {
    HWND hBar = Control(IDC_TABLES_PROGRESS);
    if (!IsWindowVisible(hBar))
        return;
    ShowWindow(hBar, SW_HIDE);
    LayOut();
}

void CTablesPage::EnableStop(bool bEnable) {
    Enable(IDC_TABLES_STOP, bEnable);
}
