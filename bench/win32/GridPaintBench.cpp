// A full paint of the Win32 grid window (CGridWnd painting through CGdiDrawContext and
// its memory context) of 1,000,000 rows against the same window of 1,000 rows, in one
// run: 4 columns of short texts, 1000 x 700 pixels, warm, in windows at the same place. Each paint is
// RedrawWindow with RDW_UPDATENOW (WM_PAINT handled before it returns) and GdiFlush; the two grids take
// turns, first at the top of the table, then scrolled to its end. One line per row count with the medians
// (the Linux bench's texts and sizes, bench/GridPaintBench.cpp):
//   rows=N median_ms=TOP bottom_median_ms=END fill_s=SECONDS
//   tovamo-bench-grid-paint.exe [--runs N]
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridCtrl.h"
#include "grid/win32/GridWnd.h"

#include "bench/win32/BenchProcess.h"

namespace {
constexpr int kColumns = 4;
constexpr int kColumnWidth = 240;
constexpr int kWidth = 1000;
constexpr int kHeight = 700;
constexpr int kSizes[] = {1000, 1000000};
const char* const kHeadings[kColumns] = {"Parameter", "From drive", "From file", "Update"};

struct SScene {
    CGridCtrl grid;
    HWND hFrame = nullptr;
    CGridWnd* pWnd = nullptr;
    double nFillSeconds = 0;
    std::vector<double> top;
    std::vector<double> bottom;
};

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Fill(CGridCtrl& grid, int nRows) {
    grid.SetRedraw(false);
    grid.SetColumnCount(kColumns);
    grid.SetRowCount(nRows + 1);
    grid.SetFixedRowCount(1);
    for (int nCol = 0; nCol < kColumns; ++nCol) {
        grid.SetItemText(0, nCol, kHeadings[nCol]);
        grid.SetColumnWidth(nCol, kColumnWidth);
    }
    char szName[24];
    char szValue[24];
    for (int i = 0; i < nRows; ++i) {
        std::snprintf(szName, sizeof(szName), "P%06d Speed", i % 1000000);
        std::snprintf(szValue, sizeof(szValue), "%d.0 rpm", i % 10000);
        grid.SetItemText(i + 1, 0, szName);
        grid.SetItemText(i + 1, 1, szValue);
        grid.SetItemText(i + 1, 2, szValue);
        grid.SetItemText(i + 1, 3, i % 3 == 0 ? "Yes" : "No");
    }
    grid.SetRedraw(true, true);
}

std::unique_ptr<SScene> MakeScene(int nRows) {
    auto scene = std::make_unique<SScene>();
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    scene->hFrame = CreateWindowExW(0, L"TovamoPaintBench", L"paint", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    const RECT client{0, 0, kWidth, kHeight};
    scene->pWnd = CGridWnd::Create(scene->hFrame, client, 1006);
    if (!scene->pWnd)
        return nullptr;
    scene->pWnd->Attach(scene->grid);
    const double nStart = NowMs();
    Fill(scene->grid, nRows);
    scene->nFillSeconds = (NowMs() - nStart) / 1000;
    PumpMessages();
    return scene;
}

// The windows lie on one another: the one painted is brought up first, so that nothing
// of it is covered.
double TimeFullPaint(const SScene& scene) {
    SetWindowPos(scene.hFrame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpMessages();
    HWND hGrid = scene.pWnd->GetHwnd();
    const double nStart = NowMs();
    RedrawWindow(hGrid, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    return NowMs() - nStart;
}

// Each scene painted nRuns times, in turns, after two warm-up paints each.
void PaintInTurns(std::vector<std::unique_ptr<SScene>>& scenes, int nRuns, bool bBottom) {
    for (int nRun = -2; nRun < nRuns; ++nRun) {
        for (auto& scene : scenes) {
            const double nMs = TimeFullPaint(*scene);
            PumpMessages();
            if (nRun >= 0)
                (bBottom ? scene->bottom : scene->top).push_back(nMs);
        }
    }
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    int nRuns = 15;
    if (argc == 3 && std::wstring(argv[1]) == L"--runs")
        nRuns = _wtoi(argv[2]);
    if (nRuns <= 0 || (argc != 1 && argc != 3)) {
        std::fprintf(stderr, "usage: tovamo-bench-grid-paint.exe [--runs N]\n");
        return 2;
    }
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = DefWindowProcW;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.lpszClassName = L"TovamoPaintBench";
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(5 + 1));  // the window colour
    RegisterClassW(&frameClass);
    std::vector<std::unique_ptr<SScene>> scenes;
    for (int nRows : kSizes) {
        scenes.push_back(MakeScene(nRows));
        if (!scenes.back()) {
            std::fprintf(stderr, "tovamo-bench-grid-paint: no grid window\n");
            return 1;
        }
    }
    PaintInTurns(scenes, nRuns, false);
    for (auto& scene : scenes) {
        SendMessageW(scene->pWnd->GetHwnd(), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
        PumpMessages();
    }
    PaintInTurns(scenes, nRuns, true);
    for (std::size_t i = 0; i < scenes.size(); ++i)
        std::printf("rows=%d median_ms=%.3f bottom_median_ms=%.3f fill_s=%.2f\n", kSizes[i],
                    Median(scenes[i]->top), Median(scenes[i]->bottom), scenes[i]->nFillSeconds);
    for (auto& scene : scenes) {
        scene->pWnd->Detach();
        DestroyWindow(scene->hFrame);
    }
    return 0;
}
