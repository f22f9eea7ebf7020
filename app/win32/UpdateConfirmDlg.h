#pragma once

#include "table/UpdatePlan.h"

#include <functional>
#include <string>
#include <vector>

struct HWND__;

// The question before "Update DC Drive": how many marked parameters will be changed and
// which ("name: drive value → file value"), and apart from them those left alone. Each
// list is as tall as its lines up to ten and as wide as its longest line within reason.
// "Cancel" is the default button, so Enter alone never starts an update. A test installs
// a hook that gets the open dialog, laid out, and answers in place of the user.
class CUpdateConfirmDlg {
public:
    using Hook = std::function<bool(CUpdateConfirmDlg& dialog)>;

    // True when the user chose "&Update".
    static bool Confirm(const SUpdatePlan& plan, HWND__* parent);
    static Hook SetTestHook(Hook hook);

    HWND__* Window() const { return m_hWnd; }
    HWND__* Control(int nId) const;
    // The lines of a list box of the dialog, as shown (UTF-8).
    std::vector<std::string> Lines(int nListId) const;
    std::string Heading() const;

    // The dialog procedure's work, on the dialog's thread.
    void OnInitDialog(HWND__* hWnd);

private:
    explicit CUpdateConfirmDlg(const SUpdatePlan& plan) : m_plan(plan) {}
    int FillList(int nListId, const std::vector<std::string>& lines) const;
    void LayOut(int nChanges, int nLeftAlone);

    const SUpdatePlan& m_plan;
    HWND__* m_hWnd = nullptr;
    int m_nListWidth = 0;  // the longest line of either list, in pixels
};
