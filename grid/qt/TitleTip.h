#pragma once

#include <cstdint>
#include <string>

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include "grid/qt/GridEditors.h"

class QMouseEvent;

// The grid's title tip: a frameless window laid over a cell whose text does not fit,
// showing the whole text. It hides as soon as the pointer leaves the cell, a key or
// button is pressed or the program loses the focus, and passes the presses that land
// on it to the window below, so that it never stands in the grid's way.
//
// It holds no mouse capture: not every platform lets a window that never takes the
// focus grab the pointer (Wayland does not). It watches the grid widget's own events
// instead, which covers the pointer outside the tip, and handles what lands on the
// tip itself. Without a capture no move reports the pointer leaving both windows, so
// their Enter and Leave events tell where it is.
class CTitleTip final : public QWidget, public ITitleTipWnd {
    Q_OBJECT

public:
    explicit CTitleTip(QWidget* pGridWidget);
    ~CTitleTip() override;

    void Show(const CRect& rectTitle, const std::string& strTitle, int xoffset, const CRect& rectHover,
              const LOGFONT* plf, COLORREF crTextClr, COLORREF crBackClr) override;
    void Hide() override;

    // The area, in the grid's client coordinates, the pointer may move in.
    const QRect& GetHoverRect() const { return m_rectHover; }
    const QString& GetTipText() const { return m_strText; }
    const QFont& GetTipFont() const { return m_font; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;
    void enterEvent(QEnterEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    bool IsInHoverArea(const QPointF& globalPos) const;
    // Follows the pointer by the grid widget's events.
    void TrackPointerOnGrid(const QEvent* pEvent);
    void HideForGridEvent(const QEvent* pEvent);
    // Once the events already on their way are handled (the Enter that goes with a
    // Leave among them): hides the tip unless the pointer is on the grid or on the tip.
    void HideUnlessPointerStays();
    // The widget under the point once the tip is out of the way; the grid for the tip.
    QWidget* WidgetUnder(const QPointF& globalPos) const;
    void ForwardPress(QMouseEvent* pEvent);
    void ForwardMouse(QWidget* pTarget, const QMouseEvent* pEvent, QEvent::Type type);

    QPointer<QWidget> m_pGridWidget;
    QMetaObject::Connection m_stateWatch;
    QRect m_rectHover;
    QString m_strText;
    QFont m_font;
    QColor m_crText;
    QColor m_crBack;
    // The last left press on the tip (ms), for a second one that makes a double click.
    std::uint32_t m_nLastLButtonDown = 0xFFFFFFFFu;
    // The pointer as the grid last saw it move (screen coordinates).
    QPointF m_lastPointer;
    // The grid had a Leave and since then no Enter or move of the pointer.
    bool m_bPointerLeftGrid = false;
    bool m_bPointerOnTip = false;
    // Where a press was passed on: the rest of that click goes there too.
    QPointer<QWidget> m_pPressTarget;
};
