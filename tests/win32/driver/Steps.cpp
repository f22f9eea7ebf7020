#include "Steps.h"

#include "FileDialog.h"
#include "Input.h"
#include "Target.h"
#include "app/Resources.h"

#include <cstdio>
#include <cwchar>
#include <map>

const char* const kStepsUsage =
    "  expect-port:COMn      the port dialog shows COMn selected\n"
    "  connect               Connect; waits for the sheet\n"
    "  keys:K,K,...          keys pressed on the sheet (up down enter escape tab e o u d ...)\n"
    "  tab:N                 a click on the sheet's tab N (0 Edit, 1 Table)\n"
    "  click:ID              a click on the enabled control ID of the active window\n"
    "  wait-enabled:ID / wait-disabled:ID\n"
    "  expect-text:ID[=TEXT] control ID shows TEXT, trailing blanks aside (without =: any text)\n"
    "  wait-text:PREFIX      some window of the program shows a text beginning with PREFIX\n"
    "  file-dialog:PATH      the open or save dialog: PATH typed into its name field, then OK\n"
    "  answer:BUTTON         the dialog that has a button BUTTON ('&' ignored) is answered with it\n"
    "  expect-colour:ID=RRGGBB / expect-no-colour:ID=RRGGBB   on the screen in control ID\n"
    "  close                 the sheet's Cancel button\n"
    "  expect-exit:N         the program ends with exit code N\n"
    "  sleep:MS\n"
    "  dump                  lists the program's windows (class, id, state, text)\n";

namespace {

const std::wstring kPortDialogTitle = Wide(res::kAppTitle);
const std::wstring kSheetTitle = Wide(res::kSheetCaption);

int Number(const std::wstring& text) {
    wchar_t* pEnd = nullptr;
    const long n = std::wcstol(text.c_str(), &pEnd, 10);
    if (text.empty() || *pEnd != L'\0')
        throw CDriveFailure("not a number: " + Utf8(text));
    return static_cast<int>(n);
}

std::wstring TrimEnd(std::wstring text) {
    text.erase(text.find_last_not_of(L' ') + 1);
    return text;
}

std::wstring WithoutMnemonic(std::wstring text) {
    std::erase(text, L'&');
    return text;
}

UINT KeyCode(const std::wstring& name) {
    static const std::map<std::wstring, UINT> keys = {
        {L"up", VK_UP},        {L"down", VK_DOWN},     {L"left", VK_LEFT}, {L"right", VK_RIGHT},
        {L"enter", VK_RETURN}, {L"escape", VK_ESCAPE}, {L"tab", VK_TAB},   {L"space", VK_SPACE},
        {L"home", VK_HOME},    {L"end", VK_END},       {L"f2", VK_F2},     {L"delete", VK_DELETE},
    };
    if (const auto it = keys.find(name); it != keys.end())
        return it->second;
    if (name.size() == 1 && std::iswalnum(name[0]))
        return std::towupper(name[0]);
    throw CDriveFailure("unknown key: " + Utf8(name));
}

class CStepRunner {
public:
    CStepRunner(CTarget& target, DWORD dwTimeoutMs) : m_target(target), m_dwTimeoutMs(dwTimeoutMs) {}

    void Run(const std::wstring& name, const std::wstring& arg);

private:
    HWND Sheet() const { return m_target.WaitForTop(kSheetTitle, m_dwTimeoutMs); }
    HWND EnabledControl(int nId) const;
    void ExpectPort(const std::wstring& port);
    void ExpectText(const std::wstring& arg);
    void WaitText(const std::wstring& prefix);
    void Answer(const std::wstring& button);
    void ExpectColour(const std::wstring& arg, bool bPresent);
    void Dump() const;

    CTarget& m_target;
    DWORD m_dwTimeoutMs;
};

HWND CStepRunner::EnabledControl(int nId) const {
    HWND hWnd = nullptr;
    m_target.WaitUntil([&] { return (hWnd = m_target.FindControl(nId)) != nullptr && IsWindowEnabled(hWnd); },
                       "control " + std::to_string(nId) + " enabled", m_dwTimeoutMs);
    return hWnd;
}

void CStepRunner::ExpectPort(const std::wstring& port) {
    m_target.WaitForTop(kPortDialogTitle, m_dwTimeoutMs);
    HWND hCombo = m_target.WaitForControl(res::kIdPortCombo, m_dwTimeoutMs);
    std::wstring shown;
    m_target.WaitUntil(
        [&] {
            DWORD_PTR nSel = CB_ERR;
            SendMessageTimeoutW(hCombo, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &nSel);
            shown = static_cast<int>(nSel) == CB_ERR ? L"(nothing selected)" : WindowText(hCombo);
            return shown == port;
        },
        "the port list to show " + Utf8(port), m_dwTimeoutMs);
}

void CStepRunner::ExpectText(const std::wstring& arg) {
    const std::size_t nEq = arg.find(L'=');
    const int nId = Number(arg.substr(0, nEq));
    std::wstring shown;
    m_target.WaitUntil(
        [&] {
            HWND hWnd = m_target.FindControl(nId);
            shown = hWnd != nullptr ? WindowText(hWnd) : L"";
            return nEq == std::wstring::npos ? !shown.empty()
                                             : TrimEnd(shown) == TrimEnd(arg.substr(nEq + 1));
        },
        "control " + std::to_string(nId) + " to show " +
            (nEq == std::wstring::npos ? std::string("a text") : "\"" + Utf8(arg.substr(nEq + 1)) + "\"") +
            " (it shows \"" + Utf8(shown) + "\")",
        m_dwTimeoutMs);
}

void CStepRunner::WaitText(const std::wstring& prefix) {
    m_target.WaitUntil(
        [&] {
            for (HWND hTop : m_target.TopWindows())
                if (WindowText(hTop).starts_with(prefix) || FindTextBeginning(hTop, prefix) != nullptr)
                    return true;
            return false;
        },
        "a text beginning \"" + Utf8(prefix) + "\"", m_dwTimeoutMs);
}

void CStepRunner::Answer(const std::wstring& button) {
    HWND hButton = nullptr;
    m_target.WaitForTopWhere(
        [&](HWND hTop) {
            if (!IsWindowEnabled(hTop))
                return false;
            for (HWND hWnd : Descendants(hTop))
                if (IsWindowVisible(hWnd) && ClassName(hWnd) == L"Button" &&
                    WithoutMnemonic(WindowText(hWnd)) == WithoutMnemonic(button)) {
                    hButton = hWnd;
                    return true;
                }
            return false;
        },
        "a dialog with a button \"" + Utf8(button) + "\"", m_dwTimeoutMs);
    Click(hButton);
}

void CStepRunner::ExpectColour(const std::wstring& arg, bool bPresent) {
    const std::size_t nEq = arg.find(L'=');
    if (nEq == std::wstring::npos || arg.size() != nEq + 7)
        throw CDriveFailure("expected ID=RRGGBB: " + Utf8(arg));
    const int nId = Number(arg.substr(0, nEq));
    const unsigned long rgb = std::wcstoul(arg.substr(nEq + 1).c_str(), nullptr, 16);
    int nCount = 0;
    m_target.WaitUntil(
        [&] {
            HWND hWnd = m_target.FindControl(nId);
            nCount = hWnd != nullptr ? input::CountColour(hWnd, static_cast<BYTE>(rgb >> 16),
                                                          static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb))
                                     : 0;
            // A cell's worth of pixels, not a stray one of an edge.
            return bPresent ? nCount >= 50 : nCount == 0;
        },
        "control " + std::to_string(nId) + (bPresent ? " to show " : " not to show ") +
            Utf8(arg.substr(nEq + 1)) + " (" + std::to_string(nCount) + " pixels)",
        m_dwTimeoutMs);
}

void CStepRunner::Dump() const {
    const auto print = [](HWND hWnd, const char* indent) {
        std::printf("%s%p %s id %d%s%s \"%s\"\n", indent, static_cast<void*>(hWnd),
                    Utf8(ClassName(hWnd)).c_str(), GetDlgCtrlID(hWnd), IsWindowVisible(hWnd) ? "" : " hidden",
                    IsWindowEnabled(hWnd) ? "" : " disabled", Utf8(WindowText(hWnd)).c_str());
    };
    for (HWND hTop : m_target.TopWindows()) {
        print(hTop, "");
        for (HWND hWnd : Descendants(hTop))
            print(hWnd, "  ");
    }
}

void CStepRunner::Run(const std::wstring& name, const std::wstring& arg) {
    if (name == L"expect-port") {
        ExpectPort(arg);
    } else if (name == L"connect") {
        m_target.WaitForTop(kPortDialogTitle, m_dwTimeoutMs);
        Click(EnabledControl(res::kIdOk));
        Sheet();
    } else if (name == L"keys") {
        HWND hSheet = Sheet();
        for (std::size_t nStart = 0; nStart <= arg.size();) {
            const std::size_t nComma = std::min(arg.find(L',', nStart), arg.size());
            PostKey(hSheet, KeyCode(arg.substr(nStart, nComma - nStart)));
            nStart = nComma + 1;
            Sleep(50);
        }
    } else if (name == L"tab") {
        HWND hTab = nullptr;
        m_target.WaitUntil(
            [&] {
                for (HWND hWnd : Descendants(Sheet()))
                    if (ClassName(hWnd) == WC_TABCONTROLW && IsWindowVisible(hWnd))
                        return (hTab = hWnd) != nullptr;
                return false;
            },
            "the sheet's tabs", m_dwTimeoutMs);
        m_target.ClickTab(hTab, Number(arg));
        m_target.WaitUntil(
            [&] {
                DWORD_PTR nSel = 0;
                SendMessageTimeoutW(hTab, TCM_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &nSel);
                return static_cast<int>(nSel) == Number(arg);
            },
            "tab " + Utf8(arg) + " chosen", m_dwTimeoutMs);
    } else if (name == L"click") {
        Click(EnabledControl(Number(arg)));
    } else if (name == L"wait-enabled") {
        EnabledControl(Number(arg));
    } else if (name == L"wait-disabled") {
        m_target.WaitUntil(
            [&] {
                HWND hWnd = m_target.FindControl(Number(arg));
                return hWnd != nullptr && !IsWindowEnabled(hWnd);
            },
            "control " + Utf8(arg) + " disabled", m_dwTimeoutMs);
    } else if (name == L"expect-text") {
        ExpectText(arg);
    } else if (name == L"wait-text") {
        WaitText(arg);
    } else if (name == L"file-dialog") {
        AnswerFileDialog(m_target, arg, m_dwTimeoutMs);
    } else if (name == L"answer") {
        Answer(arg);
    } else if (name == L"expect-colour" || name == L"expect-no-colour") {
        ExpectColour(arg, name == L"expect-colour");
    } else if (name == L"close") {
        HWND hSheet = Sheet();
        for (HWND hWnd : Descendants(hSheet))
            if (GetDlgCtrlID(hWnd) == res::kIdCancel && GetParent(hWnd) == hSheet)
                return Click(hWnd);
        PostMessageW(hSheet, WM_CLOSE, 0, 0);
    } else if (name == L"expect-exit") {
        const DWORD dwExpected = static_cast<DWORD>(Number(arg));
        if (!m_target.WaitForExit(m_dwTimeoutMs))
            throw CDriveFailure("the program did not end within " + std::to_string(m_dwTimeoutMs) + " ms");
        if (m_target.ExitCode() != dwExpected)
            throw CDriveFailure("the program ended with exit code " + std::to_string(m_target.ExitCode()));
    } else if (name == L"dump") {
        Dump();
    } else if (name == L"sleep") {
        Sleep(static_cast<DWORD>(Number(arg)));
    } else {
        throw CDriveFailure("unknown step " + Utf8(name));
    }
}

}  // namespace

void RunSteps(CTarget& target, const std::vector<std::wstring>& steps, unsigned timeoutMs, bool bPrint) {
    CStepRunner runner(target, timeoutMs);
    int nStep = 0;
    for (const std::wstring& step : steps) {
        ++nStep;
        const std::size_t nColon = step.find(L':');
        const std::wstring name = step.substr(0, nColon);
        const std::wstring arg = nColon == std::wstring::npos ? L"" : step.substr(nColon + 1);
        const DWORD dwStart = GetTickCount();
        try {
            runner.Run(name, arg);
        } catch (const CDriveFailure& failure) {
            throw CDriveFailure("step " + std::to_string(nStep) + " \"" + Utf8(step) +
                                "\": " + failure.what());
        }
        if (!bPrint)
            continue;
        std::printf("driver: %2d %s (%lu ms)\n", nStep, Utf8(step).c_str(),
                    static_cast<unsigned long>(GetTickCount() - dwStart));
        std::fflush(stdout);
    }
}
