// The grid window's services to the grid: capture, cursor, timers, focus, the owner's
// command, the title tip and the in-place editors.
#include "grid/GridCtrl.h"
#include "grid/qt/GridEditors.h"
#include "grid/qt/GridWnd.h"

#include <QApplication>
#include <QCursor>
#include <QTimerEvent>

// Qt already grabs the mouse for the widget a button went down on, which is when the
// grid asks for the capture; an explicit grab is taken only without a button held.
void CGridWnd::SetCapture() {
    m_bCapture = true;
    if (!m_bGrabbed && QApplication::mouseButtons() == Qt::NoButton) {
        grabMouse();
        m_bGrabbed = true;
    }
}

void CGridWnd::ReleaseCapture() {
    m_bCapture = false;
    if (m_bGrabbed) {
        releaseMouse();
        m_bGrabbed = false;
    }
}

void CGridWnd::LoseCapture() {
    if (!m_bCapture)
        return;
    ReleaseCapture();
    m_clipCursor.reset();
    m_grid.OnCaptureChanged();
}

void CGridWnd::SetCursor(int nCursor) {
    switch (nCursor) {
        case IDC_SIZENS:
            setCursor(Qt::SizeVerCursor);
            break;
        case IDC_SIZEWE:
            setCursor(Qt::SizeHorCursor);
            break;
        default:
            setCursor(Qt::ArrowCursor);
            break;
    }
}

// While the grid holds the capture every move reaches this window, so the last one is
// where the pointer is; otherwise the pointer is asked for.
CPoint CGridWnd::GetCursorPos() const {
    const QPoint point = m_bCapture ? m_lastMousePos : mapFromGlobal(QCursor::pos());
    return {point.x(), point.y()};
}

// X11 and Wayland do not confine the pointer for an ordinary window: instead the
// window keeps the positions it hands the grid inside the rectangle while a divider
// is dragged (see ClientPoint).
void CGridWnd::ClipCursor(const CRect* pRect) {
    if (pRect == nullptr)
        m_clipCursor.reset();
    else
        m_clipCursor = QRect(pRect->left, pRect->top, pRect->Width(), pRect->Height());
}

void CGridWnd::SetTimer(unsigned nIDEvent, unsigned nElapse) {
    KillTimer(nIDEvent);
    const int nQtTimer = startTimer(static_cast<int>(nElapse));
    if (nQtTimer != 0)
        m_timers[nIDEvent] = nQtTimer;
}

void CGridWnd::KillTimer(unsigned nIDEvent) {
    const auto it = m_timers.find(nIDEvent);
    if (it == m_timers.end())
        return;
    killTimer(it->second);
    m_timers.erase(it);
}

void CGridWnd::timerEvent(QTimerEvent* pEvent) {
    for (const auto& [nID, nQtTimer] : m_timers) {
        if (nQtTimer == pEvent->timerId()) {
            m_grid.OnTimer(nID);
            return;
        }
    }
    QWidget::timerEvent(pEvent);
}

void CGridWnd::SetFocus() {
    setFocus(Qt::OtherFocusReason);
}

// Arrives after the release that caused it has been handled, as a posted command does.
void CGridWnd::PostCommandToOwner() {
    QMetaObject::invokeMethod(
        this,
        [this]() {
            if (IGridNotifyTarget* pTarget = m_grid.GetNotifyTarget())
                pTarget->OnGridCommand(m_grid.GetDlgCtrlID());
        },
        Qt::QueuedConnection);
}

void CGridWnd::ShowTitleTip(const CRect& rectTitle, const std::string& strTitle, int xoffset,
                            const CRect& rectHover, const LOGFONT* plf, COLORREF crTextClr,
                            COLORREF crBackClr) {
    if (m_pTitleTip == nullptr)
        m_pTitleTip = CreateTitleTipWnd(this);
    // A cell without a font of its own shows in the grid's, not in this widget's.
    const LOGFONT* plfTip = plf != nullptr ? plf : m_grid.GetFont();
    if (m_pTitleTip != nullptr)
        m_pTitleTip->Show(rectTitle, strTitle, xoffset, rectHover, plfTip, crTextClr, crBackClr);
}

void CGridWnd::HideTitleTip() {
    if (m_pTitleTip != nullptr)
        m_pTitleTip->Hide();
}

IGridEditWnd* CGridWnd::CreateInPlaceEdit(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID,
                                          int nRow, int nCol, const std::string& strInitText,
                                          std::uint32_t nFirstChar) {
    return CreateInPlaceEditWnd(this, &m_grid, rect, dwStyle, nID, nRow, nCol, strInitText, nFirstChar);
}

IGridEditWnd* CGridWnd::CreateInPlaceList(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID,
                                          int nRow, int nCol, COLORREF crFore, COLORREF crBack,
                                          const std::vector<std::string>& options,
                                          const std::string& strInitText, std::uint32_t nFirstChar) {
    return CreateInPlaceListWnd(this, &m_grid, rect, dwStyle, nID, nRow, nCol, crFore, crBack, options,
                                strInitText, nFirstChar);
}
