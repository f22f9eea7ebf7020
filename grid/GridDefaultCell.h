#pragma once

#include "grid/GridCell.h"
#include "platform/Font.h"

// Carries the attributes that cells of one kind (normal, fixed row, fixed column,
// corner) inherit, plus the default row height and column width measured from its
// font. Owned by the grid; always read-only.
class CGridDefaultCell : public CGridCell {
    DECLARE_DYNCREATE(CGridDefaultCell)

public:
    CGridDefaultCell();
    ~CGridDefaultCell() override;

    void SetData(LPARAM /*lParam*/) override {}
    void SetState(std::uint32_t /*nState*/) override {}
    std::uint32_t GetState() const override { return CGridCell::GetState() | GIS_READONLY; }
    // Makes the font object and measures the default size and margin on a screen
    // context (without one: margin 3, width 40, height 16). nullptr changes nothing.
    void SetFont(const LOGFONT* plf) override;
    const LOGFONT* GetFont() const override;
    const CFont* GetFontObject() const override;

    std::uint32_t GetSpare() const { return m_dwSpare; }
    void SetSpare(std::uint32_t dwSpare) { m_dwSpare = dwSpare; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    void SetHeight(int nHeight) { m_nHeight = nHeight; }

private:
    int m_nWidth = 30;
    int m_nHeight = 10;
    CFont m_Font;
    std::uint32_t m_dwSpare = 0;
};
