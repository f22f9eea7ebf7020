// The Edit page: its key table, the display of records with their colours, and the
// whole road against the simulated drive.
#include "app/QtTestApp.h"
#include "app/qt/ColorStatic.h"
#include "app/qt/EditParam.h"
#include "app/qt/MySheet.h"
#include "link/Hardware.h"
#include "link/KeyWriter.h"
#include "support/SimDrive.h"

#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

class CRecordingWriter : public IKeyWriter {
public:
    void WritePort(const char* bytes, int count) override {
        m_strSent.append(bytes, static_cast<size_t>(count));
    }
    std::string m_strSent;
};

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

struct SFields {
    CColorStatic* m_pName = nullptr;
    CColorStatic* m_pValue = nullptr;
    CColorStatic* m_pError = nullptr;
};

SFields FieldsOf(QWidget* page) {
    return {page->findChild<CColorStatic*>(QStringLiteral("1002")),
            page->findChild<CColorStatic*>(QStringLiteral("1003")),
            page->findChild<CColorStatic*>(QStringLiteral("1004"))};
}

// Which field is highlighted: 'N', 'V', 'E', or '-' for none.
char WhiteField(const SFields& fields) {
    const bool name = fields.m_pName->BkColor() == kWhite;
    const bool value = fields.m_pValue->BkColor() == kWhite;
    const bool error = fields.m_pError->BkColor() == kWhite;
    if (name + value + error != 1)
        return name + value + error == 0 ? '-' : '?';
    return name ? 'N' : value ? 'V' : 'E';
}

// A key-down (auto-repeated when asked) through the application, as the platform sends it.
void KeyDown(QWidget* target, int key, Qt::KeyboardModifiers modifiers = {}, bool autoRepeat = false) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(target, &press);
}

// A shown sheet whose Edit page writes to a recorder; the port is not open.
class EditPageKeys : public ::testing::Test {
protected:
    void SetUp() override {
        m_pPage = new CEditParam(m_Writer);
        m_Sheet.AddPage(m_pPage);
        m_Sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_Sheet));
    }
    void TearDown() override {
        m_Sheet.close();
        m_Hardware.StopReader();
    }
    QWidget* Target() { return m_Sheet.focusWidget() != nullptr ? m_Sheet.focusWidget() : &m_Sheet; }

    CRecordingWriter m_Writer;
    CHardware m_Hardware;
    CMySheet m_Sheet{m_Hardware};
    CEditParam* m_pPage = nullptr;
};

TEST_F(EditPageKeys, EachOfTheEightKeysSendsOneByteWhateverShiftOrCapsLock) {
    struct Row {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* sent;
    };
    const Row rows[] = {
        {Qt::Key_Return, {}, "e"},
        {Qt::Key_Enter, Qt::KeypadModifier, "e"},
        {Qt::Key_E, {}, "e"},
        {Qt::Key_E, Qt::ShiftModifier, "e"},
        {Qt::Key_Escape, {}, "o"},
        {Qt::Key_O, Qt::ShiftModifier, "o"},
        {Qt::Key_Up, {}, "u"},
        {Qt::Key_U, {}, "u"},
        {Qt::Key_Down, {}, "d"},
        {Qt::Key_D, Qt::ControlModifier, "d"},
        {Qt::Key_E, Qt::AltModifier, ""},
        {Qt::Key_A, {}, ""},
        {Qt::Key_F1, {}, ""},
        {Qt::Key_8, Qt::KeypadModifier, ""},
        {Qt::Key_Left, {}, ""},
        {Qt::Key_Home, {}, ""},
    };
    for (const Row& row : rows) {
        m_Writer.m_strSent.clear();
        QTest::keyClick(Target(), static_cast<Qt::Key>(row.key), row.modifiers);
        EXPECT_EQ(m_Writer.m_strSent, row.sent)
            << "key 0x" << std::hex << row.key << " modifiers 0x" << row.modifiers.toInt();
        ASSERT_TRUE(m_Sheet.isVisible()) << "key 0x" << std::hex << row.key << " closed the sheet";
    }
}

TEST_F(EditPageKeys, HeldKeysSendOneBytePerKeyDownAndEnterOrEscapeNeverCloseTheSheet) {
    KeyDown(Target(), Qt::Key_Up);
    KeyDown(Target(), Qt::Key_Up, {}, true);
    KeyDown(Target(), Qt::Key_Up, {}, true);
    QTest::keyClick(Target(), Qt::Key_Escape);
    QTest::keyClick(Target(), Qt::Key_Return);
    QTest::keyClick(&m_Sheet, Qt::Key_Escape);
    EXPECT_EQ(m_Writer.m_strSent, "uuuoeo");
    EXPECT_TRUE(m_Sheet.isVisible());
    EXPECT_EQ(m_Sheet.result(), 0);
}

// Records handed to the page one by one, as the reader would post them.
TEST(EditPageDisplay, ShowsEachRecordInItsFieldAndHighlightsWhenTheKindChanges) {
    struct Row {
        char kind;  // N name, V value, E error
        const char* text;
        const char* name;  // the fields as shown afterwards
        const char* value;
        const char* error;
        char white;
    };
    const Row rows[] = {
        {'V', "2500.0 rpm", "", "2500.0 rpm", "", 'V'},
        {'N', "P01 A&B ", "P01 A&B ", "", "", 'N'},  // the value is emptied
        {'N', "P02 Accel time ", "P02 Accel time ", "", "", 'N'},
        {'V', "1&2&&3&", "P02 Accel time ", "1&2&&3&", "", 'V'},  // every '&' shows as itself
        {'V', "7", "P02 Accel time ", "7", "", 'V'},
        {'E', "Error 07 Sensor", "P02 Accel time ", "", "Error 07 Sensor", 'E'},
        {'E', "Error 08 Volt  ", "P02 Accel time ", "", "Error 08 Volt  ", 'E'},
        {'V',
         "Temp \xB0"
         "C",
         "P02 Accel time ", "Temp \u00B0C", "Error 08 Volt  ", 'V'},
        {'N', "P03 \x80 cost", "P03 \u20AC cost", "", "Error 08 Volt  ", 'N'},
    };
    CRecordingWriter writer;
    CHardware hardware;
    CMySheet sheet(hardware);  // not shown: no reader, the records come from here
    auto* page = new CEditParam(writer);
    sheet.AddPage(page);
    const SFields fields = FieldsOf(page);
    ASSERT_NE(fields.m_pError, nullptr);
    EXPECT_EQ(WhiteField(fields), '-');
    EXPECT_EQ(fields.m_pError->TextColor(), QColor(Qt::black));

    CServoDataPoster poster(&sheet);
    bool sawError = false;
    for (const Row& row : rows) {
        auto record = std::make_unique<CServoData>();
        record->m_strText = row.text;
        record->m_bValue = row.kind == 'V';
        record->m_bError = row.kind == 'E';
        poster.PostServoData(std::move(record));
        QCoreApplication::sendPostedEvents(&sheet);
        sawError = sawError || row.kind == 'E';
        const std::string where = std::string("after ") + row.kind + " \"" + row.text + "\"";
        EXPECT_EQ(fields.m_pName->ShownText(), QString::fromUtf8(row.name)) << where;
        EXPECT_EQ(fields.m_pValue->ShownText(), QString::fromUtf8(row.value)) << where;
        EXPECT_EQ(fields.m_pError->ShownText(), QString::fromUtf8(row.error)) << where;
        EXPECT_EQ(WhiteField(fields), row.white) << where;
        EXPECT_EQ(fields.m_pError->TextColor(), sawError ? kRed : QColor(Qt::black)) << where;
        EXPECT_EQ(fields.m_pName->TextColor(), QColor(Qt::black)) << where;
    }
    EXPECT_EQ(writer.m_strSent, "") << "the page sends nothing by itself";
}

constexpr const char* kMenu =
    "param P01 Speed&Go ; value=2500.0 ; step=0.5 ; unit=rpm ; comma\n"
    "param P02 Heatsink ; error=Error 07 Sensor\n";

// The real road: keys through the sheet to the drive on a pseudo-terminal, its answers
// through the reader thread back into the fields.
TEST(EditPageWithDrive, KeysReachTheDriveAndItsAnswersFillTheFields) {
    SimDriveOptions options;
    options.menu = kMenu;
    SimDrive drive(options);
    CHardware hardware;
    ASSERT_EQ(hardware.OpenPort(drive.PtyPath()), 1);
    CMySheet sheet(hardware);
    sheet.AddStandardPages();
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    const SFields fields = FieldsOf(sheet.GetActivePage());

    struct Step {
        int key;
        char byte;
        const char* name;
        const char* value;
        const char* error;
        char white;
    };
    const Step steps[] = {
        {Qt::Key_U, 'u', "P02 Heatsink ", "", "", 'N'},
        {Qt::Key_Return, 'e', "P02 Heatsink ", "", "Error 07 Sensor", 'E'},
        {Qt::Key_O, 'o', "P02 Heatsink ", "", "Error 07 Sensor", 'N'},
        {Qt::Key_Down, 'd', "P01 Speed&Go ", "", "Error 07 Sensor", 'N'},
        {Qt::Key_E, 'e', "P01 Speed&Go ", "2500.0 rpm", "Error 07 Sensor", 'V'},
        {Qt::Key_Up, 'u', "P01 Speed&Go ", "2500.5 rpm", "Error 07 Sensor", 'V'},
        {Qt::Key_Escape, 'o', "P01 Speed&Go ", "", "Error 07 Sensor", 'N'},
    };
    std::string expectedKeys;
    for (const Step& step : steps) {
        QWidget* target = sheet.focusWidget() != nullptr ? sheet.focusWidget() : &sheet;
        QTest::keyClick(target, static_cast<Qt::Key>(step.key));
        expectedKeys += step.byte;
        const std::string where = "after key '" + std::string(1, step.byte) + "' (step " +
                                  std::to_string(expectedKeys.size()) + ")";
        ASSERT_TRUE(drive.WaitForKeys(expectedKeys.size(), 10s)) << where;
        EXPECT_EQ(drive.KeysReceived(), expectedKeys) << where;
        const bool shown = apptest::WaitUntil([&]() {
            return fields.m_pName->ShownText() == QString::fromLatin1(step.name) &&
                   fields.m_pValue->ShownText() == QString::fromLatin1(step.value) &&
                   fields.m_pError->ShownText() == QString::fromLatin1(step.error) &&
                   WhiteField(fields) == step.white;
        });
        EXPECT_TRUE(shown) << where << ": name \"" << fields.m_pName->ShownText().toStdString()
                           << "\" value \"" << fields.m_pValue->ShownText().toStdString() << "\" error \""
                           << fields.m_pError->ShownText().toStdString() << "\" white " << WhiteField(fields);
        ASSERT_TRUE(sheet.isVisible()) << where;
    }
    EXPECT_EQ(fields.m_pError->TextColor(), kRed);
    sheet.close();
    hardware.StopReader();
}

}  // namespace
