#include "platform/qt/QtDrawContext.h"

#include "platform/SystemMetrics.h"
#include "platform/qt/QtColor.h"
#include "platform/qt/QtFont.h"
#include "platform/qt/QtImageList.h"

#include <QApplication>
#include <QPainter>
#include <QPen>
#include <QStyle>
#include <QStyleOption>

#include <cstdlib>

namespace {

// The pixels of a one-pixel line from one point up to, not including, the other
// (Bresenham). Qt's own thin lines leave out whichever end lies further right or down,
// not necessarily the end point.
QList<QPoint> LinePixels(QPoint from, QPoint to) {
    QList<QPoint> pixels;
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint point = from;
    while (point != to) {
        pixels.append(point);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            point.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            point.ry() += sy;
        }
    }
    return pixels;
}

}  // namespace

CQtDrawContext::CQtDrawContext(const QFont& baseFont)
    : m_baseFont(baseFont), m_font(baseFont), m_metrics(baseFont) {}

CQtDrawContext::CQtDrawContext(QPainter& painter, const QRect& clipRect)
    : m_pPainter(&painter),
      m_clipRect(clipRect),
      m_baseFont(painter.font()),
      m_font(m_baseFont),
      m_metrics(m_baseFont, painter.device()),
      m_nPainterFont(kBaseFont) {}

CQtDrawContext::~CQtDrawContext() = default;

// --- Fonts -------------------------------------------------------------------------------

int CQtDrawContext::FontIndexFor(const CFont* pFont) {
    if (pFont == nullptr || !pFont->IsValid())
        return kBaseFont;
    const LOGFONT& lf = pFont->GetLogFont();
    for (std::size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i].lf == lf)
            return static_cast<int>(i);
    m_fonts.push_back({lf, FontFromLogFont(lf)});
    return static_cast<int>(m_fonts.size()) - 1;
}

const QFont& CQtDrawContext::FontAt(int nFont) const {
    return nFont == kBaseFont ? m_baseFont : m_fonts[static_cast<std::size_t>(nFont)].font;
}

void CQtDrawContext::SetCurrentFont(int nFont) {
    if (nFont == m_nFont)
        return;
    m_nFont = nFont;
    m_font = FontAt(nFont);
    m_metrics = m_pPainter != nullptr ? QFontMetrics(m_font, m_pPainter->device()) : QFontMetrics(m_font);
}

const CFont* CQtDrawContext::SelectObject(const CFont* pFont) {
    const CFont* pOld = m_pFont;
    m_pFont = pFont;
    SetCurrentFont(FontIndexFor(pFont));
    return pOld;
}

// --- State -------------------------------------------------------------------------------

int CQtDrawContext::SaveDC() {
    m_savedStates.push_back({m_pFont, m_nFont, m_crText, m_nBkMode, m_pen});
    return static_cast<int>(m_savedStates.size());
}

bool CQtDrawContext::RestoreDC(int nSavedDC) {
    // A positive number names the SaveDC that returned it; a negative one counts back.
    const int nSaved = static_cast<int>(m_savedStates.size());
    const int nIndex = nSavedDC < 0 ? nSaved + nSavedDC : nSavedDC - 1;
    if (nSavedDC == 0 || nIndex < 0 || nIndex >= nSaved)
        return false;
    const SState state = m_savedStates[static_cast<std::size_t>(nIndex)];
    m_savedStates.resize(static_cast<std::size_t>(nIndex));
    m_pFont = state.pFont;
    SetCurrentFont(state.nFont);
    m_crText = state.crText;
    m_nBkMode = state.nBkMode;
    m_pen = state.pen;
    m_ePainterPen = EPainterPen::Unknown;
    return true;
}

int CQtDrawContext::SetBkMode(int nMode) {
    // Stored only: there is no background colour call, and every text the grid draws
    // is drawn transparently.
    const int nOld = m_nBkMode;
    m_nBkMode = nMode;
    return nOld;
}

COLORREF CQtDrawContext::SetTextColor(COLORREF crColour) {
    const COLORREF crOld = m_crText;
    if (crColour != m_crText && m_ePainterPen == EPainterPen::Text)
        m_ePainterPen = EPainterPen::Unknown;
    m_crText = crColour;
    return crOld;
}

CPen CQtDrawContext::SelectPen(const CPen& pen) {
    const CPen old = m_pen;
    if (!(pen == m_pen) && m_ePainterPen == EPainterPen::Line)
        m_ePainterPen = EPainterPen::Unknown;
    m_pen = pen;
    return old;
}

bool CQtDrawContext::GetClipBox(CRect* pRect) const {
    if (m_pPainter == nullptr || pRect == nullptr)
        return false;
    *pRect = CRect(m_clipRect.left(), m_clipRect.top(), m_clipRect.left() + m_clipRect.width(),
                   m_clipRect.top() + m_clipRect.height());
    return true;
}

void CQtDrawContext::UseTextPen() {
    if (m_ePainterPen == EPainterPen::Text)
        return;
    m_pPainter->setPen(ToQColor(m_crText));
    m_ePainterPen = EPainterPen::Text;
}

void CQtDrawContext::UseLinePen() {
    if (m_ePainterPen == EPainterPen::Line)
        return;
    // Width 0 and 1 are one pixel (cosmetic).
    QPen pen(ToQColor(m_pen.crColour), m_pen.nWidth > 1 ? m_pen.nWidth : 0, Qt::SolidLine, Qt::FlatCap);
    m_pPainter->setPen(pen);
    m_ePainterPen = EPainterPen::Line;
}

// --- Drawing -----------------------------------------------------------------------------

void CQtDrawContext::FillSolidRect(const CRect& rect, COLORREF crColour) {
    if (m_pPainter != nullptr && !rect.IsRectEmpty())
        m_pPainter->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(crColour));
}

void CQtDrawContext::FrameRect(const CRect& rect, COLORREF crColour) {
    if (m_pPainter == nullptr || rect.IsRectEmpty())
        return;
    const QColor colour = ToQColor(crColour);
    const int w = rect.Width();
    const int h = rect.Height();
    m_pPainter->fillRect(QRect(rect.left, rect.top, w, 1), colour);
    m_pPainter->fillRect(QRect(rect.left, rect.bottom - 1, w, 1), colour);
    m_pPainter->fillRect(QRect(rect.left, rect.top, 1, h), colour);
    m_pPainter->fillRect(QRect(rect.right - 1, rect.top, 1, h), colour);
}

void CQtDrawContext::MoveTo(int x, int y) {
    m_position = QPoint(x, y);
}

void CQtDrawContext::LineTo(int x, int y) {
    const QPoint to(x, y);
    if (m_pPainter != nullptr && m_pen.nStyle != PS_NULL && to != m_position)
        DrawLine(m_position, to);
    m_position = to;
}

// Lines along an axis (grid lines, borders) are filled spans; others are plotted.
void CQtDrawContext::DrawLine(QPoint from, QPoint to) {
    if (m_pen.nWidth > 1) {
        UseLinePen();
        m_pPainter->drawLine(from, to);
        return;
    }
    const QColor colour = ToQColor(m_pen.crColour);
    if (from.y() == to.y()) {
        const int nLeft = from.x() < to.x() ? from.x() : to.x() + 1;
        m_pPainter->fillRect(QRect(nLeft, from.y(), std::abs(to.x() - from.x()), 1), colour);
    } else if (from.x() == to.x()) {
        const int nTop = from.y() < to.y() ? from.y() : to.y() + 1;
        m_pPainter->fillRect(QRect(from.x(), nTop, 1, std::abs(to.y() - from.y())), colour);
    } else {
        UseLinePen();
        m_pPainter->drawPoints(LinePixels(from, to));
    }
}

bool CQtDrawContext::DrawEdge(CRect* pRect, std::uint32_t nEdge, std::uint32_t nFlags) {
    // The grid asks only for the sunken inner edge around a header cell that tracks
    // the focus: dark at top and left, light at bottom and right.
    if (m_pPainter == nullptr || pRect == nullptr || pRect->IsRectEmpty())
        return false;
    if (nEdge != BDR_SUNKENINNER || (nFlags & BF_RECT) != BF_RECT)
        return false;
    const QColor dark = ToQColor(GetSysColor(COLOR_3DDKSHADOW));
    const QColor light = ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    const CRect& r = *pRect;
    m_pPainter->fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), light);
    m_pPainter->fillRect(QRect(r.right - 1, r.top, 1, r.Height()), light);
    m_pPainter->fillRect(QRect(r.left, r.top, r.Width() - 1, 1), dark);
    m_pPainter->fillRect(QRect(r.left, r.top, 1, r.Height() - 1), dark);
    return true;
}

bool CQtDrawContext::DrawFrameControl(const CRect& rect, std::uint32_t nType, std::uint32_t nState) {
    // The drop-down button of a combo cell, drawn by the widget style.
    if (m_pPainter == nullptr || nType != DFC_SCROLL || (nState & DFCS_SCROLLDOWN) == 0 || rect.IsRectEmpty())
        return false;
    QStyle* pStyle = QApplication::style();
    QStyleOptionButton button;
    button.rect = QRect(rect.left, rect.top, rect.Width(), rect.Height());
    button.palette = QApplication::palette();
    const bool bPushed = (nState & DFCS_PUSHED) != 0;
    button.state = bPushed ? QStyle::State_Sunken : QStyle::State_Raised;
    if ((nState & DFCS_INACTIVE) == 0)
        button.state |= QStyle::State_Enabled;
    m_pPainter->save();
    pStyle->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, m_pPainter);
    QStyleOption arrow = button;
    const int nInset = std::max(2, std::min(rect.Width(), rect.Height()) / 4);
    arrow.rect = button.rect.adjusted(nInset, nInset, -nInset, -nInset);
    if (bPushed)
        arrow.rect.translate(1, 1);
    pStyle->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, m_pPainter);
    m_pPainter->restore();
    return true;
}

bool CQtDrawContext::DrawImage(const IImageList* pList, int nImage, CPoint point) {
    const auto* pImages = dynamic_cast<const CQtImageList*>(pList);
    if (m_pPainter == nullptr || pImages == nullptr || nImage < 0 || nImage >= pImages->GetImageCount())
        return false;
    m_pPainter->drawPixmap(QPoint(point.x, point.y), pImages->Pixmap(nImage));
    return true;
}
