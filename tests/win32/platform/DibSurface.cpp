#include "DibSurface.h"

#include <algorithm>

#include "platform/win32/Win32Api.h"

CDibSurface::CDibSurface(int nWidth, int nHeight, COLORREF crFill) : m_nWidth(nWidth), m_nHeight(nHeight) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hDC = ::CreateCompatibleDC(nullptr);
    m_hBitmap = ::CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<std::uint32_t*>(pBits);
    m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
    const std::uint32_t fill = (GetRValue(crFill) << 16) | (GetGValue(crFill) << 8) | GetBValue(crFill);
    std::fill_n(m_pBits, static_cast<std::size_t>(nWidth) * static_cast<std::size_t>(nHeight), fill);
}

CDibSurface::~CDibSurface() {
    ::SelectObject(m_hDC, m_hOldBitmap);
    ::DeleteObject(m_hBitmap);
    ::DeleteDC(m_hDC);
}

COLORREF CDibSurface::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return CLR_DEFAULT;
    ::GdiFlush();
    const std::uint32_t pixel = m_pBits[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
                                        static_cast<std::size_t>(x)];
    return RGB(static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
               static_cast<std::uint8_t>(pixel));
}

CRect CDibSurface::InkBounds(COLORREF crBackground) const {
    CRect bounds(m_nWidth, m_nHeight, 0, 0);
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x)
            if (At(x, y) != crBackground)
                bounds = CRect(std::min(bounds.left, x), std::min(bounds.top, y),
                               std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1));
    return bounds.IsRectEmpty() ? CRect() : bounds;
}

int CDibSurface::Count(const CRect& rect, COLORREF crColour) const {
    int n = 0;
    for (int y = rect.top; y <= rect.bottom; ++y)
        for (int x = rect.left; x <= rect.right; ++x)
            n += At(x, y) == crColour ? 1 : 0;
    return n;
}

std::vector<std::uint32_t> CDibSurface::Pixels() const {
    ::GdiFlush();
    return {m_pBits, m_pBits + static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight)};
}
