#include "app/win32/LinkStateLine.h"

#include "platform/WideText.h"

namespace {
std::string LineText(ELinkState state, const std::string& detail) {
    switch (state) {
        case ELinkState::kLost:
            return "Link lost: waiting for " + detail + " to come back";
        case ELinkState::kBusy:
            return "Hardware busy in system: " + detail;
        case ELinkState::kBack:
            return "Link back";
        case ELinkState::kOther:
            return "Another device is at " + detail;
    }
    return {};
}
}  // namespace

void CLinkStateLine::Attach(HWND hLine, HWND hNotify) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_hLine = hLine;
    m_hNotify = hNotify;
}

void CLinkStateLine::Detach() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_hNotify = nullptr;
    m_pending.reset();
}

void CLinkStateLine::OnLinkState(ELinkState state, const std::string& detail) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (m_hNotify == nullptr)
        return;
    // Only the latest news counts: one poke is enough for any number of changes.
    const bool bPoked = m_pending.has_value();
    m_pending = SNews{state, detail};
    if (!bPoked)
        ::PostMessageW(m_hNotify, WM_LINKSTATE, 0, 0);
}

void CLinkStateLine::ShowNews() {
    std::optional<SNews> news;
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        news.swap(m_pending);
    }
    if (!news || m_hLine == nullptr)
        return;
    // The device path is the system's text (UTF-8 inside the program).
    ::SetWindowTextW(m_hLine, WideFromUtf8(LineText(news->state, news->detail)).c_str());
    // Red like the Edit page's errors while the drive cannot be reached.
    m_bRed = news->state != ELinkState::kBack;
    ::InvalidateRect(m_hLine, nullptr, TRUE);
}

SysCOLORREF CLinkStateLine::TextColour() const {
    return m_bRed ? RGB(255, 0, 0) : SysGetSysColor(COLOR_BTNTEXT);
}
