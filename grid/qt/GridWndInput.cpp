// The grid window's input: Qt's key, mouse, wheel, focus and change events turned
// into the grid's handlers.
#include "grid/GridCtrl.h"
#include "grid/qt/GridWnd.h"
#include "grid/qt/GridWndKeys.h"

#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

// One notch of a wheel: high-resolution wheels send parts of it.
constexpr int kWheelDelta = 120;

bool IsTabKey(const QKeyEvent* pEvent) {
    return pEvent->key() == Qt::Key_Tab || pEvent->key() == Qt::Key_Backtab;
}

// The characters a key produces that reach the grid as characters: the printable ones
// and the control keys that Windows turns into characters too (Backspace, Tab, Enter,
// Escape); not Delete, which Qt also reports as a character.
bool IsCharacter(char32_t c) {
    return c >= 0x20 ? c != 0x7F : (c == '\b' || c == '\t' || c == '\r' || c == 0x1B);
}

}  // namespace

// --- Keys ----------------------------------------------------------------------------------

bool CGridWnd::WantsTab(const QKeyEvent* pEvent) const {
    return (m_grid.OnGetDlgCode(InputFlags(pEvent->modifiers())) & DLGC_WANTTAB) != 0;
}

// Inside a dialog, Enter and Escape belong to the dialog (default button, cancel), as
// the grid asks for arrows, Tab and characters only.
bool CGridWnd::IsDialogKey(const QKeyEvent* pEvent) const {
    const int nKey = pEvent->key();
    const bool bDialogKey = nKey == Qt::Key_Return || nKey == Qt::Key_Enter || nKey == Qt::Key_Escape;
    return bDialogKey && qobject_cast<QDialog*>(window()) != nullptr;
}

// Tab reaches keyPressEvent instead of moving the focus when the grid handles it.
bool CGridWnd::event(QEvent* pEvent) {
    switch (pEvent->type()) {
        case QEvent::KeyPress: {
            auto* pKey = static_cast<QKeyEvent*>(pEvent);
            if (IsTabKey(pKey) && WantsTab(pKey)) {
                keyPressEvent(pKey);
                return true;
            }
            break;
        }
        case QEvent::ApplicationFontChange:
        case QEvent::ThemeChange:
            m_grid.OnSettingChange();
            break;
        // The colours come from the application's palette, which need not change this
        // widget's own (a PaletteChange may not follow).
        case QEvent::ApplicationPaletteChange:
            m_grid.OnSysColorChange();
            break;
        default:
            break;
    }
    return QWidget::event(pEvent);
}

void CGridWnd::HandleTab(QKeyEvent* pEvent) {
    const bool bShift = pEvent->key() == Qt::Key_Backtab || (pEvent->modifiers() & Qt::ShiftModifier);
    if (!WantsTab(pEvent)) {
        pEvent->ignore();
        return;
    }
    const std::uint32_t nFlags = InputFlags(pEvent->modifiers()) | (bShift ? MK_SHIFT : 0);
    // From the last cell (or the first, backwards) the grid lets the dialog move on.
    if (!m_grid.OnKeyDown(VK_TAB, nFlags))
        focusNextPrevChild(!bShift);
}

bool CGridWnd::SendCharacters(const QString& text, std::uint32_t nFlags) {
    bool bSent = false;
    for (const char32_t codePoint : text.toUcs4()) {
        if (!IsCharacter(codePoint))
            continue;
        m_grid.OnChar(Windows1252FromCodePoint(codePoint), nFlags);
        bSent = true;
    }
    return bSent;
}

void CGridWnd::keyPressEvent(QKeyEvent* pEvent) {
    if (IsDialogKey(pEvent)) {
        pEvent->ignore();
        return;
    }
    if (IsTabKey(pEvent)) {
        HandleTab(pEvent);
        return;
    }
    const std::uint32_t nFlags = InputFlags(pEvent->modifiers());
    const std::uint32_t nKey = VirtualKeyFromQtKey(pEvent->key());
    const bool bHandled = nKey != 0 && m_grid.OnKeyDown(nKey, nFlags);
    const bool bTyped = SendCharacters(pEvent->text(), nFlags);
    pEvent->setAccepted(bHandled || bTyped);
}

// --- Mouse ---------------------------------------------------------------------------------

CPoint CGridWnd::ClientPoint(const QMouseEvent* pEvent) const {
    QPoint point = pEvent->position().toPoint();
    const int nMode = m_grid.GetMouseMode();
    if (m_clipCursor && (nMode == MOUSE_SIZING_COL || nMode == MOUSE_SIZING_ROW)) {
        const QRect& clip = *m_clipCursor;
        point.setX(std::max(clip.left(), std::min(point.x(), clip.right())));
        point.setY(std::max(clip.top(), std::min(point.y(), clip.bottom())));
    }
    return {point.x(), point.y()};
}

void CGridWnd::mousePressEvent(QMouseEvent* pEvent) {
    m_lastMousePos = pEvent->position().toPoint();
    if (pEvent->button() == Qt::LeftButton)
        m_grid.OnLButtonDown(InputFlags(pEvent->modifiers(), pEvent->buttons()), ClientPoint(pEvent));
}

void CGridWnd::mouseMoveEvent(QMouseEvent* pEvent) {
    m_lastMousePos = pEvent->position().toPoint();
    const CPoint point = ClientPoint(pEvent);
    // The cursor follows what is under the pointer, except while the grid holds the
    // capture (a divider being dragged keeps its cursor).
    if (!m_bCapture && !m_grid.OnSetCursor(point))
        unsetCursor();
    m_grid.OnMouseMove(InputFlags(pEvent->modifiers(), pEvent->buttons()), point);
}

void CGridWnd::mouseReleaseEvent(QMouseEvent* pEvent) {
    m_lastMousePos = pEvent->position().toPoint();
    const std::uint32_t nFlags = InputFlags(pEvent->modifiers(), pEvent->buttons());
    if (pEvent->button() == Qt::LeftButton)
        m_grid.OnLButtonUp(nFlags, ClientPoint(pEvent));
    else if (pEvent->button() == Qt::RightButton)
        m_grid.OnRButtonUp(nFlags, ClientPoint(pEvent));
}

void CGridWnd::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    m_lastMousePos = pEvent->position().toPoint();
    if (pEvent->button() == Qt::LeftButton)
        m_grid.OnLButtonDblClk(InputFlags(pEvent->modifiers(), pEvent->buttons()), ClientPoint(pEvent));
}

void CGridWnd::enterEvent(QEnterEvent* pEvent) {
    const QPoint point = pEvent->position().toPoint();
    if (!m_bCapture && !m_grid.OnSetCursor(CPoint(point.x(), point.y())))
        unsetCursor();
    QWidget::enterEvent(pEvent);
}

void CGridWnd::HandleWheel(int nDelta, std::uint32_t nFlags, QPoint point) {
    if ((nDelta > 0) != (m_nWheelRemainder > 0))
        m_nWheelRemainder = 0;
    m_nWheelRemainder += nDelta;
    const int nNotches = m_nWheelRemainder / kWheelDelta;
    if (nNotches == 0)
        return;
    m_nWheelRemainder -= nNotches * kWheelDelta;
    m_grid.OnMouseWheel(nFlags, nNotches * kWheelDelta, CPoint(point.x(), point.y()));
}

void CGridWnd::wheelEvent(QWheelEvent* pEvent) {
    const int nDelta = pEvent->angleDelta().y();
    if (nDelta == 0) {
        pEvent->ignore();
        return;
    }
    HandleWheel(nDelta, InputFlags(pEvent->modifiers(), pEvent->buttons()), pEvent->position().toPoint());
}

// A wheel over a scroll bar scrolls the grid by its own rule, not by the bar's steps.
bool CGridWnd::eventFilter(QObject* pWatched, QEvent* pEvent) {
    auto* pBar = qobject_cast<QScrollBar*>(pWatched);
    if (pEvent->type() == QEvent::Wheel && (pBar == m_pHScroll || pBar == m_pVScroll) && pBar != nullptr) {
        auto* pWheel = static_cast<QWheelEvent*>(pEvent);
        const QPoint point = pBar->mapTo(this, pWheel->position().toPoint());
        if (pWheel->angleDelta().y() != 0)
            HandleWheel(pWheel->angleDelta().y(), InputFlags(pWheel->modifiers(), pWheel->buttons()), point);
        return true;
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

// --- Focus and changes -----------------------------------------------------------------------

void CGridWnd::focusInEvent(QFocusEvent* pEvent) {
    update();
    QWidget::focusInEvent(pEvent);
}

// Another window taking the focus takes the mouse too: the grid hears that it lost it.
void CGridWnd::focusOutEvent(QFocusEvent* pEvent) {
    if (pEvent->reason() == Qt::ActiveWindowFocusReason || pEvent->reason() == Qt::PopupFocusReason)
        LoseCapture();
    update();
    QWidget::focusOutEvent(pEvent);
}

void CGridWnd::hideEvent(QHideEvent* pEvent) {
    LoseCapture();
    QWidget::hideEvent(pEvent);
}

void CGridWnd::changeEvent(QEvent* pEvent) {
    switch (pEvent->type()) {
        case QEvent::PaletteChange:
            m_grid.OnSysColorChange();
            break;
        case QEvent::StyleChange:
            // The bars' width may differ in the new style.
            LayOutScrollBars();
            m_grid.OnSysColorChange();
            m_grid.ResetScrollBars();
            break;
        default:
            break;
    }
    QWidget::changeEvent(pEvent);
}
