// tovamo-cli's help and version, from the program itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JoinedWords.h"
#include "support/ChildProcess.h"

namespace {

TEST(CliProgram, HelpForEachCommandAndVersion) {
    struct Row {
        std::vector<std::string> args;
        std::string start;  // of stdout
        std::vector<std::string> mentions;
    };
    const Row rows[] = {
        {{"--help"},
         "usage: tovamo-cli [--port PORT] COMMAND [ARGS]\n",
         {"130", "64", "NAME<TAB>VALUE<TAB>FLAG"}},
        {{"monitor", "--help"},
         "usage: tovamo-cli [--port PORT] monitor\n",
         {"link<TAB>lost", "link<TAB>back"}},
        {{"read", "-h", "extra"}, "usage: tovamo-cli [--port PORT] read [-o FILE]\n", {"130", "CR LF"}},
        {{"--help", "update"},
         "usage: tovamo-cli [--port PORT] update FILE [-o OUT] [--report REPORT] [--dry-run]\n",
         {"gave up after ten repeats", "gave up between two steps", "OUT may not be FILE", "130",
          "--no-snapshot", "before-update.txt"}},
        {{"diff", "--help"},
         "usage: tovamo-cli [--port PORT] diff FILE [-o OUT] [--numeric]\n",
         {"1 some do"}},
        {{"read", "--version"}, "tovamo-cli ", {}},
    };
    for (const Row& row : rows) {
        std::vector<std::string> argv = row.args;
        argv.insert(argv.begin(), TOVAMO_CLI_PATH);
        const ChildResult result = RunChild(argv);
        const std::string where = Joined(row.args);
        EXPECT_EQ(result.status, 0) << where;
        EXPECT_EQ(result.out.rfind(row.start, 0), 0u) << where << ": " << result.out;
        for (const std::string& mention : row.mentions)
            EXPECT_NE(result.out.find(mention), std::string::npos) << where << " lacks " << mention;
        EXPECT_EQ(result.err, "") << where;
    }
}

}  // namespace
