#pragma once

#include <string>

#include "platform/win32/Win32Api.h"

class CTarget;

// Answers the system's open or save dialog that the program shows, as a user would:
// the name typed into the dialog's file name field, then its OK button; waits until the
// dialog has gone.
void AnswerFileDialog(CTarget& target, const std::wstring& path, unsigned timeoutMs);
// The file name field of such a dialog; nullptr when hTop is no file dialog.
HWND FileNameField(HWND hTop);
