// The Qt platform layer: text decoding, prefix processing, dialog units, the settings
// file, the record hand-over and the wait cursor.
#include "app/QtTestApp.h"
#include "app/qt/ServoDataEvent.h"
#include "platform/qt/Cp1252.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/PrefixText.h"
#include "platform/qt/QtWaitCursor.h"
#include "platform/qt/SettingsStore.h"

#include <QGuiApplication>
#include <QSettings>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(Cp1252, DecodesEveryRangeOfTheCodePage) {
    struct Row {
        const char* bytes;
        std::u16string expected;
    };
    const Row rows[] = {
        {"Temp \xB0"
         "C",
         u"Temp \u00B0C"},
        {"\x80 \x8A\x9F", u"\u20AC \u0160\u0178"},
        {"\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
        {"\xF0\xFF\xC0", u"\u00F0\u00FF\u00C0"},
        {"P03 A&B", u"P03 A&B"},
        {"", u""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DecodeWindows1252(row.bytes), QString::fromStdU16String(row.expected))
            << "bytes: " << row.bytes;
}

TEST(PrefixText, ShowsAndUnderlinesLikeWindowsStaticText) {
    struct Row {
        const char* text;
        const char* shown;
        QList<int> underlined;
    };
    const Row rows[] = {
        {"A&&B", "A&B", {}}, {"A&B", "AB", {1}}, {"&&&A", "&A", {1}},    {"A&&B&C", "A&BC", {3}},
        {"end&", "end", {}}, {"&&", "&", {}},    {"&a&b", "ab", {0, 1}}, {"", "", {}},
    };
    for (const Row& row : rows) {
        const CPrefixText result = ProcessPrefixes(QString::fromLatin1(row.text));
        EXPECT_EQ(result.m_strShown, QString::fromLatin1(row.shown)) << "text: " << row.text;
        EXPECT_EQ(result.m_aUnderlined, row.underlined) << "text: " << row.text;
        // Qt's mnemonic form must come back to the same display.
        const CPrefixText again = ProcessPrefixes(ToQtMnemonicText(result));
        EXPECT_EQ(again.m_strShown, result.m_strShown) << "round trip: " << row.text;
        EXPECT_EQ(again.m_aUnderlined, result.m_aUnderlined) << "round trip: " << row.text;
    }
}

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero) {
    struct Row {
        int number, numerator, denominator, expected;
    };
    const Row rows[] = {
        {7, 6, 4, 11}, {1, 1, 2, 1},  {-1, 1, 2, -1},
        {5, 13, 8, 8}, {3, 13, 8, 5}, {10, -3, 4, -8},
        {0, 5, 3, 0},  {1, 1, 0, -1}, {2000000000, 3, 4, 1500000000},  // the product needs more than 32 bits
    };
    for (const Row& row : rows)
        EXPECT_EQ(MulDiv(row.number, row.numerator, row.denominator), row.expected)
            << row.number << "*" << row.numerator << "/" << row.denominator;
}

TEST(DialogUnits, TemplateRectanglesScaleWithTheFontsBaseUnits) {
    const CDialogUnits classic(6, 13);  // 8-point text on a 96 dpi screen
    EXPECT_EQ(classic.Rect(7, 179, 50, 14), QRect(11, 291, 75, 23));
    EXPECT_EQ(classic.Size(320, 200), QSize(480, 325));

    const CDialogUnits measured(DialogFont());
    EXPECT_GT(measured.BaseX(), 3);
    EXPECT_LT(measured.BaseX(), measured.BaseY()) << "letters are narrower than the line is high";
    // Four horizontal units are one average character.
    EXPECT_EQ(measured.X(4), measured.BaseX());
    EXPECT_EQ(measured.Y(8), measured.BaseY());
}

TEST(SettingsStore, KeepsNumComInTheProgramsIniFile) {
    const QString app = QStringLiteral("store-test");
    CSettingsStore store(QStringLiteral("Tovamo Dispenser"), app);
    EXPECT_EQ(store.FileName(), apptest::TovamoDir() + QStringLiteral("/store-test.conf"));

    apptest::SetStoredNumCom(app, {});
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Setings"), QStringLiteral("NumCom"), 1), 1) << "missing";
    apptest::SetStoredNumCom(app, QStringLiteral("COM4"));
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Setings"), QStringLiteral("NumCom"), 1), 1)
        << "not a number";

    EXPECT_TRUE(store.WriteProfileInt(QStringLiteral("Setings"), QStringLiteral("NumCom"), 12));
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Setings"), QStringLiteral("NumCom"), 1), 12);
    EXPECT_NE(apptest::ReadSettingsFile(app).find("[Setings]\nNumCom=12"), std::string::npos)
        << apptest::ReadSettingsFile(app);
}

// Counts the records that are deleted, from any thread.
std::atomic<int> g_nDeleted{0};
class CCountedRecord : public CServoData {
public:
    explicit CCountedRecord(std::string text) { m_strText = std::move(text); }
    ~CCountedRecord() override { ++g_nDeleted; }
};

// Takes the records of WM_SERVODATA events.
class CReceiver : public QObject {
public:
    std::vector<std::string> m_aTexts;

protected:
    bool event(QEvent* event) override {
        if (event->type() != WM_SERVODATA)
            return QObject::event(event);
        m_aTexts.push_back(static_cast<CServoDataEvent*>(event)->TakeRecord()->m_strText);
        return true;
    }
};

TEST(ServoDataPoster, HandsRecordsFromTheReaderThreadToTheUiThreadInOrder) {
    g_nDeleted = 0;
    CReceiver receiver;
    CServoDataPoster poster(&receiver);
    std::thread reader([&poster]() {
        for (int i = 0; i < 50; ++i)
            poster.PostServoData(std::make_unique<CCountedRecord>(std::to_string(i)));
    });
    reader.join();
    ASSERT_TRUE(apptest::WaitUntil([&]() { return receiver.m_aTexts.size() == 50; }));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(receiver.m_aTexts[i], std::to_string(i)) << "record " << i;
    EXPECT_EQ(g_nDeleted, 50);
}

TEST(ServoDataPoster, RecordsThatCannotBeDeliveredAreDeleted) {
    g_nDeleted = 0;
    auto receiver = std::make_unique<CReceiver>();
    CServoDataPoster poster(receiver.get());
    poster.PostServoData(std::make_unique<CCountedRecord>("queued"));
    receiver.reset();  // destroyed with the event still queued for it
    EXPECT_EQ(g_nDeleted, 1);

    poster.Detach();
    poster.PostServoData(std::make_unique<CCountedRecord>("after detach"));
    EXPECT_EQ(g_nDeleted, 2);

    {
        CReceiver ignoring;  // handles no event of this type: the record stays in the event
        CServoDataEvent untaken(QEvent::User, std::make_unique<CCountedRecord>("untaken"));
        QCoreApplication::sendEvent(&ignoring, &untaken);
        EXPECT_EQ(g_nDeleted, 2);
    }
    EXPECT_EQ(g_nDeleted, 3) << "the event deletes a record nobody took";
}

TEST(WaitCursor, BeginAndEndPairUpAndSurplusEndsDoNothing) {
    CQtWaitCursor cursor;
    cursor.EndWaitCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    cursor.BeginWaitCursor();
    cursor.BeginWaitCursor();
    cursor.RestoreWaitCursor();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    cursor.EndWaitCursor();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    cursor.EndWaitCursor();
    cursor.EndWaitCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        CQtWaitCursor forgotten;
        forgotten.BeginWaitCursor();
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the destructor ends what is left";
}

}  // namespace
