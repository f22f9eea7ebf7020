#include "grid/qt/InPlaceEdit.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <limits>

#include "grid/GridCtrl.h"
#include "grid/qt/EditorKeys.h"
#include "platform/WindowInput.h"
#include "platform/qt/Cp1252.h"

namespace {
Qt::Alignment AlignmentOf(std::uint32_t dwStyle) {
    const Qt::Alignment horizontal = dwStyle == ES_RIGHT    ? Qt::AlignRight
                                     : dwStyle == ES_CENTER ? Qt::AlignHCenter
                                                            : Qt::AlignLeft;
    return horizontal | Qt::AlignVCenter;
}

QRect ToQRect(const CRect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

// One edit, one notification: the flag is shared by every editor, as the end of one
// edit may end or start another from inside the grid's handling.
bool g_bEndingEdit = false;
}  // namespace

CInPlaceEdit::CInPlaceEdit(QWidget* pParent, CGridCtrl* pGrid, const CRect& rect, std::uint32_t dwStyle,
                           std::uint32_t nID, int nRow, int nCol, const std::string& strInitText,
                           std::uint32_t nFirstChar)
    : QLineEdit(pParent),
      CGridEditorLink(pGrid, nID, nRow, nCol, strInitText),
      m_rect(rect),
      m_bExitOnArrows(nFirstChar != VK_LBUTTON) {
    setAttribute(Qt::WA_DeleteOnClose);
    // A cell holds any length of text; the line edit's own limit would cut it short.
    setMaxLength(std::numeric_limits<int>::max());
    setFont(GridFont(pParent));
    // A thin border of our own (paintEvent): a styled frame would take the room a
    // row of the grid has for its text.
    setFrame(false);
    setContentsMargins(1, 1, 1, 1);
    setAlignment(AlignmentOf(dwStyle));
    setGeometry(ToQRect(m_rect));
    setText(DecodeWindows1252(strInitText));
    connect(this, &QLineEdit::textEdited, this, [this] { Grow(); });
    show();
    setFocus(Qt::OtherFocusReason);
    PlaceCaret(nFirstChar);
}

CInPlaceEdit::~CInPlaceEdit() = default;

// A printable key replaces the text, Backspace takes its last character, and a click,
// F2, Enter, Tab, space or a navigation key keep it. The key is typed at once rather
// than queued, so that it comes before any key the user has already typed after it.
void CInPlaceEdit::PlaceCaret(std::uint32_t nFirstChar) {
    switch (nFirstChar) {
        case VK_LBUTTON:
        case VK_RETURN:
            end(false);
            return;
        case VK_BACK:
            end(false);
            TypeChar(this, nFirstChar);
            return;
        default:
            selectAll();
            if (nFirstChar != VK_TAB && (nFirstChar < VK_SPACE || nFirstChar > VK_DOWN)) {
                TypeChar(this, nFirstChar);
            }
            return;
    }
}

void CInPlaceEdit::SendChar(std::uint32_t nChar) {
    if (!m_bEnded) {
        TypeChar(this, nChar);
    }
}

// The editor wants every key, even those a dialog would take for itself (its Tab
// moving on, its default and cancel buttons, its mnemonics).
bool CInPlaceEdit::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::ShortcutOverride && IsKeyWantedByEditor(static_cast<QKeyEvent*>(pEvent))) {
        pEvent->accept();
        return true;
    }
    if (pEvent->type() == QEvent::KeyPress) {
        auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (pKey->key() == Qt::Key_Tab || pKey->key() == Qt::Key_Backtab) {
            keyPressEvent(pKey);
            return true;
        }
    }
    return QLineEdit::event(pEvent);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* pEvent) {
    const bool bCtrl = (pEvent->modifiers() & Qt::ControlModifier) != 0;
    if (const std::uint32_t nKey = ArrowOrPageKey(pEvent->key()); nKey != 0 && (m_bExitOnArrows || bCtrl)) {
        EndWithKey(nKey);
        return;
    }
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
            setText(DecodeWindows1252(GetInitText()));
            EndWithKey(VK_ESCAPE);
            return;
        default:
            break;
    }
    if (IsSystemChar(pEvent)) {
        return;
    }
    QLineEdit::keyPressEvent(pEvent);
}

void CInPlaceEdit::EndWithKey(std::uint32_t nKey) {
    SetLastKey(nKey);
    if (QWidget* pGridWidget = parentWidget(); pGridWidget != nullptr) {
        pGridWidget->setFocus(Qt::OtherFocusReason);
    }
    // The focus change ends the edit; in a window that is not active it is only
    // recorded, so end it here then.
    EndEdit();
}

// A context menu of the editor takes the focus for a moment only: the edit goes on.
void CInPlaceEdit::focusOutEvent(QFocusEvent* pEvent) {
    QLineEdit::focusOutEvent(pEvent);
    if (pEvent->reason() != Qt::PopupFocusReason) {
        EndEdit();
    }
}

// Wide enough for the text and two spaces, up to the grid's client edge; never
// narrower than before, and the other edges stay.
void CInPlaceEdit::Grow() {
    const int nWidth = fontMetrics().horizontalAdvance(text() + QStringLiteral("  "));
    if (nWidth <= m_rect.Width()) {
        return;
    }
    m_rect.right = std::min(m_rect.left + nWidth, GridClientRight(parentWidget()));
    setGeometry(ToQRect(m_rect));
}

void CInPlaceEdit::EndEdit() {
    if (g_bEndingEdit || m_bEnded) {
        return;
    }
    g_bEndingEdit = true;
    m_bEnded = true;
    ReportEndOfEdit(this, EncodeWindows1252(text()));
    Close();
    g_bEndingEdit = false;
}

// The grid keeps the focus rather than the next widget of the dialog; the editor is
// freed once the event loop comes back (it may be inside one of its own handlers).
void CInPlaceEdit::Close() {
    if (hasFocus() && parentWidget() != nullptr) {
        parentWidget()->setFocus(Qt::OtherFocusReason);
    }
    close();
}

void CInPlaceEdit::paintEvent(QPaintEvent* pEvent) {
    QLineEdit::paintEvent(pEvent);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
