#include "grid/qt/GridWndKeys.h"

#include "platform/WindowInput.h"
#include "platform/qt/Cp1252.h"

#include <array>
#include <string>
#include <utility>

namespace {

constexpr std::array<std::pair<int, std::uint32_t>, 19> kNamedKeys = {{
    {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},   {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
}};

// F1 is 0x70 and the function keys follow it, as VK_F2 (0x71) says.
constexpr std::uint32_t kVkF1 = VK_F2 - 1;

}  // namespace

std::uint32_t VirtualKeyFromQtKey(int nKey) {
    for (const auto& [nQtKey, nVirtualKey] : kNamedKeys)
        if (nQtKey == nKey)
            return nVirtualKey;
    // Qt numbers letters and digits by their upper-case ASCII codes, as virtual keys do.
    if ((nKey >= Qt::Key_A && nKey <= Qt::Key_Z) || (nKey >= Qt::Key_0 && nKey <= Qt::Key_9))
        return static_cast<std::uint32_t>(nKey);
    if (nKey >= Qt::Key_F1 && nKey <= Qt::Key_F24)
        return kVkF1 + static_cast<std::uint32_t>(nKey - Qt::Key_F1);
    return 0;
}

std::uint32_t InputFlags(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    std::uint32_t nFlags = 0;
    if (modifiers & Qt::ShiftModifier)
        nFlags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        nFlags |= MK_CONTROL;
    if (buttons & Qt::LeftButton)
        nFlags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        nFlags |= MK_RBUTTON;
    return nFlags;
}

unsigned char Windows1252FromCodePoint(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    // The bytes 0x80..0x9F stand for scattered characters: the decoder's table says which.
    for (int nByte = 0x80; nByte < 0xA0; ++nByte)
        if (DecodeWindows1252(std::string(1, static_cast<char>(nByte))).at(0).unicode() == codePoint)
            return static_cast<unsigned char>(nByte);
    return '?';
}
