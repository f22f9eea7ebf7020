// The grid painted by its window through the Qt drawing context, checked by pixels:
// colours, selection and focus marks, header borders, the sort arrow, merged blocks
// and clipped text.
#include "app/QtTestApp.h"
#include "gridqt/GridWndFixture.h"
#include "platform/qt/QtDrawContext.h"

#include <QPainter>

namespace {

using GridPaint = GridWndFixture;

// Pixels of a colour inside the cell's rectangle (edges included).
int CountInCell(const QImage& image, const CRect& rect, COLORREF cr) {
    int n = 0;
    for (int y = rect.top; y <= rect.bottom; ++y)
        for (int x = rect.left; x <= rect.right; ++x)
            n += PixelAt(image, x, y) == cr ? 1 : 0;
    return n;
}

TEST_F(GridPaint, DefaultColoursSelectionAndFocus) {
    Build(6, 4, 1, 1, {800, 300});
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 4; ++c)
            m_pGrid->SetItemText(r, c, "");
    m_pGrid->SetSelectedRange(1, 1, 1, 2);
    m_pGrid->SetFocusCell(1, 2);
    const QImage image = Render();
    struct Row {
        const char* what;
        int nRow;
        int nCol;
        int dx;  // from the cell's left edge (negative: from its right edge)
        COLORREF expected;
    };
    const Row rows[] = {
        {"normal cell", 3, 2, 5, GetSysColor(COLOR_WINDOW)},
        {"fixed cell", 3, 0, 5, GetSysColor(COLOR_BTNFACE)},
        {"grid line", 3, 2, 0, RGB(0xC0, 0xC0, 0xC0)},
        {"selected cell", 1, 1, 5, GetSysColor(COLOR_HIGHLIGHT)},
        {"focus and selected cell", 1, 2, 5, GetSysColor(COLOR_HIGHLIGHT)},
        {"focus frame", 1, 2, -1, GetSysColor(COLOR_HIGHLIGHTTEXT)},
    };
    for (const Row& row : rows) {
        const CRect rect = CellRect(row.nRow, row.nCol);
        const int x = row.dx > 0 ? rect.left + row.dx : (row.dx == 0 ? rect.right : rect.left);
        EXPECT_EQ(PixelAt(image, x, (rect.top + rect.bottom) / 2), row.expected) << row.what;
    }
    const CRect last = CellRect(5, 3);
    EXPECT_EQ(PixelAt(image, last.right + 5, 5), GetSysColor(COLOR_BTNSHADOW)) << "beyond the cells";
}

TEST_F(GridPaint, ColoursFollowAPaletteChange) {
    Build(4, 3, 1, 1, {500, 200});
    m_pGrid->SetItemText(2, 1, "");
    const QPalette old = QApplication::palette();
    QPalette changed = old;
    changed.setColor(QPalette::Base, QColor(10, 200, 30));
    QApplication::setPalette(changed);
    QApplication::processEvents();  // the change reaches the widgets as a posted event
    const QImage image = Render();
    QApplication::setPalette(old);
    QApplication::processEvents();
    const CRect rect = CellRect(2, 1);
    EXPECT_EQ(PixelAt(image, rect.left + 5, (rect.top + rect.bottom) / 2), RGB(10, 200, 30));
}

TEST_F(GridPaint, FixedCellsHaveA3DBorderOnlyWithGridLines) {
    Build(4, 4);
    const CRect rect = CellRect(0, 2);
    for (const int nLines : {GVL_BOTH, GVL_NONE}) {
        m_pGrid->SetGridLines(nLines);
        const QImage image = Render();
        const bool bBorder = nLines != GVL_NONE;
        EXPECT_EQ(PixelAt(image, rect.left, rect.top + 3),
                  bBorder ? GetSysColor(COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_BTNFACE))
            << "left edge, lines " << nLines;
        EXPECT_EQ(PixelAt(image, rect.right, rect.top + 3),
                  bBorder ? GetSysColor(COLOR_3DDKSHADOW) : GetSysColor(COLOR_BTNFACE))
            << "right edge, lines " << nLines;
    }
}

TEST_F(GridPaint, SortArrowOnlyInRowZeroOfTheSortColumnAndNotWhenTooNarrow) {
    Build(4, 4);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            m_pGrid->SetItemText(r, c, "");
    const COLORREF crArrow = GetSysColor(COLOR_BTNSHADOW);
    ASSERT_NE(crArrow, GetSysColor(COLOR_3DDKSHADOW));
    m_pGrid->SetSortColumn(2);
    for (const bool bAscending : {true, false}) {
        m_pGrid->SetSortAscending(bAscending);
        const QImage image = Render();
        EXPECT_GT(CountInCell(image, CellRect(0, 2), crArrow), 0);
        EXPECT_EQ(CountInCell(image, CellRect(0, 1), crArrow), 0) << "another column";
        EXPECT_EQ(CountInCell(image, CellRect(1, 2), crArrow), 0) << "another row";
        // The triangle's base is its longest row: at the bottom when it points up.
        const CRect rect = CellRect(0, 2);
        int nWidest = 0;
        int nWidestRow = -1;
        int nFirst = -1;
        int nLast = -1;
        for (int y = rect.top; y <= rect.bottom; ++y) {
            const int n = CountInCell(image, CRect(rect.left, y, rect.right, y), crArrow);
            if (n > 0 && nFirst < 0)
                nFirst = y;
            if (n > 0)
                nLast = y;
            if (n > nWidest) {
                nWidest = n;
                nWidestRow = y;
            }
        }
        EXPECT_EQ(nWidestRow, bAscending ? nLast : nFirst) << (bAscending ? "ascending" : "descending");
    }
    m_pGrid->SetColumnWidth(2, 6);
    EXPECT_EQ(CountInCell(Render(), CellRect(0, 2), crArrow), 0) << "too narrow";
}

TEST_F(GridPaint, MergedBlockPaintsTheSameFromAnyOfItsCells) {
    Build(5, 5, 2, 1);
    m_pGrid->SetItemText(0, 1, "Merged heading");
    ASSERT_TRUE(m_pGrid->MergeFixedCells(0, 1, 1, 1, true));
    const auto drawFrom = [&](int nRow, int nCol) {
        QImage image(m_pWnd->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(m_pWnd->font());
        CQtDrawContext dc(painter, image.rect());
        EXPECT_TRUE(m_pGrid->GetCell(nRow, nCol)->Draw(&dc, nRow, nCol, CellRect(nRow, nCol), true));
        return image;
    };
    const QImage owner = drawFrom(0, 1);
    const CRect block(CellRect(0, 1).left, CellRect(0, 1).top, CellRect(1, 2).right, CellRect(1, 2).bottom);
    EXPECT_GT(CountInCell(owner, block, GetSysColor(COLOR_BTNFACE)), block.Width() * block.Height() / 2);
    for (const auto& [nRow, nCol] : {std::pair{0, 2}, {1, 1}, {1, 2}})
        EXPECT_EQ(drawFrom(nRow, nCol), owner) << "from " << nRow << "," << nCol;
}

TEST_F(GridPaint, TextIsClippedToItsCell) {
    Build(4, 4);
    m_pGrid->SetItemText(1, 2, "");
    m_pGrid->SetItemText(1, 1, std::string(60, 'W'));
    m_pGrid->SetItemFormat(1, 1, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    const QImage image = Render();
    const CRect next = CellRect(1, 2);
    const CRect inside(next.left + 1, next.top, next.right - 1, next.bottom - 1);
    EXPECT_EQ(CountInCell(image, inside, GetSysColor(COLOR_WINDOW)),
              (inside.Width() + 1) * (inside.Height() + 1));
    EXPECT_GT(CountInCell(image, CellRect(1, 1), GetSysColor(COLOR_WINDOWTEXT)), 0) << "the text is there";
}

}  // namespace
