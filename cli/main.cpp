// tovamo-cli: the drive from the command line. See kUsage.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/StoredPort.h"

namespace {
const char* const kUsage =
    "usage: tovamo-cli [--port PORT] COMMAND [ARGS]\n"
    "PORT is COMn (the port link in the per-user \"ports\" folder, else /dev/ttyS{n-1}) or a\n"
    "device path; default: COM + the desktop program's stored port number.\n"
    "Commands:\n"
    "  monitor                read the drive's fields as lines \"KIND<TAB>TEXT\"; the keys\n"
    "                         e, o, u, d read from stdin are sent to the drive\n"
    "  read [-o FILE]         read the drive's whole menu into a parameter file\n"
    "  update FILE [-o OUT]   step the drive to the values of FILE marked Yes\n";

int UsageError(const std::string& complaint) {
    std::fprintf(stderr, "tovamo-cli: %s\n%s", complaint.c_str(), kUsage);
    return kExitUsage;
}
}  // namespace

int main(int argc, char** argv) {
    std::string port;
    bool portGiven = false;
    int next = 1;
    for (; next < argc && argv[next][0] == '-'; ++next) {
        const std::string option = argv[next];
        if (option == "--help" || option == "-h") {
            std::fputs(kUsage, stdout);
            return kExitDone;
        }
        if (option == "--port" && next + 1 < argc) {
            port = argv[++next];
        } else if (option.rfind("--port=", 0) == 0) {
            port = option.substr(std::strlen("--port="));
        } else {
            return UsageError(option == "--port" ? "--port needs a value" : "unknown option " + option);
        }
        portGiven = true;
    }
    if (portGiven && port.empty())
        return UsageError("--port needs a value");
    if (next >= argc)
        return UsageError("no command given");
    const std::string command = argv[next];
    const std::vector<std::string> args(argv + next + 1, argv + argc);
    if (!portGiven)
        port = DefaultPortName();
    if (command == "monitor")
        return RunMonitorCommand(port, args);
    if (command == "read")
        return RunReadCommand(port, args);
    if (command == "update")
        return RunUpdateCommand(port, args);
    return UsageError("unknown command " + command);
}
