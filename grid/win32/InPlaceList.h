#pragma once

// The core's headers before the system's (Win32Api.h renames what they share).
#include <cstdint>
#include <string>
#include <vector>
#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/GridEditWnd.h"

#include "grid/win32/EditorLink.h"
#include "platform/ColorRef.h"
#include "platform/Geometry.h"
#include "platform/win32/Win32Api.h"

// The option list a combo cell puts over itself while it is edited: a subclassed
// COMBOBOX, child of the grid window, dropped down at once. CBS_DROPDOWN has an edit
// field (subclassed too) for a text of one's own, CBS_DROPDOWNLIST offers the options
// only. The edit ends when the focus leaves the box, on Tab, Enter or Escape, or on
// Ctrl with an arrow or page key; the end is reported once, and the box then closes
// and frees itself.
class CInPlaceList final : public CEditorLink {
public:
    static constexpr int kMaxDropWidth = 200;

    // nullptr when the window cannot be made.
    static CInPlaceList* Create(CGridWnd& gridWnd, const CRect& rect, std::uint32_t dwStyle,
                                std::uint32_t nID, int nRow, int nCol, COLORREF crFore, COLORREF crBack,
                                const std::vector<std::string>& options, const std::string& strInitText,
                                std::uint32_t nFirstChar);
    // The list of the combo box; nullptr for any other window.
    static CInPlaceList* FromHandle(HWND hWnd);

    void EndEdit() override;
    void SendChar(std::uint32_t nChar) override;
    // Sizes the dropped list for the options (also each time it drops down).
    void SetDroppedWidth();

    HWND GetHwnd() const { return m_hWnd; }
    // The edit field; nullptr for a list without one.
    HWND GetEdit() const { return m_hEdit; }
    int GetDroppedWidth() const { return m_nDroppedWidth; }
    COLORREF GetTextColor() const { return m_crForeClr; }
    COLORREF GetBackColor() const { return m_crBackClr; }
    // The text the edit ends with: the option chosen, or the text typed.
    std::string GetText() const;

private:
    CInPlaceList(CGridWnd& gridWnd, HWND hWnd, const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID,
                 int nRow, int nCol, COLORREF crFore, COLORREF crBack,
                 const std::vector<std::string>& options, const std::string& strInitText,
                 std::uint32_t nFirstChar);
    ~CInPlaceList() override = default;

    static LRESULT CALLBACK ListProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam, UINT_PTR nId,
                                     DWORD_PTR pRef);
    static LRESULT CALLBACK EditProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam, UINT_PTR nId,
                                     DWORD_PTR pRef);
    LRESULT OnListMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam);
    LRESULT OnEditMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam);
    void FitFieldToCell(int nCellHeight);
    void SelectInitialText();
    void PlaceCaret(std::uint32_t nFirstChar);
    // Stores the key and hands the focus to the grid, which ends the edit.
    void EndWithKey(std::uint32_t nKey);
    // Whether the window is the box, its field or its dropped list.
    bool IsPartOfBox(HWND hWnd) const;

    HWND m_hWnd = nullptr;
    HWND m_hEdit = nullptr;
    bool m_bListOnly = false;
    std::vector<std::string> m_options;
    int m_nDroppedWidth = 0;
    // The cell's colours: kept, but the box is drawn in the system's own colours.
    COLORREF m_crForeClr = CLR_DEFAULT;
    COLORREF m_crBackClr = CLR_DEFAULT;
    bool m_bEnded = false;
};
