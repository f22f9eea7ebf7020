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

RECT ChildRect(HWND hChild) {
    RECT rect;
    GetWindowRect(hChild, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hChild), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The text as tall as its lines; the buttons and the dialog's bottom follow.
void FitText(HWND hDlg, const std::wstring& text) {
    HWND hText = GetDlgItem(hDlg, IDC_QUESTION_TEXT);
    const RECT place = ChildRect(hText);
    RECT needed{0, 0, place.right - place.left, 0};
    HDC hDC = GetDC(hText);
    HGDIOBJ hOld = SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(hText, WM_GETFONT, 0, 0)));
    DrawTextW(hDC, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(hDC, hOld);
    ReleaseDC(hText, hDC);
    const int nShift = needed.bottom - (place.bottom - place.top);
    SetWindowPos(hText, nullptr, 0, 0, place.right - place.left, needed.bottom, SWP_NOMOVE | SWP_NOZORDER);
    for (int i = 0; i < kMostAnswers; ++i) {
        HWND hButton = GetDlgItem(hDlg, IDC_ANSWER_FIRST + i);
        const RECT button = ChildRect(hButton);
        SetWindowPos(hButton, nullptr, button.left, button.top + nShift, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    RECT frame;
    GetWindowRect(hDlg, &frame);
    SetWindowPos(hDlg, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + nShift,
                 SWP_NOMOVE | SWP_NOZORDER);
}

// The answers take the rightmost buttons, in order; the others are hidden.
void SetUpQuestion(HWND hDlg, const SQuestion& question) {
    const std::wstring text = WideFromUtf8(question.text);
    SetDlgItemTextW(hDlg, IDC_QUESTION_TEXT, text.c_str());
    FitText(hDlg, text);
    CentreOnOwner(hDlg);
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

void CentreOnOwner(HWND hDialog) {
    HWND hOwner = GetWindow(hDialog, GW_OWNER);
    RECT owner;
    if (hOwner == nullptr || !GetWindowRect(hOwner, &owner))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &owner, 0);
    RECT rect;
    GetWindowRect(hDialog, &rect);
    const int x = owner.left + ((owner.right - owner.left) - (rect.right - rect.left)) / 2;
    const int y = owner.top + ((owner.bottom - owner.top) - (rect.bottom - rect.top)) / 2;
    SetWindowPos(hDialog, nullptr, std::max(0, x), std::max(0, y), 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

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
