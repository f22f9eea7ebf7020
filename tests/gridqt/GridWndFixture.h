#pragma once

#include "grid/GridCtrl.h"
#include "grid/qt/GridWnd.h"
#include "platform/qt/QtColor.h"
#include "platform/qt/QtSystemMetrics.h"

#include <QImage>
#include <QPoint>

#include <gtest/gtest.h>

#include <memory>
#include <string>

inline COLORREF PixelAt(const QImage& image, int x, int y) {
    return ToColorRef(image.pixelColor(x, y));
}

// A grid in its real window on the offscreen platform, with the desktop's system
// metrics installed before the grid reads them. Every cell holds "row,column" unless
// a test says otherwise.
class GridWndFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetSystemMetrics(&m_metrics);
        m_pGrid = std::make_unique<CGridCtrl>();
        m_pWnd = std::make_unique<CGridWnd>(*m_pGrid);
    }
    void TearDown() override {
        m_pWnd.reset();
        m_pGrid.reset();
        SetSystemMetrics(nullptr);
    }

    void Build(int nRows, int nCols, int nFixedRows = 1, int nFixedCols = 1, QSize size = {400, 300}) {
        m_pGrid->SetRowCount(nRows);
        m_pGrid->SetColumnCount(nCols);
        m_pGrid->SetFixedRowCount(nFixedRows);
        m_pGrid->SetFixedColumnCount(nFixedCols);
        for (int r = 0; r < nRows && r < 200; ++r)
            for (int c = 0; c < nCols; ++c)
                m_pGrid->SetItemText(r, c, std::to_string(r) + "," + std::to_string(c));
        m_pWnd->resize(size);
        m_pGrid->ResetScrollBars();
    }

    // The window as it paints itself.
    QImage Render() const {
        QImage image(m_pWnd->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        m_pWnd->render(&image);
        return image;
    }

    CRect CellRect(int nRow, int nCol) const {
        CRect rect;
        EXPECT_TRUE(m_pGrid->GetCellRect(nRow, nCol, &rect)) << nRow << "," << nCol;
        return rect;
    }
    QPoint CellCentre(int nRow, int nCol) const {
        const CRect rect = CellRect(nRow, nCol);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    CQtSystemMetrics m_metrics;
    std::unique_ptr<CGridCtrl> m_pGrid;
    std::unique_ptr<CGridWnd> m_pWnd;
};
