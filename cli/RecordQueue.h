#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "link/ServoDataSink.h"

// Hands the reader thread's records to the command-line tool's own thread, in order.
// PostServoData runs on the reader thread and only queues; the tool's loop blocks in
// WaitFor. Wake lets another thread (a signal watcher, the end of stdin) get the loop out
// of its wait without a record. Queued records that are never taken are deleted with the
// queue.
class CRecordQueue : public IServoDataSink {
public:
    CRecordQueue() = default;
    CRecordQueue(const CRecordQueue&) = delete;
    CRecordQueue& operator=(const CRecordQueue&) = delete;

    void PostServoData(std::unique_ptr<CServoData> record) override;

    // The oldest queued record; else waits until one comes, Wake is called or `timeout`
    // has passed (nullptr for both). A Wake that came while nobody was waiting is kept
    // for the next WaitFor. Time-outs of a year or more mean "no time-out".
    std::unique_ptr<CServoData> WaitFor(std::chrono::milliseconds timeout);

    // Makes the waiting (or next) WaitFor return nullptr if no record is queued.
    void Wake();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<CServoData>> m_records;
    bool m_bWake = false;
};
