#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QMessageBox;
class QWidget;

// A question to the user with its own answers ("&Replace", "&Add", "Cancel", ...): the
// program's title, no icon, the answers as buttons in the order given. A test installs
// a hook that gets the finished box and returns the index of the answer, so no test
// ever blocks.
class CQuestionBox {
public:
    using Hook = std::function<int(QMessageBox& box)>;

    // Returns the index of the answer chosen; Escape and the window's close choose
    // nEscape. nDefault is the answer Enter gives.
    static int Ask(QWidget* parent, const QString& text, const QStringList& answers, int nDefault,
                   int nEscape);
    // "&Yes"/"&No" with No the default: true for Yes.
    static bool AskYesNo(QWidget* parent, const QString& text);

    // Replaces running the box (an empty hook restores it); returns the previous hook.
    static Hook SetTestHook(Hook hook);
};
