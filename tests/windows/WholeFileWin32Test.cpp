// The Windows implementations of the platform services: files through wide-character
// paths, the safe replacing write, the registry setting.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <string>

#include "platform/RegistrySettings.h"
#include "platform/WholeFile.h"
#include "support/TempDir.h"

namespace {

long FailingWrite(int, const void*, unsigned long) {
    errno = ENOSPC;
    return -1;
}

TEST(WholeFileWin32, NamesOutsideTheAnsiCodePageAreWrittenReplacedAndRead) {
    TempDir dir;
    const std::string path = dir.File("Parameter \xce\xa9 \xe2\x82\xac \xe6\x97\xa5.txt");
    ASSERT_EQ(WriteFileReplacing(path, "old\r\n"), 0);
    ASSERT_EQ(WriteFileReplacing(path, "new\r\n"), 0);
    std::string content;
    EXPECT_EQ(ReadWholeFile(path, content), 0);
    EXPECT_EQ(content, "new\r\n");
}

TEST(WholeFileWin32, AFailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.File("table.txt");
    ASSERT_EQ(WriteFileReplacing(path, "old"), 0);
    EXPECT_EQ(WriteFileReplacing(path, "new content", FailingWrite), ENOSPC);
    std::string content;
    EXPECT_EQ(ReadWholeFile(path, content), 0);
    EXPECT_EQ(content, "old");
    const auto entries =
        std::filesystem::directory_iterator(std::u8string(dir.Path().begin(), dir.Path().end()));
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1) << "the temporary file is removed";
    bool bOpened = true;
    EXPECT_EQ(ReadWholeFile(dir.File("missing.txt"), content, &bOpened), ENOENT);
    EXPECT_FALSE(bOpened);
    EXPECT_EQ(WriteFileReplacing(dir.Path(), "x"), EISDIR);
}

TEST(RegistrySettings, NumComIsWrittenAndReadBack) {
    const int before = ReadRegistryNumCom();
    ASSERT_TRUE(WriteRegistryNumCom(17));
    EXPECT_EQ(ReadRegistryNumCom(), 17);
    WriteRegistryNumCom(before);
}

}  // namespace
