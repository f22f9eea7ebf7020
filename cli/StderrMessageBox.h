#pragma once

#include "platform/MessageBox.h"

// The command-line tool's message box: the text on one line of stderr, then the detail
// (device path, system reason) on the next if there is one.
class CStderrMessageBox : public IMessageBox {
public:
    void ShowMessage(const std::string& text, const std::string& detail = {}) override;
};
