#pragma once

#include "platform/DrawContext.h"
#include "platform/win32/Win32Handles.h"

#include <memory>
#include <string_view>
#include <vector>

// The grid's drawing calls on a GDI device context. GDI already keeps the rules the
// cells rely on (rectangles leave out their right and bottom edges, a line leaves out
// its end point); texts are Windows-1252 bytes, drawn as UTF-16. The context selects
// GDI fonts and pens made from the core's descriptions, keeps them for its life and
// gives the device context back as it found it.
//
// Font heights in a LOGFONT are taken at 96 dots per inch and scaled to the context's
// DPI (SetFontDpi), so that a window on a 150 % screen draws its cells' fonts larger
// while the core keeps one description.
class CGdiDrawContext final : public IDrawContext {
public:
    // Draws on hdc, which the caller keeps; its font now (or hBaseFont, selected at
    // once) is the context's own font.
    explicit CGdiDrawContext(HDC hdc, HFONT hBaseFont = nullptr);
    ~CGdiDrawContext() override;

    CGdiDrawContext(const CGdiDrawContext&) = delete;
    CGdiDrawContext& operator=(const CGdiDrawContext&) = delete;

    // A context on a memory device compatible with the screen, for measuring; it deletes
    // its device context itself. nullptr when none can be made.
    static std::unique_ptr<CGdiDrawContext> CreateMeasuring(HFONT hBaseFont = nullptr, int nDpi = 96);
    // The same with a font of its own, made from the description at the DPI.
    static std::unique_ptr<CGdiDrawContext> CreateMeasuring(const LOGFONT& baseFont, int nDpi);
    // A context on the window's client area (GetDC), released by the context.
    static std::unique_ptr<CGdiDrawContext> CreateForWindow(HWND hWnd, HFONT hBaseFont = nullptr,
                                                            int nDpi = 96);

    void SetFontDpi(int nDpi);
    int GetFontDpi() const { return m_nDpi; }
    HDC GetSafeHdc() const { return m_hDC; }

    CSize GetTextExtent(std::string_view text) const override;
    int DrawText(std::string_view text, CRect* pRect, std::uint32_t nFormat) override;
    bool GetTextMetrics(TEXTMETRIC* pMetrics) const override;
    const CFont* SelectObject(const CFont* pFont) override;
    bool IsPrinting() const override { return m_bPrinting; }

    int SaveDC() override;
    bool RestoreDC(int nSavedDC) override;
    int SetBkMode(int nMode) override;
    COLORREF SetTextColor(COLORREF crColour) override;
    CPen SelectPen(const CPen& pen) override;
    bool GetClipBox(CRect* pRect) const override;
    int GetDeviceCaps(int nIndex) const override;

    void FillSolidRect(const CRect& rect, COLORREF crColour) override;
    void FrameRect(const CRect& rect, COLORREF crColour) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    bool DrawEdge(CRect* pRect, std::uint32_t nEdge, std::uint32_t nFlags) override;
    bool DrawFrameControl(const CRect& rect, std::uint32_t nType, std::uint32_t nState) override;
    bool DrawImage(const IImageList* pList, int nImage, CPoint point) override;

    // How many GDI fonts and pens the context has made (each description once).
    std::size_t GetFontCount() const { return m_fonts.size(); }
    std::size_t GetPenCount() const { return m_pens.size(); }

private:
    enum class EOwnership { Borrowed, DeleteDC, ReleaseDC };
    CGdiDrawContext(HDC hdc, HFONT hBaseFont, EOwnership eOwnership, HWND hWnd);

    struct SCachedFont {
        LOGFONT lf;
        HFONT hFont = nullptr;
    };
    struct SCachedPen {
        CPen pen;
        HPEN hPen = nullptr;
    };
    // What GDI's own saved states do not know: which of our descriptions is selected.
    struct SSaved {
        int nLevel = 0;
        const CFont* pFont = nullptr;
        CPen pen;
    };

    HFONT FontFor(const CFont* pFont);
    HPEN PenFor(const CPen& pen);
    void DeleteCachedObjects();

    HDC m_hDC = nullptr;
    EOwnership m_eOwnership = EOwnership::Borrowed;
    HWND m_hWnd = nullptr;
    int m_nBaseLevel = 0;  // GDI's saved state of how we found the device context
    HFONT m_hBaseFont = nullptr;
    HFONT m_hOwnedFont = nullptr;  // a base font the context made itself
    int m_nDpi = 96;
    bool m_bPrinting = false;

    std::vector<SCachedFont> m_fonts;
    std::vector<SCachedPen> m_pens;
    std::vector<HFONT> m_retiredFonts;  // made for an earlier DPI
    const CFont* m_pFont = nullptr;
    CPen m_pen{PS_SOLID, 0, 0};
    std::vector<SSaved> m_saved;
};
