// The simulated drive's numbers and texts: exact decimals, Windows-1252, wire fields.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sim/SimDecimal.h"
#include "sim/WireText.h"

TEST(SimDecimal, ParsesAndFormatsExactly) {
    struct Row {
        const char* text;
        int decimals;
        bool comma;
        const char* shown;
    };
    const Row rows[] = {
        {"2500.0", 1, true, "2500,0"},
        {"-0.050", 3, false, "-0.050"},
        {"12", 0, false, "12"},
        {"-0", 0, false, "0"},
        {"+7.5", 2, false, "7.50"},
        {"0.000001", 6, false, "0.000001"},
        {"999999999999", 0, false, "999999999999"},
    };
    for (const Row& row : rows) {
        const auto value = CSimDecimal::Parse(row.text);
        ASSERT_TRUE(value.has_value()) << row.text;
        EXPECT_EQ(value->Format(row.decimals, row.comma), row.shown) << row.text;
    }
}

TEST(SimDecimal, RejectsWhatIsNotAPlainDecimal) {
    for (const char* text : {"", "-", "1.", ".5", "1e3", "1.1234567", "1234567890123", "1,5", " 1", "0x10"})
        EXPECT_FALSE(CSimDecimal::Parse(text).has_value()) << '"' << text << '"';
}

TEST(SimDecimal, CountsFractionDigitsAndChecksThemAgainstDecimals) {
    int digits = -1;
    const auto value = CSimDecimal::Parse("1.250", &digits);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(digits, 3);
    EXPECT_TRUE(value->FitsDecimals(2));
    EXPECT_FALSE(value->FitsDecimals(1));
}

TEST(WireText, ConvertsUtf8ToWindows1252) {
    struct Row {
        const char* utf8;
        std::optional<std::string> expected;
    };
    const Row rows[] = {
        {"rpm", "rpm"},
        {"\xC2\xB0"
         "C",
         "\xB0"
         "C"},
        {"\xC2\xB5s", "\xB5s"},
        {"\xE2\x82\xAC", "\x80"},
        {"\xC5\xBD", "\x8E"},
        {"\xE6\x97\xA5", std::nullopt},  // not in the code page
        {"\xC2\x81", std::nullopt},      // a C1 control: 0x81 is unused in the code page
        {"\xC3", std::nullopt},          // cut short
        {"\xC0\xAF", std::nullopt},      // overlong
        {"\xB0", std::nullopt},          // a lone continuation byte
    };
    for (const Row& row : rows)
        EXPECT_EQ(Utf8ToWindows1252(row.utf8), row.expected) << "input " << testing::PrintToString(row.utf8);
}

TEST(WireText, FramesFieldsAsTheDriveSendsThem) {
    struct Row {
        const char* what;
        std::string field;
        std::string bytes;
    };
    const Row rows[] = {
        {"name", NameField("P03 Max speed"), "\n\nP03 Max speed   \r\n"},
        {"16-byte name", NameField("P109 Encoder ppr"), "\n\nP109 Encoder ppr\r\n"},
        {"value", ValueField("2500,0 rpm"), "      2500,0 rpm\r\n"},
        {"full value", ValueField("1234567890123456"), "1234567890123456\r\n"},
        {"error", ErrorField("Error 07"), "Error 07         \r\n"},
        {"high byte",
         ValueField("42 \xB0"
                    "C"),
         "           42 \xF0"
         "C\r\n"},
        {"high byte in a name", NameField("P1 \xE9t\xE9"), "\n\nP1 \xA9t\xA9          \r\n"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.field, row.bytes) << row.what;
}
