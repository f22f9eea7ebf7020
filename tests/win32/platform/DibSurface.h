#pragma once

#include "platform/ColorRef.h"
#include "platform/Geometry.h"
#include "platform/win32/Win32Handles.h"

#include <cstdint>
#include <vector>

// A top-down 32-bit DIB section selected into its own memory device context, filled with
// one colour: what a drawing context paints on, read back pixel by pixel.
class CDibSurface {
public:
    CDibSurface(int nWidth, int nHeight, COLORREF crFill = RGB(255, 255, 255));
    ~CDibSurface();
    CDibSurface(const CDibSurface&) = delete;
    CDibSurface& operator=(const CDibSurface&) = delete;

    HDC GetDC() const { return m_hDC; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    COLORREF At(int x, int y) const;
    // The bounding box (right and bottom excluded) of the pixels not of the colour;
    // empty when there are none.
    CRect InkBounds(COLORREF crBackground = RGB(255, 255, 255)) const;
    // Pixels of the colour inside the rectangle, its right and bottom edges included.
    int Count(const CRect& rect, COLORREF crColour) const;
    std::vector<std::uint32_t> Pixels() const;

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    void* m_hOldBitmap = nullptr;
    std::uint32_t* m_pBits = nullptr;
};
