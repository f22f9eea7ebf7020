// The Table page's guard rails: a running procedure is stopped only after the user says
// so (closing the sheet, turning to another page), and a second file replaces the file
// values or adds to them as the user chooses. The questions are CTablesPageLogic's.

// The core's headers before those that bring in the system's.
#include "table/FileColumns.h"
#include "table/Tables.h"
#include "table/TablesPageText.h"

#include "app/win32/TablesPage.h"
#include "app/win32/TablesPageIds.h"

#include <iterator>

#include "platform/win32/Win32Api.h"

namespace {
std::string FileNameOf(const std::string& strPath) {
    const std::size_t nSlash = strPath.find_last_of("\\/");
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}
}  // namespace

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

// The file columns are cleared once a file is chosen, and given back when it cannot be
// read.
void CTablesPage::ReadFile() {
    CGridCtrl& grid = m_pTables->GetGrid();
    EReadFileChoice eChoice = EReadFileChoice::kAdd;
    if (m_pLogic->AsksReplaceOrAdd()) {
        eChoice = CTablesPageLogic::ReadFileChoice(
            CTablesQuestion::Ask(GetAncestor(GetSafeHwnd(), GA_ROOT), kReplaceFileQuestion,
                                 {std::begin(kReadFileAnswers), std::end(kReadFileAnswers)},
                                 kReadFileDefaultAnswer, kReadFileEscapeAnswer));
        if (eChoice == EReadFileChoice::kCancel)
            return;
    }
    const bool bReplace = eChoice == EReadFileChoice::kReplace;
    std::optional<SFileColumns> saved;
    if (bReplace)
        m_chooser.SetOnOpenChosen([&] { saved = TakeFileColumns(grid); });
    const bool bRead = m_pTables->OnReadFile();
    m_chooser.SetOnOpenChosen({});
    if (!bRead) {
        // A cancelled dialog or a file error leaves the line to a procedure that still runs.
        if (saved)
            RestoreFileColumns(grid, *saved);
        return;
    }
    m_pLogic->OnFileRead(FileNameOf(m_dialogs.LastPath()), bReplace);
    SetText(IDC_TABLES_FILE_NAME, m_pLogic->FileNameLine());
}
