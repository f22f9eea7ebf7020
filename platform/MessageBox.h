#pragma once

#include <string>

// Shows an error or notice to the user with an OK button only. The text is shown
// exactly as given; the detail line (device path, system reason, ...) may be empty.
// Desktop: a modal message box. CLI: stderr. Tests: a recorder.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void ShowMessage(const std::string& text, const std::string& detail = {}) = 0;
};
