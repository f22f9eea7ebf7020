#include "platform/qt/DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t divisor = std::llabs(denominator);
    const std::int64_t magnitude = (std::llabs(product) + divisor / 2) / divisor;
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QFont DialogFont() {
    static const QString kTemplateFace = QStringLiteral("MS Sans Serif");
    QFont font = QFontDatabase::families().contains(kTemplateFace)
                     ? QFont(kTemplateFace)
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded to the nearest pixel.
    const int width =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseX = (width / 26 + 1) / 2;
    m_nBaseY = metrics.height();
}
