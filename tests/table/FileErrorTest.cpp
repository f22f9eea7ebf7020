#include "table/FileError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {
TEST(FileErrorMessage, CausesFromErrnoNameThePath) {
    struct Row {
        int nErrno;
        const char* message;
    };
    const Row rows[] = {
        {ENOENT, "/tmp/a.txt was not found."},
        {ENOTDIR, "/tmp/a.txt contains an invalid path."},
        {ENAMETOOLONG, "/tmp/a.txt contains an invalid path."},
        {EACCES, "Access to /tmp/a.txt was denied."},
        {EPERM, "Access to /tmp/a.txt was denied."},
        {EISDIR, "Access to /tmp/a.txt was denied."},
        {EMFILE, "/tmp/a.txt could not be opened because there are too many open files."},
        {ENFILE, "/tmp/a.txt could not be opened because there are too many open files."},
        {ENOSPC, "Disk full while accessing /tmp/a.txt."},
#ifdef EDQUOT
        {EDQUOT, "Disk full while accessing /tmp/a.txt."},
#endif
        {EIO, "A hardware I/O error was reported while accessing /tmp/a.txt."},
        {EINVAL, "An unknown error occurred while accessing /tmp/a.txt."},
        {0, "No error occurred."},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FileErrorMessage(FileErrorCauseFromErrno(row.nErrno), "/tmp/a.txt"), row.message)
            << "errno " << row.nErrno;
}

TEST(FileErrorMessage, EmptyPathIsAnUnnamedFile) {
    EXPECT_EQ(FileErrorMessage(EFileErrorCause::kFileNotFound, ""), "an unnamed file was not found.");
}

TEST(FileErrorMessage, CutTo254Bytes) {
    const std::string longPath = "/" + std::string(300, 'x');
    const std::string message = FileErrorMessage(EFileErrorCause::kAccessDenied, longPath);
    EXPECT_EQ(message.size(), 254u);
    EXPECT_EQ(message.substr(0, 11), "Access to /");
}

// A name of two-byte characters is cut before a character, never inside one.
TEST(FileErrorMessage, CutKeepsWholeCharacters) {
    std::string longPath = "/";
    for (int i = 0; i < 200; ++i)
        longPath += "\xC3\xBC";  // u with diaeresis in UTF-8
    const std::string message = FileErrorMessage(EFileErrorCause::kAccessDenied, longPath);
    EXPECT_EQ(message.size(), 253u);  // "Access to /" is 11 bytes: 254 would split a character
    EXPECT_NE(static_cast<unsigned char>(message.back()), 0xC3u);
}
}  // namespace
