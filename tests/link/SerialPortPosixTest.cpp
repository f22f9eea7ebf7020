// What only the POSIX port does: raw mode, exclusive use and lock files, error numbers.
#include "link/SerialPortPosix.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "LinkTestSupport.h"
#include "link/PortHolders.h"

namespace {

std::string LockFileFor(const TempDir& dir, const std::string& device) {
    return dir.Path() + "/LCK.." + device.substr(device.rfind('/') + 1);
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

int DeadPid() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return static_cast<int>(child);
}

class SerialPortPosix : public ::testing::Test {
protected:
    CPtyPair m_Pty;
    TempDir m_LockDir;
    CScopedEnv m_LockDirEnv{"TOVAMO_LOCK_DIR", m_LockDir.Path()};
    CSerialPortPosix m_Port;
};

TEST_F(SerialPortPosix, ConfigureLeavesARawLine) {
    ASSERT_EQ(m_Port.Open(m_Pty.SlavePath()).m_nErrno, 0);
    ASSERT_EQ(m_Port.Configure().m_nErrno, 0);
    termios line{};
    ASSERT_EQ(::tcgetattr(m_Pty.SlaveFd(), &line), 0);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(line.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF | IXANY), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(line.c_cc[VMIN], 0);
    EXPECT_EQ(line.c_cc[VTIME], 0);
}

TEST_F(SerialPortPosix, OpenErrorsCarryTheSystemNumber) {
    EXPECT_EQ(m_Port.Open("/dev/no-such-tty-here").m_nErrno, ENOENT);
    EXPECT_FALSE(m_Port.IsOpen());
    const SSerialResult notATerminal = m_Port.Open("/dev/null");
    EXPECT_EQ(notATerminal.m_nErrno, ENOTTY);
    EXPECT_FALSE(notATerminal.m_strReason.empty());
    EXPECT_FALSE(m_Port.IsOpen());
}

TEST_F(SerialPortPosix, SecondOpenIsBusyAndNamesTheHolder) {
    ASSERT_EQ(m_Port.Open(m_Pty.SlavePath()).m_nErrno, 0);
    CSerialPortPosix second;
    const SSerialResult refused = second.Open(m_Pty.SlavePath());
    EXPECT_EQ(refused.m_nErrno, EBUSY);
    // The holder is looked up apart from the open, which CHardware does under its lock.
    EXPECT_EQ(refused.m_strReason, "");
    const std::string holder = second.DescribeHolder(m_Pty.SlavePath());
    EXPECT_NE(holder.find("in use by process " + std::to_string(::getpid())), std::string::npos) << holder;
    m_Port.Close();
    EXPECT_EQ(second.Open(m_Pty.SlavePath()).m_nErrno, 0) << "closing gives the port back";
}

TEST_F(SerialPortPosix, LockFilesOfLiveProcessesHoldThePort) {
    struct SLockRow {
        const char* m_pszLabel;
        std::string m_strContent;
        int m_nHolder;  // 0: the port opens
    };
    const int self = static_cast<int>(::getpid());
    const std::string binarySelf(reinterpret_cast<const char*>(&self), sizeof self);
    const SLockRow rows[] = {
        {"ASCII PID, live", "      " + std::to_string(self) + "\n", self},
        {"binary PID, live", binarySelf, self},
        {"ASCII PID of four bytes", "  1\n", 1},
        {"ASCII PID, dead", std::to_string(DeadPid()) + "\n", 0},
        {"garbage", "not a pid\n", 0},
    };
    const std::string lockFile = LockFileFor(m_LockDir, m_Pty.SlavePath());
    for (const auto& row : rows) {
        WriteFile(lockFile, row.m_strContent);
        const SSerialResult result = m_Port.Open(m_Pty.SlavePath());
        EXPECT_EQ(result.m_nErrno, row.m_nHolder != 0 ? EBUSY : 0) << row.m_pszLabel;
        if (row.m_nHolder != 0) {
            EXPECT_NE(result.m_strReason.find("locked by process " + std::to_string(row.m_nHolder)),
                      std::string::npos)
                << row.m_pszLabel << ": " << result.m_strReason;
        }
        EXPECT_EQ(m_Port.IsOpen(), row.m_nHolder == 0) << row.m_pszLabel;
        m_Port.Close();
    }
}

TEST_F(SerialPortPosix, WriteToAVanishedLineFailsAtOnce) {
    ASSERT_EQ(m_Port.Open(m_Pty.SlavePath()).m_nErrno, 0);
    ASSERT_EQ(m_Port.Configure().m_nErrno, 0);
    m_Pty.CloseMaster();
    EXPECT_FALSE(m_Port.Write("e", 1));
    char byte = 0;
    EXPECT_LE(m_Port.Read(&byte, 1), 0);
    EXPECT_EQ(m_Port.BytesWaiting(), -1) << "the reader notices the hang-up here";
}

// The hint names a group to join only when that group may read and write the device and
// is not root; otherwise it names the owner and the mode.
TEST(PortHolders, PermissionDetailNamesAGroupOnlyWhenJoiningItHelps) {
    TempDir dir;
    const std::string device = dir.Path() + "/ttyUSB9";
    WriteFile(device, "");
    struct stat info {};
    ASSERT_EQ(::stat(device.c_str(), &info), 0);
    gid_t ownGroup = info.st_gid;
    if (ownGroup == 0) {  // as root: a group a user could join, as on a real port
        const group* dialout = ::getgrnam("dialout");
        if (dialout != nullptr && ::chown(device.c_str(), static_cast<uid_t>(-1), dialout->gr_gid) == 0)
            ownGroup = dialout->gr_gid;
    }
    const group* owner = ::getgrgid(ownGroup);
    const std::string name = owner != nullptr ? owner->gr_name : std::to_string(ownGroup);
    struct SRow {
        const char* m_pszLabel;
        mode_t m_Mode;
        bool m_bRootGroup;
        bool m_bJoinGroup;
    };
    const SRow rows[] = {
        {"group may read and write", 0660, false, true},
        {"group may only read", 0640, false, false},
        {"owner only", 0600, false, false},
        {"root's group", 0660, true, false},
    };
    for (const SRow& row : rows) {
        const gid_t gid = row.m_bRootGroup ? 0 : ownGroup;
        if ((gid == 0) != row.m_bRootGroup || ::chown(device.c_str(), static_cast<uid_t>(-1), gid) != 0) {
            std::printf("skipped \"%s\": cannot give the file that group\n", row.m_pszLabel);
            continue;
        }
        ASSERT_EQ(::chmod(device.c_str(), row.m_Mode), 0);
        const std::string detail = DescribeGroupAccess(device);
        EXPECT_EQ(detail.rfind(std::strerror(EACCES), 0), 0u) << row.m_pszLabel << ": " << detail;
        if (row.m_bJoinGroup) {
            EXPECT_NE(detail.find("group \"" + name + "\""), std::string::npos)
                << row.m_pszLabel << ": " << detail;
            EXPECT_NE(detail.find("usermod -aG " + name), std::string::npos)
                << row.m_pszLabel << ": " << detail;
            EXPECT_NE(detail.find("log in again"), std::string::npos) << row.m_pszLabel << ": " << detail;
        } else {
            EXPECT_EQ(detail.find("usermod"), std::string::npos) << row.m_pszLabel << ": " << detail;
            char mode[16];
            std::snprintf(mode, sizeof mode, "mode %03o", static_cast<unsigned>(row.m_Mode));
            EXPECT_NE(detail.find(mode), std::string::npos) << row.m_pszLabel << ": " << detail;
            EXPECT_NE(detail.find("\"dialout\""), std::string::npos) << row.m_pszLabel << ": " << detail;
        }
    }
}

}  // namespace
