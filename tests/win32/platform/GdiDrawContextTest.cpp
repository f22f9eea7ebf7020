// The GDI drawing context, drawing into DIB sections: the device-context rules the
// grid's cells rely on (excluded right and bottom edges, lines without their end point,
// saved state, clipped text), the fonts it makes and the system's frames it draws.
#include "DibSurface.h"
#include "platform/SystemMetrics.h"
#include "platform/TextFormat.h"
#include "platform/win32/GdiDrawContext.h"
#include "platform/win32/GdiFont.h"
#include "platform/win32/Win32ImageList.h"
#include "platform/win32/Win32SystemMetrics.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/win32/Win32Api.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(200, 0, 0);

using Draw = std::function<void(CGdiDrawContext&)>;

// A font the tests can rely on to have ink: the message font at 96 DPI.
struct MessageFont {
    ~MessageFont() { ::DeleteObject(hFont); }
    HFONT hFont = CreateGdiFont(CWin32SystemMetrics().GetMessageFont());
};

// Paints onto a white surface through a context and hands the surface back.
std::unique_ptr<CDibSurface> Paint(const Draw& draw, CSize size = {40, 30}) {
    static const MessageFont font;
    auto pSurface = std::make_unique<CDibSurface>(size.cx, size.cy);
    CGdiDrawContext dc(pSurface->GetDC(), font.hFont);
    draw(dc);
    return pSurface;
}

TEST(GdiDrawContext, RectanglesAndLinesLeaveOutTheirFarEdgeAndEndPoint) {
    struct Row {
        const char* what;
        Draw draw;
        CRect ink;
    };
    const auto line = [](int x0, int y0, int x1, int y1, CPen pen = CPen(PS_SOLID, 0, kRed)) {
        return [=](CGdiDrawContext& dc) {
            dc.SelectPen(pen);
            dc.MoveTo(x0, y0);
            dc.LineTo(x1, y1);
        };
    };
    const Row rows[] = {
        {"fill", [](CGdiDrawContext& dc) { dc.FillSolidRect(CRect(2, 3, 12, 8), kRed); }, CRect(2, 3, 12, 8)},
        {"frame", [](CGdiDrawContext& dc) { dc.FrameRect(CRect(2, 3, 12, 8), kRed); }, CRect(2, 3, 12, 8)},
        {"empty fill", [](CGdiDrawContext& dc) { dc.FillSolidRect(CRect(5, 5, 5, 9), kRed); }, CRect()},
        {"line right", line(3, 4, 10, 4), CRect(3, 4, 10, 5)},
        {"line left", line(10, 4, 3, 4), CRect(4, 4, 11, 5)},
        {"line down", line(6, 2, 6, 9), CRect(6, 2, 7, 9)},
        {"line up", line(6, 9, 6, 2), CRect(6, 3, 7, 10)},
        {"width 1 is one pixel", line(3, 4, 10, 4, CPen(PS_SOLID, 1, kRed)), CRect(3, 4, 10, 5)},
        {"null pen", line(3, 4, 10, 4, CPen(PS_NULL, 0, kRed)), CRect()},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Paint(row.draw)->InkBounds(), row.ink) << row.what;
    const auto frame = Paint([](CGdiDrawContext& dc) { dc.FrameRect(CRect(2, 3, 12, 8), kRed); });
    EXPECT_EQ(frame->At(5, 5), kWhite) << "a frame, not a fill";
}

TEST(GdiDrawContext, RestoreDcBringsBackPenTextColourAndFont) {
    CFont big;
    LOGFONT lf;
    lf.lfHeight = -30;
    lf.lfWeight = FW_BOLD;
    SetFaceName(lf, "Tahoma");
    big.CreateFontIndirect(&lf);
    const auto surface = Paint([&](CGdiDrawContext& dc) {
        const int nBaseHeight = dc.GetTextExtent("M").cy;
        dc.SetTextColor(kRed);
        dc.SelectPen(CPen(PS_SOLID, 0, kRed));
        const int nSaved = dc.SaveDC();
        dc.SetTextColor(RGB(0, 0, 255));
        dc.SelectPen(CPen(PS_NULL, 0, 0));
        EXPECT_EQ(dc.SelectObject(&big), nullptr);
        EXPECT_GT(dc.GetTextExtent("M").cy, nBaseHeight);
        EXPECT_EQ(dc.SelectObject(&big), &big);
        EXPECT_EQ(dc.GetFontCount(), 1u) << "one GDI font per description";
        EXPECT_TRUE(dc.RestoreDC(nSaved));
        EXPECT_FALSE(dc.RestoreDC(nSaved)) << "restored twice";
        EXPECT_EQ(dc.SetTextColor(0), kRed);
        EXPECT_EQ(dc.GetTextExtent("M").cy, nBaseHeight);
        EXPECT_EQ(dc.SelectObject(nullptr), nullptr) << "the font selected before the save";
        dc.MoveTo(0, 0);
        dc.LineTo(5, 0);
    });
    EXPECT_EQ(surface->At(2, 0), kRed) << "the pen came back";
}

TEST(GdiDrawContext, TextIsClippedToItsRectangleUnlessNoClip) {
    const std::string text = "WWWWWWWWWWWWWWWW";
    const auto draw = [&](std::uint32_t nFormat) {
        return Paint([&](CGdiDrawContext& dc) {
                   dc.SetBkMode(TRANSPARENT);
                   CRect rect(5, 5, 25, 25);
                   dc.DrawText(text, &rect, nFormat);
               })
            ->InkBounds();
    };
    const CRect cell(5, 5, 25, 25);
    const CRect clipped = draw(DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_FALSE(clipped.IsRectEmpty());
    EXPECT_EQ(CRect().IntersectRect(clipped, cell) ? clipped : CRect(), clipped) << "ink beyond the cell";
    EXPECT_GT(draw(DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP).right, 25);
    const CRect ellipsis = draw(DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_TRUE(ellipsis.left >= 5 && ellipsis.right <= 25 && !ellipsis.IsRectEmpty());
}

TEST(GdiDrawContext, TextMeasuring) {
    const MessageFont font;
    const auto pMeasure = CGdiDrawContext::CreateMeasuring(font.hFont);
    ASSERT_NE(pMeasure, nullptr);
    const CSize extent = pMeasure->GetTextExtent("Value");
    EXPECT_GT(extent.cx, 0);
    EXPECT_EQ(pMeasure->GetTextExtent("").cy, extent.cy) << "an empty text is one line high";
    TEXTMETRIC metrics;
    ASSERT_TRUE(pMeasure->GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, extent.cy);

    struct CalcRow {
        const char* what;
        std::string text;
        int nWidth;
        std::uint32_t nFormat;
        CSize expected;
    };
    const CalcRow calcs[] = {
        {"one line", "Value", 1000, DT_SINGLELINE, extent},
        {"empty", "", 1000, DT_SINGLELINE, {0, extent.cy}},
        {"modify string is ignored", "Value", 1000, DT_SINGLELINE | DT_MODIFYSTRING | DT_END_ELLIPSIS,
         extent},
    };
    for (const CalcRow& row : calcs) {
        CRect calc(3, 4, 3 + row.nWidth, 4);
        pMeasure->DrawText(row.text, &calc, row.nFormat | DT_CALCRECT);
        EXPECT_EQ(calc.Size(), row.expected) << row.what;
        EXPECT_EQ(calc.TopLeft(), CPoint(3, 4)) << row.what;
    }
    CRect wrapped(0, 0, extent.cx + 2, 0);
    pMeasure->DrawText("Value Value Value", &wrapped, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(wrapped.Height(), 3 * extent.cy) << "three lines at the width of one word";
}

TEST(GdiDrawContext, FontsScaleWithTheDpi) {
    CFont font;
    LOGFONT lf;
    lf.lfHeight = -16;
    SetFaceName(lf, "Tahoma");
    font.CreateFontIndirect(&lf);
    const auto pMeasure = CGdiDrawContext::CreateMeasuring();
    pMeasure->SelectObject(&font);
    const int nAt96 = pMeasure->GetTextExtent("MMMMMMMMMM").cx;
    pMeasure->SetFontDpi(144);
    EXPECT_EQ(pMeasure->GetFontDpi(), 144);
    const int nAt144 = pMeasure->GetTextExtent("MMMMMMMMMM").cx;
    EXPECT_NEAR(nAt144, nAt96 * 3 / 2, nAt96 / 10) << "the selected font was made again";

    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    SetFaceName(lf, "Caf\xE9");
    HFONT hFont = CreateGdiFont(lf, 144);
    LOGFONTW wide{};
    ::GetObjectW(hFont, sizeof(wide), &wide);
    EXPECT_EQ(wide.lfHeight, -24);
    EXPECT_EQ(std::wstring(wide.lfFaceName), L"Caf\u00E9");
    EXPECT_EQ(LogFontOfGdiFont(hFont, 144), lf) << "and back at 96 DPI";
    ::DeleteObject(hFont);
}

TEST(GdiDrawContext, EdgeFrameControlAndImages) {
    CWin32SystemMetrics metrics;
    SetSystemMetrics(&metrics);
    const auto edge = Paint([](CGdiDrawContext& dc) {
        CRect rect(2, 2, 12, 12);
        EXPECT_TRUE(dc.DrawEdge(&rect, BDR_SUNKENINNER, BF_RECT));
        EXPECT_EQ(rect, CRect(2, 2, 12, 12)) << "moved only with BF_ADJUST";
    });
    EXPECT_EQ(edge->At(2, 2), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(edge->At(6, 6), kWhite);
    EXPECT_EQ(edge->InkBounds(), CRect(2, 2, 12, 12));
    SetSystemMetrics(nullptr);

    const auto button = Paint([](CGdiDrawContext& dc) {
        EXPECT_TRUE(dc.DrawFrameControl(CRect(2, 2, 20, 20), DFC_SCROLL, DFCS_SCROLLDOWN));
    });
    EXPECT_EQ(button->InkBounds(), CRect(2, 2, 20, 20));

    CWin32ImageList images(4, 3);
    CDibSurface red(4, 3, kRed);
    HBITMAP hBitmap = static_cast<HBITMAP>(::GetCurrentObject(red.GetDC(), OBJ_BITMAP));
    HBITMAP hCopy = static_cast<HBITMAP>(::CopyImage(hBitmap, IMAGE_BITMAP, 4, 3, 0));
    EXPECT_EQ(images.Add(hCopy), 0);
    ::DeleteObject(hCopy);
    CSize size;
    EXPECT_TRUE(images.GetImageSize(0, &size));
    EXPECT_EQ(size, CSize(4, 3));
    EXPECT_FALSE(images.GetImageSize(1, &size));
    const auto drawn =
        Paint([&](CGdiDrawContext& dc) { EXPECT_TRUE(dc.DrawImage(&images, 0, CPoint(5, 6))); });
    EXPECT_EQ(drawn->InkBounds(), CRect(5, 6, 9, 9));
    EXPECT_EQ(drawn->At(6, 7), kRed);
    Paint([&](CGdiDrawContext& dc) { EXPECT_FALSE(dc.DrawImage(&images, 1, CPoint())) << "no such image"; });
}

TEST(GdiDrawContext, ReadsTheDeviceAndGivesItBackAsItFoundIt) {
    CDibSurface surface(10, 10);
    ::IntersectClipRect(surface.GetDC(), 1, 2, 4, 6);
    HGDIOBJ hFontBefore = ::GetCurrentObject(surface.GetDC(), OBJ_FONT);
    HGDIOBJ hPenBefore = ::GetCurrentObject(surface.GetDC(), OBJ_PEN);
    {
        CGdiDrawContext dc(surface.GetDC());
        CRect clip;
        EXPECT_TRUE(dc.GetClipBox(&clip));
        EXPECT_EQ(clip, CRect(1, 2, 4, 6));
        EXPECT_FALSE(dc.IsPrinting());
        EXPECT_NE(dc.GetDeviceCaps(NUMCOLORS), 2);
        EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
        CFont font;
        LOGFONT lf;
        lf.lfHeight = -20;
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SelectPen(CPen(PS_SOLID, 2, kRed));
        dc.SaveDC();  // left unrestored on purpose
        dc.SetTextColor(kRed);
    }
    EXPECT_EQ(::GetCurrentObject(surface.GetDC(), OBJ_FONT), hFontBefore);
    EXPECT_EQ(::GetCurrentObject(surface.GetDC(), OBJ_PEN), hPenBefore);
    EXPECT_EQ(::GetTextColor(surface.GetDC()), 0u);
    EXPECT_EQ(::GetBkMode(surface.GetDC()), OPAQUE);
}

}  // namespace
