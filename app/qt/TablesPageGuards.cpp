// The Table page's guard rails: a running procedure is stopped only after the user says
// so (closing the sheet, turning to another page), and a second file replaces the file
// values or adds to them as the user chooses. The questions are CTablesPageLogic's.
#include "app/qt/TablesPage.h"

#include "app/qt/QuestionBox.h"

#include <QLabel>

bool CTablesPage::AskToStop(const std::string& strQuestion) {
    if (!CQuestionBox::AskYesNo(this, QString::fromLatin1(strQuestion.c_str())))
        return false;
    if (m_pLogic->IsBusy())  // it may have ended while the question was open
        StopProcedure();
    return true;
}

bool CTablesPage::OnQueryCancel() {
    const std::optional<std::string> question = m_pLogic->CloseQuestion();
    return !question || AskToStop(*question);
}

bool CTablesPage::OnKillActive() {
    const std::optional<std::string> question = m_pLogic->LeaveQuestion();
    if (!question || AskToStop(*question))
        return true;
    m_pLogic->OnStayed();  // turned back to at once: nothing starved
    return false;
}

void CTablesPage::ReadFile() {
    EReadFileChoice eChoice = EReadFileChoice::kAdd;
    if (m_pLogic->AsksReplaceOrAdd()) {
        QStringList answers;
        for (const char* pszAnswer : kReadFileAnswers)
            answers << QString::fromLatin1(pszAnswer);
        eChoice = CTablesPageLogic::ReadFileChoice(
            CQuestionBox::Ask(this, QString::fromLatin1(kReplaceFileQuestion), answers,
                              kReadFileDefaultAnswer, kReadFileEscapeAnswer));
    }
    if (!m_pLogic->ReadFile(eChoice, m_tablesChooser))
        return;
    m_pFileName->setText(QString::fromStdString(m_pLogic->FileNameLine()));
    m_pFileName->setToolTip(m_chooser.LastPath());
}
