// The Table page's guard rails: a running procedure is stopped only after the user says
// so (closing the sheet, turning to another page), and a second file replaces the file
// values or adds to them as the user chooses. The questions are CTablesPageLogic's.

// The core's headers before those that bring in the system's.
#include "table/Tables.h"
#include "table/TablesPageText.h"

#include "app/win32/TablesPage.h"
#include "app/win32/TablesPageIds.h"

#include <iterator>

#include "platform/win32/Win32Api.h"

bool CTablesPage::AskToStop(const std::string& strQuestion) {
    if (!CTablesQuestion::AskYesNo(GetAncestor(GetSafeHwnd(), GA_ROOT), strQuestion))
        return false;
    if (m_pLogic->IsBusy())  // it may have ended while the question was open
        StopProcedure();
    return true;
}

bool CTablesPage::OnQueryCancel() {
    const std::optional<std::string> question = m_pLogic->CloseQuestion();
    return !question || AskToStop(*question);
}

// Leaving starves the procedure: only the active page hears the drive.
bool CTablesPage::OnKillActive() {
    const std::optional<std::string> question = m_pLogic->LeaveQuestion();
    if (!question)
        return true;
    if (AskToStop(*question)) {
        m_pLogic->OnPageLeft();
        return true;
    }
    m_pLogic->OnStayed();  // turned back to at once: nothing starved
    return false;
}

// A replacing read clears the file columns once a file is chosen, and gives them back
// when it cannot be read.
void CTablesPage::ReadFile() {
    EReadFileChoice eChoice = EReadFileChoice::kAdd;
    if (m_pLogic->AsksReplaceOrAdd()) {
        eChoice = CTablesPageLogic::ReadFileChoice(
            CTablesQuestion::Ask(GetAncestor(GetSafeHwnd(), GA_ROOT), kReplaceFileQuestion,
                                 {std::begin(kReadFileAnswers), std::end(kReadFileAnswers)},
                                 kReadFileDefaultAnswer, kReadFileEscapeAnswer));
        if (eChoice == EReadFileChoice::kCancel)
            return;
    }
    if (!m_pLogic->ReadFile(eChoice, m_chooser))
        return;
    SetText(IDC_TABLES_FILE_NAME, m_pLogic->FileNameLine());
    SetControlTip(IDC_TABLES_FILE_NAME, m_chooser.LastOpenPath());
}
