#pragma once

#include <string>

#include "platform/win32/Win32Api.h"

// Input as the keyboard and the mouse make it (SendInput: it goes to the foreground
// window, or to the window under the pointer, with the modifier keys really held), the
// clipboard as another program fills it, and what the screen shows of a window.
namespace input {

void Key(UINT vk, bool bShift = false, bool bControl = false);
void Character(wchar_t c);  // typed as a character, whatever the keyboard layout
void MoveTo(POINT screen);
void Click(POINT screen, bool bRight = false);
void DoubleClick(POINT screen);
void Press(POINT screen);
void Release(POINT screen);
void Wheel(POINT screen, int nDelta, bool bHorizontal);
bool PutClipboardText(const std::wstring& text);

// Pixels of this colour in the window's rectangle as the screen shows it.
int CountColour(HWND hWnd, BYTE red, BYTE green, BYTE blue);

}  // namespace input
