// Paints a 1000 x 700 grid window of N rows x 4 columns of short texts (N = 1,000,
// 100,000 and 1,000,000), warm, on the offscreen platform, and in the same run a
// QTableWidget showing the same texts in the same column widths and row heights: a full
// paint (the window rendered into an image), one page down with the repaint it asks
// for, and the repaint of one cell. Prints the times, the ratios and, last, whether the
// targets are met (a grid paint at most half the table widget's, and 1,000,000 rows
// within 1.2x of 1,000).
//   bench_grid_paint [benchmark options]   (QT_QPA_PLATFORM=offscreen is set if unset)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "grid/GridCtrl.h"
#include "grid/qt/GridWnd.h"
#include "platform/qt/QtSystemMetrics.h"

namespace {

constexpr int kColumns = 4;
constexpr int kColumnWidth = 240;
constexpr int kWidth = 1000;
constexpr int kHeight = 700;
constexpr int kSizes[] = {1000, 100000, 1000000};
// The cell whose repaint is timed: well inside the first page.
constexpr int kCellRow = 5;
constexpr int kCellCol = 1;
constexpr int kRepetitions = 5;

struct RowTexts {
    char name[24];
    char value[24];
    const char* flag;
};
RowTexts MakeTexts(int i) {
    RowTexts texts{};
    std::snprintf(texts.name, sizeof(texts.name), "P%06d Speed", i % 1000000);
    std::snprintf(texts.value, sizeof(texts.value), "%d.0 rpm", i % 10000);
    texts.flag = (i % 3 == 0) ? "Yes" : "No";
    return texts;
}
const char* const kHeadings[kColumns] = {"Parameter", "From drive", "From file", "Update"};

// Paints what the last action left to repaint, as the event loop would next.
void FlushUpdates() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

void ShowWarm(QWidget& widget) {
    widget.resize(kWidth, kHeight);
    widget.show();
    QApplication::processEvents();
    widget.repaint();
    widget.repaint();
}

struct GridScene {
    CGridCtrl grid;
    std::unique_ptr<CGridWnd> pWnd;
};

std::unique_ptr<GridScene> MakeGridScene(int nRows) {
    auto scene = std::make_unique<GridScene>();
    scene->pWnd = std::make_unique<CGridWnd>(scene->grid);
    CGridCtrl& grid = scene->grid;
    grid.SetRedraw(false);
    grid.SetColumnCount(kColumns);
    grid.SetRowCount(nRows + 1);
    grid.SetFixedRowCount(1);
    for (int nCol = 0; nCol < kColumns; ++nCol) {
        grid.SetItemText(0, nCol, kHeadings[nCol]);
        grid.SetColumnWidth(nCol, kColumnWidth);
    }
    for (int i = 0; i < nRows; ++i) {
        const RowTexts texts = MakeTexts(i);
        grid.SetItemText(i + 1, 0, texts.name);
        grid.SetItemText(i + 1, 1, texts.value);
        grid.SetItemText(i + 1, 2, texts.value);
        grid.SetItemText(i + 1, 3, texts.flag);
    }
    grid.SetRedraw(true, true);
    ShowWarm(*scene->pWnd);
    return scene;
}

std::unique_ptr<QTableWidget> MakeTableScene(int nRows, int nRowHeight) {
    auto table = std::make_unique<QTableWidget>(nRows, kColumns);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(nRowHeight);
    table->horizontalHeader()->setFixedHeight(nRowHeight);
    for (int nCol = 0; nCol < kColumns; ++nCol) {
        table->setHorizontalHeaderItem(nCol, new QTableWidgetItem(QString::fromLatin1(kHeadings[nCol])));
        table->setColumnWidth(nCol, kColumnWidth);
    }
    for (int i = 0; i < nRows; ++i) {
        const RowTexts texts = MakeTexts(i);
        table->setItem(i, 0, new QTableWidgetItem(QString::fromLatin1(texts.name)));
        table->setItem(i, 1, new QTableWidgetItem(QString::fromLatin1(texts.value)));
        table->setItem(i, 2, new QTableWidgetItem(QString::fromLatin1(texts.value)));
        table->setItem(i, 3, new QTableWidgetItem(QString::fromLatin1(texts.flag)));
    }
    ShowWarm(*table);
    return table;
}

// The widgets of one row count, made when a benchmark of that count first runs and
// freed when the next count starts (the benchmarks run in registration order).
struct Scenes {
    int nRows = 0;
    std::unique_ptr<GridScene> pGrid;
    std::unique_ptr<QTableWidget> pTable;
};
Scenes s_scenes;
Scenes& ScenesFor(int nRows) {
    if (s_scenes.nRows != nRows) {
        s_scenes = Scenes();
        s_scenes.nRows = nRows;
        s_scenes.pGrid = MakeGridScene(nRows);
        s_scenes.pTable = MakeTableScene(nRows, s_scenes.pGrid->grid.GetRowHeight(1));
    }
    return s_scenes;
}

// One page down; from the bottom the bar first goes back to the top, untimed.
void PageDown(benchmark::State& state, QScrollBar* pBar) {
    if (pBar->value() >= pBar->maximum()) {
        state.PauseTiming();
        pBar->triggerAction(QAbstractSlider::SliderToMinimum);
        FlushUpdates();
        state.ResumeTiming();
    }
    pBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    FlushUpdates();
}

// The whole window with its children (the table's viewport and header included),
// into an image made once.
void FullPaint(benchmark::State& state, QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        widget.render(&image);
}
void GridFullPaint(benchmark::State& state, int nRows) {
    FullPaint(state, *ScenesFor(nRows).pGrid->pWnd);
}
void TableFullPaint(benchmark::State& state, int nRows) {
    FullPaint(state, *ScenesFor(nRows).pTable);
}
void GridPageDown(benchmark::State& state, int nRows) {
    QScrollBar* pBar = ScenesFor(nRows).pGrid->pWnd->VerticalScrollBar();
    for (auto _ : state)
        PageDown(state, pBar);
}
void TablePageDown(benchmark::State& state, int nRows) {
    QScrollBar* pBar = ScenesFor(nRows).pTable->verticalScrollBar();
    for (auto _ : state)
        PageDown(state, pBar);
}
void GridRedrawCell(benchmark::State& state, int nRows) {
    GridScene& scene = *ScenesFor(nRows).pGrid;
    scene.pWnd->VerticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    FlushUpdates();
    for (auto _ : state) {
        scene.grid.RedrawCell(kCellRow, kCellCol);
        FlushUpdates();
    }
}
void TableRedrawCell(benchmark::State& state, int nRows) {
    QTableWidget& table = *ScenesFor(nRows).pTable;
    table.scrollToTop();
    FlushUpdates();
    const QRect rect = table.visualItemRect(table.item(kCellRow - 1, kCellCol));
    for (auto _ : state) {
        table.viewport()->update(rect);
        FlushUpdates();
    }
}

// Keeps each benchmark's processor time per iteration (microseconds), the least of its
// repetitions, for the summary: on a shared machine the wall time and a single run say
// more about the neighbours than about us.
class CCollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min")
                m_times[run.run_name.function_name] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    double Time(const std::string& name) const {
        const auto it = m_times.find(name);
        return it == m_times.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> m_times;
};

std::string Name(const char* what, const char* who, int nRows) {
    return std::string(what) + "/" + who + "/" + std::to_string(nRows);
}

void Register() {
    using Fn = void (*)(benchmark::State&, int);
    const struct {
        const char* what;
        Fn grid;
        Fn table;
    } kinds[] = {{"full_paint", GridFullPaint, TableFullPaint},
                 {"page_down", GridPageDown, TablePageDown},
                 {"redraw_cell", GridRedrawCell, TableRedrawCell}};
    for (const int nRows : kSizes) {
        for (const auto& kind : kinds) {
            for (const auto& [who, fn] : {std::pair{"grid", kind.grid}, {"table", kind.table}})
                benchmark::RegisterBenchmark(Name(kind.what, who, nRows).c_str(), fn, nRows)
                    ->Unit(benchmark::kMicrosecond)
                    ->MinTime(0.2)
                    ->Repetitions(kRepetitions)
                    ->ComputeStatistics(
                        "min",
                        [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
                    ->ReportAggregatesOnly(true);
        }
    }
}

double ThreadCpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// The flatness check paints the smallest and the largest grid in turns, so that both
// see the same machine; each keeps its fastest paint.
struct FlatCheck {
    double dSmall = 0;
    double dLarge = 0;
};
FlatCheck MeasureFlatness() {
    constexpr int kRounds = 200;
    const std::unique_ptr<GridScene> pSmall = MakeGridScene(kSizes[0]);
    const std::unique_ptr<GridScene> pLarge = MakeGridScene(kSizes[2]);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    FlatCheck check{1e300, 1e300};
    for (int i = 0; i < kRounds; ++i) {
        for (auto [pScene, pBest] : {std::pair{pSmall.get(), &check.dSmall}, {pLarge.get(), &check.dLarge}}) {
            const double dStart = ThreadCpuMicroseconds();
            pScene->pWnd->render(&image);
            *pBest = std::min(*pBest, ThreadCpuMicroseconds() - dStart);
        }
    }
    return check;
}

void PrintSummary(const CCollectingReporter& reporter, const FlatCheck& flat) {
    std::printf("\nCPU time per operation, grid / QTableWidget (us)\n%-9s %28s %28s %28s\n", "rows",
                "full paint", "page down + repaint", "one cell + repaint");
    double dWorstRatio = 0.0;
    for (const int nRows : kSizes) {
        std::printf("%-9d", nRows);
        for (const char* what : {"full_paint", "page_down", "redraw_cell"}) {
            const double dGrid = reporter.Time(Name(what, "grid", nRows));
            const double dTable = reporter.Time(Name(what, "table", nRows));
            const double dRatio = dTable > 0 ? dGrid / dTable : 0.0;
            std::printf(" %8.1f / %8.1f = %5.2fx", dGrid, dTable, dRatio);
            if (std::string(what) == "full_paint")
                dWorstRatio = std::max(dWorstRatio, dRatio);
        }
        std::printf("\n");
    }
    const double dFlat = flat.dSmall > 0 ? flat.dLarge / flat.dSmall : 0.0;
    std::printf("full paint in turns, fastest of 200: %.1f us with %d rows, %.1f us with %d rows\n",
                flat.dSmall, kSizes[0], flat.dLarge, kSizes[2]);
    const bool bHalf = dWorstRatio > 0 && dWorstRatio <= 0.5;
    const bool bFlat = dFlat > 0 && dFlat <= 1.2;
    std::printf(
        "targets: full paint <= 0.5x QTableWidget (worst %.2fx, %s); 1,000,000 rows within 1.2x of 1,000 "
        "(%.2fx, %s)\n",
        dWorstRatio, bHalf ? "met" : "MISSED", dFlat, bFlat ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    CQtSystemMetrics metrics;
    SetSystemMetrics(&metrics);
    benchmark::Initialize(&argc, argv);
    Register();
    CCollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    s_scenes = Scenes();  // widgets go before the application object
    PrintSummary(reporter, MeasureFlatness());
    SetSystemMetrics(nullptr);
    return 0;
}
