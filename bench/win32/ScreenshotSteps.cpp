// Brings tovamo.exe (or another program) to the states that scripts/screenshots-windows.sh
// takes pictures of. At each picture it prints
//   shot NAME LEFT TOP WIDTH HEIGHT      (the window's rectangle on the screen)
// and waits for a line on its input: the caller takes the picture meanwhile.
//   tovamo-screenshot-steps.exe PROGRAM
//       the port dialog; the Edit page after Enter, Up, Enter; the Table page after
//       "Read DC Drive" and "Read File" (answered through the program's file-dialog test
//       hook, which the caller sets up), scrolled to its end
//   tovamo-screenshot-steps.exe --window PROGRAM NAME
//       the program's first window
#include <cstdio>
#include <iostream>
#include <string>

#include "bench/win32/TablePageSteps.h"

namespace {
// Time for the window to paint what it was just given.
constexpr DWORD kSettleMs = 1200;
// Time for the simulated drive's answer to a key.
constexpr DWORD kKeyAnswerMs = 700;

void Shot(HWND hWnd, const char* szName) {
    Sleep(kSettleMs);
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    double nAnswerMs = 0;
    AnswersWithin(hWnd, 5000, nAnswerMs);
    Sleep(300);
    RECT rect{};
    GetWindowRect(hWnd, &rect);
    std::printf("shot %s %ld %ld %ld %ld\n", szName, rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
}

void ProgramShots(const CBenchProcess& program) {
    Shot(WaitForTop(program, WideFromUtf8(res::kAppTitle).c_str()), "port-dialog");
    HWND hSheet = ConnectToSheet(program);
    Sleep(kSettleMs);
    // Into "P1 Motor data", Up to its next parameter, and that one's value.
    for (UINT nKey : {VK_RETURN, VK_UP, VK_RETURN}) {
        PostKey(hSheet, nKey);
        Sleep(kKeyAnswerMs);
    }
    Shot(hSheet, "edit-page");
    ShowTablePage(program, hSheet);
    RunProcedure(program, hSheet, ids::kReadDrive, 0);
    ReadFileAnswered(program, hSheet);
    // The end of the table, where the differences and the name the drive lacks are.
    PostMessageW(FindControl(hSheet, ids::kGrid), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    Shot(hSheet, "table-page");
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool bWindow = argc == 4 && std::wstring(argv[1]) == L"--window";
    if (argc != 2 && !bWindow) {
        std::fprintf(stderr,
                     "usage: tovamo-screenshot-steps.exe PROGRAM\n"
                     "       tovamo-screenshot-steps.exe --window PROGRAM NAME\n");
        return 2;
    }
    CBenchProcess program(std::wstring(L"\"") + argv[bWindow ? 2 : 1] + L"\"");
    try {
        if (bWindow) {
            HWND hWnd = program.WaitForVisibleWindow(kStepTimeoutMs);
            if (!hWnd)
                throw CBenchFailure("no window");
            Shot(hWnd, Utf8FromWide(argv[3]).c_str());
        } else {
            ProgramShots(program);
        }
    } catch (const CBenchFailure& failure) {
        std::fprintf(stderr, "tovamo-screenshot-steps: %s\n", failure.what());
        return 1;
    }
    return 0;
}
