#include "platform/qt/QtFileChooser.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace {
CQtFileChooser::Hook& TestHook() {
    static CQtFileChooser::Hook hook;
    return hook;
}
}  // namespace

// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||": name and pattern alternate.
QString CQtFileChooser::QtFilter(const std::string& filter) {
    const QStringList parts = QString::fromLatin1(filter.c_str()).split(QLatin1Char('|'));
    QStringList names;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty())
            names << parts[i];
    }
    return names.join(QStringLiteral(";;"));
}

CQtFileChooser::Hook CQtFileChooser::SetTestHook(Hook hook) {
    Hook previous = std::move(TestHook());
    TestHook() = std::move(hook);
    return previous;
}

std::optional<std::string> CQtFileChooser::GetSaveFileName(const std::string& filter,
                                                           const std::string& initialName,
                                                           const std::string& defaultExtension) {
    QFileDialog dialog(m_pParent);
    StartInLastFolder(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtFilter(filter));
    dialog.setDefaultSuffix(QString::fromLatin1(defaultExtension.c_str()));
    dialog.selectFile(QFile::decodeName(initialName.c_str()));
    return Run(dialog);
}

std::optional<std::string> CQtFileChooser::GetOpenFileName(const std::string& filter,
                                                           const std::string& initialName) {
    QFileDialog dialog(m_pParent);
    StartInLastFolder(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtFilter(filter));
    // A pattern such as "*.txt" is what the list shows, not a name to offer.
    if (initialName.find('*') == std::string::npos)
        dialog.selectFile(QFile::decodeName(initialName.c_str()));
    return Run(dialog);
}

void CQtFileChooser::StartInLastFolder(QFileDialog& dialog) const {
    if (!m_strLastPath.isEmpty())
        dialog.setDirectory(QFileInfo(m_strLastPath).absolutePath());
}

// A name in a folder that does not exist is refused in the dialog, as the file
// dialogs of the drive tool always did, and the user chooses again.
std::optional<std::string> CQtFileChooser::Run(QFileDialog& dialog) {
    if (TestHook()) {
        const QString path = TestHook()(dialog);
        if (path.isEmpty())
            return std::nullopt;
        m_strLastPath = path;
        return std::string(QFile::encodeName(path).constData());
    }
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = dialog.selectedFiles().constFirst();
        if (QFileInfo(path).absoluteDir().exists()) {
            m_strLastPath = path;
            return std::string(QFile::encodeName(path).constData());
        }
        QMessageBox::warning(&dialog, dialog.windowTitle(),
                             QStringLiteral("The folder %1 does not exist.")
                                 .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    }
    return std::nullopt;
}
