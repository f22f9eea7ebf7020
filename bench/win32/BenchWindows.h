#pragma once

// Another program's windows, worked from outside as a user would: its controls found by
// id, buttons pressed, tabs clicked, keys posted. Each wait throws CBenchFailure when
// its time is up or the program has ended.
#include <functional>
#include <stdexcept>
#include <string>

#include "bench/win32/BenchProcess.h"

class CBenchFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr double kStepTimeoutMs = 20000;

void WaitUntil(const CBenchProcess& program, const std::function<bool()>& pred, double nMs,
               const std::string& what);
HWND WaitForTop(const CBenchProcess& program, const wchar_t* szTitle);
// A visible control with this id anywhere below hTop (pages are child dialogs).
HWND FindControl(HWND hTop, int nId);
HWND WaitForControl(const CBenchProcess& program, HWND hTop, int nId);
// The button's command, posted to its parent as a click would send it.
void Press(HWND hButton);
// A tab chosen as by a click on it; its rectangle is read into memory lent by the program.
void ClickTab(const CBenchProcess& program, HWND hTab, int nIndex);
// A key pressed and released on the window inside hTop that has the focus, else on hTop.
void PostKey(HWND hTop, UINT nVirtualKey);
std::wstring TextOf(HWND hWnd);
