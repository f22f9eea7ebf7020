// Times the Table page's service tools on a table of 1,000 parameters, on the window's
// thread with the page shown (offscreen platform): "Only rows that differ" on and off,
// "Mark Differing", and find moving to a match per key typed. Each figure is the time
// from the input event to the end of its handling, the repaint the handler asks for
// included. Targets: the filter and Mark Differing at most 20 ms, find at most 5 ms a key.
//
// Usage: bench_tables_page_tools [--repeat N]   (default 5)
#include "app/qt/Globals.h"
#include "app/qt/TablesPage.h"
#include "grid/qt/GridWnd.h"
#include "link/KeyWriter.h"
#include "table/TableRows.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

class CNoDrive final : public IKeyWriter {
public:
    void WritePort(const char* /*bytes*/, int /*count*/) override {}
};

// Key events reach the page first, as the sheet hands them on.
class CPageKeys final : public QObject {
public:
    explicit CPageKeys(CTablesPage& page) : m_page(page) {}
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        return (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
               m_page.PreTranslatePageMessage(event);
    }

private:
    CTablesPage& m_page;
};

double TimeMs(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    QCoreApplication::processEvents();  // the repaint the action asked for
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// 1,000 parameters in ten menus; every 40th file value differs, every 50th is missing on
// the drive, as after reading a customer's file.
void FillTable(CTablesPage& page) {
    CGridCtrl& grid = page.Tables().GetGrid();
    for (int n = 0; n < 1000; ++n) {
        const std::string name =
            "P" + std::to_string(100 * (n / 100 + 1) + n % 100) + " Param " + std::to_string(n);
        const int nRow = AddParameterRow(grid, name);
        const std::string value = std::to_string(n % 97) + ".0 A";
        grid.SetItemText(nRow, kColDrive, n % 50 == 7 ? "" : value);
        grid.SetItemText(nRow, kColFile, n % 40 == 3 ? std::to_string(n % 97 + 1) + ".0 A" : value);
    }
    page.Tables().FinishAndRefresh();
}

struct SFigures {
    std::vector<double> filterOn, filterOff, mark, findKey;
};

double Worst(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int nRepeat = 5;
    if (argc == 3 && std::string(argv[1]) == "--repeat")
        nRepeat = std::max(1, std::atoi(argv[2]));
    char folderTemplate[] = "/tmp/tovamo-bench-tools-XXXXXX";
    const std::string folder = mkdtemp(folderTemplate);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    g_BoldFont = MakeBoldFont();
    SFigures figures;
    {
        CNoDrive drive;
        CTablesPage page(drive);
        page.resize(page.sizeHint() * 2);
        page.show();
        CPageKeys keys(page);
        app.installEventFilter(&keys);
        FillTable(page);
        QCoreApplication::processEvents();
        for (int nRound = 0; nRound < nRepeat; ++nRound) {
            figures.filterOn.push_back(TimeMs([&] { page.OnlyDifferingBox()->click(); }));
            figures.filterOff.push_back(TimeMs([&] { page.OnlyDifferingBox()->click(); }));
            figures.mark.push_back(TimeMs([&] { page.MarkDifferingButton()->click(); }));
            QTest::keyClick(page.GridWindow(), Qt::Key_F, Qt::ControlModifier);
            page.FindField()->clear();
            for (const QChar c : QStringLiteral("param 99"))
                figures.findKey.push_back(TimeMs([&] { QTest::keyClick(page.FindField(), c.toLatin1()); }));
            for (int n = 0; n < 5; ++n)
                figures.findKey.push_back(TimeMs([&] { QTest::keyClick(page.FindField(), Qt::Key_F3); }));
        }
        app.removeEventFilter(&keys);
        page.hide();
    }
    g_BoldFont.reset();
    std::printf("bench_tables_page_tools: 1000 parameters, %d rounds (ms: median / worst)\n", nRepeat);
    std::printf("  only rows that differ on   %.2f / %.2f\n", Median(figures.filterOn),
                Worst(figures.filterOn));
    std::printf("  only rows that differ off  %.2f / %.2f\n", Median(figures.filterOff),
                Worst(figures.filterOff));
    std::printf("  mark differing             %.2f / %.2f\n", Median(figures.mark), Worst(figures.mark));
    std::printf("  find, per key              %.2f / %.2f\n", Median(figures.findKey),
                Worst(figures.findKey));
    const bool bMet = Worst(figures.filterOn) <= 20 && Worst(figures.filterOff) <= 20 &&
                      Worst(figures.mark) <= 20 && Worst(figures.findKey) <= 5;
    std::printf("  targets (20 ms, 20 ms, 20 ms, 5 ms): %s\n", bMet ? "met" : "NOT met");
    return bMet ? 0 : 1;
}
