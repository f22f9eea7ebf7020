// The queue between the reader thread and the command-line tool's loop.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "cli/RecordQueue.h"

namespace {
constexpr auto kLong = std::chrono::seconds(30);

std::unique_ptr<CServoData> Record(const std::string& text) {
    auto record = std::make_unique<CServoData>();
    record->m_strText = text;
    return record;
}
}  // namespace

TEST(RecordQueue, DeliversRecordsFromAnotherThreadInOrder) {
    CRecordQueue queue;
    constexpr int kCount = 1000;
    std::thread producer([&queue] {
        for (int i = 0; i < kCount; ++i)
            queue.PostServoData(Record(std::to_string(i)));
    });
    for (int i = 0; i < kCount; ++i) {
        const auto record = queue.WaitFor(kLong);
        ASSERT_NE(record, nullptr) << i;
        ASSERT_EQ(record->m_strText, std::to_string(i));
    }
    producer.join();
}

TEST(RecordQueue, TimesOutWithoutRecords) {
    CRecordQueue queue;
    EXPECT_EQ(queue.WaitFor(std::chrono::milliseconds(0)), nullptr);
    EXPECT_EQ(queue.WaitFor(std::chrono::milliseconds(20)), nullptr);
}

TEST(RecordQueue, WakeEndsAWaitAndIsKeptUntilSomeoneWaits) {
    CRecordQueue queue;
    std::thread waker([&queue] { queue.Wake(); });
    EXPECT_EQ(queue.WaitFor(std::chrono::hours(24 * 365 * 2)), nullptr);  // no time-out at all
    waker.join();

    queue.Wake();
    queue.PostServoData(Record("first"));
    const auto record = queue.WaitFor(kLong);
    ASSERT_NE(record, nullptr);  // records come before the wake
    EXPECT_EQ(record->m_strText, "first");
    EXPECT_EQ(queue.WaitFor(kLong), nullptr);
    EXPECT_EQ(queue.WaitFor(std::chrono::milliseconds(0)), nullptr);
}
