#include "app/qt/Globals.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

CHardware g_Hardware;
int g_nNumCom = 1;
std::optional<QFont> g_BoldFont;

QFont MakeBoldFont() {
    constexpr int kCellHeight = 18;
    static const QString kFace = QStringLiteral("MS Sans Serif");
    QFont font = QFontDatabase::families().contains(kFace)
                     ? QFont(kFace)
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Bold);
    font.setPixelSize(kCellHeight);
    // A pixel size is the em height; the cell (ascent + descent) of most faces is taller.
    const int cell = QFontMetrics(font).height();
    if (cell > kCellHeight)
        font.setPixelSize(qMax(1, kCellHeight * kCellHeight / cell));
    return font;
}
