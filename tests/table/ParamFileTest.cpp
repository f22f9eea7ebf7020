#include "table/ParamFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::string Show(const std::string& bytes) {
    std::string shown;
    for (char c : bytes) {
        if (c == '\t')
            shown += "\\t";
        else if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else
            shown += c;
    }
    return shown;
}

TEST(ParamFileLines, LineEndsAreLfOrCrLf) {
    struct Row {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\r\n", {"a", "b"}},
        {"\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"a\r", {"a\r"}},
        {"a\r\r\n", {"a\r"}},
        {"a\rb\n", {"a\rb"}},
        {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SplitParamLines(row.bytes), row.lines) << "bytes \"" << Show(row.bytes) << "\"";
}

TEST(ParamFileLines, FieldsSplitAtTheFirstTwoTabs) {
    struct Row {
        std::string line;
        std::string name, value, flag;
    };
    const Row rows[] = {
        {"P1\t10\tYes", "P1", "10", "Yes"},
        {"P1\t10", "P1", "10", "No"},
        {"P1\t\tNo", "P1", "", "No"},
        {"P2 Sub menu\t\tNo", "P2 Sub menu", "", "No"},
        {"P1\t10\tYes\tmore", "P1", "10", "Yes\tmore"},
        {"no tab at all", "", "", "No"},
        {"", "", "", "No"},
        {"\t\t", "", "", ""},
        {"P1 \t1.5\tNo", "P1 ", "1.5", "No"},
        {"P1\tError 12\tYes", "P1", "Error 12", "Yes"},
    };
    for (const Row& row : rows) {
        const SParamLine line = ParseParamLine(row.line);
        const std::string shown = "line \"" + Show(row.line) + "\"";
        EXPECT_EQ(line.strName, row.name) << shown;
        EXPECT_EQ(line.strValue, row.value) << shown;
        EXPECT_EQ(line.strFlag, row.flag) << shown;
    }
}

TEST(ParamFileLines, WrittenLinesReadBackUnchanged) {
    const std::string bytes =
        FormatParamLine("P1 Speed", "12,5 rpm", "Yes") + FormatParamLine("P2", "", "No");
    EXPECT_EQ(bytes, "P1 Speed\t12,5 rpm\tYes\r\nP2\t\tNo\r\n");
    const std::vector<SParamLine> lines = ParseParamFile(bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].strName, "P1 Speed");
    EXPECT_EQ(lines[0].strValue, "12,5 rpm");
    EXPECT_EQ(lines[0].strFlag, "Yes");
    EXPECT_EQ(lines[1].strName, "P2");
    EXPECT_EQ(lines[1].strValue, "");
    EXPECT_EQ(lines[1].strFlag, "No");
}
}  // namespace
