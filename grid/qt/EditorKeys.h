#pragma once

#include <cstdint>

#include <QString>

class QKeyEvent;
class QWidget;

// Keys as the in-place editors see them: the grid speaks in virtual-key codes and in
// characters (Windows-1252 bytes below 0x100, Unicode code points above), Qt in key
// events.

// VK_PRIOR, VK_NEXT and the four arrows for their Qt keys; 0 for any other key.
std::uint32_t ArrowOrPageKey(int nQtKey);

// The character's text: a Windows-1252 byte below 0x100, a code point above.
QString TextOfChar(std::uint32_t nChar);

// Types the character into the widget as a key press and release, delivered at once.
// Backspace, Tab, Enter and Escape arrive as those keys; other control characters
// type nothing.
void TypeChar(QWidget* pTarget, std::uint32_t nChar);

// Alt with a character (the dialog's mnemonics): the editors swallow it while they
// run, so that a mnemonic does not act behind the user's back.
bool IsSystemChar(const QKeyEvent* pEvent);

// Tab, Enter, Escape and the arrow and page keys must reach the editor even inside a
// dialog that uses them itself; true for those.
bool IsKeyWantedByEditor(const QKeyEvent* pEvent);
