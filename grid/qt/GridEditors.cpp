#include "grid/qt/GridEditors.h"

#include <QWidget>

#include "grid/qt/InPlaceEdit.h"
#include "grid/qt/InPlaceList.h"
#include "grid/qt/TitleTip.h"

IGridEditWnd* CreateInPlaceEditWnd(QWidget* pGridWidget, CGridCtrl* pGrid, const CRect& rect,
                                   std::uint32_t dwStyle, std::uint32_t nID, int nRow, int nCol,
                                   const std::string& strInitText, std::uint32_t nFirstChar) {
    if (pGridWidget == nullptr) {
        return nullptr;
    }
    // Owned by the grid widget as its child; it frees itself when the edit ends.
    return new CInPlaceEdit(pGridWidget, pGrid, rect, dwStyle, nID, nRow, nCol, strInitText, nFirstChar);
}

IGridEditWnd* CreateInPlaceListWnd(QWidget* pGridWidget, CGridCtrl* pGrid, const CRect& rect,
                                   std::uint32_t dwStyle, std::uint32_t nID, int nRow, int nCol,
                                   COLORREF crFore, COLORREF crBack, const std::vector<std::string>& options,
                                   const std::string& strInitText, std::uint32_t nFirstChar) {
    if (pGridWidget == nullptr) {
        return nullptr;
    }
    return new CInPlaceList(pGridWidget, pGrid, rect, dwStyle, nID, nRow, nCol, crFore, crBack, options,
                            strInitText, nFirstChar);
}

std::unique_ptr<ITitleTipWnd> CreateTitleTipWnd(QWidget* pGridWidget) {
    return std::make_unique<CTitleTip>(pGridWidget);
}
