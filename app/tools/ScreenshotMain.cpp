// tovamo-screenshot OUTDIR [KEYS]: renders the port dialog and, after pressing KEYS
// (default "eue") against the drive on the preselected port, the Edit page, into
// OUTDIR/port-dialog.png and OUTDIR/edit-page.png. Meant for the offscreen platform.
#include "app/AppIcon.h"
#include "app/Globals.h"
#include "app/MySheet.h"
#include "app/Resources.h"
#include "app/TovamoApp.h"
#include "app/TovamoDlg.h"
#include "platform/qt/SettingsStore.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QThread>

#include <cstdio>

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
}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tovamo-screenshot OUTDIR [KEYS]\n");
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
        g_Hardware.OpenPort(dlg.PortCombo()->currentText().toStdString()) != 1)
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
