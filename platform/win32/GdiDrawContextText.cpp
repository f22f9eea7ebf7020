// Text measuring and drawing of CGdiDrawContext.
#include "platform/TextFormat.h"
#include "platform/win32/GdiDrawContext.h"
#include "platform/win32/WideCp1252.h"

#include "platform/win32/Win32Api.h"

namespace {

// The flags GDI may not be given for a text we only lend it.
constexpr std::uint32_t kForeignFlags = DT_MODIFYSTRING;

int LineHeight(HDC hdc) {
    TEXTMETRICW metrics{};
    return ::GetTextMetricsW(hdc, &metrics) ? metrics.tmHeight : 0;
}

}  // namespace

CSize CGdiDrawContext::GetTextExtent(std::string_view text) const {
    const std::wstring wide = WideFromCp1252(text);
    SIZE size{};
    ::GetTextExtentPoint32W(m_hDC, wide.c_str(), static_cast<int>(wide.size()), &size);
    // An empty text is as high as a line, as a cell without text still has one.
    return {size.cx, size.cy > 0 ? size.cy : LineHeight(m_hDC)};
}

bool CGdiDrawContext::GetTextMetrics(TEXTMETRIC* pMetrics) const {
    TEXTMETRICW metrics{};
    if (pMetrics == nullptr || !::GetTextMetricsW(m_hDC, &metrics))
        return false;
    pMetrics->tmHeight = metrics.tmHeight;
    pMetrics->tmAscent = metrics.tmAscent;
    pMetrics->tmDescent = metrics.tmDescent;
    pMetrics->tmAveCharWidth = metrics.tmAveCharWidth;
    pMetrics->tmOverhang = metrics.tmOverhang;
    return true;
}

int CGdiDrawContext::DrawText(std::string_view text, CRect* pRect, std::uint32_t nFormat) {
    if (pRect == nullptr)
        return 0;
    nFormat &= ~kForeignFlags;
    if (text.empty() && (nFormat & DT_CALCRECT) != 0) {
        // GDI leaves the rectangle as it was for an empty text; a cell measures one line.
        const int nHeight = LineHeight(m_hDC);
        pRect->right = pRect->left;
        pRect->bottom = pRect->top + nHeight;
        return nHeight;
    }
    std::wstring wide = WideFromCp1252(text);
    RECT rect{pRect->left, pRect->top, pRect->right, pRect->bottom};
    const int nHeight = ::DrawTextW(m_hDC, wide.data(), static_cast<int>(wide.size()), &rect, nFormat);
    if (nFormat & DT_CALCRECT) {
        pRect->right = rect.right;
        pRect->bottom = rect.bottom;
    }
    return nHeight;
}
