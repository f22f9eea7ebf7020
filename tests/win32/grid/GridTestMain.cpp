// The grid window tests' own start: DPI awareness, OLE for the drop targets (as the
// program starts them) and the desktop's system metrics for the grids.
#include <gtest/gtest.h>

#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32SystemMetrics.h"

namespace {

// As the programs' manifests declare: per-monitor aware, so the windows' pixels are the
// screen's at any DPI.
void BecomeDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const HMODULE hUser = GetModuleHandleW(L"user32.dll");
    const auto pSet = hUser != nullptr ? reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
                                             GetProcAddress(hUser, "SetProcessDpiAwarenessContext")))
                                       : nullptr;
    if (pSet != nullptr) {
        pSet(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    }
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    BecomeDpiAware();
    OleInitialize(nullptr);
    CWin32SystemMetrics metrics;
    SetSystemMetrics(&metrics);
    const int nStatus = RUN_ALL_TESTS();
    SetSystemMetrics(nullptr);
    OleUninitialize();
    return nStatus;
}
