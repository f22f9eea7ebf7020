// tovamo-grid-demo: a window with a 100,000-row grid to scroll, select, resize, sort and
// edit by hand, and a second grid beside it to copy, paste and drag cells between them.
#include "grid/win32/demo/DemoWindow.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32SystemMetrics.h"

namespace {
constexpr int kDataRows = 100000;
}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*pCmdLine*/, int nShowCmd) {
    // Drag and drop needs OLE; without it the demo runs on without.
    const HRESULT hrOle = OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    CWin32SystemMetrics metrics;
    SetSystemMetrics(&metrics);
    int nStatus = 1;
    if (const HWND hWnd = CDemoWindow::Create(hInstance, metrics, kDataRows)) {
        ShowWindow(hWnd, nShowCmd);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageW(hWnd, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        nStatus = static_cast<int>(msg.wParam);
    }
    SetSystemMetrics(nullptr);
    if (SUCCEEDED(hrOle)) {
        OleUninitialize();
    }
    return nStatus;
}
