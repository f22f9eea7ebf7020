// The grid window driven through its messages, as a user's keys, clicks, wheel and
// scroll bars reach it: focus, selection, scroll bars, the divider drag, painting.
#include <gtest/gtest.h>

#include "GridTestWindow.h"
#include "platform/win32/WideCp1252.h"

namespace {

int TopRow(const CGridCtrl& grid) {
    return grid.GetTopLeftNonFixedCell().row;
}

SysSCROLLINFO BarInfo(HWND hWnd, int nBar) {
    SysSCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    EXPECT_TRUE(GetScrollInfo(hWnd, nBar, &si));
    return si;
}

TEST(GridWindow, ADialogTemplatesControlAttachesAndAsksForItsKeys) {
    CGridTestWindow window;
    EXPECT_EQ(window.m_pWnd->Grid(), &window.m_grid);
    EXPECT_EQ(window.m_grid.GetWindowHost(), window.m_pWnd);
    EXPECT_NE(GetWindowLongPtrW(window.m_hGrid, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    // The dialog's font (not the desktop's message font) is the cells' font.
    const HFONT hDialogFont = reinterpret_cast<HFONT>(SendMessageW(window.m_hDlg, WM_GETFONT, 0, 0));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(window.m_hGrid, WM_GETFONT, 0, 0)), hDialogFont);
    LOGFONTW lfDialog{};
    GetObjectW(hDialogFont, sizeof(lfDialog), &lfDialog);
    ASSERT_NE(window.m_grid.GetFont(), nullptr);
    EXPECT_EQ(window.m_grid.GetFont()->lfHeight,
              MulDiv(lfDialog.lfHeight, 96, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY)));
    EXPECT_EQ(WideFromCp1252(window.m_grid.GetFont()->lfFaceName), lfDialog.lfFaceName);

    EXPECT_EQ(SendMessageW(window.m_hGrid, WM_GETDLGCODE, 0, 0),
              DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
    window.m_grid.SetHandleTabKey(false);
    EXPECT_EQ(SendMessageW(window.m_hGrid, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);

    // Detached, the grid keeps nothing of the window; the window paints nothing of it.
    window.m_pWnd->Detach();
    EXPECT_EQ(window.m_grid.GetWindowHost(), nullptr);
    window.m_pWnd->Attach(window.m_grid);
    EXPECT_TRUE(window.m_grid.IsWindow());
}

// Counts the commands that follow clicks.
class CCommandCounter : public IGridNotifyTarget {
public:
    std::intptr_t OnGridNotify(int, NMHDR*) override { return 0; }
    void OnGridCommand(int nID) override { m_nCommands += nID == CGridTestWindow::kGridId ? 1 : 100; }
    int m_nCommands = 0;
};

TEST(GridWindow, KeysAndClicksMoveTheFocusAndSelect) {
    CGridTestWindow window(20, 5);
    CCommandCounter counter;
    window.m_grid.SetNotifyTarget(&counter, CGridTestWindow::kGridId);
    window.m_grid.SetFocusCell(1, 1);
    struct Step {
        const char* what;
        UINT nKey;
        bool bShift;
        bool bCtrl;
        CCellID focus;
        int nSelected;
    };
    const Step steps[] = {
        {"down", VK_DOWN, false, false, {2, 1}, 1},
        {"right", VK_RIGHT, false, false, {2, 2}, 1},
        {"shift+down extends", VK_DOWN, true, false, {3, 2}, 2},
        {"ctrl+end", VK_END, false, true, {19, 4}, 1},
        {"ctrl+home", VK_HOME, false, true, {1, 1}, 1},
    };
    for (const Step& step : steps) {
        CGridTestWindow::Key(window.m_hGrid, step.nKey, step.bShift, step.bCtrl);
        EXPECT_EQ(window.m_grid.GetFocusCell(), step.focus) << step.what;
        EXPECT_EQ(window.m_grid.GetSelectedCount(), step.nSelected) << step.what;
    }
    CGridTestWindow::Key(window.m_hGrid, VK_NEXT);
    EXPECT_GT(window.m_grid.GetFocusCell().row, 2) << "page down";
    EXPECT_GT(TopRow(window.m_grid), 1) << "page down scrolls";
    CGridTestWindow::Key(window.m_hGrid, VK_HOME, false, true);
    window.Click(window.CellCentre(4, 3));
    EXPECT_EQ(window.m_grid.GetFocusCell(), CCellID(4, 3));
    EXPECT_TRUE(window.m_grid.IsCellSelected(4, 3));
    EXPECT_EQ(GetFocus(), window.m_hGrid);
    window.Click(window.CellCentre(6, 3), MK_SHIFT);
    EXPECT_EQ(window.m_grid.GetSelectedCount(), 3) << "shift+click extends from the anchor";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(counter.m_nCommands, 0) << "the command comes once the click is handled";
    CGridTestWindow::Pump();
    EXPECT_EQ(counter.m_nCommands, 2);
    window.m_grid.SetNotifyTarget(nullptr, 0);
}

TEST(GridWindow, TabMovesAcrossCellsThenLeavesTheGrid) {
    CGridTestWindow window(3, 3);
    window.m_grid.SetFocusCell(1, 1);
    window.DialogKey(VK_TAB);
    EXPECT_EQ(window.m_grid.GetFocusCell(), CCellID(1, 2));
    EXPECT_EQ(GetFocus(), window.m_hGrid);
    window.DialogKey(VK_TAB);
    EXPECT_EQ(window.m_grid.GetFocusCell(), CCellID(2, 1)) << "line change";
    window.DialogKey(VK_TAB, true);
    EXPECT_EQ(window.m_grid.GetFocusCell(), CCellID(1, 2)) << "shift+tab goes back";
    for (int i = 0; i < 3; ++i) {
        window.DialogKey(VK_TAB);
    }
    EXPECT_EQ(window.m_grid.GetFocusCell(), CCellID(2, 2));
    EXPECT_EQ(GetFocus(), window.m_hOther) << "from the last cell the dialog moves on";

    SetFocus(window.m_hGrid);
    window.m_grid.SetHandleTabKey(false);
    window.m_grid.SetFocusCell(1, 1);
    window.DialogKey(VK_TAB);
    EXPECT_EQ(window.m_grid.GetFocusCell(), CCellID(1, 1)) << "Tab never reaches the grid";
    EXPECT_EQ(GetFocus(), window.m_hOther);
}

// The scroll positions live in the window's bars: every request moves the bar and the
// grid together, in 32 bits on a grid taller than 65,535 pixels (5,000 rows).
TEST(GridWindow, ScrollBarsTrackTheScrollState) {
    CGridTestWindow window(5000, 12);
    const HWND hGrid = window.m_hGrid;
    ASSERT_TRUE(window.m_grid.IsScrollBarShown(SB_VERT));
    EXPECT_TRUE(window.m_grid.IsScrollBarShown(SB_HORZ));
    EXPECT_NE(GetWindowLongPtrW(hGrid, GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(BarInfo(hGrid, SB_VERT).nMax, window.m_grid.GetScrollMax(SB_VERT));
    EXPECT_GT(window.m_grid.GetScrollMax(SB_VERT), 0xFFFF);

    struct Request {
        const char* what;
        int nCode;
        int nThumb;
    };
    const Request requests[] = {{"line down", SB_LINEDOWN, 0},
                                {"page down", SB_PAGEDOWN, 0},
                                {"line up", SB_LINEUP, 0},
                                {"bottom", SB_BOTTOM, 0},
                                {"top", SB_TOP, 0},
                                {"thumb", SB_THUMBTRACK, 4000},
                                {"end scroll", SB_ENDSCROLL, 0}};
    int nLastPos = 0;
    for (const Request& request : requests) {
        SendMessageW(hGrid, WM_VSCROLL, MAKEWPARAM(request.nCode, request.nThumb), 0);
        const int nPos = BarInfo(hGrid, SB_VERT).nPos;
        EXPECT_EQ(nPos, window.m_grid.GetScrollPosition(SB_VERT)) << request.what;
        EXPECT_EQ(window.m_grid.GetTopLeftNonFixedCell(), window.m_grid.GetTopLeftNonFixedCell(true))
            << request.what;
        if (request.nCode == SB_BOTTOM) {
            EXPECT_GT(nPos, 0xFFFF) << "a 32-bit position";
        }
        if (request.nCode == SB_THUMBTRACK) {
            EXPECT_EQ(nPos, 4000);
        }
        if (request.nCode == SB_ENDSCROLL) {
            EXPECT_EQ(nPos, nLastPos);
        }
        nLastPos = nPos;
    }
    SendMessageW(hGrid, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(BarInfo(hGrid, SB_HORZ).nPos, window.m_grid.GetScrollPosition(SB_HORZ));
    EXPECT_EQ(window.m_grid.GetTopLeftNonFixedCell().col, 2);
}

TEST(GridWindow, WheelScrollsByWholeNotches) {
    CGridTestWindow window(1000, 4);
    const int nLines = window.m_grid.GetMouseScrollLines();
    ASSERT_GT(nLines, 0);
    const int nTop = TopRow(window.m_grid);
    struct Turn {
        short nDelta;
        int nRowsDown;
    };
    const Turn turns[] = {{-120, nLines}, {-60, nLines}, {-60, 2 * nLines}, {120, nLines}};
    POINT centre = {100, 100};
    ClientToScreen(window.m_hGrid, &centre);
    for (const Turn& turn : turns) {
        SendMessageW(window.m_hGrid, WM_MOUSEWHEEL, MAKEWPARAM(0, turn.nDelta),
                     MAKELPARAM(centre.x, centre.y));
        CGridTestWindow::Pump();  // the grid posts its scroll requests
        EXPECT_EQ(TopRow(window.m_grid), nTop + turn.nRowsDown) << turn.nDelta;
    }
}

// The divider follows the pointer, held one pixel right of the column's start; losing
// the capture to another window ends the drag with the width as it was.
TEST(GridWindow, DividerDragResizesAndEndsOnCaptureLoss) {
    CGridTestWindow window(10, 4);
    const CRect header = window.CellRect(0, 1);
    const CPoint divider(header.right + 1, header.top + 5);
    const int nWidth = window.m_grid.GetColumnWidth(1);
    struct Drag {
        const char* what;
        int nToX;
        bool bLoseCapture;
        int nWidth;
    };
    const Drag drags[] = {
        {"wider", divider.x + 20, false, nWidth + 20},
        {"capture lost", divider.x + 40, true, nWidth + 20},
        {"far left", 2, false, 1},
    };
    // Over the divider the grid shows the resize cursor where the pointer is.
    POINT screen = {divider.x, divider.y};
    ClientToScreen(window.m_hGrid, &screen);
    SetCursorPos(screen.x, screen.y);
    window.Mouse(WM_MOUSEMOVE, divider);
    SendMessageW(window.m_hGrid, WM_SETCURSOR, reinterpret_cast<WPARAM>(window.m_hGrid),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32644)));  // IDC_SIZEWE
    CPoint from = divider;
    for (const Drag& drag : drags) {
        window.Mouse(WM_MOUSEMOVE, from);
        window.Mouse(WM_LBUTTONDOWN, from, MK_LBUTTON);
        EXPECT_EQ(GetCapture(), window.m_hGrid) << drag.what;
        EXPECT_EQ(window.m_grid.GetMouseMode(), MOUSE_SIZING_COL) << drag.what;
        const CPoint to(drag.nToX, from.y);
        window.Mouse(WM_MOUSEMOVE, to, MK_LBUTTON);
        if (drag.bLoseCapture) {
            SetCapture(window.m_hOther);
            ReleaseCapture();
            EXPECT_EQ(window.m_grid.GetMouseMode(), MOUSE_NOTHING) << drag.what;
        }
        window.Mouse(WM_LBUTTONUP, to);
        EXPECT_EQ(window.m_grid.GetColumnWidth(1), drag.nWidth) << drag.what;
        from = CPoint(window.CellRect(0, 1).right + 1, from.y);
    }
}

// The same picture with and without the memory context: the selected cell in the
// highlight colour, the others in the window colour; the drag line inverts what it
// covers and leaves no trace.
TEST(GridWindow, PaintsTheSameWithAndWithoutDoubleBuffering) {
    CGridTestWindow window(10, 4);
    window.m_grid.SetSelectedRange(2, 2, 2, 2);
    const CPoint selected = window.CellCentre(2, 2);
    const CPoint plain(window.CellRect(3, 2).left + 3, window.CellRect(3, 2).top + 3);
    for (const bool bBuffered : {true, false}) {
        SCOPED_TRACE(bBuffered ? "double buffered" : "direct");
        window.m_grid.SetDoubleBuffering(bBuffered);
        RedrawWindow(window.m_hGrid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(window.PixelAt(selected), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(window.PixelAt(plain), window.m_grid.GetDefaultCell(false, false)->GetBackColor());
        const CRect band(plain.x, 0, plain.x + 2, 100);
        window.m_pWnd->SetDragLine(&band);
        EXPECT_EQ(window.PixelAt(plain),
                  window.m_grid.GetDefaultCell(false, false)->GetBackColor() ^ 0xFFFFFF);
        RedrawWindow(window.m_hGrid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(window.PixelAt(plain),
                  window.m_grid.GetDefaultCell(false, false)->GetBackColor() ^ 0xFFFFFF);
        window.m_pWnd->SetDragLine(nullptr);
        EXPECT_EQ(window.PixelAt(plain), window.m_grid.GetDefaultCell(false, false)->GetBackColor());
    }
}

}  // namespace
