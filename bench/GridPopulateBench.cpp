// Fills a grid of N rows x 4 columns with short texts and finds a row by its first
// column, for normal cells, for light cells and, in the same run, for Qt's table widget
// and item model filled the fast way. Prints time and heap bytes per cell and the
// ratios against the table widget.
//   bench_grid_populate [rows ...]     (default: 100000 1000000; run with QT_QPA_PLATFORM=offscreen)
#include <malloc.h>

#include <QApplication>
#include <QStandardItemModel>
#include <QTableWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridCtrl.h"

namespace {

constexpr int kColumns = 4;

// Heap in use, the allocator's own overhead included (small blocks plus mapped blocks).
long long HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The texts of row i: a parameter name, a value and an update flag, none over 15 bytes.
// They are made before the clock starts, so that every contender is timed on storing
// texts, not on formatting them.
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

std::vector<RowTexts> g_texts;
const RowTexts& TextsOf(int i) {
    return g_texts[static_cast<std::size_t>(i)];
}

struct Result {
    double dPopulate = 0;
    double dFindNsPerRow = 0;
    double dBytesPerCell = 0;
    bool bFound = false;
};

// Runs one contender: fill() builds and fills the table, find() scans it for the
// given first-column text and returns the row; both measured, then the table is freed.
template <typename Table>
Result Measure(int nRows, const std::function<std::unique_ptr<Table>(int)>& fill,
               const std::function<int(Table&, const std::string&)>& find) {
    Result result;
    malloc_trim(0);
    const long long nBefore = HeapInUse();
    auto start = std::chrono::steady_clock::now();
    std::unique_ptr<Table> table = fill(nRows);
    result.dPopulate = Seconds(start);
    result.dBytesPerCell =
        static_cast<double>(HeapInUse() - nBefore) / (static_cast<double>(nRows) * kColumns);

    const std::string target = TextsOf(nRows - 1).name;
    start = std::chrono::steady_clock::now();
    const int nFound = find(*table, target);
    result.dFindNsPerRow = Seconds(start) * 1e9 / nRows;
    result.bFound = nFound >= 0;
    return result;
}

std::unique_ptr<CGridCtrl> FillGrid(int nRows, bool bLight) {
    auto grid = std::make_unique<CGridCtrl>(1, kColumns, 1, 0);
    if (bLight) {
        grid->SetLightCellMode();
    }
    for (int i = 0; i < nRows; ++i) {
        const RowTexts& texts = TextsOf(i);
        const int nRow = grid->InsertRow(texts.name);
        grid->SetItemText(nRow, 1, texts.value);
        grid->SetItemText(nRow, 2, texts.value);
        grid->SetItemText(nRow, 3, texts.flag);
    }
    return grid;
}

int FindInGrid(CGridCtrl& grid, const std::string& target) {
    for (int nRow = grid.GetFixedRowCount(); nRow < grid.GetRowCount(); ++nRow) {
        if (grid.GetItemText(nRow, 0) == target) {
            return nRow;
        }
    }
    return -1;
}

std::unique_ptr<QTableWidget> FillTableWidget(int nRows) {
    auto table = std::make_unique<QTableWidget>();
    table->setColumnCount(kColumns);
    table->setRowCount(nRows);
    for (int i = 0; i < nRows; ++i) {
        const RowTexts& texts = TextsOf(i);
        table->setItem(i, 0, new QTableWidgetItem(QString::fromLatin1(texts.name)));
        table->setItem(i, 1, new QTableWidgetItem(QString::fromLatin1(texts.value)));
        table->setItem(i, 2, new QTableWidgetItem(QString::fromLatin1(texts.value)));
        table->setItem(i, 3, new QTableWidgetItem(QString::fromLatin1(texts.flag)));
    }
    return table;
}

int FindInTableWidget(QTableWidget& table, const std::string& target) {
    const QString text = QString::fromLatin1(target.c_str());
    for (int nRow = 0; nRow < table.rowCount(); ++nRow) {
        if (table.item(nRow, 0)->text() == text) {
            return nRow;
        }
    }
    return -1;
}

std::unique_ptr<QStandardItemModel> FillItemModel(int nRows) {
    auto model = std::make_unique<QStandardItemModel>(nRows, kColumns);
    for (int i = 0; i < nRows; ++i) {
        const RowTexts& texts = TextsOf(i);
        model->setItem(i, 0, new QStandardItem(QString::fromLatin1(texts.name)));
        model->setItem(i, 1, new QStandardItem(QString::fromLatin1(texts.value)));
        model->setItem(i, 2, new QStandardItem(QString::fromLatin1(texts.value)));
        model->setItem(i, 3, new QStandardItem(QString::fromLatin1(texts.flag)));
    }
    return model;
}

int FindInItemModel(QStandardItemModel& model, const std::string& target) {
    const QString text = QString::fromLatin1(target.c_str());
    for (int nRow = 0; nRow < model.rowCount(); ++nRow) {
        if (model.item(nRow, 0)->text() == text) {
            return nRow;
        }
    }
    return -1;
}

void Print(const char* name, const Result& r, const Result& qt) {
    std::printf(
        "  %-20s populate %7.3f s  (%5.2fx faster)  find %6.1f ns/row  heap %6.1f B/cell  (%4.2f of "
        "widget)%s\n",
        name, r.dPopulate, qt.dPopulate / r.dPopulate, r.dFindNsPerRow, r.dBytesPerCell,
        r.dBytesPerCell / qt.dBytesPerCell, r.bFound ? "" : "  NOT FOUND");
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty()) {
        sizes = {100000, 1000000};
    }

    std::printf("Grid populate: InsertRow + SetItemText, %d columns of texts up to 15 bytes\n", kColumns);
    for (const int nRows : sizes) {
        g_texts.clear();
        for (int i = 0; i < nRows; ++i) {
            g_texts.push_back(MakeTexts(i));
        }
        const Result widget = Measure<QTableWidget>(nRows, FillTableWidget, FindInTableWidget);
        const Result model = Measure<QStandardItemModel>(nRows, FillItemModel, FindInItemModel);
        const Result normal = Measure<CGridCtrl>(
            nRows, [](int n) { return FillGrid(n, false); }, FindInGrid);
        const Result light = Measure<CGridCtrl>(
            nRows, [](int n) { return FillGrid(n, true); }, FindInGrid);
        std::printf("%d rows:\n", nRows);
        Print("QTableWidget", widget, widget);
        Print("QStandardItemModel", model, widget);
        Print("grid, normal cells", normal, widget);
        Print("grid, light cells", light, widget);
        std::printf(
            "  targets: populate >= 3x faster (%s), <= half the memory (%s), light <= 100 B/cell (%s)\n",
            widget.dPopulate / normal.dPopulate >= 3.0 ? "met" : "MISSED",
            normal.dBytesPerCell <= widget.dBytesPerCell / 2 ? "met" : "MISSED",
            light.dBytesPerCell <= 100.0 ? "met" : "MISSED");
    }
    return 0;
}
