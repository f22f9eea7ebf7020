#include "cli/Usage.h"

#include <cstdio>

#include "cli/ExitCodes.h"

namespace {

const char* const kGeneral =
    "usage: tovamo-cli [--port PORT] COMMAND [ARGS]\n"
    "       tovamo-cli COMMAND --help | --help | --version\n"
    "PORT is COMn (the port link in the per-user \"ports\" folder, else /dev/ttyS{n-1}) or a\n"
    "device path; default: COM + the desktop program's stored port number. Options may come\n"
    "before or after the command; \"--\" ends them.\n"
    "Commands:\n"
    "  monitor                  print the drive's fields as lines \"KIND<TAB>TEXT\"; the keys\n"
    "                           e, o, u, d read from stdin are sent to the drive\n"
    "  read [-o FILE]           read the drive's whole menu into a parameter file\n"
    "  update FILE [-o OUT] [--report REPORT]\n"
    "                           step the drive to the values of FILE marked Yes\n"
    "Outputs: read writes a parameter file (NAME<TAB>VALUE<TAB>FLAG); update writes a\n"
    "four-column table (NAME<TAB>DRIVE<TAB>FILE<TAB>FLAG), which is not a parameter file.\n"
    "See tovamo-cli COMMAND --help.\n"
    "Exit status: 0 done; 2 the port could not be opened; 3 the drive went silent or its\n"
    "menu did not come back to its first item; 4\n"
    "\"Overflov Levels\"; 5 a file could not be read or written, or stdout was closed early;\n"
    "6 some values did not reach their file value; 64 usage error; 130 ended by Ctrl-C or\n"
    "SIGTERM (read and update still write the table so far).\n";

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
    "usage: tovamo-cli [--port PORT] update FILE [-o OUT] [--report REPORT]\n"
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
    "drive, not reached when the procedure ended, not a number).\n"
    "Exit status: 0 done; 2 the port could not be opened; 3 no answer from the drive for\n"
    "1.3 s, or the drive's menu did not come back to its first item (the table so far is\n"
    "written); 4 \"Overflov Levels\"; 5 a file could not be read or written; 6 some values\n"
    "did not reach their file value; 64 usage error; 130 ended by Ctrl-C or SIGTERM (the\n"
    "table so far is written).\n";

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
    return nullptr;
}

int UsageError(const std::string& strComplaint, const std::string& strCommand) {
    const char* usage = CommandUsage(strCommand);
    std::fprintf(stderr, "tovamo-cli: %s\n%s", strComplaint.c_str(), usage != nullptr ? usage : kGeneral);
    return kExitUsage;
}
