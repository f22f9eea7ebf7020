// Text measuring and drawing of CQtDrawContext.
#include "platform/TextFormat.h"
#include "platform/qt/Cp1252.h"
#include "platform/qt/QtDrawContext.h"
#include "platform/qt/QtGlyphTable.h"

#include <QPainter>

#include <string>

namespace {

QString Decode(std::string_view text) {
    return DecodeWindows1252(std::string(text));
}

// A '&' shows the next character underlined unless DT_NOPREFIX says otherwise.
bool UsesPrefix(std::string_view text, std::uint32_t nFormat) {
    return (nFormat & DT_NOPREFIX) == 0 && text.find('&') != std::string_view::npos;
}

int QtFlags(std::uint32_t nFormat) {
    int nFlags = 0;
    if (nFormat & DT_CENTER)
        nFlags |= Qt::AlignHCenter;
    else if (nFormat & DT_RIGHT)
        nFlags |= Qt::AlignRight;
    else
        nFlags |= Qt::AlignLeft;
    // Vertical placement applies to a single line only; more lines start at the top.
    if ((nFormat & DT_SINGLELINE) != 0 && (nFormat & DT_VCENTER) != 0)
        nFlags |= Qt::AlignVCenter;
    else if ((nFormat & DT_SINGLELINE) != 0 && (nFormat & DT_BOTTOM) != 0)
        nFlags |= Qt::AlignBottom;
    else
        nFlags |= Qt::AlignTop;
    if (nFormat & DT_SINGLELINE)
        nFlags |= Qt::TextSingleLine;
    else if (nFormat & DT_WORDBREAK)
        nFlags |= Qt::TextWordWrap;
    if (nFormat & DT_EXPANDTABS)
        nFlags |= Qt::TextExpandTabs;
    nFlags |= (nFormat & DT_NOPREFIX) != 0 ? 0 : Qt::TextShowMnemonic;
    return nFlags;
}

QRect ToQRect(const CRect& rect) {
    return {rect.left, rect.top, rect.Width(), rect.Height()};
}

}  // namespace

const CQtGlyphTable& CQtDrawContext::Glyphs() const {
    const CQtGlyphTable*& pGlyphs =
        m_nFont == kBaseFont ? m_pBaseGlyphs : m_fonts[static_cast<std::size_t>(m_nFont)].pGlyphs;
    if (pGlyphs == nullptr)
        pGlyphs = &CQtGlyphTable::For(m_font);
    return *pGlyphs;
}

CSize CQtDrawContext::GetTextExtent(std::string_view text) const {
    const int nWidth = Glyphs().Width(text);
    return {nWidth >= 0 ? nWidth : m_metrics.horizontalAdvance(Decode(text)), m_metrics.height()};
}

bool CQtDrawContext::GetTextMetrics(TEXTMETRIC* pMetrics) const {
    if (pMetrics == nullptr)
        return false;
    pMetrics->tmHeight = m_metrics.height();
    pMetrics->tmAscent = m_metrics.ascent();
    pMetrics->tmDescent = m_metrics.descent();
    pMetrics->tmAveCharWidth = m_metrics.averageCharWidth();
    pMetrics->tmOverhang = 0;
    return true;
}

int CQtDrawContext::DrawText(std::string_view text, CRect* pRect, std::uint32_t nFormat) {
    if (pRect == nullptr)
        return 0;
    if ((nFormat & DT_SINGLELINE) == 0 || UsesPrefix(text, nFormat))
        return LayOutText(Decode(text), pRect, nFormat);
    if (nFormat & DT_CALCRECT) {
        const CSize size = GetTextExtent(text);
        pRect->right = pRect->left + size.cx;
        pRect->bottom = pRect->top + size.cy;
        return size.cy;
    }
    if (m_pPainter != nullptr)
        DrawSingleLine(text, ToQRect(*pRect), nFormat);
    return m_metrics.height();
}

// The common case, a single line without prefix characters, placed by hand from the
// glyph table: no text layout, and the clip is set only when the text would leave its
// box. A text the table cannot draw, or one to be cut short with "...", goes through Qt.
void CQtDrawContext::DrawSingleLine(std::string_view text, const QRect& rect, std::uint32_t nFormat) {
    if (text.empty())
        return;
    const CQtGlyphTable& glyphs = Glyphs();
    int nWidth = glyphs.Width(text);
    const bool bElide = (nFormat & DT_END_ELLIPSIS) != 0 && nWidth > rect.width();
    QString shown;
    if (nWidth < 0 || bElide) {
        shown = Decode(text);
        nWidth = m_metrics.horizontalAdvance(shown);
        if ((nFormat & DT_END_ELLIPSIS) != 0 && nWidth > rect.width()) {
            shown = m_metrics.elidedText(shown, Qt::ElideRight, std::max(0, rect.width()));
            if (shown.isEmpty())
                return;
            nWidth = m_metrics.horizontalAdvance(shown);
        }
    }
    const int nHeight = m_metrics.height();
    int x = rect.left();
    if (nFormat & DT_CENTER)
        x += (rect.width() - nWidth) / 2;
    else if (nFormat & DT_RIGHT)
        x += rect.width() - nWidth;
    int y = rect.top();
    if (nFormat & DT_VCENTER)
        y += (rect.height() - nHeight) / 2;
    else if (nFormat & DT_BOTTOM)
        y += rect.height() - nHeight;

    // Glyphs may reach a pixel past their advance: a text that ends on the edge is clipped too.
    const bool bClip =
        (nFormat & DT_NOCLIP) == 0 && (x < rect.left() || x + nWidth >= rect.left() + rect.width() ||
                                       y < rect.top() || y + nHeight > rect.top() + rect.height());
    UseTextPen();
    if (bClip) {
        m_pPainter->save();
        m_pPainter->setClipRect(rect, Qt::IntersectClip);
    }
    const QPoint baseline(x, y + m_metrics.ascent());
    if (shown.isNull()) {
        m_pPainter->drawGlyphRun(baseline, glyphs.Run(text));
    } else {
        if (m_nPainterFont != m_nFont) {
            m_pPainter->setFont(m_font);
            m_nPainterFont = m_nFont;
        }
        m_pPainter->drawText(baseline, shown);
    }
    if (bClip)
        m_pPainter->restore();
}

// Everything else through Qt's text layout: several lines, word breaks, prefix
// characters, and the measuring of DT_CALCRECT.
int CQtDrawContext::LayOutText(const QString& text, CRect* pRect, std::uint32_t nFormat) {
    const int nFlags = QtFlags(nFormat);
    const QRect rect = ToQRect(*pRect);
    if (nFormat & DT_CALCRECT) {
        // Lines break at the rectangle's width; without word breaks they do not break.
        const bool bWrap = (nFlags & Qt::TextWordWrap) != 0;
        const QRect bounds(rect.left(), rect.top(), bWrap ? std::max(1, rect.width()) : 1 << 20, 1 << 20);
        const QRect needed = text.isEmpty()
                                 ? QRect(rect.topLeft(), QSize(0, m_metrics.height()))
                                 : m_metrics.boundingRect(bounds, nFlags & ~Qt::AlignVertical_Mask, text);
        pRect->right = pRect->left + needed.width();
        pRect->bottom = pRect->top + needed.height();
        return needed.height();
    }
    if (m_pPainter == nullptr || text.isEmpty())
        return text.isEmpty() ? 0 : m_metrics.boundingRect(rect, nFlags, text).height();
    if (m_nPainterFont != m_nFont) {
        m_pPainter->setFont(m_font);
        m_nPainterFont = m_nFont;
    }
    UseTextPen();
    const bool bClip = (nFormat & DT_NOCLIP) == 0;
    if (bClip) {
        m_pPainter->save();
        m_pPainter->setClipRect(rect, Qt::IntersectClip);
    }
    QRect drawn;
    m_pPainter->drawText(rect, nFlags | Qt::TextDontClip, text, &drawn);
    if (bClip)
        m_pPainter->restore();
    return drawn.height();
}
