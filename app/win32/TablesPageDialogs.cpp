#include "app/win32/TablesPageDialogs.h"

#include "app/win32/TablesPageIds.h"
#include "platform/WideText.h"

#include <algorithm>

#include "platform/win32/Win32Api.h"

namespace {
constexpr int kMostAnswers = 3;

CTablesQuestion::Hook& TestHook() {
    static CTablesQuestion::Hook hook;
    return hook;
}

struct SQuestion {
    const std::string& text;
    const std::vector<std::string>& answers;
    int nDefault;
    int nEscape;
};

// The answers take the rightmost buttons, in order; the others are hidden.
void SetUpQuestion(HWND hDlg, const SQuestion& question) {
    SetDlgItemTextW(hDlg, IDC_QUESTION_TEXT, WideFromUtf8(question.text).c_str());
    const int nAnswers = std::min(static_cast<int>(question.answers.size()), kMostAnswers);
    const int nFirstShown = kMostAnswers - nAnswers;
    for (int i = 0; i < kMostAnswers; ++i) {
        HWND hButton = GetDlgItem(hDlg, IDC_ANSWER_FIRST + i);
        if (i < nFirstShown) {
            ShowWindow(hButton, SW_HIDE);
            continue;
        }
        const int nAnswer = i - nFirstShown;
        SetWindowTextW(hButton, WideFromUtf8(question.answers[static_cast<std::size_t>(nAnswer)]).c_str());
        SetWindowLongPtrW(hButton, GWLP_ID, IDC_ANSWER_FIRST + kMostAnswers + nAnswer);
        if (nAnswer == question.nDefault) {
            SendMessageW(hButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
            SendMessageW(hDlg, DM_SETDEFID, static_cast<WPARAM>(IDC_ANSWER_FIRST + kMostAnswers + nAnswer),
                         0);
            SetFocus(hButton);
        }
    }
}

INT_PTR CALLBACK QuestionProc(HWND hDlg, UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    switch (nMsg) {
        case WM_INITDIALOG: {
            const auto* question = reinterpret_cast<const SQuestion*>(lParam);
            SetWindowLongPtrW(hDlg, DWLP_USER, static_cast<LONG_PTR>(question->nEscape));
            SetUpQuestion(hDlg, *question);
            return FALSE;  // the focus is on the default answer
        }
        case WM_COMMAND: {
            const int nId = LOWORD(wParam);
            if (nId == IDCANCEL) {
                EndDialog(hDlg, GetWindowLongPtrW(hDlg, DWLP_USER));
                return TRUE;
            }
            if (nId >= IDC_ANSWER_FIRST + kMostAnswers && nId < IDC_ANSWER_FIRST + 2 * kMostAnswers) {
                EndDialog(hDlg, nId - IDC_ANSWER_FIRST - kMostAnswers);
                return TRUE;
            }
            break;
        }
    }
    return FALSE;
}
}  // namespace

int CTablesQuestion::Ask(HWND parent, const std::string& text, const std::vector<std::string>& answers,
                         int nDefault, int nEscape) {
    if (TestHook())
        return TestHook()(text, answers);
    const SQuestion question{text, answers, nDefault, nEscape};
    const INT_PTR nAnswer = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TABLES_QUESTION),
                                            parent, QuestionProc, reinterpret_cast<SysLPARAM>(&question));
    return nAnswer < 0 ? nEscape : static_cast<int>(nAnswer);
}

bool CTablesQuestion::AskYesNo(HWND parent, const std::string& text) {
    return Ask(parent, text, {"&Yes", "&No"}, 1, 1) == 0;
}

CTablesQuestion::Hook CTablesQuestion::SetTestHook(Hook hook) {
    Hook previous = std::move(TestHook());
    TestHook() = std::move(hook);
    return previous;
}
