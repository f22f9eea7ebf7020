#pragma once

#include "platform/win32/Win32Handles.h"

#include <cstdint>
#include <functional>

// A hidden message-only window of the calling thread: the target of the system's timer
// ticks and the owner of what this program puts on the clipboard. Messages the handler
// does not take (it returns false) go to the default window procedure.
class CMessageWindow {
public:
    using Handler = std::function<bool(unsigned nMessage, std::uintptr_t wParam, std::intptr_t lParam)>;

    explicit CMessageWindow(Handler handler = {});
    ~CMessageWindow();
    CMessageWindow(const CMessageWindow&) = delete;
    CMessageWindow& operator=(const CMessageWindow&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

private:
    static std::intptr_t __stdcall WindowProc(HWND hWnd, unsigned nMessage, std::uintptr_t wParam,
                                              std::intptr_t lParam);

    Handler m_handler;
    HWND m_hWnd = nullptr;
};
