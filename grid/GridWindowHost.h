#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ColorRef.h"
#include "platform/DrawContext.h"
#include "platform/Geometry.h"

class IGridEditWnd;

// The grid's window, seen from the model. A grid without a host has no window: the
// redraw and scroll-bar requests it makes are then no-ops, measuring falls back to
// the cells' defaults and no editor can be opened.
class IGridWindowHost {
public:
    virtual ~IGridWindowHost() = default;

    virtual bool IsWindow() const = 0;
    // The window handle sent as NMHDR::hwndFrom.
    virtual void* GetSafeHwnd() const = 0;
    virtual void Invalidate(bool bErase = true) = 0;
    virtual void InvalidateRect(const CRect& rect, bool bErase = true) = 0;
    // Asks for one cell to be painted again (the window knows where it lies).
    virtual void InvalidateCell(int nRow, int nCol) = 0;
    virtual void ResetScrollBars() = 0;
    virtual CRect GetClientRect() const = 0;
    // A context of the window for measuring; nullptr without one.
    virtual std::unique_ptr<IDrawContext> GetDC() = 0;

    // In-place editors. Both return nullptr when no editor can be created.
    virtual IGridEditWnd* CreateInPlaceEdit(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID,
                                            int nRow, int nCol, const std::string& strInitText,
                                            std::uint32_t nFirstChar) = 0;
    virtual IGridEditWnd* CreateInPlaceList(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID,
                                            int nRow, int nCol, COLORREF crFore, COLORREF crBack,
                                            const std::vector<std::string>& options,
                                            const std::string& strInitText, std::uint32_t nFirstChar) = 0;
};
