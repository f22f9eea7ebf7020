#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include <cstdio>

#include "cli/CliSystem.h"
#include "cli/StoredPort.h"
#include "platform/RegistrySettings.h"
#include "platform/WideText.h"

void PrepareStdio() {
    // A parameter file's CR LF goes out as it is (not as CR CR LF), and key bytes come in
    // untranslated.
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

// The wide command line, so that a file name outside the ANSI code page arrives whole.
std::vector<std::string> CommandLineWords(int argc, char** argv) {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (words == nullptr)
        return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i)
        result.push_back(Utf8FromWide(words[i]));
    ::LocalFree(words);
    return result;
}

bool StderrIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

// The desktop program's setting in the registry.
std::string DefaultPortName() {
    return "COM" + std::to_string(ReadRegistryNumCom());
}
