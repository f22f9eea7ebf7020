#include "platform/qt/QtMessageBox.h"

#include "platform/qt/MessageText.h"

#include <QMessageBox>

namespace {
CQtMessageBox::Hook& TestHook() {
    static CQtMessageBox::Hook hook;
    return hook;
}
}  // namespace

void CQtMessageBox::ShowMessage(const std::string& text, const std::string& detail) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kTitle), DecodeMessageText(text),
                    QMessageBox::Ok, m_pParent);
    if (!detail.empty())
        box.setInformativeText(DecodeMessageText(detail));
    box.setDefaultButton(QMessageBox::Ok);
    if (TestHook()) {
        TestHook()(box);
        return;
    }
    box.exec();
}

CQtMessageBox::Hook CQtMessageBox::SetTestHook(Hook hook) {
    Hook previous = std::move(TestHook());
    TestHook() = std::move(hook);
    return previous;
}
