// The reader thread of CHardware: records in order, keys, the stop handshake, unplugging.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FakeSerialBackend.h"
#include "LinkTestSupport.h"
#include "link/Hardware.h"

namespace {

using namespace std::chrono_literals;

// Rows end in different states; two line feeds bring every one back to an empty buffer.
void JoinRows(const std::vector<SFramingVector>& rows, std::string& bytes,
              std::vector<SExpectedRecord>& records) {
    for (const auto& row : rows) {
        bytes += row.m_strBytes + "\n\n";
        records.insert(records.end(), row.m_Records.begin(), row.m_Records.end());
    }
}

std::chrono::microseconds ProcessCpuTime() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto total = [](const timeval& t) {
        return std::chrono::seconds(t.tv_sec) + std::chrono::microseconds(t.tv_usec);
    };
    return total(usage.ru_utime) + total(usage.ru_stime);
}

class HardwareOnPty : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_Hardware.OpenPort(m_Pty.SlavePath()), 1); }

    CPtyPair m_Pty;
    RecordingMessageBox m_Messages;
    CCollectingSink m_Sink;
    CHardware m_Hardware{&m_Messages};
};

TEST_F(HardwareOnPty, DriveOutputArrivesAsRecordsInOrder) {
    std::string bytes;
    std::vector<SExpectedRecord> expected;
    JoinRows(FramingExamples(), bytes, expected);
    JoinRows(FramingEdgeCases(), bytes, expected);
    m_Hardware.StartReader(&m_Sink);
    m_Pty.SendFromDrive(bytes);
    ASSERT_TRUE(m_Sink.WaitForCount(expected.size()));
    m_Hardware.StopReader();
    EXPECT_EQ(m_Sink.Records(), expected);
    EXPECT_TRUE(m_Messages.Messages().empty());
}

TEST_F(HardwareOnPty, KeysReachTheDriveWhileReading) {
    m_Hardware.StartReader(&m_Sink);
    for (char key : std::string("eoud"))
        m_Hardware.WritePort(&key, 1);
    EXPECT_EQ(m_Pty.ReceiveAtDrive(4), "eoud");
    m_Pty.SendFromDrive("P01 Speed       \r\n");
    ASSERT_TRUE(m_Sink.WaitForCount(1));
    m_Hardware.WritePort("e", 1);
    EXPECT_EQ(m_Pty.ReceiveAtDrive(1), "e");
}

TEST_F(HardwareOnPty, StopReaderNeverStartedOrTwice) {
    m_Hardware.StopReader();
    m_Hardware.StopReader();
    m_Hardware.StartReader(&m_Sink);
    m_Hardware.StopReader();
    m_Hardware.StopReader();
    EXPECT_TRUE(m_Hardware.IsOpen());
}

TEST_F(HardwareOnPty, StopRightAfterStart) {
    for (int i = 0; i < 20; ++i) {
        m_Hardware.StartReader(&m_Sink);
        m_Hardware.StopReader();
    }
    SUCCEED();
}

TEST_F(HardwareOnPty, StopDuringTraffic) {
    std::atomic<bool> sending{true};
    m_Hardware.StartReader(&m_Sink);
    std::thread drive([&] {
        while (m_Pty.SendFromDrive("12345           ", &sending)) {
        }
    });
    ASSERT_TRUE(m_Sink.WaitForCount(10));
    m_Hardware.StopReader();
    const std::size_t afterStop = m_Sink.Records().size();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(m_Sink.Records().size(), afterStop) << "no record may come after StopReader returned";
    sending.store(false);
    drive.join();
    for (const auto& record : m_Sink.Records())
        ASSERT_EQ(record, (SExpectedRecord{'v', "12345"}));
}

// An unplugged adapter (here: the far end of the pseudo-terminal closed) hangs up the
// port for good. The reader must neither spin on the hang-up nor keep StopReader waiting.
TEST_F(HardwareOnPty, UnplugDoesNotSpinAndStopsCleanly) {
    m_Hardware.StartReader(&m_Sink);
    m_Pty.SendFromDrive("7" + std::string(15, ' '));
    ASSERT_TRUE(m_Sink.WaitForCount(1));
    m_Pty.CloseMaster();

    const auto cpuBefore = ProcessCpuTime();
    std::this_thread::sleep_for(1s);
    const auto cpuUsed = ProcessCpuTime() - cpuBefore;
    EXPECT_LT(cpuUsed, 100ms) << "the reader spins on the hang-up";

    m_Hardware.WritePort("e", 1);  // silent
    const auto stopStart = std::chrono::steady_clock::now();
    m_Hardware.StopReader();
    EXPECT_LT(std::chrono::steady_clock::now() - stopStart, 5s);
    EXPECT_EQ(m_Sink.Records().size(), 1u);
    EXPECT_TRUE(m_Messages.Messages().empty());
}

class HardwareOnFake : public ::testing::Test {
protected:
    void SetUp() override {
        auto fake = std::make_unique<CFakeSerialBackend>();
        m_pPort = fake.get();
        m_pHardware = std::make_unique<CHardware>(nullptr, std::move(fake));
        ASSERT_EQ(m_pHardware->OpenPort("/dev/fake0"), 1);
    }
    void InjectAndWait(const std::string& bytes) {
        const long target = m_pPort->BytesConsumed() + static_cast<long>(bytes.size());
        m_pPort->Inject(bytes);
        ASSERT_TRUE(WaitUntil([&] { return m_pPort->BytesConsumed() >= target; }));
    }

    CFakeSerialBackend* m_pPort = nullptr;
    std::unique_ptr<CHardware> m_pHardware;
};

// The line buffer lives on between passes: a field split over two reads is cut the same.
TEST_F(HardwareOnFake, FieldsSplitAcrossPasses) {
    std::string bytes;
    std::vector<SExpectedRecord> expected;
    JoinRows(FramingExamples(), bytes, expected);
    CCollectingSink sink;
    m_pHardware->StartReader(&sink);
    for (std::size_t at = 0; at < bytes.size(); at += 7) {
        InjectAndWait(bytes.substr(at, 7));
    }
    m_pHardware->StopReader();
    EXPECT_EQ(sink.Records(), expected);
}

// The reader holds the lock while it posts a pass's records: a key written meanwhile
// waits for the pass to end and is then written, not lost.
TEST_F(HardwareOnFake, KeyWaitsForThePassThatPostsRecords) {
    CCollectingSink sink;
    std::atomic<bool> inSink{false};
    std::atomic<bool> release{false};
    sink.m_OnRecord = [&] {
        inSink.store(true);
        while (!release.load())
            std::this_thread::sleep_for(1ms);
    };
    m_pHardware->StartReader(&sink);
    m_pPort->Inject("9" + std::string(15, ' '));
    ASSERT_TRUE(WaitUntil([&] { return inSink.load(); }));
    std::atomic<bool> written{false};
    std::thread key([&] {
        m_pHardware->WritePort("u", 1);
        written.store(true);
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(written.load());
    EXPECT_EQ(m_pPort->Written(), "");
    release.store(true);
    key.join();
    EXPECT_EQ(m_pPort->Written(), "u");
    m_pHardware->StopReader();
}

TEST_F(HardwareOnFake, UnplugDoesNotSpinAndStopsCleanly) {
    CCollectingSink sink;
    m_pHardware->StartReader(&sink);
    InjectAndWait("Menu" + std::string(12, ' '));
    m_pPort->Unplug();
    const auto cpuBefore = ProcessCpuTime();
    std::this_thread::sleep_for(1s);
    EXPECT_LT(ProcessCpuTime() - cpuBefore, 100ms) << "the reader spins on the hang-up";
    m_pHardware->StopReader();
    EXPECT_EQ(sink.Records(), (std::vector<SExpectedRecord>{{'v', "Menu"}}));
}

TEST(HardwareReader, ReaderWithoutAnOpenPortWaitsQuietly) {
    CCollectingSink sink;
    CHardware hardware;
    hardware.StartReader(&sink);
    const auto cpuBefore = ProcessCpuTime();
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(ProcessCpuTime() - cpuBefore, 100ms);
    hardware.StopReader();
}

TEST(HardwareReader, DestructorStopsARunningReader) {
    CPtyPair pty;
    CCollectingSink sink;
    {
        CHardware hardware;
        ASSERT_EQ(hardware.OpenPort(pty.SlavePath()), 1);
        hardware.StartReader(&sink);
    }
    CHardware again;
    EXPECT_EQ(again.OpenPort(pty.SlavePath()), 1) << "the port was closed by the destructor";
}

}  // namespace
