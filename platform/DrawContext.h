#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ColorRef.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

class IImageList;

struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmAveCharWidth = 0;
    int tmOverhang = 0;
};

// Background modes for text.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Pen styles: a solid line, or none at all.
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_NULL = 5;

// A pen as a value: the context makes its own from it when it is selected.
struct CPen {
    int nStyle = PS_NULL;
    int nWidth = 0;
    COLORREF crColour = 0;

    constexpr CPen() = default;
    constexpr CPen(int style, int width, COLORREF colour) : nStyle(style), nWidth(width), crColour(colour) {}
    friend constexpr bool operator==(const CPen&, const CPen&) = default;
};

// DrawEdge: the inner sunken edge on all four sides is the one the grid draws.
inline constexpr std::uint32_t BDR_SUNKENINNER = 0x0008;
inline constexpr std::uint32_t BF_RECT = 0x000F;

// DrawFrameControl: the face of a scroll (drop-down) button.
inline constexpr std::uint32_t DFC_SCROLL = 3;
inline constexpr std::uint32_t DFCS_SCROLLDOWN = 0x0001;
inline constexpr std::uint32_t DFCS_INACTIVE = 0x0100;
inline constexpr std::uint32_t DFCS_PUSHED = 0x0200;

// GetDeviceCaps: the number of colours (-1 for more than 256).
inline constexpr int NUMCOLORS = 24;

// A surface to measure and draw on. The grid's cells measure and paint themselves
// through it; the desktop program backs it with a painter, tests with fixed metrics.
// Rectangles given to the drawing calls exclude their right and bottom edges, and a
// line leaves out its end point, so that neighbouring cells meet without overlap.
class IDrawContext {
public:
    virtual ~IDrawContext() = default;

    // --- Measuring --------------------------------------------------------------------
    // Size of the text on one line with the selected font.
    virtual CSize GetTextExtent(std::string_view text) const = 0;
    // Lays the text out in *pRect by the DT_* flags and draws it in the text colour,
    // clipped to the rectangle unless DT_NOCLIP. With DT_CALCRECT nothing is drawn:
    // the rectangle's right and bottom are moved to fit the text (lines broken at the
    // rectangle's width when DT_WORDBREAK is set without DT_SINGLELINE). Returns the
    // text height.
    virtual int DrawText(std::string_view text, CRect* pRect, std::uint32_t nFormat) = 0;
    virtual bool GetTextMetrics(TEXTMETRIC* pMetrics) const = 0;
    // Selects a font (nullptr: the context's own font) and returns the one it replaces.
    virtual const CFont* SelectObject(const CFont* pFont) = 0;
    virtual bool IsPrinting() const { return false; }

    // --- Drawing state (a measuring-only context ignores the drawing calls) ------------
    // Pushes the pen, font, colours and modes; RestoreDC pops back to that state.
    virtual int SaveDC() { return 1; }
    virtual bool RestoreDC(int /*nSavedDC*/) { return true; }
    virtual int SetBkMode(int /*nMode*/) { return OPAQUE; }
    virtual COLORREF SetTextColor(COLORREF /*crColour*/) { return 0; }
    // Selects a pen for MoveTo/LineTo and returns the one it replaces.
    virtual CPen SelectPen(const CPen& /*pen*/) { return {}; }
    // The part of the surface that needs drawing; false when it cannot be told.
    virtual bool GetClipBox(CRect* /*pRect*/) const { return false; }
    virtual int GetDeviceCaps(int /*nIndex*/) const { return -1; }

    // --- Drawing -----------------------------------------------------------------------
    virtual void FillSolidRect(const CRect& /*rect*/, COLORREF /*crColour*/) {}
    // A one-pixel frame just inside the rectangle.
    virtual void FrameRect(const CRect& /*rect*/, COLORREF /*crColour*/) {}
    virtual void MoveTo(int /*x*/, int /*y*/) {}
    virtual void LineTo(int /*x*/, int /*y*/) {}
    virtual bool DrawEdge(CRect* /*pRect*/, std::uint32_t /*nEdge*/, std::uint32_t /*nFlags*/) {
        return false;
    }
    virtual bool DrawFrameControl(const CRect& /*rect*/, std::uint32_t /*nType*/, std::uint32_t /*nState*/) {
        return false;
    }
    // Draws image nImage of the list with its top-left corner at the point.
    virtual bool DrawImage(const IImageList* /*pList*/, int /*nImage*/, CPoint /*point*/) { return false; }
};
