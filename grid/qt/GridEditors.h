#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridEditWnd.h"
#include "platform/ColorRef.h"
#include "platform/Geometry.h"
#include "platform/LogFont.h"

class QWidget;
class CGridCtrl;

// The grid window's child windows: the in-place editors over a cell and the title tip.
// The grid widget creates them through these functions and never deletes an editor:
// an editor frees itself when its window goes, after it has reported the end of the
// edit to the grid (GN_ENDLABELEDIT through CGridCtrl::OnChildNotify).

// A text editor (QLineEdit) over rect, a child of pGridWidget; nullptr when none can be made.
IGridEditWnd* CreateInPlaceEditWnd(QWidget* pGridWidget, CGridCtrl* pGrid, const CRect& rect,
                                   std::uint32_t dwStyle, std::uint32_t nID, int nRow, int nCol,
                                   const std::string& strInitText, std::uint32_t nFirstChar);

// An option list (QComboBox) over rect, dropped down at once; nullptr when none can be made.
IGridEditWnd* CreateInPlaceListWnd(QWidget* pGridWidget, CGridCtrl* pGrid, const CRect& rect,
                                   std::uint32_t dwStyle, std::uint32_t nID, int nRow, int nCol,
                                   COLORREF crFore, COLORREF crBack, const std::vector<std::string>& options,
                                   const std::string& strInitText, std::uint32_t nFirstChar);

// The grid's title tip: a frameless window showing a text that does not fit its cell.
class ITitleTipWnd {
public:
    virtual ~ITitleTipWnd() = default;
    virtual void Show(const CRect& rectTitle, const std::string& strTitle, int xoffset,
                      const CRect& rectHover, const LOGFONT* plf, COLORREF crTextClr, COLORREF crBackClr) = 0;
    virtual void Hide() = 0;
};
std::unique_ptr<ITitleTipWnd> CreateTitleTipWnd(QWidget* pGridWidget);
