#pragma once

#include "platform/MessageBox.h"

#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

// Message boxes of the desktop program: the text as given (file names in it decoded as
// the file system's),
// an OK button only, no icon, the detail as informative text. A test installs a hook
// that receives the finished box instead of it being run, so no test ever blocks.
class CQtMessageBox final : public IMessageBox {
public:
    using Hook = std::function<void(QMessageBox& box)>;

    explicit CQtMessageBox(QWidget* parent = nullptr) : m_pParent(parent) {}

    void ShowMessage(const std::string& text, const std::string& detail = {}) override;

    // Replaces running the box (an empty hook restores it); returns the previous hook.
    static Hook SetTestHook(Hook hook);

    static constexpr const char* kTitle = "Tovamo";

private:
    QWidget* m_pParent = nullptr;
};
