#pragma once

#include "platform/Clipboard.h"

// The desktop's clipboard through QClipboard, holding cell texts as CellTextMime.h
// describes. On X11 the clipboard's content lives in the program that copied it; when
// the application object goes, Qt hands the text to a clipboard manager if one runs, so
// it stays for other programs after the program ends.
class CQtClipboard final : public IClipboard {
public:
    void SetText(const std::string& text) override;
    bool HasText() const override;
    std::optional<std::string> GetText() const override;
};
