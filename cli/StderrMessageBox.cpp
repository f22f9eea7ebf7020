#include "cli/StderrMessageBox.h"

#include <cstdio>

void CStderrMessageBox::ShowMessage(const std::string& text, const std::string& detail) {
    std::string lines = text + "\n";
    if (!detail.empty())
        lines += detail + "\n";
    std::fwrite(lines.data(), 1, lines.size(), stderr);
    std::fflush(stderr);
}
