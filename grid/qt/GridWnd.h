#pragma once

#include "grid/GridWindowHost.h"
#include "grid/qt/GridEditors.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtWaitCursor.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>

class CGridCtrl;
class QScrollBar;
class QDropEvent;
class QTimer;

// The window of a grid on Qt. It hosts a CGridCtrl that its owner keeps (and keeps
// alive longer than this window): it attaches itself as the grid's window host on
// construction, owns the two scroll bars in which the scroll positions live, paints
// through a drawing context on a QPainter and turns Qt's key, mouse, wheel, focus,
// resize and timer events into the grid's handlers. The in-place editors and the
// title tip are its children, made through grid/qt/GridEditors.h.
//
// Attach first, then set up rows and columns: attaching gives every existing row and
// column the default cell's size.
class CGridWnd : public QWidget, public IGridWindowHost {
    Q_OBJECT
public:
    CGridWnd(CGridCtrl& grid, QWidget* pParent = nullptr);
    ~CGridWnd() override;

    CGridWnd(const CGridWnd&) = delete;
    CGridWnd& operator=(const CGridWnd&) = delete;

    CGridCtrl& Grid() const { return m_grid; }
    QScrollBar* VerticalScrollBar() const { return m_pVScroll; }
    QScrollBar* HorizontalScrollBar() const { return m_pHScroll; }
    QSize sizeHint() const override;

    // --- IGridWindowHost -----------------------------------------------------------------
    bool IsWindow() const override { return true; }
    void* GetSafeHwnd() const override;
    void Invalidate(bool bErase = true) override;
    void InvalidateRect(const CRect& rect, bool bErase = true) override;
    CRect GetClientRect() const override;
    std::unique_ptr<IDrawContext> GetDC() override;

    bool GetScrollInfo(int nBar, SCROLLINFO* pInfo) const override;
    void SetScrollInfo(int nBar, const SCROLLINFO& info, bool bRedraw = true) override;
    void ShowScrollBar(int nBar, bool bShow) override;
    void PostScrollRequest(int nBar, int nCode) override;

    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override { return m_bCapture; }
    void SetCursor(int nCursor) override;
    void BeginWaitCursor() override { m_waitCursor.BeginWaitCursor(); }
    void EndWaitCursor() override { m_waitCursor.EndWaitCursor(); }
    CPoint GetCursorPos() const override;
    void ClipCursor(const CRect* pRect) override;
    void SetDragLine(const CRect* pBand) override;
    void SetTimer(unsigned nIDEvent, unsigned nElapse) override;
    void KillTimer(unsigned nIDEvent) override;
    void SetFocus() override;
    void PostCommandToOwner() override;
    std::uint32_t GetKeyModifiers() const override;

    void ShowTitleTip(const CRect& rectTitle, const std::string& strTitle, int xoffset,
                      const CRect& rectHover, const LOGFONT* plf, COLORREF crTextClr,
                      COLORREF crBackClr) override;
    void HideTitleTip() override;

    IClipboard* GetClipboard() const override { return &m_clipboard; }
    std::uint32_t DoDragDrop(const std::string& text, std::uint32_t dwAllowedEffects) override;

    IGridEditWnd* CreateInPlaceEdit(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID, int nRow,
                                    int nCol, const std::string& strInitText,
                                    std::uint32_t nFirstChar) override;
    IGridEditWnd* CreateInPlaceList(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID, int nRow,
                                    int nCol, COLORREF crFore, COLORREF crBack,
                                    const std::vector<std::string>& options, const std::string& strInitText,
                                    std::uint32_t nFirstChar) override;

protected:
    bool event(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;
    void enterEvent(QEnterEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dragLeaveEvent(QDragLeaveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    QScrollBar* Bar(int nBar) const;
    void LayOutScrollBars();
    void OnScrollAction(int nBar, int nAction);
    void OnBarValueChanged(int nBar, int nValue);
    void PaintDragLine(QPainter& painter) const;
    void PaintScrollCorner(QPainter& painter) const;
    // Capture taken away by the window system (focus went to another window).
    void LoseCapture();
    // The point of a mouse event, kept inside the clip rectangle while a divider is dragged.
    CPoint ClientPoint(const QMouseEvent* pEvent) const;
    bool WantsTab(const QKeyEvent* pEvent) const;
    bool IsDialogKey(const QKeyEvent* pEvent) const;
    void HandleTab(QKeyEvent* pEvent);
    // Hands typed text to the grid as Windows-1252 characters; false when none was typed.
    bool SendCharacters(const QString& text, std::uint32_t nFlags);
    void HandleWheel(int nDelta, std::uint32_t nFlags, QPoint point);
    // A drag hovering near an edge scrolls the grid a line per tick until it moves away.
    void KeepDragScrolling(QPoint point);
    void OnDragScrollTick();

    CGridCtrl& m_grid;
    QScrollBar* m_pHScroll = nullptr;
    QScrollBar* m_pVScroll = nullptr;
    // Range and page as the grid set them; the position lives in the bar itself.
    SCROLLINFO m_hInfo;
    SCROLLINFO m_vInfo;
    // Where the thumb was dragged to, for the grid's SB_THUMBTRACK handling.
    int m_nHTrackPos = 0;
    int m_nVTrackPos = 0;
    // The positions as last set, and whether the grid is setting one (a bar that
    // moves otherwise moved on its own).
    int m_nHKnownPos = 0;
    int m_nVKnownPos = 0;
    bool m_bGridSetsBar = false;

    bool m_bCapture = false;
    bool m_bGrabbed = false;
    QPoint m_lastMousePos;
    std::optional<QRect> m_clipCursor;
    std::optional<QRect> m_dragLine;
    std::map<unsigned, int> m_timers;  // grid timer id -> Qt timer id
    int m_nWheelRemainder = 0;         // wheel delta short of a whole notch
    CQtWaitCursor m_waitCursor;
    std::unique_ptr<ITitleTipWnd> m_pTitleTip;
    mutable CQtClipboard m_clipboard;
    QTimer* m_pDragScrollTimer = nullptr;
    QPoint m_dragPoint;
};
