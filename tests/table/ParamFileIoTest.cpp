#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TempDir.h"
#include "table/ParamFile.h"

namespace {
namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

int EntriesIn(const std::string& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

// Accepts the first `s_nAllowed` bytes, then reports a full disk.
long s_nAllowed = 0;
long WriteUntilFull(int fd, const void* bytes, unsigned long count) {
    if (s_nAllowed <= 0) {
        errno = ENOSPC;
        return -1;
    }
    const long n = ::write(fd, bytes, std::min<unsigned long>(count, static_cast<unsigned long>(s_nAllowed)));
    s_nAllowed -= n;
    return n;
}

class ParamFileIo : public ::testing::Test {
protected:
    TempDir m_dir;
    std::string Path(const std::string& name) const { return m_dir.Path() + "/" + name; }
};

TEST_F(ParamFileIo, WriteThenReadGivesTheSameBytes) {
    const std::string bytes = "P1\t10\tNo\r\nP2\t\tYes\r\n";
    ASSERT_EQ(WriteParamFile(Path("a.txt"), bytes), 0);
    std::string read;
    ASSERT_EQ(ReadParamFile(Path("a.txt"), read), 0);
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(EntriesIn(m_dir.Path()), 1) << "no temporary file left";
}

// The longest name the folder allows still saves, over an existing file too.
TEST_F(ParamFileIo, NameAtTheLengthLimitSaves) {
    const std::string name = std::string(251, 'n') + ".txt";
    ASSERT_EQ(WriteParamFile(Path(name), "P1\t1\tNo\r\n"), 0);
    ASSERT_EQ(WriteParamFile(Path(name), "P1\t2\tNo\r\n"), 0);
    std::string read;
    ASSERT_EQ(ReadParamFile(Path(name), read), 0);
    EXPECT_EQ(read, "P1\t2\tNo\r\n");
}

TEST_F(ParamFileIo, EmptyContentCreatesAnEmptyFile) {
    ASSERT_EQ(WriteParamFile(Path("empty.txt"), ""), 0);
    EXPECT_TRUE(fs::exists(Path("empty.txt")));
    EXPECT_EQ(fs::file_size(Path("empty.txt")), 0u);
}

TEST_F(ParamFileIo, ReplacingKeepsThePermissions) {
    Put(Path("a.txt"), "old old old");
    ::chmod(Path("a.txt").c_str(), 0640);
    ASSERT_EQ(WriteParamFile(Path("a.txt"), "new"), 0);
    EXPECT_EQ(Slurp(Path("a.txt")), "new");
    struct stat st {};
    ASSERT_EQ(::stat(Path("a.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(ParamFileIo, SavingThroughALinkReplacesTheFileItPointsTo) {
    Put(Path("real.txt"), "old");
    fs::create_symlink(Path("real.txt"), Path("link.txt"));
    ASSERT_EQ(WriteParamFile(Path("link.txt"), "new"), 0);
    EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
    EXPECT_EQ(Slurp(Path("real.txt")), "new");
}

TEST_F(ParamFileIo, FailedOpensGiveTheirErrno) {
    std::string read = "stale";
    EXPECT_EQ(ReadParamFile(Path("missing.txt"), read), ENOENT);
    EXPECT_EQ(read, "");
    EXPECT_EQ(ReadParamFile("", read), ENOENT);
    EXPECT_EQ(WriteParamFile(Path("no/such/folder.txt"), "x"), ENOENT);
    EXPECT_EQ(WriteParamFile("", "x"), ENOENT);
    fs::create_directory(Path("dir.txt"));
    EXPECT_EQ(WriteParamFile(Path("dir.txt"), "x"), EISDIR);
    Put(Path("file"), "x");
    EXPECT_EQ(WriteParamFile(Path("file/a.txt"), "x"), ENOTDIR);
}

TEST_F(ParamFileIo, ReadingAFolderIsAnErrorAfterTheOpen) {
    std::string read;
    EXPECT_EQ(ReadParamFile(m_dir.Path(), read), EISDIR);
}

TEST_F(ParamFileIo, ReadOnlyFileIsRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    Put(Path("ro.txt"), "old");
    ::chmod(Path("ro.txt").c_str(), 0444);
    EXPECT_EQ(WriteParamFile(Path("ro.txt"), "new"), EACCES);
    EXPECT_EQ(Slurp(Path("ro.txt")), "old");
}

TEST_F(ParamFileIo, DiskFullLeavesTheOldFileAsItWas) {
    Put(Path("a.txt"), "the old content\r\n");
    for (long allowed : {0L, 5L}) {
        s_nAllowed = allowed;
        EXPECT_EQ(WriteParamFile(Path("a.txt"), std::string(100, 'n'), WriteUntilFull), ENOSPC)
            << "full after " << allowed << " bytes";
        EXPECT_EQ(Slurp(Path("a.txt")), "the old content\r\n");
        EXPECT_EQ(EntriesIn(m_dir.Path()), 1) << "temporary file removed";
    }
}

TEST_F(ParamFileIo, DeviceThatIsFullReportsDiskFull) {
    ASSERT_TRUE(fs::exists("/dev/full"));
    EXPECT_EQ(WriteParamFile("/dev/full", "P1\t1\tNo\r\n"), ENOSPC);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(ParamFileIo, FullFileSystemLeavesTheOldFileAsItWas) {
    const std::string mountPoint = Path("small");
    fs::create_directory(mountPoint);
    if (::mount("tovamo-test", mountPoint.c_str(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    const std::string target = mountPoint + "/a.txt";
    Put(target, "the old content\r\n");
    const int err = WriteParamFile(target, std::string(64 * 1024, 'n'));
    const std::string after = Slurp(target);
    const int entries = EntriesIn(mountPoint);
    ::umount(mountPoint.c_str());
    EXPECT_EQ(err, ENOSPC);
    EXPECT_EQ(after, "the old content\r\n");
    EXPECT_EQ(entries, 1) << "temporary file removed";
}
}  // namespace
