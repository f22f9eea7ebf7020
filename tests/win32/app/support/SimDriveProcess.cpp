#include "support/SimDriveProcess.h"

#include "platform/WholeFile.h"
#include "platform/WideText.h"

#include <cstdlib>

#include "platform/win32/Win32Api.h"

namespace {
// Runs a Unix command line (Wine starts a program that is not a Windows one as a Unix
// process; the program by its Z: path) and does not wait for it.
bool RunUnix(const std::string& commandLine) {
    std::wstring line = WideFromUtf8(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

std::string ReadText(const std::wstring& windowsPath) {
    std::string content;
    ReadWholeFile(Utf8FromWide(windowsPath), content);
    return content;
}

std::string DosDevices() {
    // C: is <prefix>/dosdevices/c:/ ; the COM links lie beside it.
    std::string drive = UnixPath(L"C:\\");
    while (!drive.empty() && drive.back() == '/')
        drive.pop_back();
    return drive.substr(0, drive.rfind('/'));
}
}  // namespace

std::string UnixPath(const std::wstring& windowsPath) {
    using UnixFileNameFn = char*(CDECL*)(const wchar_t*);
    static const auto unixFileName = reinterpret_cast<UnixFileNameFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (unixFileName == nullptr)
        return {};
    char* path = unixFileName(windowsPath.c_str());
    if (path == nullptr)
        return {};
    std::string result = path;
    ::HeapFree(::GetProcessHeap(), 0, path);
    return result;
}

std::string CSimDriveProcess::Program() {
    const wchar_t* program = ::_wgetenv(kProgramVariable);
    return program != nullptr ? Utf8FromWide(program) : std::string();
}

CSimDriveProcess::CSimDriveProcess(int nComNumber) {
    const std::string program = Program();
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    m_strDirWindows = std::wstring(temp) + L"tovamo-sim-com" + std::to_wstring(nComNumber);
    ::CreateDirectoryW(m_strDirWindows.c_str(), nullptr);
    for (const wchar_t* name : {L"\\pid", L"\\out", L"\\keys.log"})
        ::DeleteFileW((m_strDirWindows + name).c_str());
    m_strDir = UnixPath(m_strDirWindows);
    if (program.empty() || m_strDir.empty())
        return;
    m_strLink = DosDevices() + "/com" + std::to_string(nComNumber);
    const std::string& link = m_strLink;
    const std::string script = "echo $$ > " + m_strDir + "/pid; exec " + program + " --link " + link +
                               " --log " + m_strDir + "/keys.log > " + m_strDir + "/out 2>&1";
    if (!RunUnix("Z:\\bin\\sh -c \"" + script + "\""))
        return;
    for (int i = 0; i < 200 && !m_bReady; ++i) {
        m_bReady = ReadText(m_strDirWindows + L"\\out").rfind("PTY", 0) == 0;
        if (!m_bReady)
            ::Sleep(25);
    }
}

CSimDriveProcess::~CSimDriveProcess() {
    std::string pid = ReadText(m_strDirWindows + L"\\pid");
    while (!pid.empty() && (pid.back() == '\n' || pid.back() == '\r'))
        pid.pop_back();
    if (pid.empty())
        return;
    RunUnix("Z:\\bin\\kill " + pid);
    // The drive removes its link as it ends: wait for that, so that the next drive can
    // link itself at the same name. Through Z:, Wine's view of the whole Unix tree.
    std::wstring link = L"Z:" + WideFromUtf8(m_strLink);
    for (wchar_t& c : link)
        if (c == L'/')
            c = L'\\';
    for (int i = 0; i < 300 && ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(10);
}

std::string CSimDriveProcess::Keys() const {
    return ReadText(m_strDirWindows + L"\\keys.log");
}

bool CSimDriveProcess::WaitForKeys(size_t nCount, int timeoutMs) const {
    const DWORD start = ::GetTickCount();
    while (Keys().size() < nCount) {
        if (static_cast<int>(::GetTickCount() - start) > timeoutMs)
            return false;
        ::Sleep(10);
    }
    return true;
}
