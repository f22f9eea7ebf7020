#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Font.h"
#include "platform/Geometry.h"

struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmAveCharWidth = 0;
    int tmOverhang = 0;
};

// A surface to measure (and later draw) text on. The grid's cells size themselves
// through it; the desktop program backs it with its painter, tests with fixed metrics.
class IDrawContext {
public:
    virtual ~IDrawContext() = default;

    // Size of the text on one line with the selected font.
    virtual CSize GetTextExtent(std::string_view text) const = 0;
    // Lays the text out in *pRect by the DT_* flags. With DT_CALCRECT nothing is drawn:
    // the rectangle's right and bottom are moved to fit the text (lines broken at the
    // rectangle's width when DT_WORDBREAK is set without DT_SINGLELINE). Returns the
    // text height.
    virtual int DrawText(std::string_view text, CRect* pRect, std::uint32_t nFormat) = 0;
    virtual bool GetTextMetrics(TEXTMETRIC* pMetrics) const = 0;
    // Selects a font (nullptr: the context's own font) and returns the one it replaces.
    virtual const CFont* SelectObject(const CFont* pFont) = 0;
    virtual bool IsPrinting() const { return false; }
};
