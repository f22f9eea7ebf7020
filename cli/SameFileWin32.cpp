// Whether two names lead to one file, on Windows.
#include <windows.h>

#include "cli/CliArgs.h"
#include "platform/WideText.h"

namespace {
// The file's volume and index, which tell two names of one file apart from two files.
bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool bKnown = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    return bKnown;
}

// The absolute name, for files that do not exist yet.
std::wstring FullName(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH * 4, buffer, nullptr);
    return length > 0 && length < MAX_PATH * 4 ? std::wstring(buffer, length) : path;
}
}  // namespace

bool IsSameFile(const std::string& strFirst, const std::string& strSecond) {
    const std::wstring first = WideFromUtf8(strFirst);
    const std::wstring second = WideFromUtf8(strSecond);
    BY_HANDLE_FILE_INFORMATION firstInfo{};
    BY_HANDLE_FILE_INFORMATION secondInfo{};
    if (FileIdentity(first, firstInfo) && FileIdentity(second, secondInfo))
        return firstInfo.dwVolumeSerialNumber == secondInfo.dwVolumeSerialNumber &&
               firstInfo.nFileIndexHigh == secondInfo.nFileIndexHigh &&
               firstInfo.nFileIndexLow == secondInfo.nFileIndexLow;
    // File names are not case-sensitive here.
    const std::wstring a = FullName(first);
    const std::wstring b = FullName(second);
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}
