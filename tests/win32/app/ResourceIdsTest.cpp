// The resource script reads its numbers from resource.h; the C++ code of both front ends
// uses app/Resources.h. They must agree.
#include "app/Resources.h"
#include "app/win32/resource.h"

#include <gtest/gtest.h>

TEST(ResourceIds, TheScriptsNumbersAreTheProgramsNumbers) {
    const std::pair<int, int> ids[] = {
        {IDD_ABOUTBOX, res::kIddAboutBox},
        {IDD_TOVAMO_DIALOG, res::kIddPortDialog},
        {IDR_MAINFRAME, res::kIdrMainFrame},
        {IDD_EDIT, res::kIddEditPage},
        {IDM_ABOUTBOX, res::kIdmAboutBox},
        {IDS_ABOUTBOX, res::kIdsAboutBox},
        {IDS_UNKNOWN_ERROR, res::kIdsUnknownError},
        {IDS_HARDWARE_NOT_PRESENT, res::kIdsHardwareNotPresent},
        {IDS_HARDWARE_BUSY, res::kIdsHardwareBusy},
        {IDS_SHEET_CAPTION, res::kIdsSheetCaption},
        {IDC_COMBO1, res::kIdPortCombo},
        {IDC_DEVICE, res::kIdDeviceLine},
        {IDC_NAME, res::kIdName},
        {IDC_VALUE, res::kIdValue},
        {IDC_ERROR, res::kIdError},
        {IDC_TAB_CONTROL, res::kIdSheetTabs},
        {IDC_LINK_STATE, res::kIdLinkState},
        {IDC_STATIC, res::kIdStatic},
    };
    for (const auto& [script, program] : ids)
        EXPECT_EQ(script, program);
}
