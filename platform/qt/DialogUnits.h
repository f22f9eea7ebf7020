#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// number * numerator / denominator in 64 bits, rounded half away from zero; -1 when
// the denominator is 0 (as the Windows call answers).
int MulDiv(int number, int numerator, int denominator);

// The font that dialog templates are laid out in: 8 point "MS Sans Serif" where it is
// installed, else the platform's sans-serif face.
QFont DialogFont();

// Dialog template units to pixels, from the dialog font's average character width and
// height the way the Windows dialog manager measures them, so that a template's
// positions and sizes keep their proportions to the text.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);
    CDialogUnits(int baseX, int baseY) : m_nBaseX(baseX), m_nBaseY(baseY) {}

    int BaseX() const { return m_nBaseX; }
    int BaseY() const { return m_nBaseY; }

    int X(int units) const { return MulDiv(units, m_nBaseX, 4); }
    int Y(int units) const { return MulDiv(units, m_nBaseY, 8); }
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }
    QRect Rect(int x, int y, int width, int height) const { return {X(x), Y(y), X(width), Y(height)}; }

private:
    int m_nBaseX = 0;  // average character width in pixels
    int m_nBaseY = 0;  // character cell height in pixels
};
