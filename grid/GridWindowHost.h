#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/ColorRef.h"
#include "platform/DrawContext.h"
#include "platform/Geometry.h"
#include "platform/LogFont.h"
#include "platform/WindowInput.h"

class IGridEditWnd;

// What a drop does with the dragged text: nothing, a copy, or a move (the source
// empties its cells afterwards).
inline constexpr std::uint32_t DROPEFFECT_NONE = 0;
inline constexpr std::uint32_t DROPEFFECT_COPY = 1;
inline constexpr std::uint32_t DROPEFFECT_MOVE = 2;

// The grid's window, seen from the grid. A grid without a host has no window: the
// redraw and scroll requests it makes are then no-ops, measuring falls back to the
// cells' defaults and no editor can be opened. The host owns the scroll bars (the
// scroll positions live in them), the mouse capture, the cursor and the timers; it
// turns the platform's events into the grid's handlers.
class IGridWindowHost {
public:
    virtual ~IGridWindowHost() = default;

    virtual bool IsWindow() const = 0;
    // The window handle sent as NMHDR::hwndFrom.
    virtual void* GetSafeHwnd() const = 0;

    // --- Painting ------------------------------------------------------------------------
    virtual void Invalidate(bool bErase = true) = 0;
    virtual void InvalidateRect(const CRect& rect, bool bErase = true) = 0;
    // The client area without the scroll bars that are shown.
    virtual CRect GetClientRect() const = 0;
    // A context of the window for measuring; nullptr without one.
    virtual std::unique_ptr<IDrawContext> GetDC() = 0;
    // A context that draws onto the window at once, or nullptr where the platform paints
    // only when it asks for it (the grid then invalidates instead).
    virtual std::unique_ptr<IDrawContext> GetDrawDC() { return nullptr; }

    // --- Scroll bars ---------------------------------------------------------------------
    // False when the bar's state cannot be read (the positions then count as 0).
    virtual bool GetScrollInfo(int /*nBar*/, SCROLLINFO* /*pInfo*/) const { return false; }
    virtual void SetScrollInfo(int /*nBar*/, const SCROLLINFO& /*info*/, bool /*bRedraw*/ = true) {}
    virtual void ShowScrollBar(int /*nBar*/, bool /*bShow*/) {}
    // Queues a scroll request that reaches the grid's OnVScroll/OnHScroll later, on
    // the window's own thread (as the mouse wheel asks).
    virtual void PostScrollRequest(int /*nBar*/, int /*nCode*/) {}

    // --- Mouse, keyboard and timers -----------------------------------------------------
    virtual void SetCapture() {}
    virtual void ReleaseCapture() {}
    virtual bool HasCapture() const { return false; }
    virtual void SetCursor(int /*nCursor*/) {}
    // The busy cursor around work that takes a while (sorting on a header click).
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
    // The pointer in client coordinates.
    virtual CPoint GetCursorPos() const { return {}; }
    // Keeps the pointer inside the rectangle (client coordinates) while a divider is
    // dragged; nullptr lets it go.
    virtual void ClipCursor(const CRect* /*pRect*/) {}
    // Shows the band that follows a divider being dragged; nullptr removes it.
    virtual void SetDragLine(const CRect* /*pBand*/) {}
    virtual void SetTimer(unsigned /*nIDEvent*/, unsigned /*nElapse*/) {}
    virtual void KillTimer(unsigned /*nIDEvent*/) {}
    // Takes the keyboard focus for the grid's window.
    virtual void SetFocus() {}
    // The modifier keys held now (MK_SHIFT, MK_CONTROL), for a key that reaches the grid
    // from an in-place editor without its own modifiers.
    virtual std::uint32_t GetKeyModifiers() const { return 0; }
    // Queues the owner's command notification that follows a click (see
    // IGridNotifyTarget::OnGridCommand).
    virtual void PostCommandToOwner() {}

    // --- Title tip -----------------------------------------------------------------------
    // Shows strTitle over rectTitle (client coordinates) while the pointer stays in
    // rectHover, unless the text fits the title rectangle; xoffset is where the text
    // starts inside it.
    virtual void ShowTitleTip(const CRect& /*rectTitle*/, const std::string& /*strTitle*/, int /*xoffset*/,
                              const CRect& /*rectHover*/, const LOGFONT* /*plf*/, COLORREF /*crTextClr*/,
                              COLORREF /*crBackClr*/) {}
    virtual void HideTitleTip() {}

    // --- Clipboard and drag and drop -------------------------------------------------
    // The clipboard that copies go to and pastes come from; nullptr: none.
    virtual IClipboard* GetClipboard() const { return nullptr; }
    // Lets the user drag the text (clipboard text of the grid) out of the window and
    // returns once it is dropped or given up: the effect the drop target chose among
    // the allowed ones, DROPEFFECT_NONE when nothing took it.
    virtual std::uint32_t DoDragDrop(const std::string& /*text*/, std::uint32_t /*dwAllowedEffects*/) {
        return DROPEFFECT_NONE;
    }

    // --- In-place editors (both return nullptr when no editor can be created) ---------
    virtual IGridEditWnd* CreateInPlaceEdit(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID,
                                            int nRow, int nCol, const std::string& strInitText,
                                            std::uint32_t nFirstChar) = 0;
    virtual IGridEditWnd* CreateInPlaceList(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID,
                                            int nRow, int nCol, COLORREF crFore, COLORREF crBack,
                                            const std::vector<std::string>& options,
                                            const std::string& strInitText, std::uint32_t nFirstChar) = 0;
};
