#include "app/win32/LinkStateLine.h"

#include "app/SheetRouting.h"
#include "platform/WideText.h"

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
    const SLinkStateLine line = LinkStateLine(news->state, news->detail);
    ::SetWindowTextW(m_hLine, WideFromUtf8(line.strText).c_str());
    m_bRed = line.bRed;
    ::InvalidateRect(m_hLine, nullptr, TRUE);
}

SysCOLORREF CLinkStateLine::TextColour() const {
    return m_bRed ? kLinkStateRed : SysGetSysColor(COLOR_BTNTEXT);
}
