#pragma once

#include <cstdint>

// A live in-place editor over a cell (text field or option list). It belongs to the
// grid's window and frees itself when its window goes; cells only point at it.
class IGridEditWnd {
public:
    virtual ~IGridEditWnd() = default;
    // Ends the edit; the editor reports the result to the grid with GN_ENDLABELEDIT.
    virtual void EndEdit() = 0;
    // Passes a further key to the editor as if typed.
    virtual void SendChar(std::uint32_t nChar) = 0;
};

// Alignment styles of the in-place text editor.
inline constexpr std::uint32_t ES_LEFT = 0;
inline constexpr std::uint32_t ES_CENTER = 1;
inline constexpr std::uint32_t ES_RIGHT = 2;
