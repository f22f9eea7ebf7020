#pragma once

#include "platform/FileChooser.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct HWND__;

// The Table page's questions with answers of their own ("&Replace", "&Add", "Cancel",
// "&Yes", "&No"): the program's title, no icon, the answers as buttons in the order
// given. A test installs a hook that gets the text and the answers and returns the index
// of the answer, so no test ever blocks.
class CTablesQuestion {
public:
    using Hook = std::function<int(const std::string& text, const std::vector<std::string>& answers)>;

    // Returns the index of the answer chosen; Escape and the window's close choose
    // nEscape. nDefault is the answer Enter gives. Texts are UTF-8; at most three answers.
    static int Ask(HWND__* parent, const std::string& text, const std::vector<std::string>& answers,
                   int nDefault, int nEscape);
    // "&Yes"/"&No" with No the default: true for Yes.
    static bool AskYesNo(HWND__* parent, const std::string& text);

    // Replaces showing the question (an empty hook restores it); returns the previous hook.
    static Hook SetTestHook(Hook hook);
};

// Puts a dialog in the middle of its owner (of the work area without one): the page's
// dialogs are about the sheet the user works in, wherever it is.
void CentreOnOwner(HWND__* hDialog);

// The Table page's file dialogs as CTables sees them: the program's own, with a call
// once a file to open has been chosen and just before it is read. A replacing "Read
// File" clears the file columns there, so that a running update never meets them empty
// while the dialog is open, and a cancelled dialog leaves them untouched.
class CPageChooser final : public IFileChooser {
public:
    explicit CPageChooser(IFileChooser& dialogs) : m_dialogs(dialogs) {}

    void SetOnOpenChosen(std::function<void()> onOpenChosen) { m_onOpenChosen = std::move(onOpenChosen); }

    std::optional<std::string> GetSaveFileName(const std::string& filter, const std::string& initialName,
                                               const std::string& defaultExtension) override {
        return m_dialogs.GetSaveFileName(filter, initialName, defaultExtension);
    }
    std::optional<std::string> GetOpenFileName(const std::string& filter,
                                               const std::string& initialName) override {
        std::optional<std::string> path = m_dialogs.GetOpenFileName(filter, initialName);
        if (path && m_onOpenChosen)
            m_onOpenChosen();
        return path;
    }

private:
    IFileChooser& m_dialogs;
    std::function<void()> m_onOpenChosen;
};
