#include "FileDialog.h"

#include "Target.h"

namespace {
// The common dialog's own control ids: the file name combo box of the explorer-style
// dialog, and the plain edit field of the older one.
constexpr int kIdFileNameCombo = 0x47c;
constexpr int kIdFileNameEdit = 0x480;
}  // namespace

HWND FileNameField(HWND hTop) {
    for (HWND hWnd : Descendants(hTop)) {
        if (!IsWindowVisible(hWnd))
            continue;
        const int nId = GetDlgCtrlID(hWnd);
        if (nId == kIdFileNameEdit && ClassName(hWnd) == L"Edit")
            return hWnd;
        if (nId == kIdFileNameCombo)
            if (HWND hEdit = FindWindowExW(hWnd, nullptr, L"Edit", nullptr))
                return hEdit;
    }
    return nullptr;
}

void AnswerFileDialog(CTarget& target, const std::wstring& path, unsigned timeoutMs) {
    HWND hDialog = target.WaitForTopWhere(
        [](HWND hTop) { return IsWindowEnabled(hTop) && FileNameField(hTop) != nullptr; }, "a file dialog",
        timeoutMs);
    HWND hField = FileNameField(hDialog);
    // Select what the dialog proposes, so that typing replaces it.
    PostMessageW(hField, EM_SETSEL, 0, -1);
    PostText(hField, path);
    target.WaitUntil([&] { return WindowText(hField) == path; }, "the typed name in the file dialog",
                     timeoutMs);
    HWND hOk = GetDlgItem(hDialog, IDOK);
    if (hOk == nullptr)
        throw CDriveFailure("the file dialog has no OK button");
    Click(hOk);
    target.WaitUntil([&] { return !IsWindow(hDialog) || !IsWindowVisible(hDialog); },
                     "the file dialog to close", timeoutMs);
}
