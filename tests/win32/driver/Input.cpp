#include "Input.h"

#include <cstring>
#include <vector>

namespace input {
namespace {

INPUT KeyInput(UINT vk, bool bUp) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(vk);
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT MouseInput(DWORD dwFlags, DWORD dwData = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    in.mi.mouseData = dwData;
    return in;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

void Key(UINT vk, bool bShift, bool bControl) {
    std::vector<INPUT> inputs;
    if (bControl)
        inputs.push_back(KeyInput(VK_CONTROL, false));
    if (bShift)
        inputs.push_back(KeyInput(VK_SHIFT, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    if (bShift)
        inputs.push_back(KeyInput(VK_SHIFT, true));
    if (bControl)
        inputs.push_back(KeyInput(VK_CONTROL, true));
    Send(std::move(inputs));
}

void Character(wchar_t c) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wScan = c;
    down.ki.dwFlags = KEYEVENTF_UNICODE;
    INPUT up = down;
    up.ki.dwFlags |= KEYEVENTF_KEYUP;
    Send({down, up});
}

void MoveTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    Send({MouseInput(MOUSEEVENTF_MOVE)});
}

void Click(POINT screen, bool bRight) {
    MoveTo(screen);
    Send({MouseInput(bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
          MouseInput(bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

void DoubleClick(POINT screen) {
    MoveTo(screen);
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP), MouseInput(MOUSEEVENTF_LEFTDOWN),
          MouseInput(MOUSEEVENTF_LEFTUP)});
}

void Press(POINT screen) {
    MoveTo(screen);
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN)});
}

void Release(POINT screen) {
    MoveTo(screen);
    Send({MouseInput(MOUSEEVENTF_LEFTUP)});
}

void Wheel(POINT screen, int nDelta, bool bHorizontal) {
    MoveTo(screen);
    Send({MouseInput(bHorizontal ? MOUSEEVENTF_HWHEEL : MOUSEEVENTF_WHEEL, static_cast<DWORD>(nDelta))});
}

bool PutClipboardText(const std::wstring& text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const std::size_t nBytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, nBytes);
    bool bDone = false;
    if (hMem != nullptr) {
        std::memcpy(GlobalLock(hMem), text.c_str(), nBytes);
        GlobalUnlock(hMem);
        bDone = SetClipboardData(CF_UNICODETEXT, hMem) != nullptr;
        if (!bDone)
            GlobalFree(hMem);
    }
    CloseClipboard();
    return bDone;
}

int CountColour(HWND hWnd, BYTE red, BYTE green, BYTE blue) {
    RECT rect{};
    if (!GetWindowRect(hWnd, &rect) || rect.right <= rect.left || rect.bottom <= rect.top)
        return 0;
    const int nWidth = rect.right - rect.left;
    const int nHeight = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    int nCount = 0;
    if (hBitmap != nullptr && pBits != nullptr) {
        HGDIOBJ hOld = SelectObject(hMem, hBitmap);
        BitBlt(hMem, 0, 0, nWidth, nHeight, hScreen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const auto* pPixel = static_cast<const BYTE*>(pBits);
        for (int i = 0; i < nWidth * nHeight; ++i, pPixel += 4)
            if (pPixel[0] == blue && pPixel[1] == green && pPixel[2] == red)
                ++nCount;
        SelectObject(hMem, hOld);
        DeleteObject(hBitmap);
    }
    DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
    return nCount;
}

}  // namespace input
