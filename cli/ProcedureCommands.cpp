// `tovamo-cli read` and `tovamo-cli update`: the Table page's "Read DC Drive", "Read File"
// and "Update DC Drive" against the drive, with the table written out at the end.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/ProcedureSession.h"
#include "cli/ProcedureTable.h"
#include "cli/RecordQueue.h"
#include "cli/StderrMessageBox.h"
#include "cli/StopSignals.h"
#include "link/Hardware.h"
#include "table/FileError.h"
#include "table/ParamFile.h"
#include "table/TableRows.h"

namespace {
// Ended by SIGINT or SIGTERM (the shell's 128 + SIGINT); the table is still written.
constexpr int kExitInterrupted = 130;

struct SProcedureArgs {
    std::string strFile;                // update: the parameter file
    std::optional<std::string> output;  // -o; absent or "-": stdout
};

int Usage(const std::string& complaint) {
    std::fprintf(stderr, "tovamo-cli: %s\n", complaint.c_str());
    return kExitUsage;
}

// Parses "[FILE] [-o OUT]"; returns 0 or the usage exit status.
int ParseArgs(const std::vector<std::string>& args, bool bNeedsFile, const char* command,
              SProcedureArgs& parsed) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size())
                return Usage(std::string(command) + ": -o needs a file name");
            parsed.output = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return Usage(std::string(command) + ": unknown option " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != (bNeedsFile ? 1u : 0u))
        return Usage(bNeedsFile ? "usage: tovamo-cli [--port PORT] update FILE [-o OUT]"
                                : "usage: tovamo-cli [--port PORT] read [-o FILE]");
    if (bNeedsFile)
        parsed.strFile = positional[0];
    if (parsed.output && *parsed.output == "-")
        parsed.output.reset();
    return 0;
}

int EndStatus(ETablesEnd how) {
    switch (how) {
        case ETablesEnd::kCompleted:
            return kExitDone;
        case ETablesEnd::kOverflow:
            return kExitOverflowLevels;
        case ETablesEnd::kStopped:
            return kExitInterrupted;
        case ETablesEnd::kWatchdog:
            break;
    }
    return kExitWatchdog;
}

// The port, its reader and a procedure session on them, for one command.
class CDriveConnection {
public:
    CDriveConnection() : m_hardware(&m_messages) {
        m_session.SetStopCheck([this] { return m_signals.Requested(); });
    }
    ~CDriveConnection() { m_hardware.StopReader(); }
    CDriveConnection(const CDriveConnection&) = delete;
    CDriveConnection& operator=(const CDriveConnection&) = delete;

    bool Open(const std::string& port) {
        if (m_hardware.OpenPort(port) != 1)
            return false;
        m_hardware.StartReader(&m_queue);
        return true;
    }
    CProcedureSession& Session() { return m_session; }

private:
    CStderrMessageBox m_messages;
    CRecordQueue m_queue;
    CHardware m_hardware;
    CProcedureSession m_session{m_hardware, m_queue, m_messages};
    CStopSignals m_signals{[this] { m_queue.Wake(); }};
};

bool WriteToStdout(const std::string& content) {
    return std::fwrite(content.data(), 1, content.size(), stdout) == content.size() &&
           std::fflush(stdout) == 0;
}

// The four-column table of `update`, to OUT or stdout; false after a message.
bool WriteUpdateTable(const CGridCtrl& grid, const std::optional<std::string>& output) {
    const std::string content = AllColumnsText(grid);
    if (!output) {
        if (WriteToStdout(content))
            return true;
        std::fputs("tovamo-cli: the table could not be written to stdout\n", stderr);
        return false;
    }
    if (const int nErrno = WriteParamFile(*output, content)) {
        CStderrMessageBox().ShowMessage(FileErrorMessage(FileErrorCauseFromErrno(nErrno), *output));
        return false;
    }
    return true;
}
}  // namespace

int RunReadCommand(const std::string& port, const std::vector<std::string>& args) {
    SProcedureArgs parsed;
    if (const int status = ParseArgs(args, false, "read", parsed))
        return status;
    CDriveConnection drive;
    if (!drive.Open(port))
        return kExitPortFailed;
    CProcedureSession& session = drive.Session();
    const ETablesEnd how = session.Run(&CTables::OnReadDrive);
    if (!parsed.output) {
        if (!WriteToStdout(DriveFileText(session.Tables().GetGrid()))) {
            std::fputs("tovamo-cli: the table could not be written to stdout\n", stderr);
            return kExitFileFailed;
        }
    } else {
        const int nMessages = session.MessageCount();
        session.Paths().m_savePath = *parsed.output;
        session.Tables().OnDriveToFile();
        if (session.MessageCount() != nMessages)
            return kExitFileFailed;
    }
    return EndStatus(how);
}

int RunUpdateCommand(const std::string& port, const std::vector<std::string>& args) {
    SProcedureArgs parsed;
    if (const int status = ParseArgs(args, true, "update", parsed))
        return status;
    // A file that cannot be read is reported before the drive is scanned for nothing.
    std::string content;
    if (const int nErrno = ReadParamFile(parsed.strFile, content)) {
        CStderrMessageBox().ShowMessage(FileErrorMessage(FileErrorCauseFromErrno(nErrno), parsed.strFile));
        return kExitFileFailed;
    }
    CDriveConnection drive;
    if (!drive.Open(port))
        return kExitPortFailed;
    CProcedureSession& session = drive.Session();
    CTables& tables = session.Tables();
    ETablesEnd how = session.Run(&CTables::OnReadDrive);
    if (how == ETablesEnd::kCompleted) {
        const int nMessages = session.MessageCount();
        session.Paths().m_openPath = parsed.strFile;
        tables.OnReadFile();
        if (session.MessageCount() != nMessages) {
            WriteUpdateTable(tables.GetGrid(), parsed.output);
            return kExitFileFailed;
        }
        how = session.Run(&CTables::OnUpdateDrive);
    }
    if (!WriteUpdateTable(tables.GetGrid(), parsed.output))
        return kExitFileFailed;
    const bool bAllReached = ReportRowsNotReached(tables.GetGrid());
    if (how != ETablesEnd::kCompleted)
        return EndStatus(how);
    return bAllReached ? kExitDone : kExitNotReached;
}
