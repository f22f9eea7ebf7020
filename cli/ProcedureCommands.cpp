// `tovamo-cli read` and `tovamo-cli update`: the Table page's "Read DC Drive", "Read File"
// and "Update DC Drive" against the drive, with the table written out at the end.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/DriveConnection.h"
#include "cli/ExitCodes.h"
#include "cli/ProcedureOutput.h"
#include "cli/ProcedureTable.h"
#include "cli/ProgressLine.h"
#include "cli/StderrMessageBox.h"
#include "cli/UpdateReport.h"
#include "cli/Usage.h"
#include "platform/ConfigPaths.h"
#include "table/FileError.h"
#include "table/ParamFile.h"
#include "table/Snapshot.h"
#include "table/TableRows.h"
#include "table/TablesStatus.h"
#include "table/UpdateOutcome.h"
#include "table/UpdatePlan.h"

namespace {

// Checks the words of read (bNeedsFile false) or update; 0 or the usage exit status.
int CheckArgs(const SCliArgs& args, bool bNeedsFile) {
    const std::string command = bNeedsFile ? "update" : "read";
    if (args.positional.size() != (bNeedsFile ? 1u : 0u))
        return UsageError(bNeedsFile ? "update needs one FILE" : "read takes no FILE (use -o FILE)", command);
    if (!bNeedsFile && args.report)
        return UsageError("--report belongs to update", command);
    if (const int status = CheckSwitches(args, bNeedsFile, bNeedsFile))
        return status;
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

// Between the scan and the update: the file's values, the marks, the snapshot. False
// after a message: nothing of the update may be sent then.
bool PrepareUpdate(CProcedureSession& session, const SCliArgs& args) {
    CTables& tables = session.Tables();
    const int nMessages = session.MessageCount();
    session.Paths().m_openPath = args.positional[0];
    tables.OnReadFile();
    if (session.MessageCount() != nMessages)
        return false;
    if (args.bMarkDiffering) {
        tables.SetCompare(args.bNumeric ? ECompare::kNumeric : ECompare::kText);
        const std::string text = "tovamo-cli: " + MarkedStatusText(tables.MarkDiffering()) + "\n";
        std::fputs(text.c_str(), stderr);
    }
    if (args.bDryRun || args.bNoSnapshot)
        return true;
    const SSnapshotResult snapshot =
        WriteSnapshot(TovamoSnapshotDir(), DriveFileText(tables.GetGrid()), LocalTimeNow());
    const std::string text = snapshot.Ok()
                                 ? "tovamo-cli: snapshot: " + snapshot.strPath + "\n"
                                 : "tovamo-cli: " + snapshot.strError + "; the update was not started\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    return snapshot.Ok();
}

std::string UpdateProgressText(const CTables& tables, const CUpdateProgress& marked) {
    if (!tables.IsUpdating())
        return ReadProgress(tables);
    return "update: " + std::to_string(marked.MarkedVisited()) + " of " +
           std::to_string(marked.MarkedCount()) + " marked parameters done, level " +
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
    std::string content;
    if (!ReadInputFile(file, content))
        return kExitFileFailed;
    CDriveConnection drive;
    if (!drive.Open(port))
        return kExitPortFailed;
    CProcedureSession& session = drive.Session();
    CTables& tables = session.Tables();
    CUpdateProgress marked;
    CProgressLine progress;
    session.SetRecordObserver([&](const CServoData& record) {
        marked.NoteRecord(record);
        progress.Show(UpdateProgressText(tables, marked));
    });
    ETablesEnd how = session.Run(&CTables::OnReadDrive);
    const char* procedure = "Read";
    bool bFileFailed = false;
    if (how == ETablesEnd::kCompleted) {
        bFileFailed = !PrepareUpdate(session, args);
        if (!bFileFailed && args.bDryRun) {
            progress.Clear();
            return WriteOutput(OutputPath(args), PlanTextUtf8(MakeUpdatePlan(tables.GetGrid())))
                       ? kExitDone
                       : kExitFileFailed;
        }
        if (!bFileFailed) {
            procedure = "Update";
            marked.NoteMarked(tables.GetGrid());
            how = session.Run(&CTables::OnUpdateDrive);
        }
    }
    progress.Clear();
    const bool bWritten = WriteOutput(OutputPath(args), AllColumnsText(tables.GetGrid()));
    const bool bReported = !args.report || WriteOutput(args.report, UpdateReportText(tables));
    if (bFileFailed || !bWritten || !bReported)
        return kExitFileFailed;
    const bool bAllReached = ReportRowsNotReached(tables.GetGrid());
    if (how != ETablesEnd::kCompleted)
        return FinalStatus(how, procedure);
    return bAllReached ? kExitDone : kExitNotReached;
}
