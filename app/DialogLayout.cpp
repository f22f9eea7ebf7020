#include "app/DialogLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
// number * numerator / denominator, rounded half away from zero.
int ScaleRounded(int number, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t magnitude = (std::llabs(product) + denominator / 2) / denominator;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}
}  // namespace

int SDialogScale::X(int nUnits) const {
    return ScaleRounded(nUnits, nBaseX, 4);
}

int SDialogScale::Y(int nUnits) const {
    return ScaleRounded(nUnits, nBaseY, 8);
}

CSize ExtraRoom(CSize windowSize, CSize templateSize) {
    return {std::max(0, windowSize.cx - templateSize.cx), std::max(0, windowSize.cy - templateSize.cy)};
}

CRect GrowRect(const CRect& rect, unsigned nGrow, CSize extra) {
    CRect grown = rect;
    if (nGrow & kWiden)
        grown.right += extra.cx;
    if (nGrow & kHeighten)
        grown.bottom += extra.cy;
    grown.OffsetRect((nGrow & kMoveRight) ? extra.cx : 0, (nGrow & kMoveDown) ? extra.cy : 0);
    return grown;
}

std::map<int, CRect> TablesPageRects(const SDialogScale& du, CSize pageSize, bool bFindOpen,
                                     bool bProgressShown) {
    const CSize extra = ExtraRoom(pageSize, du.Size(kTablesPageTemplate.cx, kTablesPageTemplate.cy));
    std::map<int, CRect> rects;
    for (const SControlTemplate& control : kTablesPageControls)
        rects[control.nId] = GrowRect(du.Rect(control), control.nGrow, extra);

    CRect& grid = rects[res::kIdGrid];
    if (bFindOpen) {
        const SControlTemplate& label = *kTablesPageTemplate.Find(res::kIdFindLabel);
        const SControlTemplate& edit = *kTablesPageTemplate.Find(res::kIdFind);
        const int nTop = grid.bottom - du.Y(label.cy);
        const int nLeft = du.X(label.x);
        rects[res::kIdFindLabel] = {nLeft, nTop, nLeft + du.X(label.cx), grid.bottom};
        rects[res::kIdFind] = {nLeft + du.X(label.cx), nTop, nLeft + du.X(label.cx) + du.X(edit.cx),
                               grid.bottom};
        grid.bottom = nTop - du.Y(kFindGap) + 1;
    }

    CRect& status = rects[res::kIdStatus];
    const int nBarWidth = du.X(kTablesPageTemplate.Find(res::kIdProgress)->cx);
    const int nBarTop = status.top + du.Y(1);
    rects[res::kIdProgress] = {status.right - nBarWidth, nBarTop, status.right,
                               nBarTop + status.Height() - du.Y(2)};
    if (bProgressShown)
        status.right -= nBarWidth + du.X(kProgressGap);
    return rects;
}
