#include "bench/win32/TablePageSteps.h"

#include "bench/win32/ThreadWatch.h"

namespace {
constexpr int kTablePageTab = 1;
constexpr double kProcedureTimeoutMs = 600000;
}  // namespace

HWND ConnectToSheet(const CBenchProcess& program) {
    Press(WaitForControl(program, WaitForTop(program, L"Tovamo V2.0"), ids::kConnect));
    return WaitForTop(program, L"Tovamo");
}

void ShowTablePage(const CBenchProcess& program, HWND hSheet) {
    HWND hTab = FindWindowExW(hSheet, nullptr, L"SysTabControl32", nullptr);
    if (!hTab)
        throw CBenchFailure("no tab control in the sheet");
    ClickTab(program, hTab, kTablePageTab);
    WaitForControl(program, hSheet, ids::kReadDrive);
}

SProcedureFigures RunProcedure(const CBenchProcess& program, HWND hSheet, int nButton,
                               const std::function<void()>& confirm) {
    HWND hStop = WaitForControl(program, hSheet, ids::kStop);
    HWND hButton = WaitForControl(program, hSheet, nButton);
    CThreadWatch watch(hSheet);
    Press(hButton);
    if (confirm)
        confirm();
    WaitUntil(
        program, [&] { return IsWindowEnabled(hStop) != FALSE; }, kStepTimeoutMs, "the procedure to start");
    WaitUntil(
        program, [&] { return IsWindowEnabled(hStop) == FALSE; }, kProcedureTimeoutMs,
        "the procedure to end");
    watch.Stop();
    return {watch.LongestMs(), watch.ShortestMs(), watch.Probes(), TextOf(FindControl(hSheet, ids::kStatus))};
}

void ReadFileAnswered(const CBenchProcess& program, HWND hSheet) {
    Press(WaitForControl(program, hSheet, ids::kReadFile));
    HWND hUpdate = WaitForControl(program, hSheet, ids::kUpdateDrive);
    WaitUntil(
        program, [&] { return IsWindowEnabled(hUpdate) != FALSE; }, kStepTimeoutMs,
        "\"Update DC Drive\" after Read File");
}

void VerifyAfterUpdateOff(const CBenchProcess& program, HWND hSheet) {
    HWND hVerify = WaitForControl(program, hSheet, ids::kVerifyAfterUpdate);
    if (SendMessageW(hVerify, BM_GETCHECK, 0, 0) == BST_CHECKED)
        PostMessageW(hVerify, BM_CLICK, 0, 0);
    WaitUntil(
        program, [&] { return SendMessageW(hVerify, BM_GETCHECK, 0, 0) != BST_CHECKED; }, kStepTimeoutMs,
        "\"Verify after update\" to be off");
}

void ConfirmUpdate(const CBenchProcess& program) {
    Press(WaitForControl(program, WaitForTop(program, L"Update DC Drive"), ids::kConfirmUpdate));
}
