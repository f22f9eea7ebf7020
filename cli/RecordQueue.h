#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

#include "link/LinkState.h"
#include "link/ServoDataSink.h"

// Hands the reader thread's records to the command-line tool's own thread, in order.
// PostServoData runs on the reader thread and only queues; the tool's loop blocks in
// WaitFor. Wake lets another thread (a signal watcher, the end of stdin) get the loop out
// of its wait without a record. Queued records that are never taken are deleted with the
// queue. As a link state listener it queues the news of a lost and regained device in
// line with the records, so that the loop sees them in the order they happened.
class CRecordQueue : public IServoDataSink, public ILinkStateListener {
public:
    // A record or a link state; both empty after a time-out or a Wake.
    struct SItem {
        std::unique_ptr<CServoData> record;
        std::optional<ELinkState> state;
        std::string strDetail;
    };

    CRecordQueue() = default;
    CRecordQueue(const CRecordQueue&) = delete;
    CRecordQueue& operator=(const CRecordQueue&) = delete;

    void PostServoData(std::unique_ptr<CServoData> record) override;
    void OnLinkState(ELinkState state, const std::string& detail) override;

    // The oldest queued record; else waits until one comes, Wake is called or `timeout`
    // has passed (nullptr for both). A Wake that came while nobody was waiting is kept
    // for the next WaitFor. Time-outs of a year or more mean "no time-out".
    std::unique_ptr<CServoData> WaitFor(std::chrono::milliseconds timeout);
    // Likewise for records and link states; a link state makes WaitFor return nullptr.
    SItem WaitForItem(std::chrono::milliseconds timeout);

    // Makes the waiting (or next) WaitFor return nullptr if no record is queued.
    void Wake();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<SItem> m_items;
    bool m_bWake = false;
};
