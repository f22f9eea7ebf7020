// The grid as a text file: one line per row, the cells joined by a separator the caller
// chooses, written as they are (no quoting). Loading rebuilds the grid from such a file,
// the first line giving the columns and their headings.
#include <cstring>
#include <new>

#include "grid/GridCtrl.h"
#include "grid/GridText.h"
#include "grid/GridTextFile.h"
#include "platform/MessageBox.h"

namespace {
void Report(IMessageBox* pMessageBox, const std::string& text, const std::string& detail = {}) {
    if (pMessageBox == nullptr) {
        return;
    }
    try {
        pMessageBox->ShowMessage(text, detail);
    } catch (const std::bad_alloc&) {
    }
}
}  // namespace

std::string CGridCtrl::GetGridText(char chSeparator) const {
    std::string text;
    const int nCols = m_nCols;
    for (int nRow = 0; nRow < m_nRows; ++nRow) {
        for (int nCol = 0; nCol < nCols; ++nCol) {
            text += GetItemText(nRow, nCol);
            text += nCol + 1 < nCols ? chSeparator : '\n';
        }
    }
    return text;
}

bool CGridCtrl::Save(const std::string& strFileName, char chSeparator) {
    try {
        if (WriteGridTextFile(strFileName, GetGridText(chSeparator)) == 0) {
            return true;
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return false;
    }
    Report(m_pMessageBox, "Unable to save grid list");
    return false;
}

// A file that cannot be opened leaves the grid as it was and is reported with the
// system's own words; one that cannot be read to its end leaves it too.
bool CGridCtrl::Load(const std::string& strFileName, char chSeparator) {
    if (m_bVirtualMode) {
        return false;
    }
    try {
        const SGridTextRead file = ReadGridTextFile(strFileName);
        if (file.nOpenError != 0) {
            Report(m_pMessageBox, "Cannot open " + strFileName + ".", std::strerror(file.nOpenError));
            return false;
        }
        if (file.nReadError != 0) {
            Report(m_pMessageBox, "Unable to load grid data", std::strerror(file.nReadError));
            return false;
        }
        return LoadGridText(file.content, chSeparator);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return false;
    }
}

bool CGridCtrl::LoadGridText(const std::string& strText, char chSeparator) {
    if (m_bVirtualMode) {
        return false;
    }
    bool bLoaded = false;
    try {
        bLoaded = LoadGridLines(SplitGridTextLines(strText), chSeparator);
    } catch (const std::bad_alloc&) {
    }
    AutoSizeColumns(m_nAutoSizeColumnStyle);
    if (!bLoaded) {
        Report(m_pMessageBox, "Unable to load grid data");
    }
    return bLoaded;
}

// Cells beyond the columns of the first line are ignored. The rows and columns made
// before a failure stay.
bool CGridCtrl::LoadGridLines(const std::vector<std::string>& lines, char chSeparator) {
    DeleteAllItems();
    if (lines.empty()) {
        return true;
    }
    for (const std::string& strHeading : SplitGridTextCells(lines.front(), chSeparator)) {
        const int nCols = m_nCols;
        InsertColumn(strHeading, DT_CENTER | DT_VCENTER | DT_SINGLELINE, -1);
        if (m_nCols != nCols + 1) {
            return false;
        }
    }
    for (std::size_t nLine = 1; nLine < lines.size(); ++nLine) {
        const std::vector<std::string> cells = SplitGridTextCells(lines[nLine], chSeparator);
        const int nRows = m_nRows;
        InsertRow(cells.front(), -1);
        if (m_nRows != nRows + 1) {
            return false;
        }
        for (std::size_t nCol = 1; nCol < cells.size() && static_cast<int>(nCol) < m_nCols; ++nCol) {
            if (!SetItemText(nRows, static_cast<int>(nCol), cells[nCol])) {
                return false;
            }
        }
    }
    return true;
}
