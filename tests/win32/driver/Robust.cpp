#include "Robust.h"

#include "Steps.h"
#include "Target.h"
#include "app/Resources.h"

#include <cstdio>
#include <deque>

namespace robust {
namespace {
std::deque<std::string> g_actions;  // the last few, oldest first
std::wstring g_replay;
}  // namespace

void NoteAction(const std::string& text) {
    g_actions.push_back(text);
    if (g_actions.size() > 24)
        g_actions.pop_front();
}

void PrintFailure(const std::string& why) {
    std::fprintf(stderr,
                 "tovamo-win32-driver: FAILED: %s\ntovamo-win32-driver: the last actions, oldest first:\n",
                 why.c_str());
    for (const std::string& action : g_actions)
        std::fprintf(stderr, "  %s\n", action.c_str());
    std::fprintf(stderr, "tovamo-win32-driver: replay with: tovamo-win32-driver.exe %s\n",
                 Utf8(g_replay).c_str());
}
}  // namespace robust

namespace {

constexpr DWORD kStartMs = 30000;
constexpr DWORD kReadMs = 120000;

// Where the user's input goes: a dialog, message box or menu that is open, else the sheet.
// Tool tips and title tips are top-level windows too, but take no input.
HWND InputWindow(const CTarget& target, HWND hSheet) {
    for (HWND hTop : target.TopWindows()) {
        const std::wstring name = ClassName(hTop);
        if (IsWindowEnabled(hTop) && hTop != hSheet && (name == L"#32770" || name == L"#32768"))
            return hTop;
    }
    return IsWindow(hSheet) ? hSheet : nullptr;
}

class CRobustRun {
public:
    CRobustRun(const SRobustOptions& options, CRandomActions& actions)
        : m_options(options), m_actions(actions) {}

    // One start of the program up to its end; false after a failure (printed).
    bool RunProgram(long long& nRandomMsLeft);
    int Reads() const { return m_nReads; }

private:
    void Connect(CTarget& target);
    void Act(CTarget& target, HWND hTop, HWND hSheet);
    bool Close(CTarget& target, HWND hSheet);
    bool Fail(CTarget& target, const std::string& why);

    const SRobustOptions& m_options;
    CRandomActions& m_actions;
    int m_nRuns = 0;
    int m_nReads = 0;
};

// Connect, the Table page, a complete read. The first start must manage it; later ones
// go on with random input even when the drive was left where a read cannot begin.
void CRobustRun::Connect(CTarget& target) {
    const bool bFirst = m_nRuns == 1;
    RunSteps(target, {L"connect", L"tab:1", L"click:" + std::to_wstring(res::kIdReadDrive)}, kStartMs,
             m_options.bVerbose);
    try {
        RunSteps(target, {L"wait-text:Read complete"}, kReadMs, m_options.bVerbose);
        ++m_nReads;
    } catch (const CDriveFailure&) {
        if (bFirst)
            throw;
    }
}

bool CRobustRun::RunProgram(long long& nRandomMsLeft) {
    ++m_nRuns;
    CTarget target(m_options.exe, L"", L"");
    try {
        Connect(target);
    } catch (const CDriveFailure& failure) {
        return Fail(target, std::string("connect and read: ") + failure.what());
    }
    HWND hSheet = target.WaitForTop(Wide(res::kSheetCaption), kStartMs);
    while (nRandomMsLeft > 0) {
        const DWORD dwStart = GetTickCount();
        if (!target.Running())
            return target.ExitCode() == 0 || Fail(target, "the program crashed");
        HWND hTop = InputWindow(target, hSheet);
        if (hTop != nullptr && !Answers(hTop, static_cast<DWORD>(m_options.nHangSeconds) * 1000))
            return Fail(target, "hang: the window did not answer within " +
                                    std::to_string(m_options.nHangSeconds) + " s");
        if (hTop != nullptr)
            Act(target, hTop, hSheet);
        Sleep(static_cast<DWORD>(5 + m_actions.Below(30)));
        nRandomMsLeft -= GetTickCount() - dwStart;
    }
    return Close(target, hSheet);
}

void CRobustRun::Act(CTarget& target, HWND hTop, HWND hSheet) {
    SetForegroundWindow(hTop);
    if (hTop == hSheet && IsWindow(hSheet))
        m_actions.OnSheet(hSheet);
    else
        m_actions.OnDialog(hTop);
    (void)target;
}

// The sheet's Cancel; a question whether to stop a procedure is answered Yes, any other
// dialog with Escape, until the program has ended.
bool CRobustRun::Close(CTarget& target, HWND hSheet) {
    robust::NoteAction("closing the program");
    const DWORD dwStart = GetTickCount();
    while (target.Running()) {
        if (GetTickCount() - dwStart > static_cast<DWORD>(m_options.nHangSeconds) * 1000)
            return Fail(target, "hang: the program did not end after its sheet was closed");
        HWND hTop = InputWindow(target, hSheet);
        if (hTop != nullptr && Answers(hTop, 5000)) {
            SetForegroundWindow(hTop);
            bool bAnswered = false;
            for (HWND hWnd : Descendants(hTop)) {
                const std::wstring text = WindowText(hWnd);
                if (ClassName(hWnd) == L"Button" && (text == L"&Yes" || text == L"Yes")) {
                    Click(hWnd);
                    bAnswered = true;
                    break;
                }
            }
            if (!bAnswered && hTop == hSheet)
                PostMessageW(hTop, WM_CLOSE, 0, 0);
            else if (!bAnswered)
                PostKey(hTop, VK_ESCAPE);
        }
        target.WaitForExit(300);
    }
    return target.ExitCode() == 0 || Fail(target, "the program crashed while closing");
}

bool CRobustRun::Fail(CTarget& target, const std::string& why) {
    char code[64] = "";
    if (!target.Running())
        std::snprintf(code, sizeof code, " (exit code 0x%08lX)",
                      static_cast<unsigned long>(target.ExitCode()));
    robust::PrintFailure(why + code);
    target.Kill();
    return false;
}

}  // namespace

int RunRobust(const SRobustOptions& options, const std::wstring& replay) {
    robust::g_replay = replay;
    std::printf("tovamo-win32-driver: seed %llu (replay with: tovamo-win32-driver.exe %s)\n",
                static_cast<unsigned long long>(options.seed), Utf8(replay).c_str());
    std::fflush(stdout);
    CRandomActions actions(options.seed, options.folder, options.bVerbose);
    CRobustRun run(options, actions);
    long long nRandomMsLeft = options.nSeconds * 1000LL;
    int nRuns = 0;
    bool bPassed = true;
    try {
        while (bPassed && nRandomMsLeft > 0) {
            ++nRuns;
            bPassed = run.RunProgram(nRandomMsLeft);
        }
    } catch (const CDriveFailure& failure) {
        robust::PrintFailure(failure.what());
        bPassed = false;
    }
    std::printf("tovamo-win32-driver: robust %s: %d runs, %d reads, %lld actions in %d s\n",
                bPassed ? "passed" : "FAILED", nRuns, run.Reads(), actions.Actions(), options.nSeconds);
    return bPassed ? 0 : 1;
}
