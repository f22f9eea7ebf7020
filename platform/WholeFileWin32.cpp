// Whole files through wide-character paths: the program's UTF-8 names reach the system as
// UTF-16, so a name outside the ANSI code page works.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <random>

#include "platform/SystemErrorWin32.h"
#include "platform/WholeFile.h"
#include "platform/WideText.h"

namespace {
long SystemWrite(int fd, const void* bytes, unsigned long count) {
    return ::_write(fd, bytes, static_cast<unsigned>(count));
}

int LastErrno() {
    return ErrnoFromSystemError(::GetLastError());
}

int WriteAll(int fd, const std::string& content, FileWriteFn write) {
    std::size_t done = 0;
    while (done < content.size()) {
        const long n = write(fd, content.data() + done, content.size() - done);
        if (n < 0)
            return errno != 0 ? errno : EIO;
        if (n == 0)
            return ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"/\\");
    if (slash == std::wstring::npos)
        return L".";
    return path.substr(0, slash + 1 == path.size() ? slash + 1 : slash);
}

// Writes the content through a C runtime descriptor of the handle (the write hook's
// form), then flushes it to the disk. Closes the handle in every case.
int WriteAndFlush(HANDLE handle, const std::string& content, FileWriteFn write) {
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        return EMFILE;
    }
    int err = WriteAll(fd, content, write);
    if (err == 0 && !::FlushFileBuffers(handle))
        err = LastErrno();
    if (::_close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

HANDLE CreateTempBeside(const std::wstring& target, std::wstring& temp) {
    static std::atomic<unsigned> s_nCounter{0};
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = FolderOf(target) + L"\\.tovamo-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
               std::to_wstring(s_nCounter++) + L"-" + std::to_wstring(device() % 100000) + L".tmp";
        const HANDLE handle = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return handle;
    }
    return INVALID_HANDLE_VALUE;
}

// The new content goes to a temporary file beside the target, is flushed, and only then
// takes the target's place, so an interrupted save leaves the old file whole.
int WriteReplacing(const std::wstring& target, bool bExists, const std::string& content, FileWriteFn write) {
    std::wstring temp;
    const HANDLE handle = CreateTempBeside(target, temp);
    if (handle == INVALID_HANDLE_VALUE)
        return LastErrno();
    int err = WriteAndFlush(handle, content, write);
    if (err == 0) {
        // ReplaceFileW keeps the target's attributes and security; a target it cannot
        // replace (another volume's temp folder, a file system without the support) is
        // moved over instead.
        const bool bReplaced = bExists && ::ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
        if (!bReplaced &&
            !::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            err = LastErrno();
    }
    if (err != 0)
        ::DeleteFileW(temp.c_str());
    return err;
}
}  // namespace

int ReadWholeFile(const std::string& strPath, std::string& content, bool* pOpened) {
    content.clear();
    if (pOpened != nullptr)
        *pOpened = false;
    const HANDLE handle = ::CreateFileW(WideFromUtf8(strPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return LastErrno();
    if (pOpened != nullptr)
        *pOpened = true;
    char buffer[65536];
    int err = 0;
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(handle, buffer, sizeof buffer, &got, nullptr)) {
            err = LastErrno();
            content.clear();
            break;
        }
        if (got == 0)
            break;
        content.append(buffer, got);
    }
    ::CloseHandle(handle);
    return err;
}

int WriteFileReplacing(const std::string& strPath, const std::string& content, FileWriteFn write) {
    if (write == nullptr)
        write = SystemWrite;
    if (strPath.empty())
        return ENOENT;
    const std::wstring target = WideFromUtf8(strPath);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return ErrnoFromSystemError(error);
        return WriteReplacing(target, false, content, write);
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return EISDIR;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return EACCES;
    return WriteReplacing(target, true, content, write);
}
