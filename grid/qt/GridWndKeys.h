#pragma once

#include <Qt>

#include <cstdint>

// Qt's keys, modifiers and buttons as the grid's platform-neutral input: virtual-key
// codes (VK_*, letters and digits as their upper-case character codes, so Ctrl+C is
// 'C') and MK_* flags.

// The virtual-key code of a Qt key, 0 for a key the grid has no code for.
std::uint32_t VirtualKeyFromQtKey(int nKey);

// The Windows-1252 byte of a typed character, '?' for one the code page cannot hold.
unsigned char Windows1252FromCodePoint(char32_t codePoint);

// MK_SHIFT, MK_CONTROL, MK_LBUTTON and MK_RBUTTON as they are held.
std::uint32_t InputFlags(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
