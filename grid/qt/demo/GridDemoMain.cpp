// tovamo-grid-demo [--screenshot FILE.png]: a window with a 100,000-row grid to scroll,
// select, resize and sort by hand, and a second grid beside it to copy, paste and drag
// cells between them. With --screenshot it renders the window into the
// file and ends (meant for the offscreen platform).
#include "grid/GridCtrl.h"
#include "grid/qt/demo/DemoWindow.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtSystemMetrics.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPainter>
#include <QThread>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kDataRows = 100000;

void Settle(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// The offscreen platform draws no window frame: a plain caption bar keeps the picture
// recognisable as a window, like the program's other screenshots.
bool SaveWithCaption(QWidget& window, const QString& path) {
    const QPixmap client = window.grab();
    const int nBar = 24;
    QImage image(client.width() + 2, client.height() + nBar + 1, QImage::Format_RGB32);
    image.fill(QColor(0x1f, 0x4f, 0x8f));
    QPainter painter(&image);
    painter.drawPixmap(1, nBar, client);
    QFont font = window.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(8, 0, image.width() - 12, nBar), Qt::AlignVCenter | Qt::AlignLeft,
                     window.windowTitle());
    painter.end();
    return image.save(path);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const char* pszScreenshot = (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) ? argv[2] : nullptr;
    if (argc > 1 && pszScreenshot == nullptr) {
        std::fprintf(stderr, "usage: tovamo-grid-demo [--screenshot FILE.png]\n");
        return 2;
    }
    CQtSystemMetrics metrics;
    SetSystemMetrics(&metrics);
    int nStatus = 0;
    {
        // The grids outlive the window that hosts them.
        CGridCtrl grid;
        CGridCtrl second;
        QWidget window;
        CQtMessageBox messageBox(&window);
        window.setWindowTitle(QStringLiteral("Tovamo grid demo"));
        BuildDemoWindow(window, grid, second, messageBox, kDataRows);
        // The left grid's columns and bar whole; the right one gets two thirds of that.
        int nWidth = 14;
        for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol)
            nWidth += grid.GetColumnWidth(nCol);
        window.resize((nWidth + GetSystemMetrics(SM_CXVSCROLL)) * 5 / 3, 480);
        window.show();
        if (pszScreenshot != nullptr) {
            Settle(300);
            nStatus = SaveWithCaption(window, QString::fromLocal8Bit(pszScreenshot)) ? 0 : 1;
        } else {
            nStatus = QApplication::exec();
        }
    }
    SetSystemMetrics(nullptr);
    return nStatus;
}
