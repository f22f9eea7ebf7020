#include "platform/win32/GdiDrawContext.h"

#include "platform/win32/GdiFont.h"
#include "platform/win32/Win32ImageList.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/Win32Api.h"

namespace {

RECT ToRECT(const CRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

CRect FromRECT(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

CGdiDrawContext::CGdiDrawContext(HDC hdc, HFONT hBaseFont)
    : CGdiDrawContext(hdc, hBaseFont, EOwnership::Borrowed, nullptr) {}

CGdiDrawContext::CGdiDrawContext(HDC hdc, HFONT hBaseFont, EOwnership eOwnership, HWND hWnd)
    : m_hDC(hdc), m_eOwnership(eOwnership), m_hWnd(hWnd) {
    m_nBaseLevel = ::SaveDC(m_hDC);
    if (hBaseFont != nullptr)
        ::SelectObject(m_hDC, hBaseFont);
    m_hBaseFont = static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT));
    m_bPrinting = ::GetDeviceCaps(m_hDC, TECHNOLOGY) == DT_RASPRINTER;
}

CGdiDrawContext::~CGdiDrawContext() {
    // Our fonts and pens leave the device context before they are deleted.
    if (m_nBaseLevel > 0)
        ::RestoreDC(m_hDC, m_nBaseLevel);
    DeleteCachedObjects();
    if (m_hOwnedFont != nullptr)
        ::DeleteObject(m_hOwnedFont);
    if (m_eOwnership == EOwnership::DeleteDC)
        ::DeleteDC(m_hDC);
    else if (m_eOwnership == EOwnership::ReleaseDC)
        ::ReleaseDC(m_hWnd, m_hDC);
}

std::unique_ptr<CGdiDrawContext> CGdiDrawContext::CreateMeasuring(HFONT hBaseFont, int nDpi) {
    HDC hdc = ::CreateCompatibleDC(nullptr);
    if (hdc == nullptr)
        return nullptr;
    std::unique_ptr<CGdiDrawContext> pDC(new CGdiDrawContext(hdc, hBaseFont, EOwnership::DeleteDC, nullptr));
    pDC->SetFontDpi(nDpi);
    return pDC;
}

std::unique_ptr<CGdiDrawContext> CGdiDrawContext::CreateMeasuring(const LOGFONT& baseFont, int nDpi) {
    HFONT hFont = CreateGdiFont(baseFont, nDpi);
    std::unique_ptr<CGdiDrawContext> pDC = CreateMeasuring(hFont, nDpi);
    if (pDC == nullptr) {
        if (hFont != nullptr)
            ::DeleteObject(hFont);
        return nullptr;
    }
    pDC->m_hOwnedFont = hFont;
    return pDC;
}

std::unique_ptr<CGdiDrawContext> CGdiDrawContext::CreateForWindow(HWND hWnd, HFONT hBaseFont, int nDpi) {
    HDC hdc = ::GetDC(hWnd);
    if (hdc == nullptr)
        return nullptr;
    std::unique_ptr<CGdiDrawContext> pDC(new CGdiDrawContext(hdc, hBaseFont, EOwnership::ReleaseDC, hWnd));
    pDC->SetFontDpi(nDpi);
    return pDC;
}

void CGdiDrawContext::DeleteCachedObjects() {
    for (const SCachedFont& font : m_fonts)
        ::DeleteObject(font.hFont);
    for (const SCachedPen& pen : m_pens)
        ::DeleteObject(pen.hPen);
    for (HFONT hFont : m_retiredFonts)
        ::DeleteObject(hFont);
    m_fonts.clear();
    m_pens.clear();
    m_retiredFonts.clear();
}

// --- Fonts and pens ----------------------------------------------------------------------

void CGdiDrawContext::SetFontDpi(int nDpi) {
    if (nDpi <= 0 || nDpi == m_nDpi)
        return;
    m_nDpi = nDpi;
    // Fonts made at the old DPI may still be in a saved state: they stay until the end.
    for (const SCachedFont& font : m_fonts)
        m_retiredFonts.push_back(font.hFont);
    m_fonts.clear();
    if (m_pFont != nullptr)
        ::SelectObject(m_hDC, FontFor(m_pFont));
}

HFONT CGdiDrawContext::FontFor(const CFont* pFont) {
    if (pFont == nullptr || !pFont->IsValid())
        return m_hBaseFont;
    const LOGFONT& lf = pFont->GetLogFont();
    for (const SCachedFont& font : m_fonts)
        if (font.lf == lf)
            return font.hFont;
    HFONT hFont = CreateGdiFont(lf, m_nDpi);
    if (hFont == nullptr)
        return m_hBaseFont;
    m_fonts.push_back({lf, hFont});
    return hFont;
}

const CFont* CGdiDrawContext::SelectObject(const CFont* pFont) {
    const CFont* pOld = m_pFont;
    m_pFont = pFont;
    ::SelectObject(m_hDC, FontFor(pFont));
    return pOld;
}

HPEN CGdiDrawContext::PenFor(const CPen& pen) {
    if (pen.nStyle == PS_NULL)
        return static_cast<HPEN>(::GetStockObject(NULL_PEN));
    for (const SCachedPen& cached : m_pens)
        if (cached.pen == pen)
            return cached.hPen;
    HPEN hPen = ::CreatePen(pen.nStyle, std::max(pen.nWidth, 0), pen.crColour);
    if (hPen == nullptr)
        return static_cast<HPEN>(::GetStockObject(BLACK_PEN));
    m_pens.push_back({pen, hPen});
    return hPen;
}

CPen CGdiDrawContext::SelectPen(const CPen& pen) {
    const CPen old = m_pen;
    m_pen = pen;
    ::SelectObject(m_hDC, PenFor(pen));
    return old;
}

// --- State -------------------------------------------------------------------------------

int CGdiDrawContext::SaveDC() {
    const int nLevel = ::SaveDC(m_hDC);
    if (nLevel > 0)
        m_saved.push_back({nLevel, m_pFont, m_pen});
    return nLevel;
}

bool CGdiDrawContext::RestoreDC(int nSavedDC) {
    // A positive number names the SaveDC that returned it; a negative one counts back.
    const int nSaved = static_cast<int>(m_saved.size());
    int nIndex = nSavedDC < 0 ? nSaved + nSavedDC : -1;
    for (int i = 0; nSavedDC > 0 && i < nSaved; ++i)
        if (m_saved[static_cast<std::size_t>(i)].nLevel == nSavedDC)
            nIndex = i;
    if (nIndex < 0 || nIndex >= nSaved)
        return false;
    const SSaved saved = m_saved[static_cast<std::size_t>(nIndex)];
    m_saved.resize(static_cast<std::size_t>(nIndex));
    m_pFont = saved.pFont;
    m_pen = saved.pen;
    return ::RestoreDC(m_hDC, saved.nLevel) != 0;
}

int CGdiDrawContext::SetBkMode(int nMode) {
    return ::SetBkMode(m_hDC, nMode);
}

COLORREF CGdiDrawContext::SetTextColor(COLORREF crColour) {
    return ::SetTextColor(m_hDC, crColour);
}

bool CGdiDrawContext::GetClipBox(CRect* pRect) const {
    RECT rect{};
    if (pRect == nullptr || ::GetClipBox(m_hDC, &rect) == ERROR)
        return false;
    *pRect = FromRECT(rect);
    return true;
}

int CGdiDrawContext::GetDeviceCaps(int nIndex) const {
    return ::GetDeviceCaps(m_hDC, nIndex);
}

// --- Drawing -----------------------------------------------------------------------------

void CGdiDrawContext::FillSolidRect(const CRect& rect, COLORREF crColour) {
    if (rect.IsRectEmpty())
        return;
    // An opaque empty text fills with the background colour and needs no brush.
    const SysCOLORREF crOld = ::SetBkColor(m_hDC, crColour);
    const RECT fill = ToRECT(rect);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, crOld);
}

void CGdiDrawContext::FrameRect(const CRect& rect, COLORREF crColour) {
    if (rect.IsRectEmpty())
        return;
    FillSolidRect(CRect(rect.left, rect.top, rect.right, rect.top + 1), crColour);
    FillSolidRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), crColour);
    FillSolidRect(CRect(rect.left, rect.top, rect.left + 1, rect.bottom), crColour);
    FillSolidRect(CRect(rect.right - 1, rect.top, rect.right, rect.bottom), crColour);
}

void CGdiDrawContext::MoveTo(int x, int y) {
    ::MoveToEx(m_hDC, x, y, nullptr);
}

void CGdiDrawContext::LineTo(int x, int y) {
    ::LineTo(m_hDC, x, y);
}

bool CGdiDrawContext::DrawEdge(CRect* pRect, std::uint32_t nEdge, std::uint32_t nFlags) {
    if (pRect == nullptr)
        return false;
    RECT rect = ToRECT(*pRect);
    const bool bDrawn = ::DrawEdge(m_hDC, &rect, nEdge, nFlags) != 0;
    *pRect = FromRECT(rect);  // moved only when BF_ADJUST asks for it
    return bDrawn;
}

bool CGdiDrawContext::DrawFrameControl(const CRect& rect, std::uint32_t nType, std::uint32_t nState) {
    RECT frame = ToRECT(rect);
    return ::DrawFrameControl(m_hDC, &frame, nType, nState) != 0;
}

bool CGdiDrawContext::DrawImage(const IImageList* pList, int nImage, CPoint point) {
    const auto* pImages = dynamic_cast<const CWin32ImageList*>(pList);
    if (pImages == nullptr || nImage < 0 || nImage >= pImages->GetImageCount())
        return false;
    return ::ImageList_Draw(pImages->GetSafeHandle(), nImage, m_hDC, point.x, point.y, ILD_NORMAL) != 0;
}
