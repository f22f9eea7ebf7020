#pragma once

#include "app/SheetRouting.h"
#include "link/ServoData.h"

#include <QWidget>

#include <memory>

class QEvent;

#include "app/DialogLayout.h"

// A page's dialog template: its id, the tab caption and its least size in dialog units.
struct CPageTemplate {
    int m_nId = 0;
    const char* m_pszTitle = "";
    int m_nWidth = 0;
    int m_nHeight = 0;

    static constexpr CPageTemplate Of(const SDialogTemplate& layout) {
        return {layout.nId, layout.pszTitle, layout.cx, layout.cy};
    }
};

// Base of the sheet's pages. The sheet hands the active page every record (as a
// WM_PAGEDATA event) and every key event before its own keyboard handling
// (PreTranslatePageMessage), and calls ContinueModal periodically while it runs.
// The sheet owns its pages for as long as it runs; what it decides for them is
// SheetRouting's.
class CMyCPropertyPage : public QWidget, public ISheetPage {
    Q_OBJECT
public:
    explicit CMyCPropertyPage(const CPageTemplate& pageTemplate, QWidget* parent = nullptr);

    int TemplateId() const { return m_nTemplateId; }
    // The template's size in pixels.
    QSize sizeHint() const override;

    // Key events (KeyPress and ShortcutOverride) before the sheet sees them; true when
    // the page has consumed the event. The base consumes nothing.
    virtual bool PreTranslatePageMessage(QEvent* event);
    // The record as a WM_PAGEDATA event to this page.
    void ReceiveRecord(std::unique_ptr<CServoData> record) override;
    // Called about every 50 ms while this page is active in a running sheet.
    bool ContinueModal() override;
    // True while the page runs something that leaving it would starve; the sheet then
    // asks OnKillActive before another page is turned to.
    bool IsBusy() const override { return false; }
    // The user turns to another page while this one is busy (it is the active page
    // again while it asks); false keeps the page.
    bool OnKillActive() override { return true; }
    // The sheet is being closed; false keeps it open.
    bool OnQueryCancel() override { return true; }

protected:
    bool event(QEvent* event) override;
    // The record of one WM_PAGEDATA; the page now owns it. The base deletes it.
    virtual void OnPageData(std::unique_ptr<CServoData> record);

private:
    int m_nTemplateId = 0;
    QSize m_templateSize;
};
