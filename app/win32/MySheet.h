#pragma once

#include "app/win32/LinkStateLine.h"
#include "app/win32/MyCPropertyPage.h"
#include "app/win32/ServoDataPoster.h"

#include <memory>
#include <vector>

#include "platform/win32/Win32Api.h"

class CHardware;

// The property sheet the user works in while the port is open: a tab per page, the
// link-state line and only a Cancel button, in a window that can be made larger. It runs
// its own modal loop: when its window is initialised it starts the reader with itself as
// the receiver of the records, and routes each record, each message before its own
// keyboard handling and a ContinueModal call every 50 ms to the page that is active at
// that moment. Run by Connect, which stops the reader after the sheet has closed.
class CMySheet {
public:
    explicit CMySheet(CHardware& hardware);
    ~CMySheet();

    CMySheet(const CMySheet&) = delete;
    CMySheet& operator=(const CMySheet&) = delete;

    // Adds the program's pages, in tab order.
    void AddStandardPages();
    // Takes ownership; call before DoModal.
    void AddPage(std::unique_ptr<CMyCPropertyPage> page);
    // Adds the standard pages when none were added, then runs the sheet modally with
    // hOwner disabled; returns when the user has closed it (IDCANCEL), -1 when the
    // window could not be made.
    INT_PTR DoModal(HWND hOwner);

    HWND GetSafeHwnd() const { return m_hWnd; }
    CMyCPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_nActive; }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CMyCPropertyPage* GetPage(int nIndex) const;
    // Turns to a page as a click on its tab does: a busy page is asked first. False
    // when the page stays.
    bool SetActivePage(int nIndex);
    // The user asks to close the sheet (Cancel, Escape, the close box); every page may
    // keep it open.
    void OnCancel();

    // The sheet's modal loop hook, public for tests that pump messages themselves.
    bool PreTranslateMessage(MSG* pMsg);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, SysLPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, SysLPARAM lParam);
    void OnInitDialog();
    void CreatePages();
    void SizeToPages();
    void Layout();
    void ShowPage(int nIndex);
    bool IsSheetMessage(const MSG& msg) const;
    bool HandleTabKeys(const MSG& msg);
    bool MayLeaveActivePage();
    void EndModalLoop();

    CHardware& m_Hardware;
    std::vector<std::unique_ptr<CMyCPropertyPage>> m_pages;
    CServoDataPoster m_Poster;
    CLinkStateLine m_LinkState;
    HWND m_hWnd = nullptr;
    HWND m_hTab = nullptr;
    int m_nActive = -1;
    bool m_bRunning = false;
    SIZE m_minTrack{};  // the least window size: the largest page's template
};
