#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>

#include <array>
#include <string_view>

// The glyph and advance of each of the 256 Windows-1252 bytes in one font, so that a
// cell's single line of text is measured and drawn glyph by glyph without shaping it
// again for every paint. Like the device contexts the grid was written for, it lays
// text out without kerning, so measuring and drawing agree to the pixel. A byte the
// font has no glyph for (or a control character) makes the text "not simple": it then
// takes Qt's text layout, which finds another font for it.
class CQtGlyphTable {
public:
    // The table of a font, made on first use and kept for the process (GUI thread only).
    static const CQtGlyphTable& For(const QFont& font);

    // Width in pixels, or -1 when the text is not simple.
    int Width(std::string_view text) const;
    // The glyphs of a simple text from x = 0 on the baseline.
    QGlyphRun Run(std::string_view text) const;

private:
    explicit CQtGlyphTable(const QFont& font);

    QFont m_font;
    QRawFont m_rawFont;
    std::array<quint32, 256> m_glyphs{};  // 0: no glyph of its own
    std::array<qreal, 256> m_advances{};
};
