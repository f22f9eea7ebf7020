#include "grid/qt/TitleTip.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "platform/TickCount.h"
#include "platform/qt/Cp1252.h"
#include "platform/qt/QtColor.h"
#include "platform/qt/QtFont.h"

CTitleTip::CTitleTip(QWidget* pGridWidget)
    : QWidget(pGridWidget, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_pGridWidget(pGridWidget) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    if (pGridWidget != nullptr) {
        pGridWidget->installEventFilter(this);
    }
    m_stateWatch =
        connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive) {
                Hide();
            }
        });
}

// Nothing may reach this object while its bases take the window down.
CTitleTip::~CTitleTip() {
    QObject::disconnect(m_stateWatch);
    if (m_pGridWidget != nullptr) {
        m_pGridWidget->removeEventFilter(this);
    }
}

void CTitleTip::Show(const CRect& rectTitle, const std::string& strTitle, int xoffset, const CRect& rectHover,
                     const LOGFONT* plf, COLORREF crTextClr, COLORREF crBackClr) {
    if (m_pGridWidget == nullptr || rectTitle.IsRectEmpty() || isVisible()) {
        return;
    }
    // The grid had its Leave before the move that asks for the tip was handled: the
    // pointer is over no cell, and nothing would take the tip away again.
    if (m_bPointerLeftGrid) {
        return;
    }
    const CRect& hover = rectHover.IsRectEmpty() ? rectTitle : rectHover;
    m_rectHover = QRect(hover.left, hover.top, hover.Width() + 1, hover.Height() + 1);
    if (QApplication::focusWidget() == nullptr) {
        return;  // the program is not the one the user works in
    }
    m_strText = QLatin1Char(' ') + DecodeWindows1252(strTitle) + QLatin1Char(' ');
    m_font = plf != nullptr ? FontFromLogFont(*plf) : m_pGridWidget->font();
    const int nTextWidth = QFontMetrics(m_font).horizontalAdvance(m_strText);

    // As tall as the cell, from its left edge, as wide as the text: shown only when
    // that reaches past the cell.
    const int nLeft = rectTitle.left + xoffset;
    const int nRight = nLeft + nTextWidth + xoffset;
    if (nRight <= rectTitle.right - xoffset) {
        return;
    }
    m_crText = crTextClr != CLR_DEFAULT ? ToQColor(crTextClr) : palette().color(QPalette::ToolTipText);
    m_crBack = crBackClr != CLR_DEFAULT ? ToQColor(crBackClr) : palette().color(QPalette::ToolTipBase);
    const QPoint topLeft = m_pGridWidget->mapToGlobal(QPoint(nLeft, rectTitle.top));
    setGeometry(QRect(topLeft, QSize(nRight - nLeft, rectTitle.Height())));
    show();
    raise();
    update();
}

void CTitleTip::Hide() {
    m_bPointerOnTip = false;
    if (isVisible()) {
        hide();
    }
}

// A one-pixel border, the text from the top left corner inside it.
void CTitleTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_crBack);
    painter.setPen(m_crText);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(m_font);
    painter.drawText(rect().adjusted(1, 1, -1, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     m_strText);
}

bool CTitleTip::IsInHoverArea(const QPointF& globalPos) const {
    return m_pGridWidget != nullptr &&
           m_rectHover.contains(m_pGridWidget->mapFromGlobal(globalPos).toPoint());
}

// What the grid widget sees while the tip is up: the pointer leaving the cell, a key
// (which the grid still receives), a button or the wheel all take the tip away.
bool CTitleTip::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched != m_pGridWidget) {
        return false;
    }
    TrackPointerOnGrid(pEvent);
    if (isVisible()) {
        HideForGridEvent(pEvent);
    }
    return false;
}

// A move the tip forwards (not one from the window system) says nothing of where the
// pointer is.
void CTitleTip::TrackPointerOnGrid(const QEvent* pEvent) {
    switch (pEvent->type()) {
        case QEvent::MouseMove:
            m_lastPointer = static_cast<const QMouseEvent*>(pEvent)->globalPosition();
            if (pEvent->spontaneous()) {
                m_bPointerLeftGrid = false;
            }
            break;
        case QEvent::Enter:
            m_bPointerLeftGrid = false;
            break;
        case QEvent::Leave:
            m_bPointerLeftGrid = true;
            break;
        default:
            break;
    }
}

void CTitleTip::HideForGridEvent(const QEvent* pEvent) {
    switch (pEvent->type()) {
        case QEvent::MouseMove:
            if (!IsInHoverArea(m_lastPointer)) {
                Hide();
            }
            break;
        case QEvent::Leave:
            // The tip shows under the pointer, which thus leaves the grid for the tip:
            // that is no leaving of the cell, unless the pointer never arrives there
            // (it left the window from a cell at the grid's edge).
            if (IsInHoverArea(m_lastPointer)) {
                HideUnlessPointerStays();
            } else {
                Hide();
            }
            break;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::FocusOut:
        case QEvent::Hide:
            Hide();
            break;
        default:
            break;
    }
}

void CTitleTip::HideUnlessPointerStays() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_bPointerLeftGrid && !m_bPointerOnTip) {
                Hide();
            }
        },
        Qt::QueuedConnection);
}

void CTitleTip::enterEvent(QEnterEvent* /*pEvent*/) {
    m_bPointerOnTip = true;
}

// Back into the cell the grid takes over; anywhere else but the grid the tip goes.
void CTitleTip::leaveEvent(QEvent* /*pEvent*/) {
    m_bPointerOnTip = false;
    if (isVisible()) {
        HideUnlessPointerStays();
    }
}

QWidget* CTitleTip::WidgetUnder(const QPointF& globalPos) const {
    QWidget* pTarget = QApplication::widgetAt(globalPos.toPoint());
    return (pTarget == nullptr || pTarget == this) ? m_pGridWidget.data() : pTarget;
}

void CTitleTip::ForwardMouse(QWidget* pTarget, const QMouseEvent* pEvent, QEvent::Type type) {
    if (pTarget == nullptr) {
        return;
    }
    const QPointF globalPos = pEvent->globalPosition();
    QCoreApplication::postEvent(
        pTarget, new QMouseEvent(type, pTarget->mapFromGlobal(globalPos), globalPos, pEvent->button(),
                                 pEvent->buttons(), pEvent->modifiers()));
}

// A left press soon after the last one on the tip arrives as a double click.
void CTitleTip::ForwardPress(QMouseEvent* pEvent) {
    bool bDoubleClick = false;
    if (pEvent->button() == Qt::LeftButton) {
        const std::uint32_t nNow = CSystemTickCount().GetTickCount();
        bDoubleClick =
            nNow - m_nLastLButtonDown <= static_cast<std::uint32_t>(QApplication::doubleClickInterval());
        m_nLastLButtonDown = nNow;
    }
    Hide();
    m_pPressTarget = WidgetUnder(pEvent->globalPosition());
    ForwardMouse(m_pPressTarget, pEvent,
                 bDoubleClick ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress);
}

void CTitleTip::mousePressEvent(QMouseEvent* pEvent) {
    ForwardPress(pEvent);
}

void CTitleTip::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    ForwardPress(pEvent);
}

// Inside the cell nothing happens; elsewhere the tip goes and the move is passed on,
// to where the press went while a button is down.
void CTitleTip::mouseMoveEvent(QMouseEvent* pEvent) {
    if (isVisible() && IsInHoverArea(pEvent->globalPosition())) {
        return;
    }
    Hide();
    QWidget* pTarget =
        m_pPressTarget != nullptr ? m_pPressTarget.data() : WidgetUnder(pEvent->globalPosition());
    ForwardMouse(pTarget, pEvent, QEvent::MouseMove);
}

void CTitleTip::mouseReleaseEvent(QMouseEvent* pEvent) {
    QWidget* pTarget =
        m_pPressTarget != nullptr ? m_pPressTarget.data() : WidgetUnder(pEvent->globalPosition());
    m_pPressTarget = nullptr;
    ForwardMouse(pTarget, pEvent, QEvent::MouseButtonRelease);
}

// The wheel turns the grid, as it would with the pointer on the cell.
void CTitleTip::wheelEvent(QWheelEvent* pEvent) {
    Hide();
    if (m_pGridWidget == nullptr) {
        return;
    }
    QWheelEvent wheel(m_pGridWidget->mapFromGlobal(pEvent->globalPosition()), pEvent->globalPosition(),
                      pEvent->pixelDelta(), pEvent->angleDelta(), pEvent->buttons(), pEvent->modifiers(),
                      pEvent->phase(), pEvent->inverted());
    QCoreApplication::sendEvent(m_pGridWidget, &wheel);
}
