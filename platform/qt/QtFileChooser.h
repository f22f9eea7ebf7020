#pragma once

#include "platform/FileChooser.h"

#include <QString>

#include <functional>

class QFileDialog;
class QWidget;

// The Table page's file dialogs on QFileDialog. The filter "Name (*.a)|*.a|...||"
// becomes Qt's "Name (*.a);;..."; saving offers the initial name, adds the default
// extension and asks before replacing a file; opening accepts a name that does not
// exist (the read then reports it). The folder must exist in both. Chosen names are
// returned as the file system's bytes. Each dialog starts in the folder of the name
// chosen last. A test installs a hook that answers in place of the dialog, so no test
// ever blocks.
class CQtFileChooser final : public IFileChooser {
public:
    // Gets the finished dialog; returns the path chosen, or an empty string to cancel.
    using Hook = std::function<QString(QFileDialog& dialog)>;
    explicit CQtFileChooser(QWidget* parent = nullptr) : m_pParent(parent) {}

    std::optional<std::string> GetSaveFileName(const std::string& filter, const std::string& initialName,
                                               const std::string& defaultExtension) override;
    std::optional<std::string> GetOpenFileName(const std::string& filter,
                                               const std::string& initialName) override;

    // The name chosen last in either dialog; empty before the first.
    const QString& LastPath() const { return m_strLastPath; }

    static QString QtFilter(const std::string& filter);
    static Hook SetTestHook(Hook hook);

private:
    void StartInLastFolder(QFileDialog& dialog) const;
    std::optional<std::string> Run(QFileDialog& dialog);

    QWidget* m_pParent = nullptr;
    QString m_strLastPath;
};
