// The program is per-monitor DPI aware: on a screen of 192 pixels per inch its dialogs,
// laid out in dialog units, come out twice as large as at 96, and so does the Edit page's
// bold font. The system's DPI is read when a process starts, so the test runs itself again
// with the setting changed (Wine reads LogPixels of the user's desktop settings).
#include "app/win32/EditParam.h"
#include "app/win32/MyCPropertyPage.h"
#include "app/win32/WindowDpi.h"
#include "app/win32/resource.h"
#include "link/KeyWriter.h"
#include "platform/WholeFile.h"
#include "platform/WideText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include "platform/win32/Win32Api.h"

namespace {

constexpr const wchar_t* kChildVariable = L"TOVAMO_TEST_DPI_RESULT";
constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";

class CNoWriter : public IKeyWriter {
public:
    void WritePort(const char*, int) override {}
};

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, SysLPARAM) {
    return FALSE;
}

// "dpi connect-width bold-font-height" of this process.
std::string Measure() {
    const HWND parent =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    const HWND dialog =
        ::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(IDD_TOVAMO_DIALOG), parent, &QuietDialog, 0);
    ::ShowWindow(dialog, SW_HIDE);
    RECT connect{};
    ::GetWindowRect(::GetDlgItem(dialog, IDOK), &connect);
    CNoWriter writer;
    CEditParam page(writer);
    page.Create(parent);
    LOGFONTW bold{};
    ::GetObjectW(
        reinterpret_cast<HFONT>(::SendDlgItemMessageW(page.GetSafeHwnd(), IDC_NAME, WM_GETFONT, 0, 0)),
        sizeof(bold), &bold);
    std::ostringstream out;
    out << DpiOfWindow(dialog) << ' ' << (connect.right - connect.left) << ' ' << bold.lfHeight;
    ::DestroyWindow(dialog);
    ::DestroyWindow(parent);
    return out.str();
}

std::optional<DWORD> ReadLogPixels() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &value,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void WriteLogPixels(std::optional<DWORD> value) {
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (value)
        ::RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*value),
                         sizeof(DWORD));
    else
        ::RegDeleteValueW(key, L"LogPixels");
    ::RegCloseKey(key);
}

// This test program again, running only the measuring test, with the result in a file.
std::string MeasureInChild(DWORD logPixels) {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring result = std::wstring(temp) + L"tovamo-dpi-result.txt";
    ::DeleteFileW(result.c_str());
    const std::optional<DWORD> saved = ReadLogPixels();
    WriteLogPixels(logPixels);
    ::SetEnvironmentVariableW(kChildVariable, result.c_str());
    std::wstring line = L"\"" + std::wstring(exe) +
                        L"\" --gtest_brief=1 --gtest_also_run_disabled_tests "
                        L"--gtest_filter=DpiTest.DISABLED_MeasureInThisProcess";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &process)) {
        ::WaitForSingleObject(process.hProcess, 60000);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::SetEnvironmentVariableW(kChildVariable, nullptr);
    WriteLogPixels(saved);
    std::string content;
    ReadWholeFile(Utf8FromWide(result), content);
    return content;
}

// Run only by DialogsScaleWithTheScreensDpi, in a process of its own.
TEST(DpiTest, DISABLED_MeasureInThisProcess) {
    const wchar_t* result = ::_wgetenv(kChildVariable);
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(WriteFileReplacing(Utf8FromWide(result), Measure()), 0);
}

TEST(DpiTest, DialogsScaleWithTheScreensDpi) {
    std::istringstream here(Measure());
    int dpi = 0, width = 0, font = 0;
    here >> dpi >> width >> font;
    std::istringstream there(MeasureInChild(192));
    int dpiThere = 0, widthThere = 0, fontThere = 0;
    there >> dpiThere >> widthThere >> fontThere;
    ASSERT_EQ(dpiThere, 192) << "the child process saw another DPI";
    EXPECT_EQ(font, ::MulDiv(18, dpi, 96));
    EXPECT_EQ(fontThere, 36);
    // Dialog units follow the dialog font, whose size follows the DPI: about twice as wide.
    EXPECT_NEAR(widthThere, ::MulDiv(width, 192, dpi), 3) << width << " at " << dpi << " DPI";
}

}  // namespace
