#pragma once

#include <functional>
#include <string>
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
