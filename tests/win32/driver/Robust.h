#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "platform/win32/Win32Api.h"

struct SRobustOptions {
    int nSeconds = 30;
    std::uint64_t seed = 0;
    int nHangSeconds = 20;  // the program's window thread silent this long counts as a hang
    std::wstring exe;
    std::wstring folder;  // where the answers to file dialogs point (a Windows path)
    bool bVerbose = false;
};

// The robustness test: the program connected to the drive, the Table page read in full,
// then seeded random input for nSeconds; the program is started again whenever the
// input closed it. Returns 0 when it neither crashed nor hung, 1 after a failure, which
// is printed with the seed, the last actions and a replay line.
int RunRobust(const SRobustOptions& options, const std::wstring& replay);

// Random input of every kind a user makes, aimed at the program's windows.
class CRandomActions {
public:
    CRandomActions(std::uint64_t seed, std::wstring folder, bool bVerbose);

    // One action on the sheet: keys, clicks, drags, wheel turns, a resize, the clipboard.
    void OnSheet(HWND hSheet);
    // One answer to a dialog, a message box, a file dialog or a menu.
    void OnDialog(HWND hDialog);

    int Below(int n);
    bool Chance(int percent) { return Below(100) < percent; }
    long long Actions() const { return m_nActions; }

private:
    void Note(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void RandomKey();
    void TypeCharacter();
    void ClickButton(HWND hSheet);
    void Drag(HWND hSheet, POINT from);
    void SwitchAway();
    void PutTextOnClipboard();
    void Resize(HWND hSheet);
    void AnswerFileDialog(HWND hDialog, HWND hField);
    POINT PointIn(HWND hWnd);
    POINT PointOnSheet(HWND hSheet);
    std::wstring RandomText(int nMaxLength);

    std::mt19937_64 m_random;
    std::wstring m_strFolder;
    bool m_bVerbose;
    long long m_nActions = 0;
};

namespace robust {
void NoteAction(const std::string& text);
void PrintFailure(const std::string& why);
}  // namespace robust
