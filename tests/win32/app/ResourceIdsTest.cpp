// The resource script reads its numbers from resource.h; the C++ code of both front ends
// uses app/Resources.h. They must agree. And what the script puts in the program besides
// the dialogs.
#include "app/Resources.h"
#include "app/win32/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/Win32Api.h"

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

namespace {
std::string_view ResourceBytes(LPCWSTR type, LPCWSTR name) {
    const HRSRC found = ::FindResourceW(nullptr, name, type);
    if (found == nullptr)
        return {};
    return {static_cast<const char*>(::LockResource(::LoadResource(nullptr, found))),
            ::SizeofResource(nullptr, found)};
}
}  // namespace

// The program asks for the common controls 6 and per-monitor DPI, runs as the user, and
// has its icon at every size the shell asks for and its version for Apps & Features.
TEST(ResourceScript, ManifestIconAndVersion) {
    const std::string_view manifest = ResourceBytes(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
    for (const char* wanted : {"Microsoft.Windows.Common-Controls", "6.0.0.0", "PerMonitorV2", "asInvoker"})
        EXPECT_NE(manifest.find(wanted), std::string_view::npos) << wanted;

    // A group icon: a header of three WORDs, then 14 bytes per image, the width first (0 = 256).
    const std::string_view group = ResourceBytes(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_GE(group.size(), 6u);
    std::vector<int> widths;
    for (size_t offset = 6; offset + 14 <= group.size(); offset += 14) {
        const auto width = static_cast<unsigned char>(group[offset]);
        widths.push_back(width == 0 ? 256 : width);
    }
    std::sort(widths.begin(), widths.end());
    EXPECT_EQ(widths, (std::vector<int>{16, 24, 32, 48, 64, 256}));

    const std::string_view version = ResourceBytes(MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1));
    ASSERT_GE(version.size(), 40u + sizeof(VS_FIXEDFILEINFO));
    // The fixed part follows the root's header and key "VS_VERSION_INFO" (aligned to 4).
    VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, version.data() + 40, sizeof(fixed));
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(HIWORD(fixed.dwProductVersionMS), 2);
    EXPECT_EQ(LOWORD(fixed.dwProductVersionMS), 0);
    const std::wstring text(reinterpret_cast<const wchar_t*>(version.data()),
                            version.size() / sizeof(wchar_t));
    const size_t product = text.find(L"ProductName");
    ASSERT_NE(product, std::wstring::npos);
    EXPECT_LE(text.find(L"Tovamo", product), product + 13) << "its value, after the NUL and padding";
    EXPECT_NE(text.find(L"Tovamo maintainers"), std::wstring::npos);
}
