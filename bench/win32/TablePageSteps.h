#pragma once

// tovamo.exe's port dialog, sheet and Table page, worked from outside.
#include <functional>
#include <string>

#include "app/Resources.h"
#include "app/win32/TablesPageIds.h"
#include "platform/WideText.h"

// Last: it brings the system's headers.
#include "bench/win32/BenchWindows.h"

// The controls' ids and the windows' titles are the program's own (app/Resources.h,
// app/win32/TablesPageIds.h).
namespace ids {
constexpr int kConnect = res::kIdOk;
constexpr int kGrid = res::kIdGrid;
constexpr int kReadDrive = res::kIdReadDrive;
constexpr int kReadFile = res::kIdReadFile;
constexpr int kUpdateDrive = res::kIdUpdateDrive;
constexpr int kStop = res::kIdStop;
constexpr int kVerifyAfterUpdate = res::kIdVerify;
constexpr int kStatus = res::kIdStatus;
constexpr int kConfirmUpdate = IDC_CONFIRM_UPDATE;
}  // namespace ids

// Connect on the port dialog (the stored port); returns the sheet.
HWND ConnectToSheet(const CBenchProcess& program);
void ShowTablePage(const CBenchProcess& program, HWND hSheet);

struct SProcedureFigures {
    // From the press of the button, in ms: when the procedure was seen running (after
    // the confirmation, if any) and when it was seen ended.
    double nRunningAtMs = 0;
    double nEndedAtMs = 0;
    // The longest a sent message waited for the window's thread: from the press to the
    // end, and while the procedure ran; when the first of them began (from the press).
    double nHeldMs = 0;
    double nHeldAtMs = 0;
    double nHeldRunningMs = 0;
    double nShortestMs = 0;
    long nProbes = 0;
    std::wstring strStatus;  // the page's status line at the end
};

// Presses the button (then `confirm`, if any) and waits while the procedure runs, as
// the page's Stop button shows; the window's thread is watched meanwhile with a sent
// message every nWatchEveryMs (0: not watched).
SProcedureFigures RunProcedure(const CBenchProcess& program, HWND hSheet, int nButton, DWORD nWatchEveryMs,
                               const std::function<void()>& confirm = {});
// "Read File", answered through the program's file-dialog test hook.
void ReadFileAnswered(const CBenchProcess& program, HWND hSheet);
void VerifyAfterUpdateOff(const CBenchProcess& program, HWND hSheet);
void ConfirmUpdate(const CBenchProcess& program);
