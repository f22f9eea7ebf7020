// The grid window: painting, scroll bars, capture, cursor, timers and the services the
// grid asks of its window. The input events are in GridWndInput.cpp.
#include "grid/qt/GridWnd.h"

#include "grid/GridCtrl.h"
#include "platform/SystemMetrics.h"
#include "platform/qt/QtDrawContext.h"

#include <QApplication>
#include <QCursor>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>

CGridWnd::CGridWnd(CGridCtrl& grid, QWidget* pParent)
    : QWidget(pParent),
      m_grid(grid),
      m_pHScroll(new QScrollBar(Qt::Horizontal, this)),
      m_pVScroll(new QScrollBar(Qt::Vertical, this)) {
    // The grid paints every pixel of what it is asked to paint: no erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // Whether a drop is taken is the grid's decision (drag and drop may be off).
    setAcceptDrops(true);
    for (QScrollBar* pBar : {m_pHScroll, m_pVScroll}) {
        pBar->hide();
        pBar->setFocusPolicy(Qt::NoFocus);
        pBar->installEventFilter(this);
    }
    connect(m_pHScroll, &QScrollBar::actionTriggered, this,
            [this](int nAction) { OnScrollAction(SB_HORZ, nAction); });
    connect(m_pVScroll, &QScrollBar::actionTriggered, this,
            [this](int nAction) { OnScrollAction(SB_VERT, nAction); });
    connect(m_pHScroll, &QScrollBar::valueChanged, this,
            [this](int nValue) { OnBarValueChanged(SB_HORZ, nValue); });
    connect(m_pVScroll, &QScrollBar::valueChanged, this,
            [this](int nValue) { OnBarValueChanged(SB_VERT, nValue); });
    m_grid.Create(this);
}

CGridWnd::~CGridWnd() {
    for (const auto& [nID, nQtTimer] : m_timers)
        killTimer(nQtTimer);
    m_grid.Create(nullptr);
}

QSize CGridWnd::sizeHint() const {
    return {480, 320};
}

void* CGridWnd::GetSafeHwnd() const {
    return static_cast<QWidget*>(const_cast<CGridWnd*>(this));
}

// --- Painting ------------------------------------------------------------------------------

void CGridWnd::Invalidate(bool /*bErase*/) {
    update();
}

void CGridWnd::InvalidateRect(const CRect& rect, bool /*bErase*/) {
    update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

CRect CGridWnd::GetClientRect() const {
    const int nRight = width() - (m_pVScroll->isHidden() ? 0 : m_pVScroll->width());
    const int nBottom = height() - (m_pHScroll->isHidden() ? 0 : m_pHScroll->height());
    return {0, 0, std::max(0, nRight), std::max(0, nBottom)};
}

std::unique_ptr<IDrawContext> CGridWnd::GetDC() {
    return std::make_unique<CQtDrawContext>(font());
}

// The grid's double-buffering switch stays readable, but nothing is painted twice for
// it: Qt paints every widget into the window's back buffer (its backing store) and
// shows the painted region at once. That buffer takes the place of the off-screen
// context: the clip box the grid paints is the paint event's rectangle, which Qt then
// copies to the screen, as the off-screen context would on going out of scope.
void CGridWnd::paintEvent(QPaintEvent* pEvent) {
    QPainter painter(this);
    painter.setFont(font());
    {
        CQtDrawContext dc(painter, pEvent->rect());
        m_grid.OnDraw(&dc);
    }
    PaintScrollCorner(painter);
    PaintDragLine(painter);
}

// X11 and Wayland offer no inverted drawing onto the screen outside a paint: the band
// that follows a divider is an overlay painted after the cells, inverting what lies
// under it where the paint engine can, else in the text colour.
void CGridWnd::PaintDragLine(QPainter& painter) const {
    if (!m_dragLine)
        return;
    if (painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(*m_dragLine, Qt::black);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
        painter.fillRect(*m_dragLine, palette().color(QPalette::Text));
    }
}

void CGridWnd::PaintScrollCorner(QPainter& painter) const {
    if (m_pHScroll->isHidden() || m_pVScroll->isHidden())
        return;
    painter.fillRect(QRect(m_pVScroll->x(), m_pHScroll->y(), m_pVScroll->width(), m_pHScroll->height()),
                     palette().color(QPalette::Window));
}

void CGridWnd::SetDragLine(const CRect* pBand) {
    if (m_dragLine)
        update(*m_dragLine);
    if (pBand == nullptr) {
        m_dragLine.reset();
        return;
    }
    m_dragLine = QRect(pBand->left, pBand->top, pBand->Width(), pBand->Height());
    update(*m_dragLine);
}

// --- Scroll bars ---------------------------------------------------------------------------

QScrollBar* CGridWnd::Bar(int nBar) const {
    return nBar == SB_VERT ? m_pVScroll : m_pHScroll;
}

// The bars are as wide as the grid reckons with (SM_CXVSCROLL, SM_CYHSCROLL).
void CGridWnd::LayOutScrollBars() {
    const int nVWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int nHHeight = GetSystemMetrics(SM_CYHSCROLL);
    const bool bBoth = !m_pHScroll->isHidden() && !m_pVScroll->isHidden();
    m_pVScroll->setGeometry(width() - nVWidth, 0, nVWidth, height() - (bBoth ? nHHeight : 0));
    m_pHScroll->setGeometry(0, height() - nHHeight, width() - (bBoth ? nVWidth : 0), nHHeight);
}

bool CGridWnd::GetScrollInfo(int nBar, SCROLLINFO* pInfo) const {
    if (pInfo == nullptr || (nBar != SB_HORZ && nBar != SB_VERT))
        return false;
    const SCROLLINFO& stored = nBar == SB_VERT ? m_vInfo : m_hInfo;
    pInfo->nMin = stored.nMin;
    pInfo->nMax = stored.nMax;
    pInfo->nPage = stored.nPage;
    pInfo->nPos = Bar(nBar)->value();
    pInfo->nTrackPos = nBar == SB_VERT ? m_nVTrackPos : m_nHTrackPos;
    return true;
}

// A scroll bar's range runs to nMax - nPage + 1 (the last position that still shows a
// full page); QScrollBar counts positions, so its maximum is that last position.
void CGridWnd::SetScrollInfo(int nBar, const SCROLLINFO& info, bool /*bRedraw*/) {
    if (nBar != SB_HORZ && nBar != SB_VERT)
        return;
    const QScopedValueRollback<bool> setting(m_bGridSetsBar, true);
    SCROLLINFO& stored = nBar == SB_VERT ? m_vInfo : m_hInfo;
    QScrollBar* pBar = Bar(nBar);
    if (info.fMask & SIF_RANGE) {
        stored.nMin = info.nMin;
        stored.nMax = info.nMax;
    }
    if (info.fMask & SIF_PAGE)
        stored.nPage = info.nPage;
    const int nPage = static_cast<int>(stored.nPage);
    const int nLast = std::max(stored.nMin, nPage > 0 ? stored.nMax - nPage + 1 : stored.nMax);
    if (info.fMask & (SIF_RANGE | SIF_PAGE)) {
        pBar->setRange(stored.nMin, nLast);
        pBar->setPageStep(std::max(1, nPage));
        // A line is what the grid scrolls by; the arrows ask it, so the step is only a hint.
        pBar->setSingleStep(1);
        pBar->setEnabled((info.fMask & SIF_DISABLENOSCROLL) == 0 || nLast > stored.nMin);
    }
    if (info.fMask & SIF_POS)
        pBar->setValue(info.nPos);
}

void CGridWnd::ShowScrollBar(int nBar, bool bShow) {
    if (nBar == SB_HORZ || nBar == SB_BOTH)
        m_pHScroll->setVisible(bShow);
    if (nBar == SB_VERT || nBar == SB_BOTH)
        m_pVScroll->setVisible(bShow);
    LayOutScrollBars();
    update();
}

// The bar has already moved its slider for the action: put it back and let the grid
// decide where the position goes (it sets it through SetScrollInfo).
void CGridWnd::OnScrollAction(int nBar, int nAction) {
    QScrollBar* pBar = Bar(nBar);
    int nCode = -1;
    switch (nAction) {
        case QAbstractSlider::SliderSingleStepAdd:
            nCode = SB_LINEDOWN;
            break;
        case QAbstractSlider::SliderSingleStepSub:
            nCode = SB_LINEUP;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            nCode = SB_PAGEDOWN;
            break;
        case QAbstractSlider::SliderPageStepSub:
            nCode = SB_PAGEUP;
            break;
        case QAbstractSlider::SliderToMinimum:
            nCode = SB_TOP;
            break;
        case QAbstractSlider::SliderToMaximum:
            nCode = SB_BOTTOM;
            break;
        case QAbstractSlider::SliderMove:
            nCode = SB_THUMBTRACK;
            (nBar == SB_VERT ? m_nVTrackPos : m_nHTrackPos) = pBar->sliderPosition();
            break;
        default:
            return;
    }
    pBar->setSliderPosition(pBar->value());
    if (nBar == SB_VERT)
        m_grid.OnVScroll(nCode);
    else
        m_grid.OnHScroll(nCode);
}

// The grid moves the bars itself, and their actions come to it through
// OnScrollAction. A bar may still move on its own: the "Scroll here" of its context
// menu sets the position straight away. That position goes to the grid as a thumb
// dropped there, so that it repaints and forgets its top-left cell.
void CGridWnd::OnBarValueChanged(int nBar, int nValue) {
    int& nKnown = nBar == SB_VERT ? m_nVKnownPos : m_nHKnownPos;
    if (m_bGridSetsBar || nValue == nKnown) {
        nKnown = nValue;
        return;
    }
    (nBar == SB_VERT ? m_nVTrackPos : m_nHTrackPos) = nValue;
    {
        const QScopedValueRollback<bool> setting(m_bGridSetsBar, true);
        Bar(nBar)->setValue(nKnown);
    }
    if (nBar == SB_VERT)
        m_grid.OnVScroll(SB_THUMBPOSITION);
    else
        m_grid.OnHScroll(SB_THUMBPOSITION);
}

void CGridWnd::PostScrollRequest(int nBar, int nCode) {
    QMetaObject::invokeMethod(
        this,
        [this, nBar, nCode]() {
            if (nBar == SB_VERT)
                m_grid.OnVScroll(nCode);
            else
                m_grid.OnHScroll(nCode);
        },
        Qt::QueuedConnection);
}

void CGridWnd::resizeEvent(QResizeEvent* /*pEvent*/) {
    LayOutScrollBars();
    m_grid.OnSize();
}
