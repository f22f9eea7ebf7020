#include "platform/qt/QtSystemMetrics.h"

#include "platform/qt/QtColor.h"
#include "platform/qt/QtDrawContext.h"
#include "platform/qt/QtFont.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

namespace {

// The palette role that stands for a system colour; NColorRoles for none.
QPalette::ColorRole RoleOf(int nIndex) {
    switch (nIndex) {
        case COLOR_WINDOW:
            return QPalette::Base;
        case COLOR_WINDOWTEXT:
            return QPalette::Text;
        case COLOR_HIGHLIGHT:
            return QPalette::Highlight;
        case COLOR_HIGHLIGHTTEXT:
            return QPalette::HighlightedText;
        case COLOR_BTNFACE:
            return QPalette::Button;
        case COLOR_BTNSHADOW:
            return QPalette::Dark;
        case COLOR_BTNHIGHLIGHT:
            return QPalette::Light;
        case COLOR_3DDKSHADOW:
            return QPalette::Shadow;
        case COLOR_INFOBK:
            return QPalette::ToolTipBase;
        case COLOR_INFOTEXT:
            return QPalette::ToolTipText;
        default:
            return QPalette::NColorRoles;
    }
}

}  // namespace

COLORREF CQtSystemMetrics::GetSysColor(int nIndex) const {
    const QPalette::ColorRole role = RoleOf(nIndex);
    if (role == QPalette::NColorRoles)
        return RGB(0, 0, 0);
    return ToColorRef(QApplication::palette().color(QPalette::Active, role));
}

int CQtSystemMetrics::GetSystemMetrics(int nIndex) const {
    switch (nIndex) {
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
            return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        case SM_CXDRAG:
        case SM_CYDRAG:
            return QApplication::startDragDistance();
        default:
            // Qt's scroll bars carry no separate border.
            return 0;
    }
}

LOGFONT CQtSystemMetrics::GetMessageFont() const {
    return LogFontFromFont(QApplication::font());
}

int CQtSystemMetrics::GetWheelScrollLines() const {
    return QApplication::wheelScrollLines();
}

std::unique_ptr<IDrawContext> CQtSystemMetrics::GetScreenDC() const {
    return std::make_unique<CQtDrawContext>(QApplication::font());
}
