// The Table page's guard rails: a running procedure is stopped only after the user says
// so (closing the sheet, turning to another page), and a second file replaces the file
// values or adds to them as the user chooses.
#include "app/qt/TablesPage.h"

#include "app/qt/QuestionBox.h"
#include "app/qt/Resources.h"
#include "table/FileColumns.h"
#include "table/TablesPageText.h"

#include <QFileInfo>
#include <QLabel>

bool CTablesPage::AskToStop(const std::string& strQuestion) {
    if (!CQuestionBox::AskYesNo(this, QString::fromLatin1(strQuestion.c_str())))
        return false;
    if (m_eRunning != EProcedure::kNone)  // it may have ended while the question was open
        StopProcedure();
    return true;
}

namespace {
ERunningProcedure Running(bool bUpdating) {
    return bUpdating ? ERunningProcedure::kUpdate : ERunningProcedure::kRead;
}
}  // namespace

bool CTablesPage::OnQueryCancel() {
    if (m_eRunning == EProcedure::kNone)
        return true;
    return AskToStop(StopAndCloseQuestion(Running(m_eRunning == EProcedure::kUpdate)));
}

bool CTablesPage::OnKillActive() {
    if (m_eRunning == EProcedure::kNone)
        return true;
    if (AskToStop(StopAndLeaveQuestion(Running(m_eRunning == EProcedure::kUpdate))))
        return true;
    m_bLeftWhileRunning = false;  // turned back to at once: nothing starved
    return false;
}

// A second file while file values are shown may replace them or add to them. The file
// columns are cleared once a file is chosen, and given back when it cannot be read.
void CTablesPage::ReadFile() {
    CGridCtrl& grid = m_pTables->GetGrid();
    bool bReplace = false;
    if (m_pTables->GetButtons().bFileToNewFile) {
        const int nAnswer = CQuestionBox::Ask(
            this, QString::fromLatin1(kReplaceFileQuestion),
            {QStringLiteral("&Replace"), QStringLiteral("&Add"), QString::fromLatin1(res::kCancel)}, 1, 2);
        if (nAnswer == 2)
            return;
        bReplace = nAnswer == 0;
    }
    std::optional<SFileColumns> saved;
    if (bReplace)
        m_tablesChooser.SetOnOpenChosen([&] { saved = TakeFileColumns(grid); });
    const bool bRead = m_pTables->OnReadFile();
    m_tablesChooser.SetOnOpenChosen({});
    if (!bRead) {
        // A cancelled dialog or a file error leaves the line to a procedure that still runs.
        if (saved)
            RestoreFileColumns(grid, *saved);
        return;
    }
    const QString name = QFileInfo(m_chooser.LastPath()).fileName();
    m_pFileName->setText(bReplace || m_pFileName->text().isEmpty()
                             ? QStringLiteral("File: ") + name
                             : m_pFileName->text() + QStringLiteral(", ") + name);
    m_pFileName->setToolTip(m_chooser.LastPath());
    ShowComparison();
}
