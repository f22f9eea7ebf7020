// The Qt drawing context, drawing into images: the device-context rules the grid's
// cells rely on (excluded right and bottom edges, lines without their end point,
// saved state, clipped text) and the fonts and colours it is given.
#include "app/QtTestApp.h"
#include "platform/SystemMetrics.h"
#include "platform/TextFormat.h"
#include "platform/qt/QtColor.h"
#include "platform/qt/QtDrawContext.h"
#include "platform/qt/QtFont.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/QtSystemMetrics.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QStyle>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(200, 0, 0);

// Paints into a white 40 x 30 image through a context and returns it.
QImage Paint(const std::function<void(CQtDrawContext&)>& draw, QSize size = {40, 30}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CQtDrawContext dc(painter, image.rect());
    draw(dc);
    return image;
}

COLORREF At(const QImage& image, int x, int y) {
    return ToColorRef(image.pixelColor(x, y));
}

// The bounding box of every pixel that is not white; empty when there is none.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, x, y) != kWhite)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(QtDrawContext, RectanglesAndLinesLeaveOutTheirFarEdgeAndEndPoint) {
    struct Row {
        const char* what;
        std::function<void(CQtDrawContext&)> draw;
        QRect ink;
    };
    const auto line = [](int x0, int y0, int x1, int y1, CPen pen = CPen(PS_SOLID, 0, kRed)) {
        return [=](CQtDrawContext& dc) {
            dc.SelectPen(pen);
            dc.MoveTo(x0, y0);
            dc.LineTo(x1, y1);
        };
    };
    const Row rows[] = {
        {"fill", [](CQtDrawContext& dc) { dc.FillSolidRect(CRect(2, 3, 12, 8), kRed); }, QRect(2, 3, 10, 5)},
        {"frame", [](CQtDrawContext& dc) { dc.FrameRect(CRect(2, 3, 12, 8), kRed); }, QRect(2, 3, 10, 5)},
        {"empty fill", [](CQtDrawContext& dc) { dc.FillSolidRect(CRect(5, 5, 5, 9), kRed); }, QRect()},
        {"line right", line(3, 4, 10, 4), QRect(3, 4, 7, 1)},
        {"line left", line(10, 4, 3, 4), QRect(4, 4, 7, 1)},
        {"line down", line(6, 2, 6, 9), QRect(6, 2, 1, 7)},
        {"line up", line(6, 9, 6, 2), QRect(6, 3, 1, 7)},
        {"diagonal", line(2, 9, 8, 3), QRect(2, 4, 6, 6)},
        {"width 1 is one pixel", line(3, 4, 10, 4, CPen(PS_SOLID, 1, kRed)), QRect(3, 4, 7, 1)},
        {"null pen", line(3, 4, 10, 4, CPen(PS_NULL, 0, kRed)), QRect()},
    };
    for (const Row& row : rows)
        EXPECT_EQ(InkBounds(Paint(row.draw)), row.ink) << row.what;
}

TEST(QtDrawContext, RestoreDcBringsBackPenTextColourAndFont) {
    CFont bold;
    LOGFONT lf;
    lf.lfHeight = -20;
    lf.lfWeight = FW_BOLD;
    bold.CreateFontIndirect(&lf);
    const QImage image = Paint([&](CQtDrawContext& dc) {
        dc.SetTextColor(kRed);
        dc.SelectPen(CPen(PS_SOLID, 0, kRed));
        const int nSaved = dc.SaveDC();
        dc.SetTextColor(RGB(0, 0, 255));
        dc.SelectPen(CPen(PS_NULL, 0, 0));
        dc.SelectObject(&bold);
        EXPECT_EQ(QFontInfo(dc.CurrentFont()).pixelSize(), 20);
        EXPECT_TRUE(dc.RestoreDC(nSaved));
        EXPECT_FALSE(dc.RestoreDC(nSaved)) << "restored twice";
        EXPECT_EQ(dc.SetTextColor(0), kRed);
        EXPECT_NE(QFontInfo(dc.CurrentFont()).pixelSize(), 20);
        dc.MoveTo(0, 0);
        dc.LineTo(5, 0);
    });
    EXPECT_EQ(At(image, 2, 0), kRed) << "the pen came back";
}

TEST(QtDrawContext, TextIsClippedToItsRectangleUnlessNoClip) {
    const std::string text = "WWWWWWWWWWWWWWWW";
    const auto draw = [&](std::uint32_t nFormat) {
        return Paint([&](CQtDrawContext& dc) {
            CRect rect(5, 5, 25, 25);
            dc.DrawText(text, &rect, nFormat);
        });
    };
    const QRect clipped = InkBounds(draw(DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX));
    EXPECT_FALSE(clipped.isEmpty());
    EXPECT_TRUE(QRect(5, 5, 20, 20).contains(clipped)) << "ink beyond the cell";
    EXPECT_GT(InkBounds(draw(DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP)).right(), 25);
    EXPECT_TRUE(QRect(5, 5, 20, 20).contains(InkBounds(draw(DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS))));
}

TEST(QtDrawContext, TextPlacementAndMeasuring) {
    CQtDrawContext measure(QApplication::font());
    const CSize extent = measure.GetTextExtent("Value");
    EXPECT_GT(extent.cx, 0);
    // Windows-1252 bytes are measured as the characters they stand for.
    EXPECT_EQ(measure.GetTextExtent("\x80").cx,
              QFontMetrics(QApplication::font()).horizontalAdvance(QChar(0x20AC)));

    CRect calc(0, 0, 1000, 0);
    measure.DrawText("Value", &calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.Width(), extent.cx);
    CRect wrapped(0, 0, extent.cx + 2, 0);
    measure.DrawText("Value Value Value", &wrapped, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(wrapped.Height(), 3 * extent.cy) << "three lines at the width of one word";

    struct Row {
        std::uint32_t nFormat;
        bool bNearLeft;
        bool bNearRight;
    };
    for (const Row& row :
         {Row{DT_LEFT, true, false}, Row{DT_RIGHT, false, true}, Row{DT_CENTER, false, false}}) {
        const QRect ink = InkBounds(Paint(
            [&](CQtDrawContext& dc) {
                CRect rect(0, 0, 200, 30);
                dc.DrawText("ii", &rect, row.nFormat | DT_SINGLELINE | DT_VCENTER);
            },
            {200, 30}));
        EXPECT_EQ(ink.left() < 10, row.bNearLeft) << row.nFormat;
        EXPECT_EQ(ink.right() > 190, row.bNearRight) << row.nFormat;
    }
}

TEST(QtDrawContext, MeasuringContextDrawsNothingAndHasNoClipBox) {
    CQtDrawContext dc(QApplication::font());
    CRect clip;
    EXPECT_FALSE(dc.GetClipBox(&clip));
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    CQtDrawContext painting(painter, QRect(1, 2, 3, 4));
    EXPECT_TRUE(painting.GetClipBox(&clip));
    EXPECT_EQ(clip, CRect(1, 2, 4, 6));
    EXPECT_FALSE(painting.IsPrinting());
}

TEST(QtDrawContext, EdgeFrameControlAndImages) {
    CQtSystemMetrics metrics;
    SetSystemMetrics(&metrics);
    const QImage edge = Paint([](CQtDrawContext& dc) {
        CRect rect(2, 2, 12, 12);
        EXPECT_TRUE(dc.DrawEdge(&rect, BDR_SUNKENINNER, BF_RECT));
    });
    EXPECT_EQ(At(edge, 2, 2), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(edge, 11, 11), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(At(edge, 6, 6), kWhite);
    SetSystemMetrics(nullptr);

    const QImage button = Paint([](CQtDrawContext& dc) {
        EXPECT_TRUE(dc.DrawFrameControl(CRect(2, 2, 20, 20), DFC_SCROLL, DFCS_SCROLLDOWN));
    });
    EXPECT_TRUE(QRect(2, 2, 18, 18).contains(InkBounds(button)));
    EXPECT_FALSE(InkBounds(button).isEmpty());

    CQtImageList images;
    QPixmap red(4, 3);
    red.fill(ToQColor(kRed));
    EXPECT_EQ(images.Add(red), 0);
    CSize size;
    EXPECT_TRUE(images.GetImageSize(0, &size));
    EXPECT_EQ(size, CSize(4, 3));
    EXPECT_FALSE(images.GetImageSize(1, &size));
    const QImage drawn =
        Paint([&](CQtDrawContext& dc) { EXPECT_TRUE(dc.DrawImage(&images, 0, CPoint(5, 6))); });
    EXPECT_EQ(InkBounds(drawn), QRect(5, 6, 4, 3));
}

TEST(QtFont, LogicalFontsBecomeQtFontsAndBack) {
    LOGFONT lf;
    lf.lfHeight = -18;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    SetFaceName(lf, "MS Sans Serif");
    const QFont font = FontFromLogFont(lf);
    EXPECT_EQ(font.pixelSize(), 18);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_EQ(font.family(), QApplication::font().family()) << "the dialog face is the application's";
    lf.lfHeight = 16;
    EXPECT_EQ(FontFromLogFont(lf).pixelSize(), 16) << "a cell height is taken as the pixel size";

    const LOGFONT back = LogFontFromFont(font);
    EXPECT_EQ(back.lfHeight, -18);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfItalic, 1);
}

TEST(QtSystemMetrics, ColoursFromThePaletteAndMetricsFromTheStyle) {
    const CQtSystemMetrics metrics;
    const QPalette palette = QApplication::palette();
    struct Row {
        int nIndex;
        QPalette::ColorRole role;
    };
    const Row rows[] = {
        {COLOR_WINDOW, QPalette::Base},         {COLOR_WINDOWTEXT, QPalette::Text},
        {COLOR_HIGHLIGHT, QPalette::Highlight}, {COLOR_HIGHLIGHTTEXT, QPalette::HighlightedText},
        {COLOR_BTNFACE, QPalette::Button},      {COLOR_BTNHIGHLIGHT, QPalette::Light},
        {COLOR_3DDKSHADOW, QPalette::Shadow},   {COLOR_INFOBK, QPalette::ToolTipBase}};
    for (const Row& row : rows)
        EXPECT_EQ(metrics.GetSysColor(row.nIndex), ToColorRef(palette.color(QPalette::Active, row.role)))
            << "colour " << row.nIndex;
    EXPECT_EQ(metrics.GetSystemMetrics(SM_CXVSCROLL),
              QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    EXPECT_EQ(metrics.GetSystemMetrics(SM_CXBORDER), 0);
    EXPECT_EQ(metrics.GetWheelScrollLines(), QApplication::wheelScrollLines());
    QApplication::setWheelScrollLines(5);
    EXPECT_EQ(metrics.GetWheelScrollLines(), 5) << "read when asked";
    QApplication::setWheelScrollLines(3);
    EXPECT_NE(metrics.GetScreenDC(), nullptr);
    EXPECT_EQ(-metrics.GetMessageFont().lfHeight, QFontInfo(QApplication::font()).pixelSize());
}

}  // namespace
