#pragma once

#include "app/SheetRouting.h"
#include "link/ServoData.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"

// Reader thread -> sheet: a posted record, wParam = an owned CServoData* (first user
// message + 100).
inline constexpr UINT WM_SERVODATA = WM_USER + 100;
// Sheet -> active page: the same record, sent; the page takes it over (first user
// message + 101).
inline constexpr UINT WM_PAGEDATA = WM_USER + 101;

// Base of the sheet's pages: a child dialog made from the page's template inside the
// sheet. The sheet hands the active page every record (WM_PAGEDATA), every message
// before its own keyboard handling (PreTranslatePageMessage) and a ContinueModal call
// every 50 ms while it runs. The sheet owns its pages for as long as it runs; a page's
// window goes with the sheet's. What the sheet decides for its pages is SheetRouting's.
class CMyCPropertyPage : public ISheetPage {
public:
    explicit CMyCPropertyPage(int nTemplateId);
    ~CMyCPropertyPage() override;

    CMyCPropertyPage(const CMyCPropertyPage&) = delete;
    CMyCPropertyPage& operator=(const CMyCPropertyPage&) = delete;

    int TemplateId() const { return m_nTemplateId; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The template's caption: the tab's title.
    const std::wstring& Title() const { return m_strTitle; }
    // The template's size in this page's pixels (dialog units of its font and DPI).
    SIZE TemplateSize() const;

    // Makes the page's window, hidden, as a child of parent: the template's frame and
    // caption are dropped, as a property sheet does. False when it cannot be made.
    bool Create(HWND hParent);

    // Every message for the sheet's windows before the sheet's keyboard handling; true
    // when the page has consumed it (it is then neither translated nor dispatched).
    virtual bool PreTranslatePageMessage(MSG* pMsg);
    // The record as a WM_PAGEDATA sent to this page's window (deleted when it has none).
    void ReceiveRecord(std::unique_ptr<CServoData> record) override;
    // Called every 50 ms while this page is active in a running sheet.
    bool ContinueModal() override;
    // True while the page runs something that leaving it would starve; the sheet then
    // asks OnKillActive before another page is turned to.
    bool IsBusy() const override { return false; }
    // The user turns to another page while this one is busy (it is still the active
    // page while it asks); false keeps the page.
    bool OnKillActive() override { return true; }
    // The sheet is being closed; false keeps it open.
    bool OnQueryCancel() override { return true; }
    // The page has just become the active one.
    virtual void OnSetActive() {}

protected:
    // WM_INITDIALOG: the controls of the template exist.
    virtual void OnInitDialog() {}
    // The record of one WM_PAGEDATA; the page now owns it. The base deletes it.
    virtual void OnPageData(std::unique_ptr<CServoData> record);
    // The page's client area is now cx x cy pixels (the sheet was made larger or smaller).
    virtual void OnSize(int cx, int cy);
    // Any other message of the page's dialog procedure. Return true when handled, with
    // result what the dialog procedure returns (a brush for WM_CTLCOLOR*, TRUE after
    // setting DWLP_MSGRESULT for a notification's answer).
    virtual bool OnMessage(UINT message, WPARAM wParam, SysLPARAM lParam, INT_PTR& result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, SysLPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, SysLPARAM lParam);

    int m_nTemplateId = 0;
    HWND m_hWnd = nullptr;
    std::wstring m_strTitle;
    SIZE m_templateUnits{};  // the template's cx, cy in dialog units
};

// The module that holds the program's resources (the program itself, or a test program
// linking the same resource script).
HINSTANCE AppInstance();

// A dialog template of the resources, copied so that its styles can be changed; empty
// when there is none with that id.
std::vector<BYTE> LoadDialogTemplate(int nTemplateId);
// The size in dialog units a template declares (cx, cy of its header).
SIZE DialogTemplateSize(const std::vector<BYTE>& dialogTemplate);
