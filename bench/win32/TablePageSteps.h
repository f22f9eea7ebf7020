#pragma once

// tovamo.exe's port dialog, sheet and Table page, worked from outside.
#include <functional>
#include <string>

#include "bench/win32/BenchWindows.h"

// The controls' ids, as the program's resource script has them.
namespace ids {
constexpr int kConnect = 1;
constexpr int kGrid = 1006;
constexpr int kReadDrive = 1007;
constexpr int kReadFile = 1009;
constexpr int kUpdateDrive = 1010;
constexpr int kStop = 1020;
constexpr int kVerifyAfterUpdate = 1025;
constexpr int kStatus = 1026;
constexpr int kConfirmUpdate = 1044;
}  // namespace ids

// Connect on the port dialog (the stored port); returns the sheet.
HWND ConnectToSheet(const CBenchProcess& program);
void ShowTablePage(const CBenchProcess& program, HWND hSheet);

struct SProcedureFigures {
    double nHeldMs = 0;  // the longest a sent message waited for the window's thread
    double nShortestMs = 0;
    long nProbes = 0;
    std::wstring strStatus;  // the page's status line at the end
};

// Presses the button (then `confirm`, if any) and waits while the procedure runs, as
// the page's Stop button shows; the window's thread is watched meanwhile.
SProcedureFigures RunProcedure(const CBenchProcess& program, HWND hSheet, int nButton,
                               const std::function<void()>& confirm = {});
// "Read File", answered through the program's file-dialog test hook.
void ReadFileAnswered(const CBenchProcess& program, HWND hSheet);
void VerifyAfterUpdateOff(const CBenchProcess& program, HWND hSheet);
void ConfirmUpdate(const CBenchProcess& program);
