// Start-up and the port dialog, run as the program runs them (CTovamoApp::InitInstance
// with its modal loops), driven from timers with QTest events.
#include "app/QtTestApp.h"
#include "app/qt/AboutDlg.h"
#include "app/qt/EditParam.h"
#include "app/qt/MySheet.h"
#include "app/qt/TovamoApp.h"
#include "app/qt/TovamoDlg.h"
#include "link/Hardware.h"
#include "support/FakeSerialSystem.h"
#include "support/SimDrive.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

using namespace std::chrono_literals;

QPushButton* Button(QWidget* window, const char* text) {
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text() == QLatin1String(text))
            return button;
    return nullptr;
}

std::string PortLink(int n) {
    return (apptest::TovamoDir() + QStringLiteral("/ports/COM%1").arg(n)).toStdString();
}

class PortDialogTest : public ::testing::Test {
protected:
    // Each test has a settings file of its own.
    QString AppName() const {
        return QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    QVariant StoredNumCom() const {
        const std::string text = apptest::ReadSettingsFile(AppName());
        const auto pos = text.find("NumCom=");
        if (pos == std::string::npos)
            return {};
        return std::stoi(text.substr(pos + 7));
    }
    // Runs the program; dialogAction is called once the port dialog is shown.
    void RunProgram(CHardware& hardware, std::function<void(CTovamoDlg*)> dialogAction) {
        apptest::WhenVisible<CTovamoDlg>(std::move(dialogAction));
        apptest::CModalWatchdog watchdog;  // a test that goes wrong fails instead of hanging
        CTovamoApp app(hardware, AppName());
        // Adapters from a fake system; the port links are the user's own.
        SAdapterFolders folders;
        folders.m_strById = m_Serial.ById();
        folders.m_strSysClassTty = m_Serial.SysClassTty();
        app.SetAdapterFolders(folders);
        EXPECT_FALSE(app.InitInstance()) << "no message loop after the port dialog";
        EXPECT_EQ(app.ExitInstance(), 0);
        EXPECT_EQ(apptest::FindVisible<CTovamoDlg>(), nullptr);
    }

    apptest::CRecordedMessages m_Messages;
    CFakeSerialSystem m_Serial;
};

TEST_F(PortDialogTest, PreselectsTheStoredPortAndEscapeEndsWithoutStoring) {
    struct Row {
        QVariant stored;
        int selected;
        const char* device;  // what the line below the combo box begins with
    };
    const Row rows[] = {
        {QVariant(), 0, "Device: /dev/ttyS0"},
        {32, 31, "Device: /dev/ttyS31"},
        {12, 11, "Device: /dev/ttyS11"},
        {0, -1, ""},
        {33, -1, ""},
        {-4, -1, ""},
    };
    for (const Row& row : rows) {
        const std::string where = "NumCom " + row.stored.toString().toStdString();
        apptest::SetStoredNumCom(AppName(), row.stored);
        CHardware hardware;
        int selected = -2;
        QString device;
        RunProgram(hardware, [&](CTovamoDlg* dlg) {
            selected = dlg->PortCombo()->currentIndex();
            device = dlg->DeviceLabel()->toolTip();
            QTest::keyClick(dlg->focusWidget(), Qt::Key_Escape);
        });
        EXPECT_EQ(selected, row.selected) << where;
        EXPECT_TRUE(*row.device == '\0' ? device.isEmpty()
                                        : device.startsWith(QString::fromLatin1(row.device)))
            << where << ": " << device.toStdString();
        EXPECT_EQ(StoredNumCom(), row.stored) << where;
        EXPECT_FALSE(hardware.IsOpen()) << where;
    }
    EXPECT_TRUE(m_Messages.Boxes().empty());
}

TEST_F(PortDialogTest, ConnectRunsTheSheetOnTheLinkedPortAndStoresItAfterwards) {
    SimDriveOptions options;
    options.linkPath = PortLink(3);
    SimDrive drive(options);
    apptest::SetStoredNumCom(AppName(), 5);
    CHardware hardware;
    bool sheetSeen = false;
    RunProgram(hardware, [&](CTovamoDlg* dlg) {
        QTest::keyClick(dlg->PortCombo(), Qt::Key_Up);
        QTest::keyClick(dlg->PortCombo(), Qt::Key_Up);
        EXPECT_EQ(dlg->PortCombo()->currentText(), QStringLiteral("COM3"));
        EXPECT_TRUE(dlg->DeviceLabel()->toolTip().contains(QStringLiteral("ports/COM3 -> ")))
            << dlg->DeviceLabel()->toolTip().toStdString();
        apptest::WhenVisible<CMySheet>([&](CMySheet* sheet) {
            sheetSeen = true;
            EXPECT_TRUE(hardware.IsOpen());
            EXPECT_EQ(StoredNumCom(), QVariant(5)) << "nothing is stored while the sheet runs";
            EXPECT_NE(qobject_cast<CEditParam*>(sheet->GetActivePage()), nullptr);
            // The reader runs: a key's answer comes back into the name field.
            QTest::keyClick(sheet, Qt::Key_U);
            EXPECT_TRUE(drive.WaitForKeys(1, 10s));
            auto* name = sheet->GetActivePage()->findChild<QLabel*>(QStringLiteral("1002"));
            EXPECT_TRUE(apptest::WaitUntil([&]() { return !name->text().isEmpty(); }));
            QTest::mouseClick(Button(sheet, "Cancel"), Qt::LeftButton);
        });
        QTest::mouseClick(dlg->ConnectButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(sheetSeen);
    EXPECT_EQ(StoredNumCom(), QVariant(3));
    EXPECT_TRUE(m_Messages.Boxes().empty());

    // The next start preselects it.
    CHardware next;
    int selected = -2;
    RunProgram(next, [&](CTovamoDlg* dlg) {
        selected = dlg->PortCombo()->currentIndex();
        QTest::mouseClick(Button(dlg, "Cancel"), Qt::LeftButton);
    });
    EXPECT_EQ(selected, 2);
}

TEST_F(PortDialogTest, AdaptersAreListedAtTheirNumbersFollowPlugsAndConnectLinksThem) {
    SimDrive drive;  // plugged in as a USB adapter
    const std::string tty = std::filesystem::canonical(drive.PtyPath()).filename().string();
    const std::string byId =
        m_Serial.PlugIn("usb-Fake_Adapter_1-if00-port0", tty, "Fake Adapter", drive.PtyPath());
    apptest::SetStoredNumCom(AppName(), 1);
    CHardware hardware;
    QString device;
    QStringList lines;
    bool sheetSeen = false;
    RunProgram(hardware, [&](CTovamoDlg* dlg) {
        QComboBox* combo = dlg->PortCombo();
        device = dlg->DeviceLabel()->toolTip();
        m_Serial.PlugIn("usb-Second-if00-port0", "ttyUSB9", "Second");
        EXPECT_TRUE(apptest::WaitUntil([&]() { return combo->itemText(1) != QStringLiteral("COM2"); }));
        lines << combo->itemText(0) << combo->itemText(1) << combo->itemText(2);
        m_Serial.Unplug("usb-Second-if00-port0");
        EXPECT_TRUE(apptest::WaitUntil([&]() { return combo->itemText(1) == QStringLiteral("COM2"); }));
        EXPECT_EQ(combo->currentIndex(), 0) << "the selection stays";
        EXPECT_EQ(combo->currentText(), combo->itemText(0));
        EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0) << "the line's start, its number, in view";
        apptest::WhenVisible<CMySheet>([&](CMySheet* sheet) {
            sheetSeen = hardware.IsOpen();
            QTest::mouseClick(Button(sheet, "Cancel"), Qt::LeftButton);
        });
        QTest::mouseClick(dlg->ConnectButton(), Qt::LeftButton);
    });
    EXPECT_EQ(lines, (QStringList{QStringLiteral("COM1: Fake Adapter (%1)").arg(QString::fromStdString(tty)),
                                  QStringLiteral("COM2: Second (ttyUSB9)"), QStringLiteral("COM3")}));
    EXPECT_EQ(device,
              QStringLiteral("Device: %1 (linked as COM1 on Connect)").arg(QString::fromStdString(byId)));
    EXPECT_TRUE(sheetSeen) << "the adapter opened through its new link";
    EXPECT_EQ(std::filesystem::read_symlink(PortLink(1)), byId);
    EXPECT_EQ(StoredNumCom(), QVariant(1));
    EXPECT_TRUE(m_Messages.Boxes().empty());
    std::filesystem::remove(PortLink(1));
}

TEST_F(PortDialogTest, FailedOpensShowOneMessageAndStoreNothing) {
    SimDriveOptions options;
    options.linkPath = PortLink(6);
    SimDrive drive(options);
    CHardware holder;  // another open holds COM6
    ASSERT_EQ(holder.OpenPort("COM6"), 1);
    QFile::link(QStringLiteral("/nonexistent/tty-for-tovamo"), QString::fromStdString(PortLink(4)));

    struct Row {
        int port;
        const char* message;
    };
    const Row rows[] = {{4, "Hardware not present"}, {6, "Hardware busy in system"}};
    for (const Row& row : rows) {
        const std::string where = "COM" + std::to_string(row.port);
        apptest::SetStoredNumCom(AppName(), row.port);
        const size_t before = m_Messages.Boxes().size();
        CHardware hardware;
        RunProgram(hardware, [&](CTovamoDlg* dlg) {
            EXPECT_EQ(dlg->PortCombo()->currentIndex(), row.port - 1) << where;
            QTest::keyClick(dlg->focusWidget(), Qt::Key_Return);  // Enter is Connect
        });
        ASSERT_EQ(m_Messages.Boxes().size(), before + 1) << where;
        const auto& box = m_Messages.Boxes().back();
        EXPECT_EQ(box.m_strText, QString::fromLatin1(row.message)) << where;
        EXPECT_EQ(box.m_strTitle, QStringLiteral("Tovamo")) << where;
        EXPECT_EQ(box.m_nButtons, static_cast<int>(QMessageBox::Ok)) << where;
        EXPECT_TRUE(box.m_strDetail.contains(QString::fromStdString(PortLink(row.port)))) << where;
        EXPECT_EQ(apptest::FindVisible<CMySheet>(), nullptr) << where;
        EXPECT_FALSE(hardware.IsOpen()) << where;
        EXPECT_EQ(StoredNumCom(), QVariant(row.port)) << where << ": the stored number stays";
    }
    QFile::remove(QString::fromStdString(PortLink(4)));
}

TEST_F(PortDialogTest, ConnectWithNothingSelectedEndsWithoutOpeningOrStoring) {
    apptest::SetStoredNumCom(AppName(), 0);
    CHardware hardware;
    RunProgram(hardware, [&](CTovamoDlg* dlg) {
        // Typed text is never a selection.
        QTest::keyClicks(dlg->PortCombo()->lineEdit(), QStringLiteral("COM77"));
        QTest::mouseClick(dlg->ConnectButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(m_Messages.Boxes().empty());
    EXPECT_FALSE(hardware.IsOpen());
    EXPECT_EQ(StoredNumCom(), QVariant(0));
}

TEST_F(PortDialogTest, AboutBoxComesFromTheContextMenu) {
    apptest::SetStoredNumCom(AppName(), 1);
    CHardware hardware;
    QString menuText, aboutTitle, aboutText;
    RunProgram(hardware, [&](CTovamoDlg* dlg) {
        apptest::WhenVisible<QMenu>([&](QMenu* menu) {
            ASSERT_EQ(menu->actions().size(), 1);
            menuText = menu->actions().front()->text();
            apptest::WhenVisible<CAboutDlg>([&](CAboutDlg* about) {
                aboutTitle = about->windowTitle();
                for (QLabel* label : about->findChildren<QLabel*>())
                    aboutText += label->text();
                QTest::mouseClick(Button(about, "OK"), Qt::LeftButton);
            });
            QTest::keyClick(menu, Qt::Key_A);  // the entry's mnemonic
        });
        // Through the window, as the platform delivers it: a right click becomes a context menu.
        QTest::mouseClick(dlg->windowHandle(), Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseClick(Button(dlg, "Cancel"), Qt::LeftButton);
    });
    EXPECT_EQ(menuText, QStringLiteral("&About Tovamo..."));
    EXPECT_EQ(aboutTitle, QStringLiteral("About Tovamo"));
    EXPECT_EQ(aboutText, QStringLiteral("Tovamo Version 2.0"));
}

}  // namespace
