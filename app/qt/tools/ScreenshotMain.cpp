// tovamo-screenshot OUTDIR [KEYS]: renders the port dialog and, after pressing KEYS
// (default "eue") against the drive on the preselected port, the Edit page, into
// OUTDIR/port-dialog.png and OUTDIR/edit-page.png.
// tovamo-screenshot --table SIM OUTDIR: starts the simulated drive SIM, reads it on the
// Table page, compares it with a parameter file made from what was read (a few values
// changed, '2.0' against the drive's '2', one name the drive does not show) and renders the page
// into OUTDIR/table-page.png.
// Meant for the offscreen platform.
#include "app/Resources.h"
#include "app/qt/AppIcon.h"
#include "app/qt/Globals.h"
#include "app/qt/MySheet.h"
#include "app/qt/TablesPage.h"
#include "app/qt/TovamoApp.h"
#include "app/qt/TovamoDlg.h"
#include "platform/qt/QtFileChooser.h"
#include "platform/qt/SettingsStore.h"
#include "table/ParamFile.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {
class CStderrMessages final : public IMessageBox {
public:
    void ShowMessage(const std::string& text, const std::string& detail) override {
        std::fprintf(stderr, "tovamo-screenshot: %s %s\n", text.c_str(), detail.c_str());
    }
};

void Settle(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// The offscreen platform draws no window frame: a plain caption bar keeps the pictures
// recognisable as windows.
QImage WithCaption(QWidget& window) {
    const QPixmap client = window.grab();
    const int bar = 24;
    QImage image(client.width() + 2, client.height() + bar + 1, QImage::Format_RGB32);
    image.fill(QColor(0x1f, 0x4f, 0x8f));
    QPainter painter(&image);
    painter.drawPixmap(1, bar, client);
    painter.drawPixmap(5, 4, TovamoIcon().pixmap(16, 16));
    QFont font = window.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(26, 0, image.width() - 30, bar), Qt::AlignVCenter | Qt::AlignLeft,
                     window.windowTitle());
    return image;
}

bool Save(QWidget& window, const QString& path) {
    window.show();
    Settle(200);
    if (WithCaption(window).save(path))
        return true;
    std::fprintf(stderr, "tovamo-screenshot: cannot write %s\n", qPrintable(path));
    return false;
}

int KeyFor(QChar c) {
    return Qt::Key_A + (c.toUpper().unicode() - 'A');
}

void PressKeys(CMySheet& sheet, const QString& keys) {
    for (const QChar c : keys) {
        QWidget* target = sheet.focusWidget() != nullptr ? sheet.focusWidget() : &sheet;
        QKeyEvent press(QEvent::KeyPress, KeyFor(c), Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, KeyFor(c), Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
        Settle(400);  // the drive answers at 9600 baud
    }
}

// The simulated drive for the Table page's picture, unpaced; stopped with the object.
class CSimProcess {
public:
    explicit CSimProcess(const QString& program) {
        m_process.setProgram(program);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        const QString line = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        if (line.startsWith(QStringLiteral("PTY ")))
            m_strPty = line.mid(4).toStdString();
    }
    ~CSimProcess() {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    CSimProcess(const CSimProcess&) = delete;
    CSimProcess& operator=(const CSimProcess&) = delete;

    // The drive's terminal; empty when it did not start.
    const std::string& Pty() const { return m_strPty; }

private:
    QProcess m_process;
    std::string m_strPty;
};

// The drive's table as a file with a few differences: two values to reach (marked),
// one that differs only in its text ('2.0' against '2'), and a name the drive lacks.
std::string ComparedFile(const CGridCtrl& grid) {
    const std::vector<std::pair<std::string, std::pair<std::string, std::string>>> changes = {
        {"P402", {"-0.080 V", "Yes"}},
        {"P404", {"2.0", "No"}},
        {"P410", {"5", "Yes"}},
    };
    std::string file;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        SParamLine line{grid.GetItemText(nRow, 0), grid.GetItemText(nRow, 1), "No"};
        for (const auto& [prefix, change] : changes)
            if (line.strName.rfind(prefix, 0) == 0)
                std::tie(line.strValue, line.strFlag) = change;
        file += FormatParamLine(line.strName, line.strValue, line.strFlag);
    }
    // Shown only while the brake is on, which it is not on this drive.
    return file + FormatParamLine("P408 Brake delay", "150 ms", "No");
}

int TablePage(const QString& sim, const QString& outDir) {
    CSimProcess drive(sim);
    if (drive.Pty().empty()) {
        std::fprintf(stderr, "tovamo-screenshot: the simulated drive did not start\n");
        return 1;
    }
    CStderrMessages messages;
    CHardware hardware(&messages);
    if (hardware.OpenPort(drive.Pty()) != 1)
        return 1;
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("compared.txt"));
    int status = 1;
    {
        CMySheet sheet(hardware);
        sheet.AddStandardPages();
        sheet.TabWidget()->setCurrentIndex(1);
        auto* page = qobject_cast<CTablesPage*>(sheet.GetActivePage());
        sheet.show();
        Settle(300);
        page->Button(res::kIdReadDrive)->click();
        const QDeadlineTimer deadline(60000);
        while (page->Tables().IsReading() && !deadline.hasExpired())
            Settle(50);
        if (WriteParamFile(file.toStdString(), ComparedFile(page->Tables().GetGrid())) == 0) {
            CQtFileChooser::SetTestHook([&file](QFileDialog&) { return file; });
            page->Button(res::kIdReadFile)->click();
            CQtFileChooser::SetTestHook({});
            // The end of the table, where the differences and the added name are.
            CGridCtrl& grid = page->Tables().GetGrid();
            grid.SetFocusCell(grid.GetRowCount() - 1, 2);
            grid.EnsureVisible(grid.GetRowCount() - 1, 0);
            status = Save(sheet, outDir + QStringLiteral("/table-page.png")) ? 0 : 1;
        }
        sheet.close();
        hardware.StopReader();
    }
    return status;
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc == 4 && std::string(argv[1]) == "--table") {
        g_BoldFont = MakeBoldFont();
        const int status = TablePage(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        g_BoldFont.reset();
        return status;
    }
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "usage: tovamo-screenshot OUTDIR [KEYS]\n"
                     "       tovamo-screenshot --table SIM OUTDIR\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString keys = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("eue");

    // The same settings the program itself reads.
    CTovamoApp app(g_Hardware, QStringLiteral("tovamo"));
    CSettingsStore settings(app.SettingsOrganisation(), QStringLiteral("tovamo"));
    g_nNumCom = settings.GetProfileInt(QString::fromLatin1(res::kSettingsSection),
                                       QString::fromLatin1(res::kNumComEntry), 1);
    g_BoldFont = MakeBoldFont();

    CTovamoDlg dlg(g_Hardware, settings);
    if (!Save(dlg, outDir + QStringLiteral("/port-dialog.png")))
        return 1;

    CStderrMessages messages;
    g_Hardware.SetMessageBox(&messages);
    if (dlg.PortCombo()->currentIndex() < 0 ||
        g_Hardware.OpenPort("COM" + std::to_string(dlg.PortCombo()->currentIndex() + 1)) != 1)
        return 1;
    dlg.hide();
    int status = 0;
    {
        CMySheet sheet(g_Hardware);
        sheet.AddStandardPages();
        sheet.show();
        Settle(300);
        PressKeys(sheet, keys);
        status = Save(sheet, outDir + QStringLiteral("/edit-page.png")) ? 0 : 1;
        sheet.close();
        g_Hardware.StopReader();
    }
    g_BoldFont.reset();
    return status;
}
