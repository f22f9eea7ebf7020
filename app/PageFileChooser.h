#pragma once

#include "platform/FileChooser.h"

#include <functional>
#include <string>
#include <utility>

// The Table page's file dialogs as CTables sees them: the desktop's own, with a call once
// a file to open has been chosen and just before it is read. A replacing "Read File"
// clears the file columns there, so that a running update never meets them empty while
// the dialog is open, and a cancelled dialog leaves them untouched. Both desktop front
// ends give CTables one of these around their own dialogs.
class CPageFileChooser final : public IFileChooser {
public:
    explicit CPageFileChooser(IFileChooser& dialogs) : m_dialogs(dialogs) {}

    void SetOnOpenChosen(std::function<void()> onOpenChosen) { m_onOpenChosen = std::move(onOpenChosen); }

    std::optional<std::string> GetSaveFileName(const std::string& filter, const std::string& initialName,
                                               const std::string& defaultExtension) override {
        return m_dialogs.GetSaveFileName(filter, initialName, defaultExtension);
    }
    std::optional<std::string> GetOpenFileName(const std::string& filter,
                                               const std::string& initialName) override {
        std::optional<std::string> path = m_dialogs.GetOpenFileName(filter, initialName);
        if (path)
            m_strLastOpenPath = *path;
        if (path && m_onOpenChosen)
            m_onOpenChosen();
        return path;
    }
    // The file last chosen to be opened.
    const std::string& LastOpenPath() const { return m_strLastOpenPath; }

private:
    IFileChooser& m_dialogs;
    std::function<void()> m_onOpenChosen;
    std::string m_strLastOpenPath;
};
