#include "app/win32/WindowDpi.h"

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn LookUpGetDpiForWindow() {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr)
        return nullptr;
    return reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")));
}
}  // namespace

UINT DpiOfWindow(HWND hWnd) {
    static const GetDpiForWindowFn getDpiForWindow = LookUpGetDpiForWindow();
    if (getDpiForWindow != nullptr && hWnd != nullptr) {
        if (const UINT dpi = getDpiForWindow(hWnd); dpi != 0)
            return dpi;
    }
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int ScaleForWindow(HWND hWnd, int n96) {
    return ::MulDiv(n96, static_cast<int>(DpiOfWindow(hWnd)), 96);
}
