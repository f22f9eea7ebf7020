#include "cli/Usage.h"

#include <cstdio>

#include "cli/ExitCodes.h"

namespace {

// What a port name means differs by system; the rest of the text is the same.
#ifdef _WIN32
#define TOVAMO_PORT_HELP                                                                \
    "PORT is COMn (as the Device Manager shows it) or a device name with a backslash\n" \
    "(\\\\.\\COM5); default: COM + the desktop program's stored port number.\n"
#else
#define TOVAMO_PORT_HELP                                                                        \
    "PORT is COMn (the port link in the per-user \"ports\" folder, else /dev/ttyS{n-1}) or a\n" \
    "device path; default: COM + the desktop program's stored port number.\n"
#endif

const char* const kGeneral =
    "usage: tovamo-cli [--port PORT] COMMAND [ARGS]\n"
    "       tovamo-cli COMMAND --help | --help | --version\n" TOVAMO_PORT_HELP
    "Options may come before or after the command; \"--\" ends them.\n"
    "Commands:\n"
    "  monitor                  print the drive's fields as lines \"KIND<TAB>TEXT\"; the keys\n"
    "                           e, o, u, d read from stdin are sent to the drive\n"
    "  read [-o FILE]           read the drive's whole menu into a parameter file\n"
    "  update FILE [-o OUT] [--report REPORT] [--dry-run] [--mark-differing [--numeric]]\n"
    "         [--no-snapshot]   step the drive to the values of FILE marked Yes\n"
    "  diff FILE [-o OUT] [--numeric]\n"
    "                           print the parameters whose values differ from FILE\n"
    "Outputs: read writes a parameter file (NAME<TAB>VALUE<TAB>FLAG); update writes a\n"
    "four-column table (NAME<TAB>DRIVE<TAB>FILE<TAB>FLAG), which is not a parameter file.\n"
    "See tovamo-cli COMMAND --help.\n"
    "Exit status: 0 done; 1 (diff) some values differ; 2 the port could not be opened; 3 the\n"
    "drive went silent or its menu did not come back to its first item; 4 \"Overflov\n"
    "Levels\"; 5 a file (or the snapshot) could not be read or written, or stdout was\n"
    "closed early; 6 some values did not reach their file value; 64 usage error; 130 ended\n"
    "by Ctrl-C or SIGTERM (read and update still write the table so far).\n";

const char* const kMonitor =
    "usage: tovamo-cli [--port PORT] monitor\n"
    "Prints every field the drive sends as one line KIND<TAB>TEXT: KIND is name, value or\n"
    "error; TEXT is the field as the drive sent it (Windows-1252 bytes included). When the\n"
    "port's device goes away and comes back (a USB adapter unplugged and plugged in again)\n"
    "it prints link<TAB>lost, link<TAB>busy while another program holds the device (who, on\n"
    "stderr), link<TAB>other while another adapter is under the port's name (it is not\n"
    "opened) and link<TAB>back, and goes on. Each e, o, u or d read from stdin is sent to\n"
    "the drive as a key (Enter, Escape, Up, Down); other bytes are ignored. Ends 500 ms\n"
    "after stdin ends, or on Ctrl-C / SIGTERM.\n"
    "Exit status: 0 done (also after Ctrl-C / SIGTERM); 2 the port could not be opened;\n"
    "5 stdout was closed early; 64 usage error.\n";

const char* const kRead =
    "usage: tovamo-cli [--port PORT] read [-o FILE]\n"
    "Walks the drive's whole menu (\"Read DC Drive\") and writes it as a parameter file to\n"
    "FILE, or to stdout without -o or with -o -: one line per parameter\n"
    "NAME<TAB>VALUE<TAB>No with CR LF line ends and no header; sub-menus have an empty\n"
    "value. While it runs, a progress line goes to stderr if that is a terminal.\n"
    "Exit status: 0 done; 2 the port could not be opened; 3 no answer from the drive for\n"
    "1.3 s, or the drive's menu did not come back to its first item (the table so far is\n"
    "written); 4 \"Overflov Levels\"; 5 FILE or stdout could not be written; 64 usage\n"
    "error; 130 ended by Ctrl-C or SIGTERM (the table so far is written).\n";

const char* const kUpdate =
    "usage: tovamo-cli [--port PORT] update FILE [-o OUT] [--report REPORT] [--dry-run]\n"
    "                  [--mark-differing [--numeric]] [--no-snapshot]\n"
    "Reads the drive's menu, loads the parameter file FILE and steps every parameter it\n"
    "marks Yes up or down until the drive shows the file's value (\"Update DC Drive\").\n"
    "Then writes the table to OUT, or to stdout without -o or with -o -: one line per\n"
    "parameter NAME<TAB>DRIVE VALUE<TAB>FILE VALUE<TAB>FLAG with CR LF line ends and no\n"
    "header. That is not a parameter file, so OUT may not be FILE; no two of FILE, OUT\n"
    "and REPORT may name one file, existing or not. Values that did not reach the file's\n"
    "value are listed on stderr. A progress line goes to stderr while it runs if that is a\n"
    "terminal.\n"
    "--report REPORT writes one line per parameter marked Yes, tab-separated below a header\n"
    "line: name, drive value before, file value, drive value after, outcome (reached,\n"
    "already equal, gave up after ten repeats, gave up between two steps, not found on the\n"
    "drive, not reached when the procedure ended, not a number), in table order.\n"
    "--dry-run reads the drive and FILE, prints what the update would change, one\n"
    "\"name: drive value \xE2\x86\x92 file value\" line each (UTF-8), then the marked ones it\n"
    "would leave alone (already equal, also as numbers, or not numbers), to OUT or stdout,\n"
    "and sends nothing else.\n"
    "--mark-differing marks Yes every parameter whose file value differs from the drive's\n"
    "and both are numbers, No every other, instead of FILE's flags; --numeric compares\n"
    "as numbers (3 equals 3.00, 4.20 A equals 4.2 A).\n"
    "Before the first key of the update, the drive values as read are saved as a parameter\n"
    "file in $XDG_STATE_HOME/Tovamo Dispenser/snapshots (default ~/.local/state/...; on\n"
    "Windows %LOCALAPPDATA%\\Tovamo Dispenser\\snapshots), as\n"
    "YYYYMMDD-HHMMSS-before-update.txt, named on stderr; the newest 200 are kept.\n"
    "--no-snapshot leaves it out. A snapshot that cannot be written stops the update\n"
    "before it sends anything (status 5).\n"
    "Exit status: 0 done; 2 the port could not be opened; 3 no answer from the drive for\n"
    "1.3 s, or the drive's menu did not come back to its first item (the table so far is\n"
    "written); 4 \"Overflov Levels\"; 5 a file or the snapshot could not be read or written;\n"
    "6 some values did not reach their file value; 64 usage error; 130 ended by Ctrl-C or\n"
    "SIGTERM, which leaves a value being stepped with Escape (the table so far is written).\n";

const char* const kDiff =
    "usage: tovamo-cli [--port PORT] diff FILE [-o OUT] [--numeric]\n"
    "Walks the drive's whole menu, compares it with the parameter file FILE and prints one\n"
    "line NAME<TAB>DRIVE VALUE<TAB>FILE VALUE (LF line ends) for every parameter whose\n"
    "file value differs from the drive's, also those the drive lacks (an empty drive\n"
    "value), to OUT or stdout. Values are compared byte for byte; with --numeric as the\n"
    "update compares them (3 equals 3.00, 4.20 A equals 4.2 A). Nothing is sent but the\n"
    "read's keys.\n"
    "Exit status: 0 no value differs; 1 some do; 2 the port could not be opened; 3 the\n"
    "read did not complete (nothing is printed); 4 \"Overflov Levels\"; 5 FILE could not be\n"
    "read or OUT written; 64 usage error; 130 ended by Ctrl-C or SIGTERM.\n";

}  // namespace

const char* GeneralUsage() {
    return kGeneral;
}

const char* CommandUsage(const std::string& strCommand) {
    if (strCommand == "monitor")
        return kMonitor;
    if (strCommand == "read")
        return kRead;
    if (strCommand == "update")
        return kUpdate;
    if (strCommand == "diff")
        return kDiff;
    return nullptr;
}

int UsageError(const std::string& strComplaint, const std::string& strCommand) {
    const char* usage = CommandUsage(strCommand);
    std::fprintf(stderr, "tovamo-cli: %s\n%s", strComplaint.c_str(), usage != nullptr ? usage : kGeneral);
    return kExitUsage;
}
