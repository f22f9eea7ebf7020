#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grid/GridCell.h"

// Combo box styles: with an edit field plus list, or a list only.
inline constexpr std::uint32_t CBS_DROPDOWN = 2;
inline constexpr std::uint32_t CBS_DROPDOWNLIST = 3;
// The bits of a style that choose between the two.
inline constexpr std::uint32_t kComboKindMask = 0x3u;

// A cell whose value is chosen from a list of options (the editor is an in-place
// option list opened by the grid's window).
class CGridCellCombo : public CGridCell {
    DECLARE_DYNCREATE(CGridCellCombo)

public:
    CGridCellCombo();
    ~CGridCellCombo() override;

    void SetOptions(const std::vector<std::string>& ar) { m_Strings = ar; }
    const std::vector<std::string>& GetOptions() const { return m_Strings; }
    void SetStyle(std::uint32_t dwStyle) { m_dwStyle = dwStyle; }
    std::uint32_t GetStyle() const { return m_dwStyle; }

    IGridEditWnd* GetEditWnd() const override;
    // The drop-down button on the focused, non-fixed cell; while the list is open the
    // cell shows no text of its own, so only the list shows the value.
    bool Draw(IDrawContext* pDC, int nRow, int nCol, CRect rect, bool bEraseBkgnd = true) override;
    CSize GetCellExtent(IDrawContext* pDC) override;
    bool Edit(int nRow, int nCol, CRect rect, CPoint point, std::uint32_t nID, std::uint32_t nChar) override;
    // A list without an edit field holds one of its options and nothing else (a pasted
    // text included); an empty list or a field accepts any text.
    bool ValidateEdit(const std::string& str) override;
    void EndEdit() override;

private:
    bool HasEditField() const;

    std::vector<std::string> m_Strings;
    std::uint32_t m_dwStyle = CBS_DROPDOWN;
};
