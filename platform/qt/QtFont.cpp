#include "platform/qt/QtFont.h"

#include <QApplication>
#include <QFontInfo>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

bool IsDefaultFace(const char* pszFace) {
    return pszFace[0] == '\0' || std::strcmp(pszFace, "MS Sans Serif") == 0;
}

QString FaceName(const LOGFONT& lf) {
    const std::size_t nLength = strnlen(lf.lfFaceName, sizeof(lf.lfFaceName));
    return QString::fromLatin1(lf.lfFaceName, static_cast<qsizetype>(nLength));
}

}  // namespace

QFont FontFromLogFont(const LOGFONT& lf) {
    QFont font = QApplication::font();
    char face[sizeof(lf.lfFaceName) + 1] = {};
    std::memcpy(face, lf.lfFaceName, sizeof(lf.lfFaceName));
    if (!IsDefaultFace(face))
        font.setFamilies({FaceName(lf)});
    if (lf.lfHeight != 0)
        font.setPixelSize(std::abs(lf.lfHeight));
    // Qt's weights use the same 100..900 scale; 0 means "don't care".
    const int nWeight = lf.lfWeight > 0 ? std::clamp(lf.lfWeight, 1, 1000) : FW_NORMAL;
    font.setWeight(static_cast<QFont::Weight>(nWeight));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

LOGFONT LogFontFromFont(const QFont& font) {
    LOGFONT lf;
    lf.lfHeight = -QFontInfo(font).pixelSize();
    lf.lfWeight = font.weight();
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    // Face names are Latin-1 in the record; a longer one is cut at the record's size.
    SetFaceName(lf, font.family().toLatin1().constData());
    return lf;
}
