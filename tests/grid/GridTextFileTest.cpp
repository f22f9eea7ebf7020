// The grid as a text file: Save and Load on real files, the line rules, and a save that
// fails while replacing a file.
#include <dirent.h>
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <cerrno>

#include "grid/GridCtrl.h"
#include "grid/GridTextFile.h"
#include "support/RecordingMessageBox.h"
#include "support/TempDir.h"

namespace {

std::vector<std::string> FolderEntries(const std::string& strPath) {
    std::vector<std::string> names;
    if (DIR* pDir = ::opendir(strPath.c_str())) {
        while (const dirent* pEntry = ::readdir(pDir)) {
            const std::string name = pEntry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        ::closedir(pDir);
    }
    return names;
}

// All texts of the grid, rows by "/", cells by "|".
std::string Dump(const CGridCtrl& grid) {
    std::string text;
    for (int nRow = 0; nRow < grid.GetRowCount(); ++nRow) {
        for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol) {
            text += (nCol > 0 ? "|" : "") + grid.GetItemText(nRow, nCol);
        }
        text += "/";
    }
    return text;
}

class GridTextFile : public ::testing::Test {
protected:
    void SetUp() override { m_grid.SetMessageBox(&m_messages); }

    TempDir m_dir;
    RecordingMessageBox m_messages;
    CGridCtrl m_grid;
};

TEST_F(GridTextFile, SaveWritesOneLinePerRow) {
    const std::string strPath = m_dir.File("grid.txt");
    ASSERT_TRUE(m_grid.Save(strPath, ','));
    EXPECT_EQ(ReadFileBytes(strPath), "");

    m_grid.SetRowCount(2);
    m_grid.SetColumnCount(3);
    m_grid.SetFixedRowCount(1);
    const char* texts[2][3] = {{"a", "b", "c"}, {"d", "", "f"}};
    for (int nRow = 0; nRow < 2; ++nRow) {
        for (int nCol = 0; nCol < 3; ++nCol) {
            m_grid.SetItemText(nRow, nCol, texts[nRow][nCol]);
        }
    }
    ASSERT_TRUE(m_grid.Save(strPath, ','));
    EXPECT_EQ(ReadFileBytes(strPath), "a,b,c\nd,,f\n");
    ASSERT_TRUE(m_grid.Save(strPath, '\t'));
    EXPECT_EQ(ReadFileBytes(strPath), "a\tb\tc\nd\t\tf\n");
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(GridTextFile, LoadBuildsTheGridFromTheLines) {
    const std::string strLong(1500, 'x');
    const std::string strFull(1023, 'y');
    struct Case {
        const char* name;
        std::string content;
        int nRows;
        int nCols;
        std::string dump;
    };
    const Case cases[] = {
        {"empty file", "", 0, 0, ""},
        {"first line only its end", "\n", 1, 1, "/"},
        {"extra cells ignored", "h1,h2\na,b,c\n", 2, 2, "h1|h2/a|b/"},
        {"short line", "h1,h2,h3\na\n", 2, 3, "h1|h2|h3/a||/"},
        {"empty cells kept", "a,,b\n", 1, 3, "a||b/"},
        {"empty line is a row", "h1,h2\n\nz,w", 3, 2, "h1|h2/|/z|w/"},
        {"Windows line ends", "h1,h2\r\nx,y\r\n", 2, 2, "h1|h2/x|y/"},
        {"1500 characters: two lines", "h\n" + strLong + "\n", 3, 1,
         "h/" + strLong.substr(0, 1023) + "/" + strLong.substr(1023) + "/"},
        {"1023 characters: one line", "h\n" + strFull + "\n", 2, 1, "h/" + strFull + "/"},
    };
    const std::string strPath = m_dir.File("in.txt");
    for (const Case& c : cases) {
        WriteFileBytes(strPath, c.content);
        m_grid.SetRowCount(4);
        m_grid.SetColumnCount(4);
        m_grid.SetFixedRowCount(1);
        ASSERT_TRUE(m_grid.Load(strPath, ',')) << c.name;
        EXPECT_EQ(m_grid.GetRowCount(), c.nRows) << c.name;
        EXPECT_EQ(m_grid.GetColumnCount(), c.nCols) << c.name;
        EXPECT_EQ(m_grid.GetFixedRowCount(), 0) << c.name;
        EXPECT_EQ(Dump(m_grid), c.dump) << c.name;
    }
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(GridTextFile, SavedGridLoadsBackAsItWas) {
    const std::string strPath = m_dir.File("round.txt");
    ASSERT_TRUE(
        m_grid.LoadGridText("Name;Value;Unit\nP1;2,5;\xB0"
                            "C\nP2;;\xB5m\n",
                            ';'));
    const std::string before = Dump(m_grid);
    ASSERT_TRUE(m_grid.Save(strPath, ';'));
    CGridCtrl other;
    ASSERT_TRUE(other.Load(strPath, ';'));
    EXPECT_EQ(Dump(other), before);
}

TEST_F(GridTextFile, FailuresAreReportedAndLeaveTheGridOrFile) {
    m_grid.SetRowCount(2);
    m_grid.SetColumnCount(2);
    EXPECT_FALSE(m_grid.Load(m_dir.File("missing.txt"), ','));
    EXPECT_EQ(m_grid.GetRowCount(), 2);
    EXPECT_FALSE(m_grid.Save(m_dir.File("no/such/folder.txt"), ','));
    const auto messages = m_messages.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Cannot open " + m_dir.File("missing.txt") + ".");
    EXPECT_EQ(messages[0].detail, "No such file or directory");
    EXPECT_EQ(messages[1].text, "Unable to save grid list");

    m_grid.SetVirtualMode(true);
    EXPECT_FALSE(m_grid.Load(m_dir.File("missing.txt"), ','));
    EXPECT_EQ(m_messages.Messages().size(), 2u);
}

ssize_t FailAfterSomeBytes(int fd, const void* bytes, size_t count) {
    static int s_nCalls = 0;
    if (s_nCalls++ % 2 == 1) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, bytes, count > 4 ? 4 : count);
}

// The old file stays whole, and no temporary file is left beside it.
TEST_F(GridTextFile, FailedSaveKeepsTheOldFile) {
    const std::string strPath = m_dir.File("kept.txt");
    WriteFileBytes(strPath, "old,content\n");
    ::chmod(strPath.c_str(), 0640);
    EXPECT_EQ(WriteGridTextFile(strPath, "new,content,longer\n", FailAfterSomeBytes), ENOSPC);
    EXPECT_EQ(ReadFileBytes(strPath), "old,content\n");
    EXPECT_EQ(FolderEntries(m_dir.Path()), std::vector<std::string>{"kept.txt"});

    EXPECT_EQ(WriteGridTextFile(strPath, "new\n"), 0);
    EXPECT_EQ(ReadFileBytes(strPath), "new\n");
    struct stat st {};
    ASSERT_EQ(::stat(strPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderEntries(m_dir.Path()), std::vector<std::string>{"kept.txt"});
}

}  // namespace
