#pragma once

#include <string>

#include "platform/WholeFile.h"

// The grid's text files on disk (POSIX). Errors come back as errno values, 0 for success.

// How bytes are written; ::write unless a test stands in for a failing disk.
using GridTextWriteFn = FileWriteFn;

struct SGridTextRead {
    int nOpenError = 0;  // the file could not be opened
    int nReadError = 0;  // it was opened, but reading it failed
    std::string content;
};
SGridTextRead ReadGridTextFile(const std::string& strPath);

// Writes the content so that an existing regular file is replaced only once the new
// content is on disk: written beside it under a temporary name, then renamed over it.
// A failure leaves the old file as it was and no temporary file behind. What is not a
// regular file (a device, a pipe) is written in place.
int WriteGridTextFile(const std::string& strPath, const std::string& content,
                      GridTextWriteFn write = nullptr);
