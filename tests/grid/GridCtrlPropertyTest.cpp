// Random sequences of structure operations checked against a plain model of the table:
// counts, texts, fixed bits and the selected-cell map after every step.
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "grid/GridCtrl.h"

namespace {

struct Model {
    std::vector<std::vector<std::string>> texts;  // [row][col]
    int nCols = 0;
    int nFixedRows = 0;
    int nFixedCols = 0;
    std::set<std::pair<int, int>> selected;

    int Rows() const { return static_cast<int>(texts.size()); }
    void SetRows(int n) {
        if (n < nFixedRows) {
            nFixedRows = n;
        }
        std::erase_if(selected, [n](const auto& cell) { return cell.first >= n; });
        texts.resize(static_cast<std::size_t>(n), std::vector<std::string>(static_cast<std::size_t>(nCols)));
    }
    void SetCols(int n) {
        if (n < nFixedCols) {
            nFixedCols = n;
        }
        std::erase_if(selected, [n](const auto& cell) { return cell.second >= n; });
        for (auto& row : texts) {
            row.resize(static_cast<std::size_t>(n));
        }
        nCols = n;
    }
};

class GridPropertyTest : public ::testing::Test {
protected:
    int Pick(int nLow, int nHigh) { return std::uniform_int_distribution<int>(nLow, nHigh)(m_random); }

    void Step(int nStep) {
        const std::string text = "t" + std::to_string(nStep);
        const int nRows = m_model.Rows();
        const int nCols = m_model.nCols;
        switch (Pick(0, 9)) {
            case 0: {
                const int nPos = Pick(-1, nRows + 1);
                m_what = "InsertRow(" + std::to_string(nPos) + ")";
                if (nRows >= 12) {
                    return;  // keep the table small
                }
                if (nPos >= 0 && nPos < m_model.nFixedRows) {
                    EXPECT_EQ(m_grid.InsertRow(text, nPos), -1);
                    return;
                }
                const int nAt = (nPos < 0 || nPos >= nRows) ? nRows : nPos;
                EXPECT_EQ(m_grid.InsertRow(text, nPos), nAt);
                ModelInsertRow(nAt, text);
                return;
            }
            case 1: {
                const int nPos = nCols < 8 ? Pick(-1, nCols + 1) : -2;
                m_what = "InsertColumn(" + std::to_string(nPos) + ")";
                if (nPos == -2) {
                    return;
                }
                if (nPos >= 0 && (nPos < m_model.nFixedCols || nPos > nCols)) {
                    EXPECT_EQ(m_grid.InsertColumn(text, 0, nPos), -1);
                    return;
                }
                const int nAt = nPos < 0 ? nCols : nPos;
                EXPECT_EQ(m_grid.InsertColumn(text, 0, nPos), nAt);
                m_model.selected.clear();
                if (m_model.Rows() < 1) {
                    m_model.SetRows(1);
                }
                for (auto& row : m_model.texts) {
                    row.insert(row.begin() + nAt, std::string());
                }
                ++m_model.nCols;
                m_model.texts[0][static_cast<std::size_t>(nAt)] = text;
                return;
            }
            case 2: {
                const int nRow = Pick(-1, nRows);
                m_what = "DeleteRow(" + std::to_string(nRow) + ")";
                const bool bValid = nRow >= 0 && nRow < nRows;
                EXPECT_EQ(m_grid.DeleteRow(nRow), bValid);
                if (bValid) {
                    m_model.selected.clear();
                    m_model.texts.erase(m_model.texts.begin() + nRow);
                    if (nRow < m_model.nFixedRows) {
                        --m_model.nFixedRows;
                    }
                }
                return;
            }
            case 3: {
                const int nCol = Pick(-1, nCols);
                m_what = "DeleteColumn(" + std::to_string(nCol) + ")";
                const bool bValid = nCol >= 0 && nCol < nCols;
                EXPECT_EQ(m_grid.DeleteColumn(nCol), bValid);
                if (bValid) {
                    m_model.selected.clear();
                    for (auto& row : m_model.texts) {
                        row.erase(row.begin() + nCol);
                    }
                    --m_model.nCols;
                    if (nCol < m_model.nFixedCols) {
                        --m_model.nFixedCols;
                    }
                }
                return;
            }
            case 4: {
                const int n = Pick(0, 10);
                m_what = "SetRowCount(" + std::to_string(n) + ")";
                EXPECT_TRUE(m_grid.SetRowCount(n));
                m_model.SetRows(n);
                return;
            }
            case 5: {
                const int n = Pick(0, 7);
                m_what = "SetColumnCount(" + std::to_string(n) + ")";
                EXPECT_TRUE(m_grid.SetColumnCount(n));
                m_model.SetCols(n);
                return;
            }
            case 6: {
                const int n = Pick(0, 4);
                m_what = "SetFixedRowCount(" + std::to_string(n) + ")";
                EXPECT_TRUE(m_grid.SetFixedRowCount(n));
                if (n != m_model.nFixedRows) {
                    m_model.selected.clear();
                    if (n > m_model.Rows()) {
                        m_model.SetRows(n);
                    }
                    m_model.nFixedRows = n;
                }
                return;
            }
            case 7: {
                const int n = Pick(0, 3);
                m_what = "SetFixedColumnCount(" + std::to_string(n) + ")";
                EXPECT_TRUE(m_grid.SetFixedColumnCount(n));
                if (n != m_model.nFixedCols) {
                    m_model.selected.clear();
                    if (n > m_model.nCols) {
                        m_model.SetCols(n);
                    }
                    m_model.nFixedCols = n;
                }
                return;
            }
            case 8: {
                const int nRow = Pick(-1, nRows);
                const int nCol = Pick(0, nCols);
                m_what = "SetItemText(" + std::to_string(nRow) + "," + std::to_string(nCol) + ")";
                const bool bCell = nRow >= 0 && nRow < nRows && nCol < nCols;
                EXPECT_EQ(m_grid.SetItemText(nRow, nCol, text), bCell || (nRow == -1 && nCol < nCols));
                if (bCell) {
                    m_model.texts[static_cast<std::size_t>(nRow)][static_cast<std::size_t>(nCol)] = text;
                }
                return;
            }
            default: {
                const int nRow = Pick(0, nRows);
                const int nCol = Pick(0, nCols);
                m_what = "select(" + std::to_string(nRow) + "," + std::to_string(nCol) + ")";
                const bool bCell = nRow < nRows && nCol < nCols;
                EXPECT_EQ(m_grid.SetItemState(nRow, nCol, m_grid.GetItemState(nRow, nCol) | GIS_SELECTED),
                          bCell);
                if (bCell) {
                    m_model.selected.insert({nRow, nCol});
                }
                return;
            }
        }
    }

    void ModelInsertRow(int nAt, const std::string& text) {
        m_model.selected.clear();
        if (m_model.nCols < 1) {
            m_model.SetCols(1);
        }
        m_model.texts.insert(m_model.texts.begin() + nAt,
                             std::vector<std::string>(static_cast<std::size_t>(m_model.nCols)));
        m_model.texts[static_cast<std::size_t>(nAt)][0] = text;
    }

    void Check() {
        ASSERT_EQ(m_grid.GetRowCount(), m_model.Rows());
        ASSERT_EQ(m_grid.GetColumnCount(), m_model.nCols);
        ASSERT_EQ(m_grid.GetFixedRowCount(), m_model.nFixedRows);
        ASSERT_EQ(m_grid.GetFixedColumnCount(), m_model.nFixedCols);
        int nSelectedBits = 0;
        for (int nRow = 0; nRow < m_model.Rows(); ++nRow) {
            ASSERT_GE(m_grid.GetRowHeight(nRow), 0);
            for (int nCol = 0; nCol < m_model.nCols; ++nCol) {
                ASSERT_EQ(m_grid.GetItemText(nRow, nCol),
                          m_model.texts[static_cast<std::size_t>(nRow)][static_cast<std::size_t>(nCol)])
                    << nRow << "," << nCol;
                const std::uint32_t nState = m_grid.GetItemState(nRow, nCol);
                std::uint32_t nFixed = 0;
                if (nRow < m_model.nFixedRows) {
                    nFixed |= GIS_FIXED | GIS_FIXEDROW;
                }
                if (nCol < m_model.nFixedCols) {
                    nFixed |= GIS_FIXED | GIS_FIXEDCOL;
                }
                ASSERT_EQ(nState & (GIS_FIXED | GIS_FIXEDROW | GIS_FIXEDCOL), nFixed) << nRow << "," << nCol;
                const bool bSelected = (nState & GIS_SELECTED) != 0;
                ASSERT_EQ(bSelected, m_model.selected.count({nRow, nCol}) != 0) << nRow << "," << nCol;
                nSelectedBits += bSelected ? 1 : 0;
            }
        }
        for (int nCol = 0; nCol < m_model.nCols; ++nCol) {
            ASSERT_NE(m_grid.GetCell(-1, nCol), nullptr) << nCol;
            ASSERT_GE(m_grid.GetColumnWidth(nCol), 0);
        }
        ASSERT_EQ(m_grid.GetSelectedCount(), nSelectedBits);
        for (const auto& [nKey, cell] : m_grid.GetSelectedCellMap()) {
            ASSERT_EQ(nKey, CGridCtrl::CellMapKey(cell.row, cell.col));
            ASSERT_EQ(m_model.selected.count({cell.row, cell.col}), 1u) << cell.row << "," << cell.col;
        }
    }

    std::mt19937 m_random{20240611};
    CGridCtrl m_grid;
    Model m_model;
    std::string m_what;
};

TEST_F(GridPropertyTest, StructureOperationsMatchTheModel) {
    for (int nStep = 0; nStep < 4000; ++nStep) {
        Step(nStep);
        Check();
        if (HasFatalFailure() || HasNonfatalFailure()) {
            FAIL() << "after step " << nStep << ": " << m_what;
        }
    }
}

TEST_F(GridPropertyTest, StructureOperationsMatchTheModelInLightMode) {
    m_grid.SetLightCellMode();
    for (int nStep = 0; nStep < 2000; ++nStep) {
        Step(nStep);
        Check();
        if (HasFatalFailure() || HasNonfatalFailure()) {
            FAIL() << "after step " << nStep << ": " << m_what;
        }
    }
}

}  // namespace
