// The title tip in the grid's window: shown only for a text that does not fit, gone
// on a key, a move out of the cell or a press, which all still reach the grid.
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "grid/qt/TitleTip.h"
#include "tests/gridqt/EditorTestSupport.h"

namespace {

class TitleTipTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.m_grid.SetItemText(2, 1, "ab");
        m_window.m_grid.SetItemText(2, 2, "a text much too long for its cell");
    }
    CTitleTip* HoverOver(int nRow, int nCol) {
        CRect rect;
        m_window.m_grid.GetCellRect(nRow, nCol, &rect);
        QTest::mouseMove(m_window.m_pGridWnd,
                         QPoint(rect.left + 4, rect.top + 4));  // a move, whatever came before
        QTest::mouseMove(m_window.m_pGridWnd, QPoint(rect.left + 5, rect.top + 5));
        return m_window.m_pGridWnd->findChild<CTitleTip*>();
    }
    CEditorWindow m_window;
};

TEST_F(TitleTipTest, ShownOnlyForATextThatDoesNotFit) {
    CTitleTip* pTip = HoverOver(2, 1);
    EXPECT_TRUE(pTip == nullptr || !pTip->isVisible());
    pTip = HoverOver(2, 2);
    ASSERT_TRUE(pTip != nullptr && pTip->isVisible());
    CRect rect;
    m_window.m_grid.GetCellRect(2, 2, &rect);
    EXPECT_EQ(pTip->geometry().topLeft(), m_window.m_pGridWnd->mapToGlobal(QPoint(rect.left, rect.top)));
    EXPECT_EQ(pTip->height(), rect.Height());
    EXPECT_EQ(pTip->width(), pTip->fontMetrics().horizontalAdvance(" a text much too long for its cell "));
    QTest::mouseMove(m_window.m_pGridWnd, QPoint(rect.left + 20, rect.top + 5));
    EXPECT_TRUE(pTip->isVisible());
    QTest::mouseMove(m_window.m_pGridWnd, QPoint(rect.left + 5, rect.bottom + 5));
    EXPECT_FALSE(pTip->isVisible());
}

TEST_F(TitleTipTest, KeyHidesTheTipAndReachesTheGrid) {
    m_window.m_grid.SetFocusCell(2, 2);
    CTitleTip* pTip = HoverOver(2, 2);
    ASSERT_TRUE(pTip->isVisible());
    QTest::keyClick(m_window.m_pGridWnd, Qt::Key_Down);
    EXPECT_FALSE(pTip->isVisible());
    EXPECT_EQ(m_window.m_grid.GetFocusCell(), CCellID(3, 2));
}

// Two quick presses on the tip reach the grid as a press and a double click, which
// starts an edit of the cell.
TEST_F(TitleTipTest, PressesOnTheTipReachTheGrid) {
    CTitleTip* pTip = HoverOver(2, 2);
    QTest::mouseClick(pTip, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(pTip->isVisible());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(m_window.m_grid.GetFocusCell(), CCellID(2, 2));
    m_window.m_pGridWnd->HideTitleTip();
    HoverOver(2, 2);
    ASSERT_TRUE(pTip->isVisible());
    QTest::mousePress(pTip, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(m_window.m_grid.m_starts, std::vector<std::uint32_t>{VK_LBUTTON});
    QTest::mouseRelease(pTip, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));  // no button left held
}

// Without a capture, Enter and Leave tell where the pointer went: from the grid onto
// the tip it stays; off both (off the tip, or out of the window from the cell) it
// goes, and a move passed on after the grid's Leave does not bring it back.
TEST_F(TitleTipTest, GoesWhenThePointerLeavesBothTheGridAndTheTip) {
    CTitleTip* pTip = HoverOver(2, 2);
    ASSERT_TRUE(pTip->isVisible());
    QEvent leave(QEvent::Leave);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), pTip->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(m_window.m_pGridWnd, &leave);
    QCoreApplication::sendEvent(pTip, &enter);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(pTip->isVisible()) << "from the grid onto the tip";
    QCoreApplication::sendEvent(pTip, &leave);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(pTip->isVisible()) << "off the tip, not into the grid";

    HoverOver(2, 2);
    ASSERT_TRUE(pTip->isVisible());
    QCoreApplication::sendEvent(m_window.m_pGridWnd, &leave);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(pTip->isVisible()) << "out of the window from the cell";
    const QPoint inCell = pTip->GetHoverRect().topLeft() + QPoint(6, 6);
    QMouseEvent move(QEvent::MouseMove, inCell, m_window.m_pGridWnd->mapToGlobal(inCell), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);  // passed on, not from the platform
    QCoreApplication::sendEvent(m_window.m_pGridWnd, &move);
    EXPECT_FALSE(pTip->isVisible());
}

}  // namespace
