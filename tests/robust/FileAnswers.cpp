#include "robust/FileAnswers.h"

#include "app/qt/TablesPage.h"
#include "grid/GridCtrl.h"
#include "platform/qt/QtFileChooser.h"
#include "robust/FailureReport.h"
#include "robust/RandomInput.h"
#include "table/ParamFile.h"

#include <QFile>
#include <QFileDialog>

#include <string>
#include <vector>

namespace {
const char* const kValues[] = {"0", "1", "-1", "2.0", "12.5 ms", "-0.080 V", "99999999999", "", "abc", "Yes"};
const char* const kFlags[] = {"Yes", "No", "No", "", "yes", "Yes\tNo"};
}  // namespace

CFileAnswers::CFileAnswers(CRandomInput& input, QString folder)
    : m_input(input), m_strFolder(std::move(folder)) {}

void CFileAnswers::Install() {
    CQtFileChooser::SetTestHook([this](QFileDialog& dialog) { return Answer(dialog); });
    m_bInstalled = true;
}

CFileAnswers::~CFileAnswers() {
    if (m_bInstalled)
        CQtFileChooser::SetTestHook({});
}

QString CFileAnswers::Answer(QFileDialog& dialog) {
    ++m_nAnswered;
    const bool bSave = dialog.acceptMode() == QFileDialog::AcceptSave;
    const int n = m_input.Below(100);
    QString path;
    if (n < 30)
        path.clear();
    else if (bSave || n < 55)
        path = m_strFolder + QStringLiteral("/saved-%1.txt").arg(m_input.Below(3));
    else if (n < 90)
        path = WriteRandomFile(dialog);
    else
        path = m_strFolder + QStringLiteral("/missing.txt");
    const std::string note = std::string(bSave ? "save" : "open") + " dialog answered with " +
                             (path.isEmpty() ? std::string("Cancel") : path.toStdString());
    robust::NoteAction(note.c_str());
    return path;
}

// Names from the page's grid (the dialog's parent) with random values and marks,
// among a few lines that are no parameter at all.
QString CFileAnswers::WriteRandomFile(const QFileDialog& dialog) {
    std::vector<std::string> names;
    if (auto* page = qobject_cast<CTablesPage*>(dialog.parentWidget())) {
        const CGridCtrl& grid = page->Tables().GetGrid();
        for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
            names.push_back(grid.GetItemText(nRow, 0));
    }
    std::string content;
    for (int nLines = m_input.Below(80); nLines > 0; --nLines) {
        if (names.empty() || m_input.Chance(15)) {
            content +=
                std::string(static_cast<size_t>(m_input.Below(30)), static_cast<char>(m_input.Below(256)));
            content += m_input.Chance(50) ? "\r\n" : "\n";
            continue;
        }
        content += FormatParamLine(names[static_cast<size_t>(m_input.Below(static_cast<int>(names.size())))],
                                   kValues[m_input.Below(std::size(kValues))],
                                   kFlags[m_input.Below(std::size(kFlags))]);
    }
    const QString path = m_strFolder + QStringLiteral("/random.txt");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content.data(), static_cast<qint64>(content.size()));
    return path;
}
