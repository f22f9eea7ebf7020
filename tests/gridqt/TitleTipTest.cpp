// The title tip over a widget standing in for the grid: shown only for a text that
// does not fit, gone on a key, a move out of the cell or a press, which reach the grid.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/qt/TitleTip.h"

namespace {

class CRecordingWidget : public QWidget {
public:
    using QWidget::QWidget;
    std::vector<QEvent::Type> m_events;
    QPoint m_lastPos;

protected:
    bool event(QEvent* pEvent) override {
        switch (pEvent->type()) {
            case QEvent::KeyPress:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                m_events.push_back(pEvent->type());
                if (pEvent->type() != QEvent::KeyPress) {
                    m_lastPos = static_cast<QMouseEvent*>(pEvent)->position().toPoint();
                }
                return true;
            default:
                return QWidget::event(pEvent);
        }
    }
};

class TitleTipTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.resize(300, 200);
        m_pGrid->setGeometry(0, 0, 300, 200);
        m_pGrid->setFocusPolicy(Qt::StrongFocus);
        m_pGrid->setMouseTracking(true);  // as the grid, which follows the pointer
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_pGrid->setFocus();
        m_pTipWnd = CreateTitleTipWnd(m_pGrid);
        m_pTip = dynamic_cast<CTitleTip*>(m_pTipWnd.get());
        ASSERT_NE(m_pTip, nullptr);
    }
    void ShowOverCell(const std::string& strText) {
        m_pTipWnd->Show(kCell, strText, 0, kCell, nullptr, CLR_DEFAULT, CLR_DEFAULT);
    }

    static constexpr CRect kCell{20, 40, 80, 60};
    QWidget m_window;
    CRecordingWidget* m_pGrid = new CRecordingWidget(&m_window);
    std::unique_ptr<ITitleTipWnd> m_pTipWnd;
    CTitleTip* m_pTip = nullptr;
};

TEST_F(TitleTipTest, ShownOnlyForATextThatDoesNotFit) {
    ShowOverCell("ab");
    EXPECT_FALSE(m_pTip->isVisible());
    ShowOverCell("a text much too long for its cell");
    ASSERT_TRUE(m_pTip->isVisible());
    const QRect geometry = m_pTip->geometry();
    EXPECT_EQ(geometry.topLeft(), m_pGrid->mapToGlobal(QPoint(kCell.left, kCell.top)));
    EXPECT_EQ(geometry.height(), kCell.Height());
    EXPECT_EQ(geometry.width(),
              m_pTip->fontMetrics().horizontalAdvance(" a text much too long for its cell "));
    EXPECT_EQ(m_pTip->GetHoverRect(), QRect(20, 40, 61, 21));
}

TEST_F(TitleTipTest, KeyHidesTheTipAndReachesTheGrid) {
    ShowOverCell("a text much too long for its cell");
    ASSERT_TRUE(m_pTip->isVisible());
    QTest::keyClick(m_pGrid, Qt::Key_Down);
    EXPECT_FALSE(m_pTip->isVisible());
    EXPECT_EQ(m_pGrid->m_events, std::vector<QEvent::Type>{QEvent::KeyPress});
}

TEST_F(TitleTipTest, MovingOutOfTheCellHidesTheTip) {
    ShowOverCell("a text much too long for its cell");
    QTest::mouseMove(m_pGrid, QPoint(50, 50));
    EXPECT_TRUE(m_pTip->isVisible());
    QTest::mouseMove(m_pGrid, QPoint(50, 100));
    EXPECT_FALSE(m_pTip->isVisible());
}

// Two quick presses on the tip reach the grid as a press and a double click.
TEST_F(TitleTipTest, PressesOnTheTipReachTheGrid) {
    ShowOverCell("a text much too long for its cell");
    QTest::mousePress(m_pTip, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(m_pTip->isVisible());
    QTest::mouseRelease(m_pTip, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ShowOverCell("a text much too long for its cell");
    QTest::mousePress(m_pTip, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCoreApplication::sendPostedEvents();
    const std::vector<QEvent::Type> expected{QEvent::MouseButtonPress, QEvent::MouseButtonDblClick};
    EXPECT_EQ(m_pGrid->m_events, expected);
    EXPECT_EQ(m_pGrid->m_lastPos, QPoint(kCell.left + 5, kCell.top + 5));
}

}  // namespace
