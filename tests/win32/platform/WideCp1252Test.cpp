// Windows-1252 bytes to UTF-16 and back, whatever the system's ANSI code page is.
#include "platform/win32/WideCp1252.h"

#include <gtest/gtest.h>

#include "platform/win32/Win32Api.h"

namespace {

TEST(WideCp1252, ConvertsEveryRangeOfTheCodePageBothWays) {
    struct Row {
        std::string bytes;
        std::wstring wide;
    };
    const Row rows[] = {
        {"Temp \xB0"
         "C",
         L"Temp \u00B0C"},
        {"\x80 \x8A\x9F", L"\u20AC \u0160\u0178"},
        {"\x81\x8D\x8F\x90\x9D", L"\u0081\u008D\u008F\u0090\u009D"},
        {"\xF0\xFF\xC0", L"\u00F0\u00FF\u00C0"},
        {"P03 A&B\t", L"P03 A&B\t"},
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
        {"", L""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(WideFromCp1252(row.bytes), row.wide) << "bytes: " << row.bytes;
        EXPECT_EQ(Cp1252FromWide(row.wide), row.bytes) << "bytes: " << row.bytes;
    }
}

TEST(WideCp1252, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    struct Row {
        std::wstring wide;
        std::string bytes;
    };
    const Row rows[] = {
        {L"\u0100", "?"},                // Latin Extended-A beyond the page
        {L"x\u4E2Dy", "x?y"},            // CJK
        {L"\U0001F600!", "?!"},          // a surrogate pair is one character
        {std::wstring(1, 0xD800), "?"},  // a lone high surrogate
        {std::wstring(1, 0xDC00) + L"a", "?a"},
        {L"\u20AC\uFFFD", "\x80?"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Cp1252FromWide(row.wide), row.bytes);
}

TEST(WideCp1252, EveryByteAgreesWithTheSystemsCodePage1252AndComesBack) {
    for (int n = 0; n < 256; ++n) {
        const std::string byte(1, static_cast<char>(n));
        wchar_t system = 0;
        ASSERT_EQ(::MultiByteToWideChar(1252, 0, byte.data(), 1, &system, 1), 1);
        const std::wstring wide = WideFromCp1252(byte);
        ASSERT_EQ(wide.size(), 1u);
        EXPECT_EQ(static_cast<int>(wide[0]), static_cast<int>(system)) << "byte " << n;
        EXPECT_EQ(Cp1252FromWide(wide), byte) << "byte " << n;
    }
}

}  // namespace
