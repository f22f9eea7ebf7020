// The sheet's link state line while the drive's adapter is unplugged and plugged in again
// during the Edit page's use: the page works on after "Link back".
#include "app/QtTestApp.h"
#include "app/qt/ColorStatic.h"
#include "app/qt/LinkStateLine.h"
#include "app/qt/MyCPropertyPage.h"
#include "app/qt/MySheet.h"
#include "link/Hardware.h"
#include "support/SimDrive.h"
#include "support/TempDir.h"

#include <QTest>

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

TEST(SheetLinkState, UnplugAndReplugWhileOnTheEditPage) {
    TempDir dir;
    SimDriveOptions options;
    options.linkPath = dir.File("COM4");
    options.unplugAfterKeys = 2;
    options.unpluggedMs = 1500;
    SimDrive drive(options);
    CHardware hardware;
    ASSERT_EQ(hardware.OpenPort(options.linkPath), 1);
    CMySheet sheet(hardware);
    sheet.AddStandardPages();
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    auto* line = sheet.findChild<CLinkStateLine*>(QStringLiteral("linkState"));
    auto* name = sheet.GetActivePage()->findChild<CColorStatic*>(QStringLiteral("1002"));
    ASSERT_NE(line, nullptr);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(line->text(), QString());
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(sheet.focusWidget() != nullptr ? sheet.focusWidget() : &sheet, key);
    };
    const auto shows = [&](const char* text) {
        return apptest::WaitUntil([&] { return name->ShownText() == QString::fromLatin1(text); });
    };

    press(Qt::Key_U);
    EXPECT_TRUE(shows("P2 Speed loop ")) << name->ShownText().toStdString();
    press(Qt::Key_U);  // answered, then the cable is pulled
    EXPECT_TRUE(apptest::WaitUntil([&] { return line->text().startsWith(QStringLiteral("Link lost")); }))
        << line->text().toStdString();
    EXPECT_TRUE(line->text().contains(QString::fromStdString(options.linkPath)));
    EXPECT_TRUE(apptest::WaitUntil([&] { return line->text() == QStringLiteral("Link back"); }))
        << line->text().toStdString();

    // Every key after the replug is answered and shown.
    press(Qt::Key_D);
    EXPECT_TRUE(shows("P2 Speed loop ")) << name->ShownText().toStdString();
    press(Qt::Key_D);
    EXPECT_TRUE(shows("P1 Motor data ")) << name->ShownText().toStdString();
    EXPECT_EQ(drive.KeysReceived(), "uudd");
    EXPECT_TRUE(sheet.isVisible());
    sheet.close();
    hardware.StopReader();
}

}  // namespace
