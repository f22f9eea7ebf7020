#include "table/FileError.h"

#include <cerrno>
#include <cstddef>

namespace {
constexpr std::size_t kMaxMessageBytes = 254;

const char* CauseText(EFileErrorCause eCause) {
    switch (eCause) {
        case EFileErrorCause::kNone:
            return "No error occurred.";
        case EFileErrorCause::kGeneric:
            return "An unknown error occurred while accessing %1.";
        case EFileErrorCause::kFileNotFound:
            return "%1 was not found.";
        case EFileErrorCause::kBadPath:
            return "%1 contains an invalid path.";
        case EFileErrorCause::kTooManyOpenFiles:
            return "%1 could not be opened because there are too many open files.";
        case EFileErrorCause::kAccessDenied:
            return "Access to %1 was denied.";
        case EFileErrorCause::kInvalidFile:
            return "An invalid file handle was associated with %1.";
        case EFileErrorCause::kRemoveCurrentDir:
            return "%1 could not be removed because it is the current directory.";
        case EFileErrorCause::kDirectoryFull:
            return "%1 could not be created because the directory is full.";
        case EFileErrorCause::kBadSeek:
            return "Seek failed on %1";
        case EFileErrorCause::kHardIO:
            return "A hardware I/O error was reported while accessing %1.";
        case EFileErrorCause::kSharingViolation:
            return "A sharing violation occurred while accessing %1.";
        case EFileErrorCause::kLockViolation:
            return "A locking violation occurred while accessing %1.";
        case EFileErrorCause::kDiskFull:
            return "Disk full while accessing %1.";
        case EFileErrorCause::kEndOfFile:
            return "An attempt was made to access %1 past its end.";
    }
    return "An unknown error occurred while accessing %1.";
}
}  // namespace

EFileErrorCause FileErrorCauseFromErrno(int nErrno) {
    switch (nErrno) {
        case 0:
            return EFileErrorCause::kNone;
        case ENOENT:
            return EFileErrorCause::kFileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return EFileErrorCause::kBadPath;
        case EMFILE:
        case ENFILE:
            return EFileErrorCause::kTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return EFileErrorCause::kAccessDenied;
        case EBADF:
            return EFileErrorCause::kInvalidFile;
        case ESPIPE:
            return EFileErrorCause::kBadSeek;
        case EIO:
            return EFileErrorCause::kHardIO;
        case ETXTBSY:
        case EBUSY:
            return EFileErrorCause::kSharingViolation;
        case ENOLCK:
            return EFileErrorCause::kLockViolation;
        case ENOSPC:
#ifdef EDQUOT  // not among the Windows C library's numbers
        case EDQUOT:
#endif
        case EFBIG:
            return EFileErrorCause::kDiskFull;
        default:
            return EFileErrorCause::kGeneric;
    }
}

std::string FileErrorMessage(EFileErrorCause eCause, const std::string& strPath) {
    const std::string strName = strPath.empty() ? "an unnamed file" : strPath;
    const std::string strText = CauseText(eCause);
    std::string strMessage;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = strText.find("%1", pos)) != std::string::npos; pos = hit + 2)
        strMessage += strText.substr(pos, hit - pos) + strName;
    strMessage += strText.substr(pos);
    if (strMessage.size() > kMaxMessageBytes) {
        // File names are UTF-8 bytes: the cut steps back over a character's continuation
        // bytes so that no character is split.
        std::size_t nCut = kMaxMessageBytes;
        while (nCut > 0 && (static_cast<unsigned char>(strMessage[nCut]) & 0xC0) == 0x80)
            --nCut;
        strMessage.resize(nCut);
    }
    return strMessage;
}
