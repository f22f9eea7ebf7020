// The simulated drive against the real link: tovamo-drive-sim on a pseudo-terminal,
// CHardware with its reader thread, records in a CRecordQueue.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/RecordQueue.h"
#include "link/Hardware.h"
#include "platform/ConfigPaths.h"
#include "support/RecordingMessageBox.h"
#include "support/SimDrive.h"
#include "support/TempDir.h"

namespace {
// Generous: the suite also runs under sanitizers on a loaded two-core machine.
constexpr auto kRecordTimeout = std::chrono::seconds(10);

std::string Describe(const CServoData* record) {
    if (record == nullptr)
        return "(no record)";
    const char* kind = record->m_bError ? "error" : record->m_bValue ? "value" : "name";
    return std::string(kind) + ": " + record->m_strText;
}

// The drive on the other end of a real CHardware, with the records it cuts.
class SimLinkTest : public testing::Test {
protected:
    void Open(const std::string& port) {
        ASSERT_EQ(m_hardware.OpenPort(port), 1) << port;
        m_hardware.StartReader(&m_records);
    }
    std::string Press(char key) {
        m_hardware.WritePort(&key, 1);
        return Describe(m_records.WaitFor(kRecordTimeout).get());
    }
    void TearDown() override { m_hardware.StopReader(); }

    RecordingMessageBox m_messages;
    CRecordQueue m_records;
    CHardware m_hardware{&m_messages};
};

// Sets an environment variable for one test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_strName(name) {
        if (const char* old = std::getenv(name)) {
            m_strOld = old;
            m_bHadOld = true;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_bHadOld)
            setenv(m_strName.c_str(), m_strOld.c_str(), 1);
        else
            unsetenv(m_strName.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_strName;
    std::string m_strOld;
    bool m_bHadOld = false;
};
}  // namespace

TEST_F(SimLinkTest, WalksTheBuiltInMenu) {
    SimDrive drive;
    Open(drive.PtyPath());
    struct Row {
        char key;
        const char* record;
    };
    const Row rows[] = {
        {'e', "name: P101 Pole count "},
        {'e', "value: 8"},
        {'u', "value: 10"},
        {'o', "name: P101 Pole count "},
        {'e', "value: 8"},
        {'o', "name: P101 Pole count "},
        {'u', "name: P102 Rated curr "},
        {'o', "name: P1 Motor data "},
        {'u', "name: P2 Speed loop "},
        {'e', "name: P201 Max speed "},
        {'e', "value: 2500.0 rpm"},  // sent with a comma
        {'d', "value: 2499.5 rpm"},
        {'e', "name: P201 Max speed "},
        {'e', "value: 2499.5 rpm"},
        {'o', "name: P201 Max speed "},
        {'o', "name: P2 Speed loop "},
        {'u', "name: P3 Current loop "},
        {'e', "name: P301 Current Kp "},
        {'d', "name: P310 Heatsink "},
        {'e', "error: Error 07 Sensor"},
        {'o', "name: P310 Heatsink "},
        {'o', "name: P3 Current loop "},
        {'d', "name: P2 Speed loop "},
        {'d', "name: P1 Motor data "},
        {'e', "name: P101 Pole count "},
        {'d', "name: P110 Fan mode "},
        {'d', "name: P109 Encoder ppr "},  // 16 bytes: the CR becomes the space
        {'d', "name: P108 Temp limit "},
        {'e',
         "value: 120 \xB0"
         "C"},
        {'u',
         "value: 125 \xB0"
         "C"},
    };
    std::string keys;
    for (const Row& row : rows) {
        keys += row.key;
        EXPECT_EQ(Press(row.key), row.record) << "after keys " << keys;
    }
    ASSERT_TRUE(drive.WaitForKeys(keys.size(), kRecordTimeout));
    EXPECT_EQ(drive.KeysReceived(), keys);
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(SimLinkTest, ASecondOpenOfTheSamePortIsBusy) {
    SimDrive drive;
    Open(drive.PtyPath());
    RecordingMessageBox secondMessages;
    CHardware second(&secondMessages);
    EXPECT_EQ(second.OpenPort(drive.PtyPath()), 0);
    ASSERT_EQ(secondMessages.Messages().size(), 1u);
    EXPECT_EQ(secondMessages.Messages()[0].text, "Hardware busy in system");
    EXPECT_EQ(Press('u'), "name: P2 Speed loop ");  // the first is still served
}

TEST_F(SimLinkTest, APortLinkMakesTheDriveACOMPort) {
    TempDir config;
    ScopedEnv xdg("XDG_CONFIG_HOME", config.Path());
    const std::string link = TovamoPortLinkDir() + "/COM7";
    {
        SimDriveOptions options;
        options.linkPath = link;
        SimDrive drive(options);
        EXPECT_EQ(std::filesystem::read_symlink(link), drive.PtyPath());
        Open("COM7");
        EXPECT_EQ(Press('u'), "name: P2 Speed loop ");
        m_hardware.StopReader();
    }
    EXPECT_FALSE(std::filesystem::is_symlink(link)) << "the link outlived the drive";
}

TEST_F(SimLinkTest, PacedAt9600BaudAFieldTakesItsLineTime) {
    SimDriveOptions options;
    options.baud = 9600;
    SimDrive drive(options);
    Open(drive.PtyPath());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Press('u'), "name: P2 Speed loop ");
    // The name is cut at its 19th byte (LF LF, 16 bytes, CR): 19 x 10 bits at 9600 baud.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::microseconds(19 * 10 * 1000000 / 9600));
}

TEST_F(SimLinkTest, ASilentDriveStillReceivesKeys) {
    SimDriveOptions options;
    options.silentAfter = 1;
    SimDrive drive(options);
    Open(drive.PtyPath());
    EXPECT_EQ(Press('u'), "name: P2 Speed loop ");
    const char key = 'u';
    m_hardware.WritePort(&key, 1);
    ASSERT_TRUE(drive.WaitForKeys(2, kRecordTimeout));
    EXPECT_EQ(m_records.WaitFor(std::chrono::milliseconds(200)), nullptr);
}

TEST(SimLink, TheDriveServesOneConnectionAfterAnother) {
    SimDrive drive;
    for (const char* expected : {"name: P2 Speed loop ", "name: P3 Current loop "}) {
        CRecordQueue records;
        CHardware hardware;
        ASSERT_EQ(hardware.OpenPort(drive.PtyPath()), 1);
        hardware.StartReader(&records);
        const char key = 'u';
        hardware.WritePort(&key, 1);
        EXPECT_EQ(Describe(records.WaitFor(kRecordTimeout).get()), expected);
        hardware.StopReader();
    }
}
