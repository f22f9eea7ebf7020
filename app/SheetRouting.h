#pragma once

#include "link/LinkState.h"
#include "link/ServoData.h"
#include "platform/ColorRef.h"

#include <memory>
#include <span>
#include <string>

// What the property sheet decides for its pages, whatever draws them: every record and
// the periodic ContinueModal call go to the active page only, a busy page is asked before
// another page is turned to, and every page may keep the sheet from closing. Key events
// reach the active page's own hook before the sheet's keyboard handling (the front end
// forwards them; what a page does with a key is its own logic's).
class ISheetPage {
public:
    virtual ~ISheetPage() = default;
    // The page now owns the record and deletes it when it is done with it.
    virtual void ReceiveRecord(std::unique_ptr<CServoData> record) = 0;
    // Called about every kContinueModalMs while this page is active in a running sheet.
    virtual bool ContinueModal() = 0;
    // True while the page runs something that leaving it would starve.
    virtual bool IsBusy() const = 0;
    // The user turns to another page while this one is busy; false keeps the page.
    virtual bool OnKillActive() = 0;
    // The sheet is being closed; false keeps it open.
    virtual bool OnQueryCancel() = 0;
};

// How often the active page's ContinueModal is called while the sheet runs.
inline constexpr int kContinueModalMs = 50;

// A record goes to the active page; with none it is deleted here.
void RouteRecord(ISheetPage* pActive, std::unique_ptr<CServoData> record);
void RouteContinueModal(ISheetPage* pActive);
// Whether turning from pFrom to another page needs the page's consent (OnKillActive):
// only a busy page is asked.
bool AsksBeforeLeaving(const ISheetPage* pFrom, bool bSamePage);
// Asks every page whether the sheet may close; the first that says no keeps it open.
bool MayCloseSheet(std::span<ISheetPage* const> pages);

// The sheet's link-state line: empty while all is well, red while the device is gone or
// held by another program, "Link back" (black) once the port has been opened again.
// detail is the device path (UTF-8), for kBusy also the reason.
struct SLinkStateLine {
    std::string strText;  // UTF-8
    bool bRed = false;
    bool operator==(const SLinkStateLine&) const = default;
};
inline constexpr COLORREF kLinkStateRed = RGB(255, 0, 0);
SLinkStateLine LinkStateLine(ELinkState eState, const std::string& strDetail);
