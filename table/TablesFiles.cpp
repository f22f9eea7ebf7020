// The parameter-file buttons: "DC Drive To File", "File To New File" and "Read File".
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "table/FileError.h"
#include "table/ParamFile.h"
#include "table/TableRows.h"
#include "table/Tables.h"

namespace {
constexpr const char* kFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

void ShowFileError(IMessageBox* pMessageBox, int nErrno, const std::string& strPath) {
    pMessageBox->ShowMessage(FileErrorMessage(FileErrorCauseFromErrno(nErrno), strPath));
}
}  // namespace

void CTables::OnDriveToFile() {
    SaveTable(false);
}

void CTables::OnFileToNewFile() {
    SaveTable(true);
}

void CTables::SaveTable(bool bFileValues) {
    const std::optional<std::string> path =
        m_Services.pFileChooser->GetSaveFileName(kFilter, std::string("NoName") + ".txt", "txt");
    if (!path)
        return;
    const std::string strContent = bFileValues ? NewFileText(m_Grid) : DriveFileText(m_Grid);
    if (const int nErrno = WriteParamFile(*path, strContent))
        ShowFileError(m_Services.pMessageBox, nErrno, *path);
}

bool CTables::OnReadFile() {
    const std::optional<std::string> path = m_Services.pFileChooser->GetOpenFileName(kFilter, "*.txt");
    if (!path)
        return false;
    // The whole file is read before the table changes, so a file that fails part-way
    // leaves the table as it was.
    std::string strContent;
    if (const int nErrno = ReadParamFile(*path, strContent)) {
        ShowFileError(m_Services.pMessageBox, nErrno, *path);
        return false;
    }
    ApplyParamLines(m_Grid, ParseParamFile(strContent));
    FinishAndRefresh();
    return true;
}
