#pragma once

#include <string>

// Whole files read and written at once (WholeFile.cpp for POSIX, WholeFileWin32.cpp).
// Results are 0 or an errno value. Paths are UTF-8.

// The whole file into `content` (empty after a failure). *pOpened, when given, tells an
// open that failed from a read that failed after it.
int ReadWholeFile(const std::string& strPath, std::string& content, bool* pOpened = nullptr);

// Low-level write used by WriteFileReplacing; replaceable so that tests can make it fail.
using FileWriteFn = long (*)(int fd, const void* bytes, unsigned long count);

// Writes `content` as the file at strPath. A regular file (existing or new) is replaced
// only once the new content is complete on disk: it is written to a temporary file in the
// same folder, synced and renamed over the target, which keeps its permissions; on
// failure the old file stays as it was and the temporary file is removed. Through a
// symbolic link the file it points to is replaced. Other existing targets (devices,
// pipes) are written directly. An existing file that may not be written is refused.
int WriteFileReplacing(const std::string& strPath, const std::string& content, FileWriteFn write = nullptr);
