// tovamo-cli: the drive from the command line. See cli/Usage.cpp.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliSystem.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/StoredPort.h"
#include "cli/Usage.h"

#ifndef TOVAMO_VERSION
#define TOVAMO_VERSION "unknown"
#endif

int main(int argc, char** argv) {
    // A stdout that goes away (`| head`) ends the command with the file status instead of
    // killing it without a word.
    PrepareStdio();
    const SCliArgs args = ParseCliArgs(CommandLineWords(argc, argv));
    if (!args.strError.empty())
        return UsageError(args.strError, args.strCommand);
    if (args.bVersion) {
        std::puts("tovamo-cli " TOVAMO_VERSION);
        return kExitDone;
    }
    if (args.bHelp) {
        const char* usage = CommandUsage(args.strCommand);
        std::fputs(usage != nullptr ? usage : GeneralUsage(), stdout);
        return kExitDone;
    }
    if (args.bPortGiven && args.strPort.empty())
        return UsageError("--port needs a value");
    if (args.strCommand.empty())
        return UsageError("no command given");
    const std::string port = args.bPortGiven ? args.strPort : DefaultPortName();
    if (args.strCommand == "monitor")
        return RunMonitorCommand(port, args);
    if (args.strCommand == "read")
        return RunReadCommand(port, args);
    if (args.strCommand == "update")
        return RunUpdateCommand(port, args);
    if (args.strCommand == "diff")
        return RunDiffCommand(port, args);
    return UsageError("unknown command " + args.strCommand);
}
