// The port number the desktop program stored, read without Qt.
#include <gtest/gtest.h>

#include <string>

#include "cli/StoredPort.h"
#include "support/TempDir.h"

TEST(StoredPort, ReadsNumComOfGroupSetings) {
    struct Row {
        const char* content;  // nullptr: no file
        int expected;
    };
    const Row rows[] = {
        {nullptr, 1},
        {"", 1},
        {"[Setings]\nNumCom=3\n", 3},
        {"[Setings]\r\nNumCom = 12\r\n", 12},
        {"; written by the desktop program\n[General]\nx=1\n\n[Setings]\nNumCom=32", 32},
        {"[General]\nNumCom=5\n[Setings]\nOther=2\n", 1},
        {"[Setings]\nNumCom=abc\n", 1},
        {"[Setings]\nNumCom=3x\n", 1},
        {"[Setings]\nNumCom=0\n", 0},
        {"[Setings]\nnumcom=4\n", 1},
    };
    for (const Row& row : rows) {
        TempDir dir;
        const std::string path = dir.File("tovamo.conf");
        if (row.content != nullptr)
            WriteFileBytes(path, row.content);
        EXPECT_EQ(ReadStoredNumCom(path), row.expected) << (row.content ? row.content : "(no file)");
    }
}
