// The grid window tests' own start: OLE for the drop targets (as the program starts it)
// and the desktop's system metrics for the grids.
#include <gtest/gtest.h>

#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32SystemMetrics.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    CWin32SystemMetrics metrics;
    SetSystemMetrics(&metrics);
    const int nStatus = RUN_ALL_TESTS();
    SetSystemMetrics(nullptr);
    OleUninitialize();
    return nStatus;
}
