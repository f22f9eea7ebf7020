// Works tovamo.exe's Table page from outside, as a user would, for the Wine desktop
// bench: Connect on the port dialog (the stored port), the Table page, "Read DC Drive",
// then "Read File" (answered through the program's file-dialog test hook, which the
// caller sets up) and "Update DC Drive" with "Verify after update" off, confirmed. While
// each procedure runs, a watcher thread times how long the window's thread keeps a sent
// message waiting. Each procedure's start and end is printed at once, so that a caller
// timing the serial line can tell the phases apart:
//   start read | end read held_ms=H probes=N shortest_ms=S
//   memory working_set=B private=B      (after the read)
//   start update | end update held_ms=... status=TEXT
//   tovamo-bench-table-page.exe PROGRAM   (exit status 0, or 1 with the reason on stderr)
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

#include "bench/win32/BenchProcess.h"
#include "bench/win32/ThreadWatch.h"

namespace {
// The controls' ids, as the program's resource script has them.
constexpr int kIdConnect = 1;
constexpr int kIdReadDrive = 1007;
constexpr int kIdReadFile = 1009;
constexpr int kIdUpdateDrive = 1010;
constexpr int kIdStop = 1020;
constexpr int kIdVerifyAfterUpdate = 1025;
constexpr int kIdStatus = 1026;
constexpr int kIdConfirmUpdate = 1044;
constexpr int kTablePageTab = 1;
constexpr double kStepTimeoutMs = 20000;
constexpr double kProcedureTimeoutMs = 600000;

class CBenchFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void WaitUntil(const CBenchProcess& program, const std::function<bool()>& pred, double nMs,
               const char* szWhat) {
    const double nEnd = NowMs() + nMs;
    while (!pred()) {
        if (!program.Running())
            throw CBenchFailure(std::string("the program ended while waiting for ") + szWhat);
        if (NowMs() > nEnd)
            throw CBenchFailure(std::string("timed out waiting for ") + szWhat);
        Sleep(5);
    }
}

struct SControlSearch {
    int nId;
    HWND hFound;
};

BOOL CALLBACK MatchControl(HWND hWnd, SysLPARAM lParam) {
    auto& search = *reinterpret_cast<SControlSearch*>(lParam);
    if (GetDlgCtrlID(hWnd) != search.nId || !IsWindowVisible(hWnd))
        return TRUE;
    search.hFound = hWnd;
    return FALSE;
}

// A visible control with this id anywhere below hTop (the pages are child dialogs).
HWND FindControl(HWND hTop, int nId) {
    SControlSearch search{nId, nullptr};
    EnumChildWindows(hTop, MatchControl, reinterpret_cast<SysLPARAM>(&search));
    return search.hFound;
}

HWND WaitForControl(const CBenchProcess& program, HWND hTop, int nId) {
    HWND hControl = nullptr;
    WaitUntil(
        program, [&] { return (hControl = FindControl(hTop, nId)) != nullptr; }, kStepTimeoutMs,
        ("control " + std::to_string(nId)).c_str());
    return hControl;
}

// The button's command, posted to its parent as a click would send it.
void Press(HWND hButton) {
    PostMessageW(GetParent(hButton), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hButton), BN_CLICKED),
                 reinterpret_cast<SysLPARAM>(hButton));
}

// A tab chosen as by a click on it; its rectangle is read into memory lent by the program.
void ClickTab(const CBenchProcess& program, HWND hTab, int nIndex) {
    void* pRemote =
        VirtualAllocEx(program.ProcessHandle(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    RECT rect{};
    const bool bRead = pRemote &&
                       SendMessageW(hTab, TCM_GETITEMRECT, static_cast<WPARAM>(nIndex),
                                    reinterpret_cast<SysLPARAM>(pRemote)) != 0 &&
                       ReadProcessMemory(program.ProcessHandle(), pRemote, &rect, sizeof(rect), nullptr);
    if (pRemote)
        VirtualFreeEx(program.ProcessHandle(), pRemote, 0, MEM_RELEASE);
    if (!bRead)
        throw CBenchFailure("no rectangle of the Table page's tab");
    const SysLPARAM lPoint = MAKELONG((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(hTab, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    PostMessageW(hTab, WM_LBUTTONUP, 0, lPoint);
}

std::wstring TextOf(HWND hWnd) {
    wchar_t szText[512] = {};
    DWORD_PTR nResult = 0;
    SendMessageTimeoutW(hWnd, WM_GETTEXT, 512, reinterpret_cast<SysLPARAM>(szText), SMTO_NORMAL, 5000,
                        &nResult);
    return szText;
}

void Say(const char* szFormat, auto... args) {
    std::printf(szFormat, args...);
    std::fflush(stdout);
}

// From the port dialog to the Table page of the sheet; returns the sheet.
HWND OpenTablePage(const CBenchProcess& program) {
    HWND hPortDialog = program.WaitForVisibleWindow(kStepTimeoutMs, L"Tovamo V2.0");
    if (!hPortDialog)
        throw CBenchFailure("no port dialog");
    Press(WaitForControl(program, hPortDialog, kIdConnect));
    HWND hSheet = program.WaitForVisibleWindow(kStepTimeoutMs, L"Tovamo");
    if (!hSheet)
        throw CBenchFailure("no sheet after Connect (is the stored port there?)");
    HWND hTab = FindWindowExW(hSheet, nullptr, L"SysTabControl32", nullptr);
    if (!hTab)
        throw CBenchFailure("no tab control in the sheet");
    ClickTab(program, hTab, kTablePageTab);
    WaitForControl(program, hSheet, kIdReadDrive);
    return hSheet;
}

// Presses the button (and `confirm` once it is pressed) and waits while the procedure
// runs, as the page's Stop button shows; the window's thread is watched meanwhile.
void RunProcedure(const CBenchProcess& program, HWND hSheet, int nButton, const char* szName,
                  const std::function<void()>& confirm) {
    HWND hStop = WaitForControl(program, hSheet, kIdStop);
    CThreadWatch watch(hSheet);
    Say("start %s\n", szName);
    Press(WaitForControl(program, hSheet, nButton));
    if (confirm)
        confirm();
    WaitUntil(
        program, [&] { return IsWindowEnabled(hStop) != FALSE; }, kStepTimeoutMs, "the procedure to start");
    WaitUntil(
        program, [&] { return IsWindowEnabled(hStop) == FALSE; }, kProcedureTimeoutMs,
        "the procedure to end");
    watch.Stop();
    Say("end %s held_ms=%.2f probes=%ld shortest_ms=%.3f status=%s\n", szName, watch.LongestMs(),
        watch.Probes(), watch.ShortestMs(), Utf8FromWide(TextOf(FindControl(hSheet, kIdStatus))).c_str());
}

void ReadFileAnswered(const CBenchProcess& program, HWND hSheet) {
    Press(WaitForControl(program, hSheet, kIdReadFile));
    HWND hUpdate = WaitForControl(program, hSheet, kIdUpdateDrive);
    WaitUntil(
        program, [&] { return IsWindowEnabled(hUpdate) != FALSE; }, kStepTimeoutMs,
        "\"Update DC Drive\" after Read File");
}

// The command line reads nothing after an update: neither does the page here.
void VerifyOff(const CBenchProcess& program, HWND hSheet) {
    HWND hVerify = WaitForControl(program, hSheet, kIdVerifyAfterUpdate);
    if (SendMessageW(hVerify, BM_GETCHECK, 0, 0) == BST_CHECKED)
        PostMessageW(hVerify, BM_CLICK, 0, 0);
    WaitUntil(
        program, [&] { return SendMessageW(hVerify, BM_GETCHECK, 0, 0) != BST_CHECKED; }, kStepTimeoutMs,
        "\"Verify after update\" to be off");
}

void ConfirmUpdate(const CBenchProcess& program) {
    HWND hConfirm = program.WaitForVisibleWindow(kStepTimeoutMs, L"Update DC Drive");
    if (!hConfirm)
        throw CBenchFailure("no confirmation before the update");
    Press(WaitForControl(program, hConfirm, kIdConfirmUpdate));
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
    if (argc != 2) {
        std::fprintf(stderr, "usage: tovamo-bench-table-page.exe PROGRAM\n");
        return 2;
    }
    CBenchProcess program(std::wstring(L"\"") + argv[1] + L"\"");
    if (!program.Started()) {
        std::fprintf(stderr, "tovamo-bench-table-page: cannot start %s\n", Utf8FromWide(argv[1]).c_str());
        return 1;
    }
    Say("pid %lu\n", static_cast<unsigned long>(program.ProcessId()));
    try {
        HWND hSheet = OpenTablePage(program);
        RunProcedure(program, hSheet, kIdReadDrive, "read", {});
        PrintMemory(program);
        ReadFileAnswered(program, hSheet);
        VerifyOff(program, hSheet);
        RunProcedure(program, hSheet, kIdUpdateDrive, "update", [&] { ConfirmUpdate(program); });
    } catch (const CBenchFailure& failure) {
        std::fprintf(stderr, "tovamo-bench-table-page: %s\n", failure.what());
        return 1;
    }
    return 0;
}
