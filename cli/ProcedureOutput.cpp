#include "cli/ProcedureOutput.h"

#include <cstdio>

#include "cli/ExitCodes.h"
#include "cli/StderrMessageBox.h"
#include "cli/Usage.h"
#include "grid/GridCtrl.h"
#include "table/FileError.h"
#include "table/ParamFile.h"
#include "table/Tables.h"

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

namespace {
bool WriteToStdout(const std::string& content) {
    if (std::fwrite(content.data(), 1, content.size(), stdout) == content.size() && std::fflush(stdout) == 0)
        return true;
    std::fputs("tovamo-cli: the table could not be written to stdout\n", stderr);
    return false;
}
}  // namespace

std::optional<std::string> OutputPath(const SCliArgs& args) {
    if (!args.output || *args.output == "-")
        return std::nullopt;
    return args.output;
}

bool WriteOutput(const std::optional<std::string>& path, const std::string& content) {
    if (!path)
        return WriteToStdout(content);
    if (const int nErrno = WriteParamFile(*path, content)) {
        CStderrMessageBox().ShowMessage(FileErrorMessage(FileErrorCauseFromErrno(nErrno), *path));
        return false;
    }
    return true;
}

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

int CheckSwitches(const SCliArgs& args, bool bNumeric, bool bUpdateSwitches) {
    const char* misplaced = !bNumeric && args.bNumeric                    ? "--numeric"
                            : !bUpdateSwitches && args.bDryRun            ? "--dry-run"
                            : !bUpdateSwitches && args.bMarkDiffering     ? "--mark-differing"
                            : !bUpdateSwitches && args.bNoSnapshot        ? "--no-snapshot"
                            : !bUpdateSwitches && args.report.has_value() ? "--report"
                                                                          : nullptr;
    if (misplaced == nullptr)
        return 0;
    return UsageError(args.strCommand + " takes no " + misplaced, args.strCommand);
}

std::string ReadProgress(const CTables& tables) {
    return "read: " + std::to_string(tables.GetGrid().GetRowCount() - 1) + " rows, level " +
           std::to_string(tables.GetLevel());
}

bool ReadInputFile(const std::string& file, std::string& content) {
    if (const int nErrno = ReadParamFile(file, content)) {
        CStderrMessageBox().ShowMessage(FileErrorMessage(FileErrorCauseFromErrno(nErrno), file));
        return false;
    }
    return true;
}
