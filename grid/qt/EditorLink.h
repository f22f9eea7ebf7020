#pragma once

#include <cstdint>
#include <string>

class CGridCtrl;
class QFont;
class QWidget;

// What an in-place editor keeps of the cell it edits, and its one way back to the
// grid: a GN_ENDLABELEDIT with the row, the column, the final text and the key that
// ended the edit. An editor that goes with the grid's window before it could report
// (the window destroyed under it) makes its cell forget it instead, as the grid
// outlives its window.
class CGridEditorLink {
public:
    CGridEditorLink(CGridCtrl* pGrid, std::uint32_t nID, int nRow, int nCol, std::string strInitText);
    virtual ~CGridEditorLink();
    CGridEditorLink(const CGridEditorLink&) = delete;
    CGridEditorLink& operator=(const CGridEditorLink&) = delete;

    std::uint32_t GetLastKey() const { return m_nLastKey; }
    const std::string& GetInitText() const { return m_strInitText; }
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nCol; }

protected:
    void SetLastKey(std::uint32_t nKey) { m_nLastKey = nKey; }
    // The right edge of the grid's client area (without its scroll bars), in the
    // coordinates of pGridWidget.
    int GridClientRight(const QWidget* pGridWidget) const;
    // The font the grid gives its cells (its SetFont), which the widget's own font need
    // not be; the widget's font for a grid without one.
    QFont GridFont(const QWidget* pGridWidget) const;
    // Sends the notification; the grid may start the next edit from inside it.
    void ReportEndOfEdit(void* hwndFrom, const std::string& strText) const;

private:
    CGridCtrl* m_pGrid = nullptr;
    std::uint32_t m_nID = 0;
    int m_nRow = -1;
    int m_nCol = -1;
    std::string m_strInitText;
    std::uint32_t m_nLastKey = 0;
    mutable bool m_bReported = false;
};
