// The title tip over the grid window: shown only for a text that does not fit, gone on
// a key, a move out of the cell or the pointer leaving the window; the pointer passes
// through it to the grid.
#include <gtest/gtest.h>

#include "GridTestWindow.h"
#include "grid/win32/TitleTip.h"

namespace {

class TitleTipTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.m_grid.SetItemText(2, 1, "ab");
        m_window.m_grid.SetItemText(2, 2, "a text much too long for its cell");
    }
    CTitleTip* HoverOver(int nRow, int nCol) {
        const CRect rect = m_window.CellRect(nRow, nCol);
        m_window.Mouse(WM_MOUSEMOVE, CPoint(rect.left + 4, rect.top + 4));
        m_window.Mouse(WM_MOUSEMOVE, CPoint(rect.left + 5, rect.top + 5));
        return m_window.m_pWnd->GetTitleTip();
    }
    CGridTestWindow m_window;
};

TEST_F(TitleTipTest, ShownOnlyForATextThatDoesNotFit) {
    CTitleTip* pTip = HoverOver(2, 1);
    ASSERT_NE(pTip, nullptr);
    EXPECT_FALSE(pTip->IsVisible());
    pTip = HoverOver(2, 2);
    ASSERT_TRUE(pTip->IsVisible());
    const CRect rect = m_window.CellRect(2, 2);
    POINT topLeft = {rect.left, rect.top};
    ClientToScreen(m_window.m_hGrid, &topLeft);
    RECT rcTip{};
    GetWindowRect(pTip->GetHwnd(), &rcTip);
    EXPECT_EQ(rcTip.left, topLeft.x);
    EXPECT_EQ(rcTip.top, topLeft.y);
    EXPECT_EQ(rcTip.bottom - rcTip.top, rect.Height());
    EXPECT_GT(rcTip.right - rcTip.left, rect.Width());
    EXPECT_EQ(pTip->GetTipText(), L" a text much too long for its cell ");
    EXPECT_EQ(SendMessageW(pTip->GetHwnd(), WM_NCHITTEST, 0, 0), HTTRANSPARENT) << "the pointer goes through";

    m_window.Mouse(WM_MOUSEMOVE, CPoint(rect.left + 20, rect.top + 5));
    EXPECT_TRUE(pTip->IsVisible()) << "still in the cell";
    m_window.Mouse(WM_MOUSEMOVE, CPoint(rect.left + 5, rect.bottom + 5));
    EXPECT_FALSE(pTip->IsVisible()) << "out of the cell";
}

TEST_F(TitleTipTest, GoesOnAKeyAButtonOrWhenThePointerLeaves) {
    const struct {
        const char* pszName;
        UINT nMsg;
        WPARAM wParam;
    } kWays[] = {
        {"key, which still moves the focus", WM_KEYDOWN, VK_DOWN},
        {"right button", WM_RBUTTONDOWN, MK_RBUTTON},
        {"pointer left the window", WM_MOUSELEAVE, 0},
        {"focus lost", WM_KILLFOCUS, 0},
    };
    for (const auto& way : kWays) {
        SCOPED_TRACE(way.pszName);
        m_window.m_grid.SetFocusCell(2, 2);
        CTitleTip* pTip = HoverOver(2, 2);
        ASSERT_TRUE(pTip->IsVisible());
        SendMessageW(m_window.m_hGrid, way.nMsg, way.wParam, 0);
        EXPECT_FALSE(pTip->IsVisible());
        if (way.nMsg == WM_KEYDOWN) {
            EXPECT_EQ(m_window.m_grid.GetFocusCell(), CCellID(3, 2));
        }
    }
}

// A cell without a font of its own shows its tip in the grid's font.
TEST_F(TitleTipTest, TakesTheGridsFont) {
    LOGFONT lf;
    lf.lfHeight = -23;
    SetFaceName(lf, "Arial");
    m_window.m_grid.SetFont(&lf);
    m_window.m_grid.SetRowHeight(2, 30);
    CTitleTip* pTip = HoverOver(2, 2);
    ASSERT_TRUE(pTip->IsVisible());
    LOGFONTW lfw{};
    GetObjectW(pTip->GetTipFont(), sizeof(lfw), &lfw);
    EXPECT_EQ(lfw.lfHeight, MulDiv(-23, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 96));
}

}  // namespace
