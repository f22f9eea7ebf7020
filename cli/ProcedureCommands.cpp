// `tovamo-cli read` and `tovamo-cli update`: the Table page's "Read DC Drive", "Read File"
// and "Update DC Drive" against the drive, with the table written out at the end.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/DriveConnection.h"
#include "cli/ExitCodes.h"
#include "cli/ProcedureTable.h"
#include "cli/ProgressLine.h"
#include "cli/StderrMessageBox.h"
#include "cli/UpdateReport.h"
#include "cli/Usage.h"
#include "table/FileError.h"
#include "table/ParamFile.h"
#include "table/TableRows.h"

namespace {

// Checks the words of read (bNeedsFile false) or update; 0 or the usage exit status.
int CheckArgs(const SCliArgs& args, bool bNeedsFile) {
    const std::string command = bNeedsFile ? "update" : "read";
    if (args.positional.size() != (bNeedsFile ? 1u : 0u))
        return UsageError(bNeedsFile ? "update needs one FILE" : "read takes no FILE (use -o FILE)", command);
    if (!bNeedsFile && args.report)
        return UsageError("--report belongs to update", command);
    if (!bNeedsFile)
        return 0;
    // The four-column table and the report are not parameter files: writing either over
    // FILE would destroy what the technician meant to load, and the report written over
    // OUT would replace the table. The files need not exist yet to be one.
    const std::string& file = args.positional[0];
    const bool bOutFile = args.output && *args.output != "-";
    if (bOutFile && IsSameFile(*args.output, file))
        return UsageError("OUT is FILE itself; the table update writes is not a parameter file", command);
    if (args.report && IsSameFile(*args.report, file))
        return UsageError("REPORT is FILE itself", command);
    if (args.report && bOutFile && IsSameFile(*args.report, *args.output))
        return UsageError("REPORT and OUT are the same file", command);
    return 0;
}

std::optional<std::string> OutputPath(const SCliArgs& args) {
    if (!args.output || *args.output == "-")
        return std::nullopt;
    return args.output;
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
        case ETablesEnd::kNoWrap:
            break;
    }
    return kExitWatchdog;
}

// After the table has been written: an end the drive caused says so. `procedure` is
// "Read" or "Update", the procedure that was running.
int FinalStatus(ETablesEnd how, const char* procedure) {
    if (how == ETablesEnd::kWatchdog)
        std::fputs("tovamo-cli: no answer from the drive for 1.3 s; the table so far was written\n", stderr);
    if (how == ETablesEnd::kNoWrap)
        std::fprintf(stderr,
                     "tovamo-cli: %s stopped: the drive's menu did not come back to its first item; the "
                     "table so far was written\n",
                     procedure);
    return EndStatus(how);
}

bool WriteToStdout(const std::string& content) {
    if (std::fwrite(content.data(), 1, content.size(), stdout) == content.size() && std::fflush(stdout) == 0)
        return true;
    std::fputs("tovamo-cli: the table could not be written to stdout\n", stderr);
    return false;
}

// `content` to `path`, or stdout without one; false after a message.
bool WriteOutput(const std::optional<std::string>& path, const std::string& content) {
    if (!path)
        return WriteToStdout(content);
    if (const int nErrno = WriteParamFile(*path, content)) {
        CStderrMessageBox().ShowMessage(FileErrorMessage(FileErrorCauseFromErrno(nErrno), *path));
        return false;
    }
    return true;
}

std::string ReadProgress(const CTables& tables) {
    return "read: " + std::to_string(tables.GetGrid().GetRowCount() - 1) + " rows, level " +
           std::to_string(tables.GetLevel());
}

}  // namespace

int RunReadCommand(const std::string& port, const SCliArgs& args) {
    if (const int status = CheckArgs(args, false))
        return status;
    CDriveConnection drive;
    if (!drive.Open(port))
        return kExitPortFailed;
    CProcedureSession& session = drive.Session();
    CProgressLine progress;
    session.SetRecordObserver([&](const CServoData&) { progress.Show(ReadProgress(session.Tables())); });
    const ETablesEnd how = session.Run(&CTables::OnReadDrive);
    progress.Clear();
    if (!WriteOutput(OutputPath(args), DriveFileText(session.Tables().GetGrid())))
        return kExitFileFailed;
    return FinalStatus(how, "Read");
}

int RunUpdateCommand(const std::string& port, const SCliArgs& args) {
    if (const int status = CheckArgs(args, true))
        return status;
    const std::string& file = args.positional[0];
    // A file that cannot be read is reported before the drive is scanned for nothing.
    std::string content;
    if (const int nErrno = ReadParamFile(file, content)) {
        CStderrMessageBox().ShowMessage(FileErrorMessage(FileErrorCauseFromErrno(nErrno), file));
        return kExitFileFailed;
    }
    CDriveConnection drive;
    if (!drive.Open(port))
        return kExitPortFailed;
    CProcedureSession& session = drive.Session();
    CTables& tables = session.Tables();
    CUpdateReport report(ParseParamFile(content));
    CProgressLine progress;
    session.SetRecordObserver([&](const CServoData& record) {
        report.NoteRecord(record);
        progress.Show(tables.IsUpdating()
                          ? "update: " + std::to_string(report.MarkedVisited()) + " of " +
                                std::to_string(report.MarkedCount()) + " marked parameters done, level " +
                                std::to_string(tables.GetLevel())
                          : ReadProgress(tables));
    });
    ETablesEnd how = session.Run(&CTables::OnReadDrive);
    const char* procedure = "Read";
    bool bFileFailed = false;
    if (how == ETablesEnd::kCompleted) {
        report.NoteValuesBefore(tables.GetGrid());
        const int nMessages = session.MessageCount();
        session.Paths().m_openPath = file;
        tables.OnReadFile();
        bFileFailed = session.MessageCount() != nMessages;
        if (!bFileFailed) {
            procedure = "Update";
            how = session.Run(&CTables::OnUpdateDrive);
        }
    }
    progress.Clear();
    const bool bWritten = WriteOutput(OutputPath(args), AllColumnsText(tables.GetGrid()));
    const bool bReported =
        !args.report || WriteOutput(args.report, report.Text(tables, how == ETablesEnd::kCompleted));
    if (bFileFailed || !bWritten || !bReported)
        return kExitFileFailed;
    const bool bAllReached = ReportRowsNotReached(tables.GetGrid());
    if (how != ETablesEnd::kCompleted)
        return FinalStatus(how, procedure);
    return bAllReached ? kExitDone : kExitNotReached;
}
