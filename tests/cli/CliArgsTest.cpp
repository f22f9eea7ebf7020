// tovamo-cli's command line: where options may stand, "--", help and version.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JoinedWords.h"
#include "cli/CliArgs.h"

namespace {

TEST(CliArgs, OptionsBeforeOrAfterTheCommandAndTheEndOfOptions) {
    struct Row {
        std::vector<std::string> words;
        std::string port, command;
        std::vector<std::string> positional;
        std::string output, report, error;
    };
    const Row rows[] = {
        {{"--port", "COM3", "read", "-o", "f.txt"}, "COM3", "read", {}, "f.txt", "", ""},
        {{"read", "--port", "COM3", "-o", "f.txt"}, "COM3", "read", {}, "f.txt", "", ""},
        {{"read", "-o", "f.txt", "--port=COM3"}, "COM3", "read", {}, "f.txt", "", ""},
        {{"update", "--report", "r.txt", "in.txt", "-o", "-"}, "", "update", {"in.txt"}, "-", "r.txt", ""},
        {{"update", "--", "-odd.txt", "--port"}, "", "update", {"-odd.txt", "--port"}, "", "", ""},
        {{"update", "-", "--report=r"}, "", "update", {"-"}, "", "r", ""},
        {{"read", "-o"}, "", "read", {}, "", "", "read: -o needs a file name"},
        {{"update", "f", "--report"}, "", "update", {"f"}, "", "", "--report needs a value"},
        {{"read", "--speed", "9"}, "", "read", {}, "", "", "unknown option --speed"},
    };
    for (const Row& row : rows) {
        const SCliArgs args = ParseCliArgs(row.words);
        const std::string where = Joined(row.words);
        EXPECT_EQ(args.strError, row.error) << where;
        if (!row.error.empty())
            continue;
        EXPECT_EQ(args.strPort, row.port) << where;
        EXPECT_EQ(args.strCommand, row.command) << where;
        EXPECT_EQ(args.positional, row.positional) << where;
        EXPECT_EQ(args.output.value_or(""), row.output) << where;
        EXPECT_EQ(args.report.value_or(""), row.report) << where;
    }
}

}  // namespace
