#pragma once

#include <string>

#include "grid/GridCellBase.h"

class CGridCell;

// A small cell for large grids: keeps its text, user value and state, and reads
// every visual attribute and its editor from the cell at row -1 of its column.
class CGridCellLitle : public CGridCellBase {
    DECLARE_DYNCREATE(CGridCellLitle)

public:
    CGridCellLitle();
    ~CGridCellLitle() override;

    void SetText(const std::string& strText) override { m_strText = strText; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }
    void SetCoords(int /*nRow*/, int nCol) override { m_nCol = nCol; }

    const std::string* GetText() const override { return &m_strText; }
    LPARAM GetData() const override { return m_lParam; }
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    int GetImage() const override { return -1; }
    std::uint32_t GetFormat() const override;
    std::uint32_t GetMargin() const override;
    COLORREF GetTextColor() const override;
    COLORREF GetBackColor() const override;
    const LOGFONT* GetFont() const override;
    const CFont* GetFontObject() const override;
    bool IsDefaultFont() const override { return GetFont() == nullptr; }
    IGridEditWnd* GetEditWnd() const override;
    bool IsEditing() const override { return m_bEditing; }
    int GetColumn() const { return m_nCol; }

    void Reset() override;

    bool Edit(int nRow, int nCol, CRect rect, CPoint point, std::uint32_t nID, std::uint32_t nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

private:
    // The column cell this cell takes its attributes from; nullptr without a grid.
    CGridCellBase* GetColumnCell() const;

    // Ordered so that the object stays within a 64-byte block.
    LPARAM m_lParam = 0;
    std::string m_strText;
    CGridCtrl* m_pGrid = nullptr;
    int m_nCol = -1;
    bool m_bEditing = false;
};
