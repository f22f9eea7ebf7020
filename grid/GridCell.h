#pragma once

#include <memory>
#include <string>

#include "grid/GridCellBase.h"

// The ordinary cell: stores its text and attributes; format, margin and font left
// unset (-1, -1, none) are taken from the grid's default cell on each call.
// Without a grid there is nothing to inherit from: format and margin then read 0 and
// the font none.
class CGridCell : public CGridCellBase {
    DECLARE_DYNCREATE(CGridCell)

public:
    CGridCell();
    ~CGridCell() override;

    bool SetMergeSpan(int nRowSpan, int nColSpan) override;
    int GetMergeRowSpan() const override { return m_nMergeRowSpan; }
    int GetMergeColSpan() const override { return m_nMergeColSpan; }

    void SetText(const std::string& strText) override { m_strText = strText; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetFormat(std::uint32_t nFormat) override { m_nFormat = nFormat; }
    void SetTextColor(COLORREF clr) override { m_crFgClr = clr; }
    void SetBackColor(COLORREF clr) override { m_crBkClr = clr; }
    void SetFont(const LOGFONT* plf) override;
    void SetMargin(std::uint32_t nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }

    const std::string* GetText() const override { return &m_strText; }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    std::uint32_t GetFormat() const override;
    COLORREF GetTextColor() const override { return m_crFgClr; }
    COLORREF GetBackColor() const override { return m_crBkClr; }
    const LOGFONT* GetFont() const override;
    const CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    IGridEditWnd* GetEditWnd() const override { return m_pEditWnd; }
    std::uint32_t GetMargin() const override;
    bool IsDefaultFont() const override { return m_plfFont == nullptr; }
    bool IsEditing() const override { return m_bEditing; }

    void Reset() override;

    // Draws the cell; a cell of a merged block draws the whole block with its owner's content.
    bool Draw(IDrawContext* pDC, int nRow, int nCol, CRect rect, bool bEraseBkgnd = true) override;

    bool Edit(int nRow, int nCol, CRect rect, CPoint point, std::uint32_t nID, std::uint32_t nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    // For derived cells that open their own editor.
    void SetEditing(bool bEditing, IGridEditWnd* pEditWnd) {
        m_bEditing = bEditing;
        m_pEditWnd = pEditWnd;
    }

private:
    // Laid out largest-last so that a cell with a short text fits a small heap block.
    int m_nImage = -1;
    std::uint32_t m_nFormat = 0xFFFFFFFFu;
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    std::uint32_t m_nMargin = 0xFFFFFFFFu;
    int m_nMergeRowSpan = 0;
    int m_nMergeColSpan = 0;
    LPARAM m_lParam = 0;
    bool m_bEditing = false;
    std::string m_strText;
    std::unique_ptr<LOGFONT> m_plfFont;
    CGridCtrl* m_pGrid = nullptr;
    IGridEditWnd* m_pEditWnd = nullptr;
};
