#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/win32/GridWnd.h"
#include "platform/win32/Win32Api.h"

// A grid that records the edits it starts (by their first key) and the ends of edit its
// editors report.
class CRecordingGrid : public CGridCtrl {
public:
    struct SEnd {
        int nRow = -1;
        int nCol = -1;
        std::string strText;
    };
    void OnEditCell(int nRow, int nCol, CPoint point, std::uint32_t nChar) override {
        m_starts.push_back(nChar);
        CGridCtrl::OnEditCell(nRow, nCol, point, nChar);
    }
    void OnEndEditCell(int nRow, int nCol, const std::string& str) override {
        m_ends.push_back({nRow, nCol, str});
        CGridCtrl::OnEndEditCell(nRow, nCol, str);
    }
    std::vector<std::uint32_t> m_starts;
    std::vector<SEnd> m_ends;
};

// A modeless dialog made from a template in memory, as the program's pages are: a grid
// window (a CONTROL of class "TovamoGrid", id 1006) and an edit box (id 1007) that can
// take the focus away. The grid is attached and then made nRows by nCols, one fixed row
// and column, columns 60 pixels wide, every cell "row,column", the grid window sized
// to nWidth by nHeight.
class CGridTestWindow {
public:
    static constexpr int kGridId = 1006;
    static constexpr int kOtherId = 1007;

    CGridTestWindow(int nRows = 6, int nCols = 4, int nWidth = 300, int nHeight = 200);
    ~CGridTestWindow();
    CGridTestWindow(const CGridTestWindow&) = delete;
    CGridTestWindow& operator=(const CGridTestWindow&) = delete;

    // Handles every message waiting, as the program's loop does.
    static void Pump();
    // A key down sent to the window with Shift and Ctrl held as asked.
    static void Key(HWND hWnd, UINT nKey, bool bShift = false, bool bCtrl = false);
    // A key down that goes the dialog's way first (IsDialogMessage), as typed.
    void DialogKey(UINT nKey, bool bShift = false);
    static void Char(HWND hWnd, wchar_t ch);
    void Click(CPoint point, WPARAM nFlags = 0) const;
    void Mouse(UINT nMsg, CPoint point, WPARAM nFlags = 0) const;

    CRect CellRect(int nRow, int nCol) const;
    CPoint CellCentre(int nRow, int nCol) const;
    CGridCellCombo* MakeCombo(int nRow, int nCol, std::vector<std::string> options, std::uint32_t dwStyle);
    // Starts an edit of the cell as the grid does for a key or a click.
    void StartEdit(int nRow, int nCol, const std::string& strText, std::uint32_t nChar);
    // The colour the screen shows at the grid window's client point.
    COLORREF PixelAt(CPoint point) const;

    CRecordingGrid m_grid;
    HWND m_hDlg = nullptr;
    HWND m_hGrid = nullptr;
    HWND m_hOther = nullptr;
    CGridWnd* m_pWnd = nullptr;
};
