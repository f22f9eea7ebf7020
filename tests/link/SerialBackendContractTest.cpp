// What the link relies on in a serial back end, checked against the POSIX port on a real
// pseudo-terminal and against the fake that other tests use in its place.
#include <poll.h>
#include <termios.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FakeSerialBackend.h"
#include "LinkTestSupport.h"
#include "link/SerialPortPosix.h"

namespace {

const SLineSettings kDriveLine{9600, 8, 'N', 1, false, false};

class CPosixHarness {
public:
    std::unique_ptr<ISerialBackend> Make() { return std::make_unique<CSerialPortPosix>(); }
    std::string Path() const { return m_Pty.SlavePath(); }
    // Settings a terminal program might have left behind.
    void LeaveOddSettings(ISerialBackend&) {
        termios odd{};
        ASSERT_EQ(::tcgetattr(m_Pty.SlaveFd(), &odd), 0);
        odd.c_cflag = (odd.c_cflag & ~CSIZE) | CS7 | PARENB | PARODD | CSTOPB | CRTSCTS;
        odd.c_iflag |= IXON | IXOFF | IXANY;
        odd.c_lflag |= ICANON | ECHO;
        ::cfsetispeed(&odd, B1200);
        ::cfsetospeed(&odd, B1200);
        ASSERT_EQ(::tcsetattr(m_Pty.SlaveFd(), TCSANOW, &odd), 0);
    }
    void SendFromDrive(const std::string& bytes) { m_Pty.SendFromDrive(bytes); }
    std::string ReceiveAtDrive(std::size_t count) { return m_Pty.ReceiveAtDrive(count); }

private:
    CPtyPair m_Pty;
};

class CFakeHarness {
public:
    std::unique_ptr<ISerialBackend> Make() {
        auto fake = std::make_unique<CFakeSerialBackend>();
        m_pFake = fake.get();
        return fake;
    }
    std::string Path() const { return "/dev/fake0"; }
    void LeaveOddSettings(ISerialBackend&) { m_pFake->SetLineSettings({1200, 7, 'O', 2, true, true}); }
    void SendFromDrive(const std::string& bytes) { m_pFake->Inject(bytes); }
    std::string ReceiveAtDrive(std::size_t) { return m_pFake->Written(); }

private:
    CFakeSerialBackend* m_pFake = nullptr;
};

template <typename THarness>
class SerialBackendContract : public ::testing::Test {
protected:
    void SetUp() override { m_pPort = m_Harness.Make(); }
    void OpenAndConfigure() {
        ASSERT_EQ(m_pPort->Open(m_Harness.Path()).m_nErrno, 0);
        ASSERT_EQ(m_pPort->Configure().m_nErrno, 0);
    }
    bool WaitForWaiting(int count) {
        return WaitUntil([&] { return m_pPort->BytesWaiting() >= count; });
    }

    THarness m_Harness;
    std::unique_ptr<ISerialBackend> m_pPort;
};

using Implementations = ::testing::Types<CPosixHarness, CFakeHarness>;
TYPED_TEST_SUITE(SerialBackendContract, Implementations);

TYPED_TEST(SerialBackendContract, ConfigureGivesTheDriveLineWhateverWasSetBefore) {
    ASSERT_EQ(this->m_pPort->Open(this->m_Harness.Path()).m_nErrno, 0);
    this->m_Harness.LeaveOddSettings(*this->m_pPort);
    SLineSettings before;
    ASSERT_TRUE(this->m_pPort->GetLineSettings(before));
    EXPECT_NE(before, kDriveLine);
    ASSERT_EQ(this->m_pPort->Configure().m_nErrno, 0);
    SLineSettings after;
    ASSERT_TRUE(this->m_pPort->GetLineSettings(after));
    EXPECT_EQ(after, kDriveLine);
}

TYPED_TEST(SerialBackendContract, ReadTakesOnlyWhatIsQueued) {
    this->OpenAndConfigure();
    EXPECT_EQ(this->m_pPort->BytesWaiting(), 0);
    char bytes[16] = {};
    EXPECT_EQ(this->m_pPort->Read(bytes, sizeof bytes), 0) << "a read of an empty queue must not wait";
    this->m_Harness.SendFromDrive("abc");
    ASSERT_TRUE(this->WaitForWaiting(3));
    EXPECT_EQ(this->m_pPort->BytesWaiting(), 3);
    ASSERT_EQ(this->m_pPort->Read(bytes, 2), 2);
    EXPECT_EQ(std::string(bytes, 2), "ab");
    EXPECT_EQ(this->m_pPort->BytesWaiting(), 1);
    ASSERT_EQ(this->m_pPort->Read(bytes, sizeof bytes), 1);
    EXPECT_EQ(bytes[0], 'c');
    EXPECT_EQ(this->m_pPort->BytesWaiting(), 0);
}

TYPED_TEST(SerialBackendContract, BytesPassUnchangedBothWays) {
    this->OpenAndConfigure();
    const std::string all8Bit = [] {
        std::string bytes;
        for (int c = 0; c < 256; ++c)
            bytes.push_back(static_cast<char>(c));
        return bytes;
    }();
    this->m_Harness.SendFromDrive(all8Bit);
    ASSERT_TRUE(this->WaitForWaiting(256));
    std::string got(256, '\0');
    ASSERT_EQ(this->m_pPort->Read(got.data(), 256), 256);
    EXPECT_EQ(got, all8Bit) << "raw mode: no translation of CR, LF or high bytes";

    ASSERT_TRUE(this->m_pPort->Write("e\r\nd", 4));
    EXPECT_EQ(this->m_Harness.ReceiveAtDrive(4), "e\r\nd");
}

TYPED_TEST(SerialBackendContract, PollFdWakesWhenBytesArrive) {
    this->OpenAndConfigure();
    pollfd entry{this->m_pPort->PollFd(), POLLIN, 0};
    ASSERT_GE(entry.fd, 0);
    EXPECT_EQ(::poll(&entry, 1, 0), 0);
    this->m_Harness.SendFromDrive("x");
    ASSERT_EQ(::poll(&entry, 1, 10000), 1);
    EXPECT_TRUE(entry.revents & POLLIN);
}

TYPED_TEST(SerialBackendContract, ClosedPortRefusesEverything) {
    this->OpenAndConfigure();
    EXPECT_TRUE(this->m_pPort->IsOpen());
    this->m_pPort->Close();
    this->m_pPort->Close();
    char byte = 0;
    SLineSettings settings;
    EXPECT_FALSE(this->m_pPort->IsOpen());
    EXPECT_EQ(this->m_pPort->PollFd(), -1);
    EXPECT_EQ(this->m_pPort->BytesWaiting(), -1);
    EXPECT_EQ(this->m_pPort->Read(&byte, 1), -1);
    EXPECT_FALSE(this->m_pPort->Write("e", 1));
    EXPECT_FALSE(this->m_pPort->GetLineSettings(settings));
}

}  // namespace
