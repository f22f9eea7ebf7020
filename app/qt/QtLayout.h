#pragma once

#include "app/DialogLayout.h"
#include "platform/qt/DialogUnits.h"

#include <QRect>
#include <QString>

// The shared layouts in Qt's terms.
inline QRect ToQRect(const CRect& rect) {
    return {rect.left, rect.top, rect.Width(), rect.Height()};
}

inline SDialogScale ScaleOf(const CDialogUnits& du) {
    return {du.BaseX(), du.BaseY()};
}

// A control at its template place, in pixels.
inline QRect TemplateRect(const CDialogUnits& du, const SControlTemplate& control) {
    return du.Rect(control.x, control.y, control.cx, control.cy);
}

inline QRect TemplateRect(const CDialogUnits& du, const SDialogTemplate& dialog, int nControlId) {
    return TemplateRect(du, *dialog.Find(nControlId));
}

// Our own texts are ASCII; the shared logic's texts are UTF-8.
inline QString ResText(const char* pszText) {
    return QString::fromLatin1(pszText);
}
