// The grid window as a drag source and drop target: Qt's drag events turned into the
// grid's drop handling, with the cell texts carried as CellTextMime.h describes.
#include "grid/GridCtrl.h"
#include "grid/qt/GridWnd.h"
#include "grid/qt/GridWndKeys.h"
#include "platform/qt/CellTextMime.h"

#include <QDrag>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

namespace {

// Ticks of the auto-scroll while a drag hovers near an edge.
constexpr int kDragScrollInterval = 50;

Qt::DropAction ActionOf(std::uint32_t dwEffect) {
    if (dwEffect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    return (dwEffect & DROPEFFECT_COPY) ? Qt::CopyAction : Qt::IgnoreAction;
}

std::uint32_t EffectOf(Qt::DropAction action) {
    switch (action) {
        case Qt::MoveAction:
        case Qt::TargetMoveAction:
            return DROPEFFECT_MOVE;
        case Qt::CopyAction:
            return DROPEFFECT_COPY;
        default:
            return DROPEFFECT_NONE;
    }
}

CPoint PointOf(const QDropEvent* pEvent) {
    const QPoint point = pEvent->position().toPoint();
    return {point.x(), point.y()};
}

std::uint32_t KeyStateOf(const QDropEvent* pEvent) {
    return InputFlags(pEvent->modifiers(), pEvent->buttons());
}

// The cell under the pointer decides; a refusal keeps the moves coming so that the
// next cell can still say yes.
void Answer(QDragMoveEvent* pEvent, std::uint32_t dwEffect) {
    if (dwEffect == DROPEFFECT_NONE) {
        pEvent->setDropAction(Qt::IgnoreAction);
        pEvent->ignore();
        return;
    }
    pEvent->setDropAction(ActionOf(dwEffect));
    pEvent->accept();
}

}  // namespace

std::uint32_t CGridWnd::DoDragDrop(const std::string& text, std::uint32_t dwAllowedEffects) {
    auto* pDrag = new QDrag(this);
    pDrag->setMimeData(CreateCellTextMimeData(text));
    Qt::DropActions actions;
    if (dwAllowedEffects & DROPEFFECT_COPY)
        actions |= Qt::CopyAction;
    if (dwAllowedEffects & DROPEFFECT_MOVE)
        actions |= Qt::MoveAction;
    return EffectOf(pDrag->exec(actions, Qt::MoveAction));
}

// Entered at all only with text and drag and drop allowed: refused there, no moves follow.
void CGridWnd::dragEnterEvent(QDragEnterEvent* pEvent) {
    const bool bHasText = HasCellText(pEvent->mimeData());
    const std::uint32_t dwEffect = m_grid.OnDragEnter(bHasText, KeyStateOf(pEvent), PointOf(pEvent));
    if (!bHasText || !m_grid.GetDragAndDrop()) {
        pEvent->ignore();
        return;
    }
    pEvent->accept();
    pEvent->setDropAction(dwEffect == DROPEFFECT_NONE ? Qt::IgnoreAction : ActionOf(dwEffect));
}

void CGridWnd::dragMoveEvent(QDragMoveEvent* pEvent) {
    const bool bHasText = HasCellText(pEvent->mimeData());
    Answer(pEvent, m_grid.OnDragOver(bHasText, KeyStateOf(pEvent), PointOf(pEvent)));
    if (bHasText && m_grid.GetDragAndDrop())
        KeepDragScrolling(pEvent->position().toPoint());
}

void CGridWnd::dragLeaveEvent(QDragLeaveEvent* pEvent) {
    if (m_pDragScrollTimer != nullptr)
        m_pDragScrollTimer->stop();
    m_grid.OnDragLeave();
    pEvent->accept();
}

void CGridWnd::dropEvent(QDropEvent* pEvent) {
    if (m_pDragScrollTimer != nullptr)
        m_pDragScrollTimer->stop();
    const std::optional<std::string> text = CellTextFromMimeData(pEvent->mimeData());
    const std::uint32_t dwEffect = (KeyStateOf(pEvent) & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    if (!m_grid.OnDrop(text ? &*text : nullptr, dwEffect, PointOf(pEvent))) {
        pEvent->ignore();
        return;
    }
    pEvent->setDropAction(ActionOf(dwEffect));
    pEvent->accept();
}

void CGridWnd::KeepDragScrolling(QPoint point) {
    m_dragPoint = point;
    if (m_pDragScrollTimer == nullptr) {
        m_pDragScrollTimer = new QTimer(this);
        m_pDragScrollTimer->setInterval(kDragScrollInterval);
        connect(m_pDragScrollTimer, &QTimer::timeout, this, &CGridWnd::OnDragScrollTick);
    }
    if (!m_pDragScrollTimer->isActive())
        m_pDragScrollTimer->start();
}

// The cells moved under a pointer that stayed: the highlight follows them.
void CGridWnd::OnDragScrollTick() {
    const CPoint point(m_dragPoint.x(), m_dragPoint.y());
    if (!m_grid.OnDragScroll(point)) {
        m_pDragScrollTimer->stop();
        return;
    }
    m_grid.OnDragOver(true, InputFlags(QGuiApplication::keyboardModifiers()), point);
}
