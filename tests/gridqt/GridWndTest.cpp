// The grid's window driven like a user would: keys, clicks, drags, the wheel and the
// scroll bars, through Qt's events on the offscreen platform.
#include "app/QtTestApp.h"
#include "grid/qt/GridWndKeys.h"
#include "gridqt/GridWndFixture.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

class GridWnd : public GridWndFixture {
protected:
    void Show() {
        m_pWnd->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pWnd.get()));
        m_pWnd->setFocus();
    }
    void Wheel(int nDelta) {
        const QPointF point = m_pWnd->rect().center();
        QWheelEvent event(point, m_pWnd->mapToGlobal(point), QPoint(), QPoint(0, nDelta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_pWnd.get(), &event);
        QApplication::processEvents();
    }
    int TopRow() const { return m_pGrid->GetTopLeftNonFixedCell().row; }
};

TEST(GridWndKeys, QtKeysAndCharactersAsTheGridKnowsThem) {
    struct Row {
        int nQtKey;
        std::uint32_t nVirtualKey;
    };
    const Row rows[] = {{Qt::Key_Backtab, VK_TAB},
                        {Qt::Key_PageDown, VK_NEXT},
                        {Qt::Key_Enter, VK_RETURN},
                        {Qt::Key_C, 'C'},
                        {Qt::Key_7, '7'},
                        {Qt::Key_F2, VK_F2},
                        {Qt::Key_Delete, VK_DELETE},
                        {Qt::Key_Meta, 0}};
    for (const Row& row : rows)
        EXPECT_EQ(VirtualKeyFromQtKey(row.nQtKey), row.nVirtualKey) << "Qt key " << row.nQtKey;
    EXPECT_EQ(InputFlags(Qt::ShiftModifier | Qt::ControlModifier, Qt::LeftButton),
              MK_SHIFT | MK_CONTROL | MK_LBUTTON);
    EXPECT_EQ(Windows1252FromCodePoint(U'a'), 'a');
    EXPECT_EQ(Windows1252FromCodePoint(U'\u00e9'), 0xE9);
    EXPECT_EQ(Windows1252FromCodePoint(U'\u20ac'), 0x80);
    EXPECT_EQ(Windows1252FromCodePoint(U'\u0100'), '?');
    EXPECT_EQ(Windows1252FromCodePoint(U'\U0001F600'), '?');
}

TEST_F(GridWnd, KeysAndClicksMoveTheFocusAndSelect) {
    Build(20, 5);
    Show();
    m_pGrid->SetFocusCell(1, 1);
    struct Step {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        CCellID focus;
        int nSelected;
    };
    const Step steps[] = {
        {"down", Qt::Key_Down, Qt::NoModifier, {2, 1}, 1},
        {"right", Qt::Key_Right, Qt::NoModifier, {2, 2}, 1},
        {"shift+down extends", Qt::Key_Down, Qt::ShiftModifier, {3, 2}, 2},
        {"ctrl+end", Qt::Key_End, Qt::ControlModifier, {19, 4}, 1},
        {"ctrl+home", Qt::Key_Home, Qt::ControlModifier, {1, 1}, 1},
    };
    for (const Step& step : steps) {
        QTest::keyClick(m_pWnd.get(), step.key, step.modifiers);
        EXPECT_EQ(m_pGrid->GetFocusCell(), step.focus) << step.what;
        EXPECT_EQ(m_pGrid->GetSelectedCount(), step.nSelected) << step.what;
    }
    QTest::mouseClick(m_pWnd.get(), Qt::LeftButton, {}, CellCentre(4, 3));
    EXPECT_EQ(m_pGrid->GetFocusCell(), CCellID(4, 3));
    EXPECT_TRUE(m_pGrid->IsCellSelected(4, 3));
    QTest::mouseClick(m_pWnd.get(), Qt::LeftButton, Qt::ShiftModifier, CellCentre(6, 3));
    EXPECT_EQ(m_pGrid->GetSelectedCount(), 3) << "shift+click extends from the anchor";
}

TEST_F(GridWnd, TabMovesAcrossCellsThenLeavesTheGrid) {
    QWidget dialog;
    auto* pLayout = new QVBoxLayout(&dialog);
    Build(3, 3);
    m_pWnd->setParent(&dialog);
    pLayout->addWidget(m_pWnd.get());
    auto* pNext = new QLineEdit(&dialog);
    pLayout->addWidget(pNext);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    m_pWnd->setFocus();
    m_pGrid->SetFocusCell(1, 1);
    QTest::keyClick(m_pWnd.get(), Qt::Key_Tab);
    EXPECT_EQ(m_pGrid->GetFocusCell(), CCellID(1, 2));
    EXPECT_TRUE(m_pWnd->hasFocus());
    QTest::keyClick(m_pWnd.get(), Qt::Key_Tab);
    EXPECT_EQ(m_pGrid->GetFocusCell(), CCellID(2, 1)) << "line change";
    QTest::keyClick(m_pWnd.get(), Qt::Key_Tab);
    QTest::keyClick(m_pWnd.get(), Qt::Key_Tab);
    EXPECT_TRUE(pNext->hasFocus()) << "from the last cell the dialog moves on";

    m_pWnd->setFocus();
    m_pGrid->SetHandleTabKey(false);
    m_pGrid->SetFocusCell(1, 1);
    QTest::keyClick(m_pWnd.get(), Qt::Key_Tab);
    EXPECT_EQ(m_pGrid->GetFocusCell(), CCellID(1, 1)) << "Tab never reaches the grid";
    EXPECT_TRUE(pNext->hasFocus());
    m_pWnd->setParent(nullptr);
}

TEST_F(GridWnd, ScrollBarsTrackTheScrollState) {
    Build(1000, 12);
    Show();
    QScrollBar* pBar = m_pWnd->VerticalScrollBar();
    ASSERT_TRUE(pBar->isVisible());
    EXPECT_TRUE(m_pWnd->HorizontalScrollBar()->isVisible());
    const CRect client = m_pWnd->GetClientRect();
    EXPECT_EQ(client.right, m_pWnd->width() - pBar->width());
    EXPECT_EQ(pBar->maximum() + pBar->pageStep() - 1, m_pGrid->GetScrollMax(SB_VERT));

    m_pGrid->SetFocusCell(1, 1);
    QTest::keyClick(m_pWnd.get(), Qt::Key_PageDown);
    EXPECT_GT(pBar->value(), 0);
    EXPECT_EQ(pBar->value(), m_pGrid->GetScrollPosition(SB_VERT));

    const int nTop = TopRow();
    pBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(TopRow(), nTop + 1) << "the arrow scrolls one row, whatever the bar's step";
    EXPECT_EQ(pBar->value(), m_pGrid->GetScrollPosition(SB_VERT));
    // The last position shows a full page, as a scroll bar's position is kept.
    pBar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(pBar->value(), pBar->maximum());
    EXPECT_EQ(m_pGrid->GetScrollPosition(SB_VERT), m_pGrid->GetScrollMax(SB_VERT) - pBar->pageStep() + 1);

    // The bar's own menu: "Scroll here" in the middle of the bar reaches the grid too.
    pBar->triggerAction(QAbstractSlider::SliderToMinimum);
    ASSERT_EQ(TopRow(), 1);
    QTimer::singleShot(0, [] {
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(pMenu, nullptr);
        pMenu->setActiveAction(pMenu->actions().value(0));
        QTest::keyClick(pMenu, Qt::Key_Return);
    });
    const QPoint middle(pBar->width() / 2, pBar->height() / 2);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, middle, pBar->mapToGlobal(middle));
    QApplication::sendEvent(pBar, &menu);
    EXPECT_GT(pBar->value(), 0);
    EXPECT_EQ(m_pGrid->GetScrollPosition(SB_VERT), pBar->value());
    const CCellID cached = m_pGrid->GetTopLeftNonFixedCell();
    m_pGrid->SetScrollPosition(SB_VERT, pBar->value());  // forgets the top-left cell
    EXPECT_EQ(cached, m_pGrid->GetTopLeftNonFixedCell()) << "the top-left cell follows the bar";
}

TEST_F(GridWnd, AWheelNotchScrollsThreeRows) {
    Build(1000, 4);
    Show();
    ASSERT_EQ(m_pGrid->GetMouseScrollLines(), 3);
    const int nTop = TopRow();
    Wheel(-120);
    EXPECT_EQ(TopRow(), nTop + 3);
    Wheel(-60);
    EXPECT_EQ(TopRow(), nTop + 3) << "half a notch waits for the rest";
    Wheel(-60);
    EXPECT_EQ(TopRow(), nTop + 6);
    Wheel(120);
    EXPECT_EQ(TopRow(), nTop + 3);
}

TEST_F(GridWnd, ADividerDragResizesAndStaysRightOfTheColumnStart) {
    Build(10, 4);
    Show();
    const CRect header = CellRect(0, 1);
    const QPoint divider(header.right + 1, header.top + 5);
    const int nWidth = m_pGrid->GetColumnWidth(1);
    QTest::mousePress(m_pWnd.get(), Qt::LeftButton, {}, divider);
    QTest::mouseMove(m_pWnd.get(), divider + QPoint(20, 0));
    QTest::mouseRelease(m_pWnd.get(), Qt::LeftButton, {}, divider + QPoint(20, 0));
    EXPECT_EQ(m_pGrid->GetColumnWidth(1), nWidth + 20);

    // Dragged far to the left, the pointer is held one pixel right of the column's start.
    const QPoint moved(header.right + 21, header.top + 5);
    QTest::mousePress(m_pWnd.get(), Qt::LeftButton, {}, moved);
    QTest::mouseMove(m_pWnd.get(), QPoint(2, header.top + 5));
    QTest::mouseRelease(m_pWnd.get(), Qt::LeftButton, {}, QPoint(2, header.top + 5));
    EXPECT_EQ(m_pGrid->GetColumnWidth(1), 1);
}

// No move comes between the clicks of a double click on a divider: the first release
// already shows the resize cursor, and the double click auto-sizes the column.
TEST_F(GridWnd, DoubleClickOnADividerAutoSizesWithoutAMove) {
    Build(10, 4);
    m_pGrid->SetColumnWidth(1, 200);
    Show();
    const CRect header = CellRect(0, 1);
    const QPoint divider(header.right + 1, header.top + 5);
    QTest::mouseClick(m_pWnd.get(), Qt::LeftButton, {}, divider);
    EXPECT_EQ(m_pWnd->cursor().shape(), Qt::SizeHorCursor);
    QTest::mouseDClick(m_pWnd.get(), Qt::LeftButton, {}, divider);
    QTest::mouseRelease(m_pWnd.get(), Qt::LeftButton, {}, divider);
    const int nWidth = m_pGrid->GetColumnWidth(1);
    EXPECT_LT(nWidth, 200);
    m_pGrid->AutoSizeColumn(1);
    EXPECT_EQ(m_pGrid->GetColumnWidth(1), nWidth);
}

}  // namespace
