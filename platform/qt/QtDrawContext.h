#pragma once

#include "platform/DrawContext.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QString>

#include <string_view>
#include <vector>

class CQtGlyphTable;
class QPainter;

// The grid's drawing calls on a QPainter, with the device context's rules: rectangles
// leave out their right and bottom edges, a line leaves out its end point, texts are
// Windows-1252 bytes. Made for one paint event (the painter and the event's clip
// rectangle are borrowed), or, without a painter, for measuring only: then every
// drawing call does nothing and no clip box can be read.
//
// The context keeps the drawing state itself (font, pen, text colour, background
// mode) and hands it to the painter only when something is drawn, so SaveDC and
// RestoreDC are cheap: the painter's own state is derived from ours, and the clip is
// only ever changed around a single text.
class CQtDrawContext final : public IDrawContext {
public:
    // Measuring only, with baseFont as the context's own font.
    explicit CQtDrawContext(const QFont& baseFont);
    // Drawing on painter (whose font is the context's own) inside clipRect.
    CQtDrawContext(QPainter& painter, const QRect& clipRect);
    ~CQtDrawContext() override;

    CQtDrawContext(const CQtDrawContext&) = delete;
    CQtDrawContext& operator=(const CQtDrawContext&) = delete;

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

    void FillSolidRect(const CRect& rect, COLORREF crColour) override;
    void FrameRect(const CRect& rect, COLORREF crColour) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    bool DrawEdge(CRect* pRect, std::uint32_t nEdge, std::uint32_t nFlags) override;
    bool DrawFrameControl(const CRect& rect, std::uint32_t nType, std::uint32_t nState) override;
    bool DrawImage(const IImageList* pList, int nImage, CPoint point) override;

    // The font now selected, as Qt sees it (for tests and the title tip).
    const QFont& CurrentFont() const { return m_font; }

private:
    struct SState {
        const CFont* pFont = nullptr;
        int nFont = kBaseFont;
        COLORREF crText = 0;
        int nBkMode = OPAQUE;
        CPen pen{PS_SOLID, 0, 0};
    };
    // Fonts met during this context's life, so that a font selected for every cell
    // is turned into a Qt font once.
    struct SCachedFont {
        LOGFONT lf;
        QFont font;
        mutable const CQtGlyphTable* pGlyphs = nullptr;
    };
    static constexpr int kBaseFont = -1;
    static constexpr int kNoFont = -2;

    int FontIndexFor(const CFont* pFont);
    void SetCurrentFont(int nFont);
    const QFont& FontAt(int nFont) const;
    // Hands the text colour, or the selected pen, to the painter if it has another.
    void UseTextPen();
    void UseLinePen();
    void DrawLine(QPoint from, QPoint to);
    // The current font's glyph table, looked up once per font and context.
    const CQtGlyphTable& Glyphs() const;
    void DrawSingleLine(std::string_view text, const QRect& rect, std::uint32_t nFormat);
    int LayOutText(const QString& text, CRect* pRect, std::uint32_t nFormat);

    QPainter* m_pPainter = nullptr;
    QRect m_clipRect;
    bool m_bPrinting = false;

    QFont m_baseFont;
    mutable const CQtGlyphTable* m_pBaseGlyphs = nullptr;
    std::vector<SCachedFont> m_fonts;
    const CFont* m_pFont = nullptr;
    int m_nFont = kBaseFont;
    QFont m_font;
    QFontMetrics m_metrics;
    COLORREF m_crText = 0;
    int m_nBkMode = OPAQUE;
    CPen m_pen{PS_SOLID, 0, 0};
    QPoint m_position;
    std::vector<SState> m_savedStates;

    // What the painter holds now, to skip setting it again for every cell.
    enum class EPainterPen { Unknown, Text, Line };
    EPainterPen m_ePainterPen = EPainterPen::Unknown;
    int m_nPainterFont = kNoFont;
};
