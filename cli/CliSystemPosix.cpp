#include <unistd.h>

#include <csignal>

#include "cli/CliSystem.h"
#include "cli/StoredPort.h"
#include "platform/ConfigPaths.h"

void PrepareStdio() {
    // A reader of stdout that goes away (`| head`) makes the next write fail with EPIPE.
    std::signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> CommandLineWords(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

bool StderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

std::string DefaultPortName() {
    return "COM" + std::to_string(ReadStoredNumCom(TovamoSettingsFile()));
}
