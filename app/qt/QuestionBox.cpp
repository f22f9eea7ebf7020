#include "app/qt/QuestionBox.h"

#include "platform/qt/QtMessageBox.h"

#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace {
CQuestionBox::Hook& TestHook() {
    static CQuestionBox::Hook hook;
    return hook;
}
}  // namespace

int CQuestionBox::Ask(QWidget* parent, const QString& text, const QStringList& answers, int nDefault,
                      int nEscape) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(CQtMessageBox::kTitle), text,
                    QMessageBox::NoButton, parent);
    std::vector<QPushButton*> buttons;
    for (const QString& answer : answers)
        buttons.push_back(box.addButton(answer, QMessageBox::ActionRole));
    box.setDefaultButton(buttons.at(static_cast<std::size_t>(nDefault)));
    box.setEscapeButton(buttons.at(static_cast<std::size_t>(nEscape)));
    if (TestHook())
        return TestHook()(box);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return static_cast<int>(i);
    return nEscape;
}

bool CQuestionBox::AskYesNo(QWidget* parent, const QString& text) {
    return Ask(parent, text, {QStringLiteral("&Yes"), QStringLiteral("&No")}, 1, 1) == 0;
}

CQuestionBox::Hook CQuestionBox::SetTestHook(Hook hook) {
    Hook previous = std::move(TestHook());
    TestHook() = std::move(hook);
    return previous;
}
