// Find and the filter of the Table page: the decisions are CTablesPageLogic's and the
// toolkit-free helpers' (table/FindRows.h, table/RowFilter.h); here keys and switches
// reach them.
#include "app/qt/TablesPage.h"

#include "grid/qt/GridWnd.h"
#include "platform/WindowInput.h"
#include "platform/qt/Cp1252.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {
std::uint32_t FindVirtualKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_F:
            return kVkF;
        case Qt::Key_F3:
            return kVkF3;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        default:
            return 0;
    }
}

unsigned FindModifiers(Qt::KeyboardModifiers modifiers) {
    const std::pair<Qt::KeyboardModifiers, unsigned> kBits[] = {
        {Qt::ShiftModifier, kModShift},
        {Qt::ControlModifier, kModControl},
        {Qt::AltModifier, kModAlt},
        {Qt::MetaModifier | Qt::GroupSwitchModifier, kModMeta},
    };
    unsigned nModifiers = kModNone;
    for (const auto& [qtBits, nBit] : kBits)
        if (modifiers & qtBits)
            nModifiers |= nBit;
    return nModifiers;
}
}  // namespace

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
    if (m_pLogic->FindAndFocus(EncodeWindows1252(m_pFindEdit->text()), eStep))
        m_pGridWnd->update();
}

bool CTablesPage::OnFindKey(QKeyEvent* key) {
    const EFindKey eAction = FindKeyAction(FindVirtualKey(key->key()), FindModifiers(key->modifiers()),
                                           m_pFindEdit->hasFocus(), m_pFindEdit->text().isEmpty());
    if (eAction == EFindKey::kNone)
        return false;
    if (key->type() != QEvent::KeyPress)
        return true;  // the override only claims the key
    switch (eAction) {
        case EFindKey::kOpen:
            ShowFindField();
            break;
        case EFindKey::kNext:
            FindStep(EFindStep::kNext);
            break;
        case EFindKey::kPrevious:
            FindStep(EFindStep::kPrevious);
            break;
        default:
            CloseFindField();
            break;
    }
    return true;
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
    if (m_pLogic->ApplyFilter(m_pOnlyDiffering->isChecked(), bShowCount))
        m_pGridWnd->update();
}
