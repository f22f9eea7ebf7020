#include "grid/qt/InPlaceList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

#include "grid/GridCellCombo.h"
#include "grid/qt/ComboEdit.h"
#include "grid/qt/EditorKeys.h"
#include "platform/SystemMetrics.h"
#include "platform/WindowInput.h"
#include "platform/qt/Cp1252.h"

namespace {
constexpr int kListLines = 4;  // cell heights of room the dropped list gets
}  // namespace

CInPlaceList::CInPlaceList(QWidget* pParent, CGridCtrl* pGrid, const CRect& rect, std::uint32_t dwStyle,
                           std::uint32_t nID, int nRow, int nCol, COLORREF crFore, COLORREF crBack,
                           const std::vector<std::string>& options, const std::string& strInitText,
                           std::uint32_t nFirstChar)
    : QComboBox(pParent),
      CGridEditorLink(pGrid, nID, nRow, nCol, strInitText),
      m_nCellHeight(rect.Height()),
      m_crForeClr(crFore),
      m_crBackClr(crBack) {
    setAttribute(Qt::WA_DeleteOnClose);
    setInsertPolicy(QComboBox::NoInsert);
    setFont(GridFont(pParent));
    if ((dwStyle & kComboKindMask) == CBS_DROPDOWN) {
        m_pEdit = new CComboEdit(this);
        setLineEdit(m_pEdit);
        // A typed text is reported as typed: no option completes it behind the user.
        setCompleter(nullptr);
    }
    for (const std::string& option : options) {
        addItem(DecodeWindows1252(option));
    }
    // The box is as tall as the cell; the dropped list is a window of its own.
    setGeometry(rect.left, rect.top, rect.Width(), m_nCellHeight);
    SizeList();
    SelectInitialText();
    WatchFocusAndList();

    // Focus and the first key before the list drops: the dropped list takes the
    // keyboard from then on. A list without an edit field does not use the key.
    show();
    setFocus(Qt::OtherFocusReason);
    if (m_pEdit != nullptr) {
        m_pEdit->PlaceCaret(nFirstChar);
    }
    showPopup();
}

// Nothing may reach this object while its bases take the widgets down: the focus
// moves and the list goes as they do.
CInPlaceList::~CInPlaceList() {
    QObject::disconnect(m_focusWatch);
    QObject::disconnect(m_listWatch);
    view()->removeEventFilter(this);
}

// As many options as the cell heights below the cell would hold, as wide as the options.
void CInPlaceList::SizeList() {
    if (count() > 0) {
        const int nRowHeight = std::max(1, view()->sizeHintForRow(0));
        setMaxVisibleItems(
            std::max(1, (m_nCellHeight * kListLines + GetSystemMetrics(SM_CYHSCROLL)) / nRowHeight));
    }
    SetDroppedWidth();
}

void CInPlaceList::WatchFocusAndList() {
    view()->installEventFilter(this);
    m_listWatch = connect(view()->selectionModel(), &QItemSelectionModel::currentChanged, this,
                          [this](const QModelIndex& current) {
                              if (m_bMovingInList && current.isValid()) {
                                  setCurrentIndex(current.row());
                              }
                          });
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this,
                           [this](QWidget* pOld, QWidget* pNow) { OnFocusChanged(pOld, pNow); });
}

void CInPlaceList::SelectInitialText() {
    const QString text = DecodeWindows1252(GetInitText());
    const int nIndex = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    setCurrentIndex(nIndex);
    if (nIndex < 0 && m_pEdit != nullptr) {
        setEditText(text);
    }
}

// The widest option with room for a scroll bar and one more character, within 200
// pixels; the list is never narrower than the box.
void CInPlaceList::SetDroppedWidth() {
    const QFontMetrics metrics = fontMetrics();
    int nWidest = 0;
    for (int i = 0; i < count(); ++i) {
        nWidest = std::max(nWidest, metrics.horizontalAdvance(itemText(i)) + GetSystemMetrics(SM_CXVSCROLL));
    }
    m_nDroppedWidth = std::min(nWidest + metrics.horizontalAdvance(QLatin1Char('0')), kMaxDropWidth);
    view()->setMinimumWidth(m_nDroppedWidth);
}

void CInPlaceList::showPopup() {
    SetDroppedWidth();
    QComboBox::showPopup();
}

void CInPlaceList::SendChar(std::uint32_t nChar) {
    if (!m_bClosing) {
        TypeChar(this, nChar);
    }
}

bool CInPlaceList::IsEndKey(const QKeyEvent* pEvent) {
    switch (pEvent->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            return true;
        default:
            return ArrowOrPageKey(pEvent->key()) != 0 && (pEvent->modifiers() & Qt::ControlModifier) != 0;
    }
}

// The box wants every key, even those a dialog would take for itself.
bool CInPlaceList::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::ShortcutOverride && IsKeyWantedByEditor(static_cast<QKeyEvent*>(pEvent))) {
        pEvent->accept();
        return true;
    }
    if (pEvent->type() == QEvent::KeyPress && IsEndKey(static_cast<QKeyEvent*>(pEvent))) {
        keyPressEvent(static_cast<QKeyEvent*>(pEvent));
        return true;
    }
    return QComboBox::event(pEvent);
}

void CInPlaceList::keyPressEvent(QKeyEvent* pEvent) {
    if (IsEndKey(pEvent)) {
        OnEndKey(pEvent);
        return;
    }
    if (IsSystemChar(pEvent)) {
        return;
    }
    m_bTypedSinceMove =
        m_pEdit != nullptr && (!pEvent->text().isEmpty() || pEvent->key() == Qt::Key_Backspace);
    QComboBox::keyPressEvent(pEvent);
}

void CInPlaceList::OnEndKey(const QKeyEvent* pEvent) {
    switch (pEvent->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            EndWithKey(VK_TAB);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            EndWithKey(VK_RETURN);
            return;
        case Qt::Key_Escape:
            SelectInitialText();
            EndWithKey(VK_ESCAPE);
            return;
        default:
            EndWithKey(ArrowOrPageKey(pEvent->key()));
            return;
    }
}

// The dropped list would take Enter as a shortcut of its own and choose its option
// then, whatever was typed: the keys that end an edit are claimed before it.
bool CInPlaceList::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == view() && pEvent->type() == QEvent::ShortcutOverride &&
        IsEndKey(static_cast<QKeyEvent*>(pEvent))) {
        pEvent->accept();
        return true;
    }
    if (pWatched == view() && pEvent->type() == QEvent::KeyPress) {
        m_bMovingInList = false;
        return OnListKey(static_cast<QKeyEvent*>(pEvent));
    }
    if (pWatched == view() && pEvent->type() == QEvent::KeyRelease) {
        m_bMovingInList = false;
    }
    return QComboBox::eventFilter(pWatched, pEvent);
}

bool CInPlaceList::OnListKey(QKeyEvent* pEvent) {
    if (IsEndKey(pEvent)) {
        // Tab and Enter take the option the user moved to, unless a text was typed
        // into the field since; Escape goes back anyway.
        if (pEvent->key() != Qt::Key_Escape && !m_bTypedSinceMove && view()->currentIndex().isValid()) {
            setCurrentIndex(view()->currentIndex().row());
        }
        hidePopup();
        OnEndKey(pEvent);
        return true;
    }
    const int nKey = pEvent->key();
    const bool bEditKey = !pEvent->text().isEmpty() || nKey == Qt::Key_Backspace || nKey == Qt::Key_Delete ||
                          nKey == Qt::Key_Left || nKey == Qt::Key_Right || nKey == Qt::Key_Home ||
                          nKey == Qt::Key_End;
    if (m_pEdit != nullptr && bEditKey) {
        m_bTypedSinceMove = true;
        QCoreApplication::sendEvent(m_pEdit, pEvent);
        return true;
    }
    // The list handles the key: the user moves in it, and as in the box the option
    // moved to is chosen at once (a pointer only passing over an option is not).
    m_bTypedSinceMove = false;
    m_bMovingInList = true;
    return false;
}

void CInPlaceList::EndWithKey(std::uint32_t nKey) {
    SetLastKey(nKey);
    // The focus change ends the edit; in a window that is not active it is only
    // recorded, so end it here then.
    const int nReportsBefore = m_nReports;
    if (QWidget* pGridWidget = parentWidget(); pGridWidget != nullptr) {
        pGridWidget->setFocus(Qt::OtherFocusReason);
    }
    if (m_nReports == nReportsBefore) {
        EndEdit();
    }
}

// Only the focus leaving the box ends the edit: moving between the box, its edit
// field and its dropped list does not, nor does the next editor taking the focus.
void CInPlaceList::OnFocusChanged(const QWidget* pOld, const QWidget* pNow) {
    if (!m_bClosing && IsPartOfBox(pOld) && !IsPartOfBox(pNow)) {
        EndEdit();
    }
}

bool CInPlaceList::IsPartOfBox(const QWidget* pWidget) const {
    if (pWidget == nullptr) {
        return false;
    }
    return pWidget == this || isAncestorOf(pWidget) || pWidget == view() || view()->isAncestorOf(pWidget) ||
           pWidget->window() == view()->window();
}

// Every call reports; the box closes once the event loop comes back to it.
void CInPlaceList::EndEdit() {
    if (m_bClosing) {
        return;
    }
    const std::string strText = EncodeWindows1252(currentText());
    ++m_nReports;
    ReportEndOfEdit(this, strText);
    if (!m_bClosePosted) {
        m_bClosePosted = true;
        QMetaObject::invokeMethod(
            this, [this] { CloseBox(); }, Qt::QueuedConnection);
    }
}

// The grid keeps the focus rather than the next widget of the dialog.
void CInPlaceList::CloseBox() {
    m_bClosing = true;
    hidePopup();
    if (hasFocus() && parentWidget() != nullptr) {
        parentWidget()->setFocus(Qt::OtherFocusReason);
    }
    close();
}
