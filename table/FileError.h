#pragma once

#include <string>

// Why a parameter file could not be opened, read or written, and the text the user is
// shown for it. The texts are the ones the desktop program has always shown; "%1"
// stands for the file's path.
enum class EFileErrorCause {
    kNone,
    kGeneric,
    kFileNotFound,
    kBadPath,
    kTooManyOpenFiles,
    kAccessDenied,
    kInvalidFile,
    kRemoveCurrentDir,
    kDirectoryFull,
    kBadSeek,
    kHardIO,
    kSharingViolation,
    kLockViolation,
    kDiskFull,
    kEndOfFile,
};

EFileErrorCause FileErrorCauseFromErrno(int nErrno);

// The cause's text with every "%1" replaced by the path ("an unnamed file" when the path
// is empty), cut to 254 bytes as the message box has always received it.
std::string FileErrorMessage(EFileErrorCause eCause, const std::string& strPath);
