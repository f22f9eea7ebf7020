#pragma once

#include "platform/Clipboard.h"
#include "platform/win32/MessageWindow.h"

// The system clipboard holding cell texts (Windows-1252 bytes) two ways: as
// CF_UNICODETEXT for other programs (the bytes' characters, line feeds as CR LF), and
// under a registered format of our own with the bytes unchanged, so that text copied
// between our grids comes back exactly, whatever bytes it holds. Reading prefers our own
// format; text from another program is converted back, a character outside
// Windows-1252 becoming '?' and CR LF a line feed.
//
// The data is rendered at once, so it stays on the clipboard for other programs after
// the program ends. The clipboard's owner is a hidden window of this object's thread.
class CWin32Clipboard final : public IClipboard {
public:
    CWin32Clipboard();

    void SetText(const std::string& text) override;
    bool HasText() const override;
    std::optional<std::string> GetText() const override;

    // The registered format's id.
    static unsigned CellTextFormat();
    static constexpr const wchar_t* kCellTextFormatName = L"Tovamo Cell Text";

private:
    CMessageWindow m_owner;
};
