// The resource script's numbers are the program's: the header the script reads agrees
// with the toolkit-free ids.
#include "app/win32/resource.h"

#include <gtest/gtest.h>

TEST(ResourceIds, TemplatesStringsAndControlsKeepTheirNumbers) {
    EXPECT_EQ(IDD_ABOUTBOX, 100);
    EXPECT_EQ(IDD_TOVAMO_DIALOG, 102);
    EXPECT_EQ(IDD_EDIT, 129);
    EXPECT_EQ(IDC_COMBO1, 1001);
}
