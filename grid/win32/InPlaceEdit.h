#pragma once

// The core's headers before the system's (Win32Api.h renames what they share).
#include <cstdint>
#include <string>
#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/GridEditWnd.h"

#include "grid/win32/EditorLink.h"
#include "platform/Geometry.h"
#include "platform/win32/Win32Api.h"

// The one-line text editor a cell puts over itself while it is edited: a subclassed
// EDIT, child of the grid window. It takes the key that started the edit, grows to the
// right as the text grows, and ends on focus loss, Tab, Enter, Escape or (when started
// by a key, or with Ctrl) an arrow or page key. Then it reports once to the grid and
// frees itself; the cell only points at it.
class CInPlaceEdit final : public CEditorLink {
public:
    // nullptr when the window cannot be made. strInitText is the cell's Windows-1252
    // text; nFirstChar the key that started the edit (VK_LBUTTON for a click or F2).
    static CInPlaceEdit* Create(CGridWnd& gridWnd, const CRect& rect, std::uint32_t dwStyle,
                                std::uint32_t nID, int nRow, int nCol, const std::string& strInitText,
                                std::uint32_t nFirstChar);
    // The editor of the window; nullptr for any other window.
    static CInPlaceEdit* FromHandle(HWND hWnd);

    void EndEdit() override;
    void SendChar(std::uint32_t nChar) override;

    HWND GetHwnd() const { return m_hWnd; }
    bool GetExitOnArrows() const { return m_bExitOnArrows; }
    // The editor's place in the grid's client coordinates.
    const CRect& GetRect() const { return m_rect; }

private:
    CInPlaceEdit(CGridWnd& gridWnd, HWND hWnd, const CRect& rect, std::uint32_t nID, int nRow, int nCol,
                 const std::string& strInitText, std::uint32_t nFirstChar);
    ~CInPlaceEdit() override = default;

    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam, UINT_PTR nId,
                                         DWORD_PTR pRef);
    LRESULT OnMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam);
    void PlaceCaret(std::uint32_t nFirstChar);
    // Stores the key and hands the focus to the grid, which ends the edit.
    void EndWithKey(std::uint32_t nKey);
    void Grow();

    HWND m_hWnd = nullptr;
    CRect m_rect;
    bool m_bExitOnArrows = true;
    bool m_bEnded = false;
};
