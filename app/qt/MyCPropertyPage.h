#pragma once

#include "link/ServoData.h"

#include <QWidget>

#include <memory>

class QEvent;

// A page's dialog template: its id, the tab caption and its size in dialog units.
struct CPageTemplate {
    int m_nId = 0;
    const char* m_pszTitle = "";
    int m_nWidth = 0;
    int m_nHeight = 0;
};

// Base of the sheet's pages. The sheet hands the active page every record (as a
// WM_PAGEDATA event) and every key event before its own keyboard handling
// (PreTranslatePageMessage), and calls ContinueModal periodically while it runs.
// The sheet owns its pages for as long as it runs.
class CMyCPropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit CMyCPropertyPage(const CPageTemplate& pageTemplate, QWidget* parent = nullptr);

    int TemplateId() const { return m_nTemplateId; }
    // The template's size in pixels.
    QSize sizeHint() const override;

    // Key events (KeyPress and ShortcutOverride) before the sheet sees them; true when
    // the page has consumed the event. The base consumes nothing.
    virtual bool PreTranslatePageMessage(QEvent* event);
    // Called about every 50 ms while this page is active in a running sheet.
    virtual bool ContinueModal();
    // True while the page runs something that leaving it would starve; the sheet then
    // asks OnKillActive before another page is turned to.
    virtual bool IsBusy() const { return false; }
    // The user turns to another page while this one is busy (it is the active page
    // again while it asks); false keeps the page.
    virtual bool OnKillActive() { return true; }
    // The sheet is being closed; false keeps it open.
    virtual bool OnQueryCancel() { return true; }

protected:
    bool event(QEvent* event) override;
    // The record of one WM_PAGEDATA; the page now owns it. The base deletes it.
    virtual void OnPageData(std::unique_ptr<CServoData> record);

private:
    int m_nTemplateId = 0;
    QSize m_templateSize;
};
