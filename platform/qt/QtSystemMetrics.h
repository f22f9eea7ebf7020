#pragma once

#include "platform/SystemMetrics.h"

// The desktop's colours, metrics, message font and wheel setting as Qt has them: the
// application palette and font, the style's scroll-bar size. Everything is read when
// asked, so a palette, style, font or wheel setting changed at run time is seen by the
// next question (the grid asks again when its window is told of the change). Installed
// with SetSystemMetrics by the program's start-up, before any grid is made.
class CQtSystemMetrics final : public ISystemMetrics {
public:
    COLORREF GetSysColor(int nIndex) const override;
    int GetSystemMetrics(int nIndex) const override;
    LOGFONT GetMessageFont() const override;
    int GetWheelScrollLines() const override;
    std::unique_ptr<IDrawContext> GetScreenDC() const override;
};
