#include "robust/RandomInput.h"

#include "grid/GridCtrl.h"
#include "grid/qt/GridWnd.h"

#include <QPushButton>
#include <QScrollBar>

#include <vector>

// Where the pointer goes.

QPoint CRandomInput::PointIn(const QWidget& window, const CGridWnd* pGrid) {
    const int n = Below(100);
    if (pGrid != nullptr && pGrid->isVisible() && pGrid->window() == &window && n < 55)
        return GridPoint(window, *pGrid);
    if (n < 75) {
        std::vector<const QWidget*> children;
        for (const QWidget* child : window.findChildren<QWidget*>())
            if (child->isVisible())
                children.push_back(child);
        const QWidget* child =
            children.empty() ? nullptr : children[Below(static_cast<int>(children.size()))];
        if (child != nullptr && (!IsCancel(child) || Chance(2)))
            return WidgetPoint(window, *child);
    }
    QPoint point(Below(window.width()), Below(window.height()));
    if (IsCancel(window.childAt(point)) && !Chance(2))
        point = {Below(window.width() / 2), Below(window.height())};  // Cancel is at the right
    return point;
}

// Cancel ends the program, which then starts again: rarely, so that most of the time
// goes to the pages.
bool CRandomInput::IsCancel(const QWidget* widget) {
    const auto* button = qobject_cast<const QPushButton*>(widget);
    return button != nullptr && button->text() == QStringLiteral("Cancel");
}

QPoint CRandomInput::WidgetPoint(const QWidget& window, const QWidget& widget) {
    return widget.mapTo(&window, QPoint(Below(widget.width()), Below(widget.height())));
}

// Somewhere in the grid, on a header divider, a cell or a scroll bar.
QPoint CRandomInput::GridPoint(const QWidget& window, const CGridWnd& grid) {
    const CGridCtrl& ctrl = grid.Grid();
    const CCellRange visible = ctrl.GetVisibleNonFixedCellRange();
    const int nRow =
        visible.IsValid() ? visible.GetMinRow() + Below(visible.GetMaxRow() - visible.GetMinRow() + 2) : 0;
    const int nCol =
        visible.IsValid() ? visible.GetMinCol() + Below(visible.GetMaxCol() - visible.GetMinCol() + 2) : 0;
    const int nKind = Below(10);
    CRect rect;
    QPoint point(Below(grid.width()), Below(grid.height()));
    if (nKind < 2 && ctrl.GetCellRect(0, nCol, &rect)) {  // a column divider in the header
        point = {rect.right + Below(5) - 2, rect.top + Below(rect.Height() + 1)};
    } else if (nKind < 3 && ctrl.GetCellRect(nRow, 0, &rect)) {  // a row divider
        point = {rect.left + Below(rect.Width() + 1), rect.bottom + Below(5) - 2};
    } else if (nKind < 4 && ctrl.GetCellRect(Chance(50) ? 0 : nRow, Chance(50) ? 0 : nCol, &rect)) {
        point = {rect.left + Below(rect.Width() + 1), rect.top + Below(rect.Height() + 1)};
    } else if (nKind < 7 && ctrl.GetCellRect(nRow, nCol, &rect)) {
        point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    } else if (nKind < 8) {
        const QScrollBar* bar = Chance(50) ? grid.VerticalScrollBar() : grid.HorizontalScrollBar();
        if (bar != nullptr && bar->isVisible())
            return WidgetPoint(window, *bar);
    }
    return grid.mapTo(&window, point);
}

QPoint CRandomInput::DragStep(const QWidget& window, QPoint from) {
    const int n = Below(100);
    if (n < 30)
        return from + QPoint(Below(3) - 1, Below(3) - 1);
    if (n < 60)
        return from + QPoint(Below(121) - 60, Below(121) - 60);
    if (n < 85)
        return {Below(window.width()), Below(window.height())};
    // Beyond an edge of the window, where the grid scrolls towards the pointer.
    return {Chance(50) ? -Below(60) : window.width() - 1, Chance(50) ? -Below(60) : window.height() - 1};
}
