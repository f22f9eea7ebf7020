#pragma once

// The core's headers before the system's (Win32Api.h renames what they share).
#include <cstdint>
#include <string>
#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/GridEditWnd.h"

#include "grid/GridEditWnd.h"
#include "platform/Geometry.h"
#include "platform/win32/Win32Api.h"

class CGridCtrl;
class CGridWnd;

// What an in-place editor keeps of the cell it edits, and its one way back to the
// grid: a GN_ENDLABELEDIT with the row, the column, the final text and the key that
// ended the edit. An editor whose grid window goes before it could report makes its
// cell forget it instead (the grid outlives its window). The editors are subclassed
// system controls and free themselves when their window is destroyed.
class CEditorLink : public IGridEditWnd {
public:
    CEditorLink(CGridWnd& gridWnd, std::uint32_t nID, int nRow, int nCol, std::string strInitText);
    ~CEditorLink() override;
    CEditorLink(const CEditorLink&) = delete;
    CEditorLink& operator=(const CEditorLink&) = delete;

    std::uint32_t GetLastKey() const { return m_nLastKey; }
    const std::string& GetInitText() const { return m_strInitText; }
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nCol; }

protected:
    void SetLastKey(std::uint32_t nKey) { m_nLastKey = nKey; }
    HWND GridHwnd() const { return m_hGrid; }
    // The right edge of the grid's client area, without its scroll bars.
    int GridClientRight() const;
    HFONT GridFont() const;
    // Sends the notification; the grid may start the next edit from inside it.
    void ReportEndOfEdit(HWND hwndFrom, const std::string& strText);
    // Hands the keyboard to the grid; the editor's focus loss then ends the edit.
    void FocusGrid() const;

private:
    CGridWnd& m_gridWnd;
    HWND m_hGrid = nullptr;
    CGridCtrl* m_pGrid = nullptr;
    std::uint32_t m_nID = 0;
    int m_nRow = -1;
    int m_nCol = -1;
    std::string m_strInitText;
    std::uint32_t m_nLastKey = 0;
    bool m_bReported = false;
};

// Keys as the editors see them.
// VK_PRIOR, VK_NEXT and the four arrows; false for any other key.
bool IsArrowOrPageKey(WPARAM nKey);
// The character's UTF-16 text: a Windows-1252 byte below 0x100, a code point above.
std::wstring WideOfChar(std::uint32_t nChar);
// A system character message (Alt with a key, the dialog's mnemonics) the editors
// swallow while they run; in a dialog they ask for it through WM_GETDLGCODE.
LRESULT EditorDialogCode(SysLPARAM lParam, LRESULT nDefault);
// The window's text as Windows-1252 bytes, '?' for what the code page cannot hold.
std::string WindowTextCp1252(HWND hWnd);
