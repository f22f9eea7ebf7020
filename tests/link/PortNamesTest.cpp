#include "link/PortNames.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "LinkTestSupport.h"
#include "link/Hardware.h"

namespace {

class PortNames : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_strPorts);
        std::filesystem::create_symlink(m_Pty.SlavePath(), m_strPorts + "/COM3");
        std::filesystem::create_symlink("/dev/ttyUSB-unplugged", m_strPorts + "/COM12");
    }

    TempDir m_Config;
    CScopedEnv m_ConfigHome{"XDG_CONFIG_HOME", m_Config.Path()};
    std::string m_strPorts = m_Config.Path() + "/Tovamo Dispenser/ports";
    CPtyPair m_Pty;
};

TEST_F(PortNames, NamesResolveToDevicePaths) {
    struct SRow {
        const char* m_pszName;
        std::string m_strPath;
    };
    const SRow rows[] = {
        {"COM3", m_strPorts + "/COM3"},
        {"COM12", m_strPorts + "/COM12"},  // dangling: still the link
        {"COM1", "/dev/ttyS0"},
        {"COM4", "/dev/ttyS3"},
        {"com2", "/dev/ttyS1"},
        {"COM256", "/dev/ttyS255"},
        {"COM0", "COM0"},
        {"COM257", "COM257"},
        {"COM03", "COM03"},
        {"COM", "COM"},
        {"COM3x", "COM3x"},
        {"LPT1", "LPT1"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"./COM3", "./COM3"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ResolvePortPath(row.m_pszName), row.m_strPath) << "name " << row.m_pszName;
}

TEST_F(PortNames, OpenPortFollowsThePortLink) {
    RecordingMessageBox messages;
    CHardware linked(&messages);
    EXPECT_EQ(linked.OpenPort("COM3"), 1);
    CHardware unplugged(&messages);
    EXPECT_EQ(unplugged.OpenPort("COM12"), 0);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "Hardware not present");
    EXPECT_EQ(messages.Messages()[0].detail.rfind(m_strPorts + "/COM12: ", 0), 0u)
        << messages.Messages()[0].detail;
}

}  // namespace
