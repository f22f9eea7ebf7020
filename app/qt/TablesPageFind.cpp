// Find and the filter of the Table page: the decisions are the toolkit-free helpers'
// (table/FindRows.h, table/RowFilter.h); here keys and switches reach them.
#include "app/qt/TablesPage.h"

#include "grid/qt/GridWnd.h"
#include "platform/qt/Cp1252.h"
#include "table/RowFilter.h"
#include "table/TableRows.h"
#include "table/TablesPageText.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

void CTablesPage::ShowFindField() {
    if (!m_pFindEdit->isVisible()) {
        m_pFindLabel->show();
        m_pFindEdit->show();
        LayOut();
    }
    m_pFindEdit->setFocus(Qt::ShortcutFocusReason);
    m_pFindEdit->selectAll();
}

void CTablesPage::CloseFindField() {
    m_pFindLabel->hide();
    m_pFindEdit->hide();
    LayOut();
    m_pGridWnd->setFocus(Qt::OtherFocusReason);
}

// The grid's focus moves to the match; the keyboard stays in the find field.
void CTablesPage::FindStep(EFindStep eStep) {
    CGridCtrl& grid = m_pTables->GetGrid();
    const CCellID focus = grid.GetFocusCell();
    const int nRow = FindRow(grid, EncodeWindows1252(m_pFindEdit->text()), focus.row, eStep);
    if (nRow == 0)
        return;
    const int nCol = focus.col >= kColDrive ? focus.col : kColDrive;
    grid.SetFocusCell(nRow, nCol);
    grid.EnsureVisible(nRow, nCol);
    m_pGridWnd->update();
}

// Ctrl+F opens the field; F3 and Shift+F3 go on searching from anywhere on the page;
// in the field, Enter finds the next match and Escape closes the field, not the sheet.
bool CTablesPage::OnFindKey(QKeyEvent* key) {
    const bool bInField = m_pFindEdit->hasFocus();
    const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_F && modifiers == Qt::ControlModifier) {
        if (key->type() == QEvent::KeyPress)
            ShowFindField();
        return true;
    }
    const bool bF3 = key->key() == Qt::Key_F3 && !m_pFindEdit->text().isEmpty();
    const bool bEnter = bInField && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
    if ((bF3 && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) ||
        (bEnter && modifiers == Qt::NoModifier)) {
        if (key->type() == QEvent::KeyPress)
            FindStep(modifiers == Qt::ShiftModifier ? EFindStep::kPrevious : EFindStep::kNext);
        return true;
    }
    if (bInField && key->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        if (key->type() == QEvent::KeyPress)
            CloseFindField();
        return true;
    }
    return false;
}

bool CTablesPage::PreTranslatePageMessage(QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!OnFindKey(key))
        return false;
    key->accept();  // as an override: no shortcut or default button takes the key
    return true;
}

// Applied again after every refresh, since a read or a file changes which rows differ;
// the count goes to the status line only when the user turns the filter on or off.
void CTablesPage::ApplyFilter(bool bShowCount) {
    CGridCtrl& grid = m_pTables->GetGrid();
    const bool bOnly = m_pOnlyDiffering->isChecked();
    if (!bOnly && !bShowCount)
        return;
    const int nShown = ShowOnlyDifferingRows(grid, bOnly);
    if (bShowCount)
        m_pStatus->setText(QString::fromLatin1(RowsShownText(nShown, grid.GetRowCount() - 1).c_str()));
    m_pGridWnd->update();
}
