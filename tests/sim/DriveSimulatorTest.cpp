// The simulated drive's answers to the four keys, read back the way the program's reader
// sees them.
#include <gtest/gtest.h>

#include <string>

#include "sim/DriveSimulator.h"
#include "sim/SimMenuParser.h"
#include "sim/WireText.h"

namespace {
const char* const kMenu =
    "menu P1 Menu A\n"
    "  param P11 Alpha; value=5; min=0; max=6\n"
    "  param P12 Beta; value=1.5; step=0.25; decimals=2; comma; unit=\xC2\xB0"
    "C\n"
    "  param P13 Gamma; value=3; readonly\n"
    "  param P14 Delta; error=Error 42 Bad\n"
    "  param P15 Hidden; value=7; when=P21 Switch=1\n"
    "end\n"
    "menu P2 Menu B\n"
    "  param P21 Switch; value=0; min=0; max=1\n"
    "  menu P22 Deep\n"
    "    param P221 Inner; text=Off\n"
    "  end\n"
    "end\n"
    "param P3 Top; value=-1.5; step=0.5; min=-2.0; max=2.0; start\n";

CSimMenu TestMenu() {
    CSimMenuParse parsed = ParseSimMenu(kMenu);
    EXPECT_TRUE(parsed.Ok()) << parsed.m_strError;
    return parsed.m_menu;
}

// "name: ...", "value: ..." or "error: ..." from one wire field, high bytes inverted back.
std::string Shown(const std::string& field) {
    if (field.size() < 2 || field.compare(field.size() - 2, 2, "\r\n") != 0)
        return "bad field: " + field;
    std::string text = InvertHighBytes(field.substr(0, field.size() - 2));
    if (text.rfind("\n\n", 0) == 0 && text.size() == 2 + kNameFieldWidth)
        return "name: " + text.substr(2, text.find_last_not_of(' ') - 1);
    if (text.rfind("Error", 0) == 0 && text.size() == kErrorFieldWidth)
        return "error: " + text.substr(0, text.find_last_not_of(' ') + 1);
    if (text.size() == kValueFieldWidth)
        return "value: " + text.substr(text.find_first_not_of(' '));
    return "bad field: " + field;
}

std::string Press(CDriveSimulator& drive, const std::string& keys) {
    std::string last;
    for (const char key : keys)
        last = drive.OnKey(key);
    return last;
}
}  // namespace

TEST(DriveSimulator, AnswersEachKeyAsThePanelDoes) {
    struct Row {
        const char* keys;  // from the start item, P3 Top
        const char* shown;
    };
    const Row rows[] = {
        // names of the top level: wrap both ways, Escape stays
        {"u", "name: P1 Menu A"},
        {"d", "name: P2 Menu B"},
        {"uuu", "name: P3 Top"},
        {"o", "name: P3 Top"},
        // a value: steps, limits, accept and drop
        {"e", "value: -1.5"},
        {"eu", "value: -1.0"},
        {"euuuuuuuuu", "value: 2.0"},
        {"eddd", "value: -2.0"},
        {"ee", "name: P3 Top"},
        {"eueee", "name: P3 Top"},
        {"euee", "value: -1.0"},
        {"euoe", "value: -1.5"},
        // into a sub-menu and out again
        {"ue", "name: P11 Alpha"},
        {"ueo", "name: P1 Menu A"},
        {"ueoo", "name: P1 Menu A"},
        {"ueuuuu", "name: P11 Alpha"},  // the hidden item is skipped
        {"ued", "name: P14 Delta"},
        // limit, comma and unit, read-only
        {"ueeuu", "value: 6"},
        {"ueue",
         "value: 1,50 \xB0"
         "C"},
        {"ueueu",
         "value: 1,75 \xB0"
         "C"},
        {"ueuueu", "value: 3"},
        {"ueuueud", "value: 3"},
        // an error text in place of a value
        {"ueuuue", "error: Error 42 Bad"},
        {"ueuuueu", "error: Error 42 Bad"},
        {"ueuuueo", "name: P14 Delta"},
        {"ueuuuee", "name: P14 Delta"},
        // a fixed text, two levels deep
        {"deue", "name: P221 Inner"},
        {"deuee", "value: Off"},
        {"deueeu", "value: Off"},
        {"deueo", "name: P22 Deep"},
        {"deueoo", "name: P2 Menu B"},
        {"deueooooooooooo", "name: P2 Menu B"},
        // an item that appears once another parameter was changed
        {"deeueoded", "name: P15 Hidden"},
        {"deeuooded", "name: P14 Delta"},
    };
    for (const Row& row : rows) {
        CDriveSimulator drive(TestMenu());
        EXPECT_EQ(Shown(Press(drive, row.keys)), row.shown) << "keys " << row.keys;
    }
}

TEST(DriveSimulator, IgnoresOtherBytes) {
    CDriveSimulator drive(TestMenu());
    for (const char byte : std::string("xE\r\n \0", 6))
        EXPECT_EQ(drive.OnKey(byte), "") << static_cast<int>(byte);
    EXPECT_EQ(Shown(drive.OnKey('e')), "value: -1.5");
}

TEST(DriveSimulator, GoesSilentAfterTheGivenNumberOfKeys) {
    CDriveSimulator drive(TestMenu(), 2);
    EXPECT_NE(drive.OnKey('u'), "");
    EXPECT_EQ(drive.OnKey('x'), "");
    EXPECT_NE(drive.OnKey('u'), "");
    EXPECT_EQ(drive.OnKey('u'), "");
    EXPECT_EQ(drive.OnKey('e'), "");
}

TEST(DriveSimulator, SendsHighBytesWithBitSixInverted) {
    CDriveSimulator drive(TestMenu());
    EXPECT_EQ(Press(drive, "ueue"),
              "         1,50 \xF0"
              "C\r\n");
}

TEST(DriveSimulator, StopsAtTheDisplayWidthAndRangeWithoutLimits) {
    CSimMenuParse parsed = ParseSimMenu(
        "param P1; value=90000000000; step=10000000000; unit=km/h\n"
        "param P2; value=900000000000; step=100000000000\n");
    ASSERT_TRUE(parsed.Ok()) << parsed.m_strError;
    struct Row {
        const char* keys;
        const char* shown;
    };
    const Row rows[] = {
        {"eu", "value: 90000000000 km/h"},
        {"edddddddddddd", "value: 0 km/h"},
        {"ueu", "value: 900000000000"},
        {"uedddddddddddddddddddd", "value: -900000000000"},
    };
    for (const Row& row : rows) {
        CDriveSimulator drive(parsed.m_menu);
        EXPECT_EQ(Shown(Press(drive, row.keys)), row.shown) << "keys " << row.keys;
    }
}
