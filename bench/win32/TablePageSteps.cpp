#include "bench/win32/TablePageSteps.h"

#include <algorithm>
#include <optional>

#include "bench/win32/ThreadWatch.h"

namespace {
constexpr int kTablePageTab = 1;
constexpr double kProcedureTimeoutMs = 600000;
}  // namespace

HWND ConnectToSheet(const CBenchProcess& program) {
    Press(WaitForControl(program, WaitForTop(program, WideFromUtf8(res::kAppTitle).c_str()), ids::kConnect));
    return WaitForTop(program, WideFromUtf8(res::kSheetCaption).c_str());
}

void ShowTablePage(const CBenchProcess& program, HWND hSheet) {
    HWND hTab = FindControl(hSheet, res::kIdSheetTabs);
    if (!hTab)
        throw CBenchFailure("no tab control in the sheet");
    ClickTab(program, hTab, kTablePageTab);
    WaitForControl(program, hSheet, ids::kReadDrive);
}

namespace {
void Summarise(const std::vector<CThreadWatch::SProbe>& probes, double nPressedAt, double nRunningAt,
               SProcedureFigures& figures) {
    figures.nProbes = static_cast<long>(probes.size());
    figures.nShortestMs = probes.empty() ? 0 : probes.front().nAnswerMs;
    for (const CThreadWatch::SProbe& probe : probes) {
        if (probe.nAnswerMs > figures.nHeldMs) {
            figures.nHeldMs = probe.nAnswerMs;
            figures.nHeldAtMs = probe.nSentAtMs - nPressedAt;
        }
        if (probe.nSentAtMs >= nRunningAt)
            figures.nHeldRunningMs = std::max(figures.nHeldRunningMs, probe.nAnswerMs);
        figures.nShortestMs = std::min(figures.nShortestMs, probe.nAnswerMs);
    }
}
}  // namespace

SProcedureFigures RunProcedure(const CBenchProcess& program, HWND hSheet, int nButton, DWORD nWatchEveryMs,
                               const std::function<void()>& confirm) {
    HWND hStop = WaitForControl(program, hSheet, ids::kStop);
    HWND hButton = WaitForControl(program, hSheet, nButton);
    std::optional<CThreadWatch> watch;
    if (nWatchEveryMs > 0)
        watch.emplace(hSheet, nWatchEveryMs);
    const double nPressedAt = NowMs();
    Press(hButton);
    if (confirm)
        confirm();
    WaitUntil(
        program, [&] { return IsWindowEnabled(hStop) != FALSE; }, kStepTimeoutMs, "the procedure to start");
    const double nRunningAt = NowMs();
    WaitUntil(
        program, [&] { return IsWindowEnabled(hStop) == FALSE; }, kProcedureTimeoutMs,
        "the procedure to end");
    const double nEndedAt = NowMs();
    SProcedureFigures figures;
    figures.nRunningAtMs = nRunningAt - nPressedAt;
    figures.nEndedAtMs = nEndedAt - nPressedAt;
    if (watch) {
        watch->Stop();
        Summarise(watch->Probes(), nPressedAt, nRunningAt, figures);
    }
    figures.strStatus = TextOf(FindControl(hSheet, ids::kStatus));
    return figures;
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
    Press(WaitForControl(program, WaitForTop(program, WideFromUtf8(res::kUpdateDrive).c_str()),
                         ids::kConfirmUpdate));
}
