// The simulated drive's menu file: what it accepts and how it names a faulty line.
#include <gtest/gtest.h>

#include <string>

#include "sim/DefaultMenu.h"
#include "sim/SimMenuParser.h"

TEST(SimMenuParser, RejectsFaultsNamingTheLine) {
    struct Row {
        const char* text;
        int line;  // 0: the fault belongs to no line
        const char* fragment;
    };
    const Row rows[] = {
        {"param X1; value=1", 1, "must begin with \"P\" and a digit"},
        {"\n# comment\nparam P1 a name far too long; value=1", 3, "longer than 16 bytes"},
        {"param P1; value=abc", 1, "not a decimal number"},
        {"param P1", 1, "needs a `value`"},
        {"param P1; value=5; min=6", 1, "outside"},
        {"param P1; value=1.25; decimals=1", 1, "more digits"},
        {"param P1; value=1; decimals=7", 1, "0 to 6"},
        {"param P1; value=1; step=0", 1, "above 0"},
        {"param P1; value=1; colour=red", 1, "unknown key"},
        {"param P1; value=1; bold", 1, "unknown flag"},
        {"param P1; value=1; readonly=yes", 1, "takes no value"},
        {"param P1; value=1; value=2", 1, "given twice"},
        {"param P1; value=1\nparam P1; value=2", 2, "used twice"},
        {"param P0; value=1\nmenu P1 M\nparam P11; value=1", 2, "no `end`"},
        {"end", 1, "without an open menu"},
        {"menu P1 M\nend", 2, "has no items"},
        {"menu P1 M; value=1\nparam P11; value=1\nend", 1, "a menu takes only"},
        {"param P1; error=Oops", 1, "must begin with \"Error\""},
        {"param P1; error=Error 12345678901234", 1, "at most 17 bytes"},
        {"param P1; error=Error 1; text=Off", 1, "exclude each other"},
        {"param P1; text=P2 x", 1, "look like a name"},
        {"param P1; value=1; unit=a very long unit", 1, "longer than 16 bytes"},
        {"param P1; value=1\nparam P2; value=1; when=P9=1", 2, "not a numeric parameter"},
        {"param P1; text=On\nparam P2; value=1; when=P1=1", 2, "not a numeric parameter"},
        {"param P1; value=1; when=P1", 1, "PNAME=DECIMAL"},
        {"param P1; value=1; start\nparam P2; value=1; start", 2, "second `start`"},
        {"param P1; value=1; unit=\xE6\x97\xA5", 1, "Windows-1252"},
        {"param P1\tx; value=1; unit=a\x01", 1, "control character"},
        {"frob P1", 1, "expected `param`"},
        {"# only a comment\n", 0, "no items"},
    };
    for (const Row& row : rows) {
        const CSimMenuParse parsed = ParseSimMenu(row.text);
        const std::string prefix = row.line > 0 ? "line " + std::to_string(row.line) + ": " : "";
        EXPECT_EQ(parsed.m_strError.rfind(prefix, 0), 0u) << row.text << " -> " << parsed.m_strError;
        EXPECT_NE(parsed.m_strError.find(row.fragment), std::string::npos)
            << row.text << " -> " << parsed.m_strError;
    }
}

TEST(SimMenuParser, TrimsAroundSeparatorsAndKeepsInnerSpaces) {
    const CSimMenuParse parsed = ParseSimMenu("  param   P1  Two  words  ;  value = 1.50 ;unit= V \r\n");
    ASSERT_TRUE(parsed.Ok()) << parsed.m_strError;
    const CSimItem& item = parsed.m_menu.m_items.at(0);
    EXPECT_EQ(item.m_strName, "P1  Two  words");
    EXPECT_EQ(item.m_nDecimals, 2);
    EXPECT_EQ(parsed.m_menu.ValueText(0, item.m_value), "1.50 V");
}

TEST(SimMenuParser, BuildsTheTreeWithStartAndConditions) {
    const CSimMenuParse parsed = ParseSimMenu(
        "param P1 Top; value=0\n"
        "menu P2 Sub; when=P1 Top=1\n"
        "  param P21 Inner; value=2.5; decimals=3; start\n"
        "end\n");
    ASSERT_TRUE(parsed.Ok()) << parsed.m_strError;
    const CSimMenu& menu = parsed.m_menu;
    ASSERT_EQ(menu.m_items.size(), 3u);
    EXPECT_EQ(menu.m_top, (std::vector<int>{0, 1}));
    EXPECT_EQ(menu.m_items[1].m_children, (std::vector<int>{2}));
    EXPECT_EQ(menu.m_items[2].m_nParent, 1);
    EXPECT_EQ(menu.m_nStart, 2);
    EXPECT_EQ(menu.m_items[1].m_nWhenItem, 0);
    EXPECT_FALSE(menu.IsVisible(1));
    EXPECT_EQ(menu.ValueText(2, menu.m_items[2].m_value), "2.500");
}

TEST(SimMenuParser, TheBuiltInMenuHasFortyParametersInFourSubMenus) {
    const CSimMenuParse parsed = ParseSimMenu(DefaultMenuText());
    ASSERT_TRUE(parsed.Ok()) << parsed.m_strError;
    const CSimMenu& menu = parsed.m_menu;
    int parameters = 0;
    bool readOnly = false;
    bool comma = false;
    bool degrees = false;
    bool atLimit = false;
    for (const CSimItem& item : menu.m_items) {
        if (item.m_bMenu)
            continue;
        ++parameters;
        readOnly |= item.m_bReadOnly;
        comma |= item.m_bComma;
        degrees |= item.m_strUnit ==
                   "\xB0"
                   "C";
        atLimit |= item.IsNumeric() && ((item.m_bHasMax && item.m_value == item.m_max) ||
                                        (item.m_bHasMin && item.m_value == item.m_min));
    }
    EXPECT_EQ(parameters, 40);
    EXPECT_EQ(menu.m_top.size(), 4u);
    EXPECT_EQ(menu.m_nStart, menu.m_top.front());
    EXPECT_TRUE(readOnly && comma && degrees && atLimit);
}
