// `tovamo-cli diff FILE`: the drive's menu read and compared with a parameter file, the
// rows that differ printed as the page's "Only rows that differ" would show them.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/DriveConnection.h"
#include "cli/ExitCodes.h"
#include "cli/ProcedureOutput.h"
#include "cli/ProgressLine.h"
#include "cli/StderrMessageBox.h"
#include "cli/Usage.h"
#include "grid/GridCtrl.h"
#include "table/FileError.h"
#include "table/ParamFile.h"
#include "table/TableRows.h"
#include "table/ValueCompare.h"

namespace {
int CheckDiffArgs(const SCliArgs& args) {
    if (args.positional.size() != 1)
        return UsageError("diff needs one FILE", "diff");
    return CheckSwitches(args, true, false);
}

// NAME<TAB>DRIVE<TAB>FILE for every row whose file value differs; a row the drive lacks
// has an empty drive value.
std::string DifferingRows(const CGridCtrl& grid, ECompare eCompare, int& nRows) {
    std::string text;
    nRows = 0;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        const std::string strDrive = grid.GetItemText(nRow, kColDrive);
        const std::string strFile = grid.GetItemText(nRow, kColFile);
        if (!RowDiffers(strDrive, strFile, eCompare))
            continue;
        ++nRows;
        text += grid.GetItemText(nRow, kColName) + "\t" + strDrive + "\t" + strFile + "\n";
    }
    return text;
}
}  // namespace

int RunDiffCommand(const std::string& port, const SCliArgs& args) {
    if (const int status = CheckDiffArgs(args))
        return status;
    const std::string& file = args.positional[0];
    std::string content;
    if (!ReadInputFile(file, content))
        return kExitFileFailed;
    CDriveConnection drive;
    if (!drive.Open(port))
        return kExitPortFailed;
    CProcedureSession& session = drive.Session();
    CProgressLine progress;
    session.SetRecordObserver([&](const CServoData&) { progress.Show(ReadProgress(session.Tables())); });
    const ETablesEnd how = session.Run(&CTables::OnReadDrive);
    progress.Clear();
    if (how != ETablesEnd::kCompleted) {
        // Half a menu would list every parameter after the end as missing.
        std::fputs("tovamo-cli: the read of the drive did not complete; nothing was compared\n", stderr);
        return EndStatus(how);
    }
    ApplyParamLines(session.Tables().GetGrid(), ParseParamFile(content));
    int nRows = 0;
    const std::string text = DifferingRows(session.Tables().GetGrid(),
                                           args.bNumeric ? ECompare::kNumeric : ECompare::kText, nRows);
    if (!WriteOutput(OutputPath(args), text))
        return kExitFileFailed;
    return nRows == 0 ? kExitDone : kExitDiffers;
}
