#include "cli/RecordQueue.h"

#include <utility>

namespace {
// Beyond this a deadline could overflow the clock's range.
constexpr auto kForever = std::chrono::hours(24 * 365);
}  // namespace

void CRecordQueue::PostServoData(std::unique_ptr<CServoData> record) {
    if (!record)
        return;
    {
        std::lock_guard lock(m_mutex);
        m_items.push_back({std::move(record), std::nullopt, {}});
    }
    m_changed.notify_one();
}

void CRecordQueue::OnLinkState(ELinkState state, const std::string& detail) {
    {
        std::lock_guard lock(m_mutex);
        m_items.push_back({nullptr, state, detail});
    }
    m_changed.notify_one();
}

std::unique_ptr<CServoData> CRecordQueue::WaitFor(std::chrono::milliseconds timeout) {
    return WaitForItem(timeout).record;
}

CRecordQueue::SItem CRecordQueue::WaitForItem(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    const auto ready = [this] { return !m_items.empty() || m_bWake; };
    if (timeout >= kForever)
        m_changed.wait(lock, ready);
    else
        m_changed.wait_for(lock, timeout, ready);
    if (m_items.empty()) {
        m_bWake = false;
        return {};
    }
    SItem item = std::move(m_items.front());
    m_items.pop_front();
    return item;
}

void CRecordQueue::Wake() {
    {
        std::lock_guard lock(m_mutex);
        m_bWake = true;
    }
    m_changed.notify_all();
}
