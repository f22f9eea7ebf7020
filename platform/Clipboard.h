#pragma once

#include <optional>
#include <string>

// The system clipboard as the grids use it: one text, held as the cells hold theirs
// (Windows-1252 bytes). How the text is offered to other programs (which encoding, which
// formats) is the implementation's business; between our own grids the bytes come back
// exactly as they were put.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Replaces the clipboard's content with the text.
    virtual void SetText(const std::string& text) = 0;
    // Whether the clipboard holds text that GetText can return.
    virtual bool HasText() const = 0;
    // The clipboard's text, nullopt when it holds none.
    virtual std::optional<std::string> GetText() const = 0;
};
