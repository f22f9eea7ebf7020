// Placeholder until the Table page's procedures exist; replaced by their commands.
#include <cstdio>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"

int RunReadCommand(const std::string&, const std::vector<std::string>&)
{
    std::fputs("tovamo-cli: read is not built yet\n", stderr);
    return kExitUsage;
}

int RunUpdateCommand(const std::string&, const std::vector<std::string>&)
{
    std::fputs("tovamo-cli: update is not built yet\n", stderr);
    return kExitUsage;
}
