// Windows-1252 bytes to UTF-16 and back, whatever the system's ANSI code page is.
#include "platform/win32/WideCp1252.h"

#include <gtest/gtest.h>

#include "platform/win32/Win32Api.h"

namespace {

TEST(WideCp1252, EveryByteAgreesWithTheSystemsCodePage1252AndComesBack) {
    for (int n = 0; n < 256; ++n) {
        const std::string byte(1, static_cast<char>(n));
        wchar_t system = 0;
        ASSERT_EQ(::MultiByteToWideChar(1252, 0, byte.data(), 1, &system, 1), 1);
        const std::wstring wide = WideFromCp1252(byte);
        EXPECT_EQ(wide, std::wstring(1, system)) << "byte " << n;
        EXPECT_EQ(Cp1252FromWide(wide), byte) << "byte " << n;
    }
    const std::string text("P03 \x80\x81\0\xB0", 8);
    EXPECT_EQ(Cp1252FromWide(WideFromCp1252(text)), text) << "a whole text, its NUL included";
}

TEST(WideCp1252, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    struct Row {
        std::wstring wide;
        std::string bytes;
    };
    const Row rows[] = {
        {L"\u0100", "?"},                        // Latin Extended-A beyond the page
        {L"x\u4E2Dy", "x?y"},                    // CJK
        {L"\U0001F600!", "?!"},                  // a surrogate pair is one character
        {std::wstring(1, 0xD800), "?"},          // a lone high surrogate
        {std::wstring(1, 0xDC00) + L"a", "?a"},  // a lone low one
        {L"\u20AC\uFFFD", "\x80?"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Cp1252FromWide(row.wide), row.bytes);
}

}  // namespace
