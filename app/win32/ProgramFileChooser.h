#pragma once

#include "platform/FileChooser.h"
#include "platform/win32/Win32FileChooser.h"

#include <optional>
#include <string>

// The file dialogs of the program's pages: the system's common dialogs, unless a test
// answers them.
//
// Test hook: when the environment variable TOVAMO_TEST_FILE_ANSWERS names a text file,
// each dialog the program would show takes the next line of that file instead, in order
// over the whole run (UTF-8, CR LF or LF):
//   a path        the name chosen (a Windows path; a relative one is the program's
//                 working folder's), as if typed into the dialog and confirmed
//   <cancel>      the dialog is cancelled
//   <dialog>      the real common dialog is shown for this one
// Once the lines are used up the real dialogs are shown again. The file is read afresh
// at each dialog, so a driver may append answers while the program runs; a file of
// another name starts again from its first line. The settings
// stay in the registry as always (of the Wine prefix, under Wine).
class CProgramFileChooser final : public IFileChooser {
public:
    static constexpr const wchar_t* kAnswersVariable = L"TOVAMO_TEST_FILE_ANSWERS";

    explicit CProgramFileChooser(HWND hOwner = nullptr) : m_dialogs(hOwner) {}

    std::optional<std::string> GetSaveFileName(const std::string& filter, const std::string& initialName,
                                               const std::string& defaultExtension) override;
    std::optional<std::string> GetOpenFileName(const std::string& filter,
                                               const std::string& initialName) override;

    // The name chosen last in either dialog, answered or real (UTF-8); empty before.
    const std::string& LastPath() const { return m_strLastPath; }

    // What a test's answer file says for the next dialog: nothing when the real dialog
    // is to be shown, else the answer (nullopt inside: cancelled). Advances the run's count.
    static std::optional<std::optional<std::string>> NextTestAnswer();

private:
    std::optional<std::string> Remember(std::optional<std::string> chosen);

    CWin32FileChooser m_dialogs;
    std::string m_strLastPath;
};
