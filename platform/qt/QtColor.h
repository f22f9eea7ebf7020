#pragma once

#include "platform/ColorRef.h"

#include <QColor>

// Colour references (0x00BBGGRR) to Qt colours and back. A colour with the "default"
// marker in its top byte has no colour of its own: the caller resolves it first.
inline QColor ToQColor(COLORREF cr) {
    return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr));
}

inline COLORREF ToColorRef(const QColor& colour) {
    return RGB(static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
               static_cast<std::uint8_t>(colour.blue()));
}
