#pragma once

#include "link/LinkState.h"

#include <mutex>
#include <optional>
#include <string>

#include "platform/win32/Win32Api.h"

// The sheet's line beside Cancel that tells whether the drive's port is there: empty
// while all is well, red while the device is gone or held by another program, "Link
// back" once it has been re-opened. The reader thread keeps the latest news here and
// pokes the sheet (WM_LINKSTATE); the sheet shows it on its own thread and detaches the
// line from the port before it goes.
class CLinkStateLine final : public ILinkStateListener {
public:
    // Sheet -> itself: news is waiting (no payload: the news stays here).
    static constexpr UINT WM_LINKSTATE = WM_APP + 1;

    CLinkStateLine() = default;
    CLinkStateLine(const CLinkStateLine&) = delete;
    CLinkStateLine& operator=(const CLinkStateLine&) = delete;

    // The static control that shows the line and the window to poke.
    void Attach(HWND hLine, HWND hNotify);
    void Detach();

    // Reader thread.
    void OnLinkState(ELinkState state, const std::string& detail) override;

    // The sheet's thread, on WM_LINKSTATE: shows the latest news.
    void ShowNews();
    // The colour of the line's text (WM_CTLCOLORSTATIC).
    SysCOLORREF TextColour() const;

private:
    struct SNews {
        ELinkState state;
        std::string detail;
    };

    std::mutex m_Mutex;
    std::optional<SNews> m_pending;  // under m_Mutex
    HWND m_hNotify = nullptr;        // under m_Mutex
    HWND m_hLine = nullptr;
    bool m_bRed = false;
};
