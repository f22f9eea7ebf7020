// Works tovamo.exe's Table page from outside, as a user would, for the Wine desktop
// bench: Connect on the port dialog (the stored port), the Table page, "Read DC Drive",
// then "Read File" (answered through the program's file-dialog test hook, which the
// caller sets up) and "Update DC Drive" with "Verify after update" off, confirmed. While
// each procedure runs, a watcher thread times how long the window's thread keeps a sent
// message waiting. So that a caller timing the serial line can tell the phases apart,
// before each procedure the file start-NAME is made in the handshake folder, and the
// procedure begins once the caller has answered with a line on the input (NAME: read,
// update). Printed:
//   end read held_ms=H held_at_ms=T held_running_ms=H running_at_ms=T
//            ended_at_ms=T probes=N shortest_ms=S status=TEXT
//   (times from the button's press; held_running_ms: the longest hold once the procedure
//   ran, after the confirmation of an update)
//   memory working_set=BYTES private=BYTES      (after the read)
//   end update held_ms=... status=TEXT
//   tovamo-bench-table-page.exe [--watch-every-ms N] --handshake FOLDER PROGRAM
//       N: the watcher's interval (default 2; 0: no watcher, for the wall times alone).
//       Exit status 0, or 1 with the reason on stderr.
#include <cstdio>
#include <cwchar>
#include <string>

#include "bench/win32/TablePageSteps.h"

namespace {
DWORD g_nWatchEveryMs = 2;
std::wstring g_strHandshake;  // the folder of the start files

void Say(const char* szFormat, auto... args) {
    std::printf(szFormat, args...);
    std::fflush(stdout);
}

// The caller learns of a procedure's start from a file and answers with a line on the
// input once it is ready for the first key (a console line out of a pipe may come late
// under Wine, and a file made by the caller may stay unseen).
void WaitForGo(const char* szName) {
    const std::wstring strStart = g_strHandshake + L"\\start-" + WideFromUtf8(szName);
    CloseHandle(CreateFileW(strStart.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    char szAnswer[16];
    if (!std::fgets(szAnswer, sizeof(szAnswer), stdin))
        throw CBenchFailure(std::string("no go for ") + szName);
}

void TimeProcedure(const CBenchProcess& program, HWND hSheet, int nButton, const char* szName,
                   const std::function<void()>& confirm = {}) {
    WaitForGo(szName);
    const SProcedureFigures figures = RunProcedure(program, hSheet, nButton, g_nWatchEveryMs, confirm);
    Say("end %s held_ms=%.2f held_at_ms=%.0f held_running_ms=%.2f running_at_ms=%.0f ended_at_ms=%.0f "
        "probes=%ld "
        "shortest_ms=%.3f status=%s\n",
        szName, figures.nHeldMs, figures.nHeldAtMs, figures.nHeldRunningMs, figures.nRunningAtMs,
        figures.nEndedAtMs, figures.nProbes, figures.nShortestMs, Utf8FromWide(figures.strStatus).c_str());
}

void PrintMemory(const CBenchProcess& program) {
    SIZE_T nWorkingSet = 0;
    SIZE_T nPrivate = 0;
    if (program.Memory(nWorkingSet, nPrivate))
        Say("memory working_set=%zu private=%zu\n", static_cast<size_t>(nWorkingSet),
            static_cast<size_t>(nPrivate));
    else
        Say("memory unknown\n");
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    for (; argc >= 4 && std::wstring(argv[1]).starts_with(L"--"); argc -= 2, argv += 2) {
        if (std::wstring(argv[1]) == L"--watch-every-ms")
            g_nWatchEveryMs = static_cast<DWORD>(_wtoi(argv[2]));
        else if (std::wstring(argv[1]) == L"--handshake")
            g_strHandshake = argv[2];
    }
    if (argc != 2 || g_strHandshake.empty()) {
        std::fprintf(stderr,
                     "usage: tovamo-bench-table-page.exe [--watch-every-ms N] --handshake FOLDER PROGRAM\n");
        return 2;
    }
    CBenchProcess program(std::wstring(L"\"") + argv[1] + L"\"");
    if (!program.Started()) {
        std::fprintf(stderr, "tovamo-bench-table-page: cannot start %s\n", Utf8FromWide(argv[1]).c_str());
        return 1;
    }
    try {
        HWND hSheet = ConnectToSheet(program);
        ShowTablePage(program, hSheet);
        TimeProcedure(program, hSheet, ids::kReadDrive, "read");
        PrintMemory(program);
        ReadFileAnswered(program, hSheet);
        VerifyAfterUpdateOff(program, hSheet);
        TimeProcedure(program, hSheet, ids::kUpdateDrive, "update", [&] { ConfirmUpdate(program); });
    } catch (const CBenchFailure& failure) {
        std::fprintf(stderr, "tovamo-bench-table-page: %s\n", failure.what());
        return 1;
    }
    return 0;
}
