// The grid window's clipboard keys on the system clipboard, and its drop target taking
// cell texts from a data object.
#include <gtest/gtest.h>

#include "GridTestWindow.h"
#include "grid/win32/GridDropTarget.h"

namespace {

// Ctrl+C, Delete and Ctrl+V in the window: the selection's bytes go out and come back,
// degree and micro signs included.
TEST(GridClipboardTest, CopyClearAndPasteThroughTheClipboard) {
    CGridTestWindow window;
    window.m_grid.SetItemText(1, 1,
                              "12 \xB0"
                              "C");
    window.m_grid.SetItemText(1, 2, "3 \xB5m");
    window.m_grid.SetFocusCell(1, 1);
    window.m_grid.SetSelectedRange(1, 1, 1, 2);
    CGridTestWindow::Key(window.m_hGrid, 'C', false, true);
    CGridTestWindow::Key(window.m_hGrid, VK_DELETE);
    EXPECT_EQ(window.m_grid.GetItemText(1, 1), "");
    window.m_grid.SetSelectedRange(3, 1, 3, 1);
    CGridTestWindow::Key(window.m_hGrid, 'V', false, true);
    EXPECT_EQ(window.m_grid.GetItemText(3, 1),
              "12 \xB0"
              "C");
    EXPECT_EQ(window.m_grid.GetItemText(3, 2), "3 \xB5m");
}

TEST(GridClipboardTest, DataObjectsCarryTheBytesBothWays) {
    const std::string text = "\x80 \x81\tline\nnext";
    IDataObject* pData = CreateCellTextDataObject(text);
    EXPECT_TRUE(HasCellText(pData));
    EXPECT_EQ(CellTextFromDataObject(pData), text);
    FORMATETC unicode = {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(pData->GetData(&unicode, &medium), S_OK);
    EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(medium.hGlobal)), L"\u20AC \u0081\tline\r\nnext");
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    pData->Release();
}

// A drop pastes at the cell under the pointer, refused over a fixed or read-only cell
// and while drag and drop is off.
TEST(GridClipboardTest, DropsPasteWhereTheGridTakesThem) {
    const struct {
        const char* pszName;
        bool bAllowed;
        int nRow, nCol;
        bool bTaken;
    } kDrops[] = {
        {"editable cell", true, 2, 1, true},
        {"fixed cell", true, 0, 1, false},
        {"read-only cell", true, 4, 1, false},
        {"drag and drop off", false, 2, 1, false},
    };
    for (const auto& drop : kDrops) {
        SCOPED_TRACE(drop.pszName);
        CGridTestWindow window;
        IDropTarget* pTarget = window.m_pWnd->GetDropTarget();
        ASSERT_NE(pTarget, nullptr);
        window.m_grid.SetDragAndDrop(drop.bAllowed);
        window.m_grid.SetItemState(4, 1, window.m_grid.GetItemState(4, 1) | GIS_READONLY);
        POINT point = {window.CellCentre(drop.nRow, drop.nCol).x, window.CellCentre(drop.nRow, drop.nCol).y};
        ClientToScreen(window.m_hGrid, &point);
        const POINTL pt = {point.x, point.y};
        IDataObject* pData = CreateCellTextDataObject("a\tb");
        DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        pTarget->DragEnter(pData, MK_LBUTTON | MK_CONTROL, pt, &dwEffect);
        EXPECT_EQ(dwEffect, drop.bTaken ? DROPEFFECT_COPY : DROPEFFECT_NONE);
        dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        pTarget->Drop(pData, 0, pt, &dwEffect);
        pData->Release();
        EXPECT_EQ(dwEffect, drop.bTaken ? DROPEFFECT_MOVE : DROPEFFECT_NONE);
        EXPECT_EQ(window.m_grid.GetItemText(drop.nRow, drop.nCol) == "a", drop.bTaken);
        EXPECT_EQ(window.m_grid.GetItemText(drop.nRow, drop.nCol + 1) == "b", drop.bTaken);
    }
}

}  // namespace
