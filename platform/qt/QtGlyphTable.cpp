#include "platform/qt/QtGlyphTable.h"

#include "platform/qt/Cp1252.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

// Fonts stay few (the default cells' and a header font or two); the cache is emptied
// if a program ever makes many.
constexpr std::size_t kMaxFonts = 32;

bool IsControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 ||
           byte == 0x9D;
}

}  // namespace

const CQtGlyphTable& CQtGlyphTable::For(const QFont& font) {
    static std::vector<std::unique_ptr<CQtGlyphTable>> s_tables;
    for (const auto& pTable : s_tables)
        if (pTable->m_font == font)
            return *pTable;
    if (s_tables.size() >= kMaxFonts)
        s_tables.clear();
    s_tables.push_back(std::unique_ptr<CQtGlyphTable>(new CQtGlyphTable(font)));
    return *s_tables.back();
}

CQtGlyphTable::CQtGlyphTable(const QFont& font) : m_font(font), m_rawFont(QRawFont::fromFont(font)) {
    if (!m_rawFont.isValid())
        return;
    for (int nByte = 0; nByte < 256; ++nByte) {
        if (IsControl(static_cast<unsigned char>(nByte)))
            continue;
        const QString character = DecodeWindows1252(std::string(1, static_cast<char>(nByte)));
        const QList<quint32> glyphs = m_rawFont.glyphIndexesForString(character);
        if (glyphs.size() != 1 || glyphs[0] == 0)
            continue;
        const QList<QPointF> advances = m_rawFont.advancesForGlyphIndexes(glyphs);
        m_glyphs[static_cast<std::size_t>(nByte)] = glyphs[0];
        m_advances[static_cast<std::size_t>(nByte)] = advances.value(0).x();
    }
}

int CQtGlyphTable::Width(std::string_view text) const {
    qreal dWidth = 0;
    for (const char c : text) {
        const auto nByte = static_cast<unsigned char>(c);
        if (m_glyphs[nByte] == 0)
            return -1;
        dWidth += m_advances[nByte];
    }
    return static_cast<int>(std::lround(dWidth));
}

QGlyphRun CQtGlyphTable::Run(std::string_view text) const {
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(static_cast<qsizetype>(text.size()));
    positions.reserve(static_cast<qsizetype>(text.size()));
    qreal x = 0;
    for (const char c : text) {
        const auto nByte = static_cast<unsigned char>(c);
        glyphs.append(m_glyphs[nByte]);
        positions.append(QPointF(x, 0));
        x += m_advances[nByte];
    }
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(m_font.underline());
    run.setStrikeOut(m_font.strikeOut());
    return run;
}
