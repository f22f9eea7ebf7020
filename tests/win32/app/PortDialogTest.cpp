// Start-up and the port dialog as the program runs them (CTovamoApp::InitInstance with
// its modal loops), driven from inside those loops; the simulated drive at a COM port
// of the Wine prefix.
#include "app/win32/Globals.h"
#include "app/win32/TovamoApp.h"
#include "app/win32/resource.h"
#include "link/Hardware.h"
#include "platform/RegistrySettings.h"
#include "platform/win32/Win32MessageBox.h"
#include "support/SimDriveProcess.h"
#include "support/UiDriver.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"

namespace {

constexpr const wchar_t* kPortDialog = L"Tovamo V2.0";
constexpr const wchar_t* kSheet = L"Tovamo";

// The stored NumCom; nullopt when there is none.
std::optional<int> StoredNumCom() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Tovamo Dispenser\\tovamo\\Setings", L"NumCom",
                       RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return static_cast<int>(value);
}

void SetStoredNumCom(std::optional<int> value) {
    if (value)
        ASSERT_TRUE(WriteRegistryNumCom(*value));
    else
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Tovamo Dispenser\\tovamo\\Setings", L"NumCom");
}

class PortDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = StoredNumCom();
        CWin32MessageBox::SetTestHook(
            [this](HWND, const std::wstring& text, const std::wstring&) { m_messages.push_back(text); });
    }
    void TearDown() override {
        CWin32MessageBox::SetTestHook({});
        SetStoredNumCom(m_saved);
    }
    // Runs the program; dialogAction is called once the port dialog is shown.
    void RunProgram(CHardware& hardware, std::function<void(HWND)> dialogAction) {
        uitest::CModalWatchdog watchdog;
        uitest::WhenVisible(kPortDialog, std::move(dialogAction));
        CTovamoApp app(hardware);
        EXPECT_FALSE(app.InitInstance()) << "no message loop after the port dialog";
        EXPECT_EQ(app.ExitInstance(), 0);
        EXPECT_EQ(uitest::FindVisible(kPortDialog), nullptr);
    }
    static int Selected(HWND dlg) {
        return static_cast<int>(::SendDlgItemMessageW(dlg, IDC_COMBO1, CB_GETCURSEL, 0, 0));
    }
    static void Select(HWND dlg, int nIndex) {
        ::SendDlgItemMessageW(dlg, IDC_COMBO1, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_COMBO1, CBN_SELCHANGE),
                       reinterpret_cast<SysLPARAM>(::GetDlgItem(dlg, IDC_COMBO1)));
    }

    std::optional<int> m_saved;
    std::vector<std::wstring> m_messages;
};

TEST_F(PortDialogTest, PreselectsTheStoredPortAndEscapeEndsWithoutStoring) {
    struct Row {
        std::optional<int> stored;
        int selected;
        const wchar_t* device;  // the line under the box
    };
    const Row rows[] = {
        {std::nullopt, 0, L"Device: \\\\.\\COM1"},
        {32, 31, L"Device: \\\\.\\COM32"},
        {12, 11, L"Device: \\\\.\\COM12"},
        {0, -1, L""},
        {33, -1, L""},
        {-4, -1, L""},
    };
    for (const Row& row : rows) {
        const std::string where =
            "NumCom " + (row.stored ? std::to_string(*row.stored) : std::string("none"));
        SetStoredNumCom(row.stored);
        CHardware hardware;
        int selected = -2;
        std::wstring device, title;
        RunProgram(hardware, [&](HWND dlg) {
            selected = Selected(dlg);
            device = uitest::Text(::GetDlgItem(dlg, IDC_DEVICE));
            EXPECT_EQ(::GetFocus(), ::GetWindow(::GetDlgItem(dlg, IDC_COMBO1), GW_CHILD))
                << "the box has the focus";
            uitest::PostKey(VK_ESCAPE);
        });
        EXPECT_EQ(selected, row.selected) << where;
        EXPECT_EQ(device, row.device) << where;
        EXPECT_EQ(StoredNumCom(), row.stored) << where;
        EXPECT_FALSE(hardware.IsOpen()) << where;
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(PortDialogTest, FailedOpenShowsOneMessageAndStoresNothing) {
    SetStoredNumCom(29);  // no port there in the prefix
    CHardware hardware;
    RunProgram(hardware, [&](HWND) { uitest::PostKey(VK_RETURN); });  // Enter is Connect
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages.front().rfind(L"Hardware not present", 0), 0u);
    EXPECT_FALSE(hardware.IsOpen());
    EXPECT_EQ(StoredNumCom(), 29);
}

TEST_F(PortDialogTest, ConnectWithNothingSelectedEndsWithoutOpeningOrStoring) {
    SetStoredNumCom(0);
    CHardware hardware;
    RunProgram(hardware, [&](HWND dlg) {
        // Typed text is never a selection.
        ::SetDlgItemTextW(dlg, IDC_COMBO1, L"COM7");
        ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(m_messages.empty());
    EXPECT_FALSE(hardware.IsOpen());
    EXPECT_EQ(StoredNumCom(), 0);
}

TEST_F(PortDialogTest, AboutBoxComesFromTheSystemMenu) {
    SetStoredNumCom(1);
    CHardware hardware;
    std::wstring menuText, aboutText;
    bool bAboutSeen = false;
    RunProgram(hardware, [&](HWND dlg) {
        wchar_t text[64] = {};
        ::GetMenuStringW(::GetSystemMenu(dlg, FALSE), IDM_ABOUTBOX, text, 64, MF_BYCOMMAND);
        menuText = text;
        uitest::WhenVisible(L"About Tovamo", [&](HWND about) {
            bAboutSeen = true;
            aboutText = uitest::Text(::GetWindow(about, GW_CHILD));
            uitest::WhenVisible(kPortDialog, [](HWND dlg) { ::SendMessageW(dlg, WM_COMMAND, IDCANCEL, 0); });
            ::SendMessageW(about, WM_COMMAND, IDOK, 0);
        });
        ::PostMessageW(dlg, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    });
    EXPECT_EQ(menuText, L"&About Tovamo...");
    EXPECT_TRUE(bAboutSeen);
    EXPECT_EQ(aboutText, L"Tovamo Version 2.0");
}

// The whole road: Connect opens the sheet on the Edit page, the panel keys reach the
// drive (Enter and Escape too, which close nothing), its answers come back into the
// fields, Cancel closes, and only then is the port stored.
TEST_F(PortDialogTest, ConnectRunsTheSheetKeysReachTheDriveAndThePortIsStored) {
    if (CSimDriveProcess::Program().empty())
        GTEST_SKIP() << "TOVAMO_TEST_DRIVE_SIM names no simulated drive";
    CSimDriveProcess drive(7);
    ASSERT_TRUE(drive.Ready());
    SetStoredNumCom(5);
    CHardware hardware;
    bool bSheetSeen = false;
    std::wstring tab, name;
    RunProgram(hardware, [&](HWND dlg) {
        Select(dlg, 6);
        EXPECT_EQ(uitest::Text(::GetDlgItem(dlg, IDC_DEVICE)), L"Device: \\\\.\\COM7");
        uitest::WhenVisible(kSheet, [&](HWND sheet) {
            bSheetSeen = true;
            EXPECT_TRUE(hardware.IsOpen());
            EXPECT_EQ(StoredNumCom(), 5) << "nothing is stored while the sheet runs";
            EXPECT_FALSE(::IsWindowEnabled(dlg)) << "the port dialog is the sheet's disabled owner";
            const HWND tabs = ::GetDlgItem(sheet, IDC_TAB_CONTROL);
            wchar_t text[32] = {};
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 32;
            ::SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<SysLPARAM>(&item));
            tab = text;
            EXPECT_EQ(::SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
            for (const UINT vk : {static_cast<UINT>(VK_UP), static_cast<UINT>('D'), static_cast<UINT>(VK_F5),
                                  static_cast<UINT>(VK_RETURN), static_cast<UINT>(VK_ESCAPE)})
                uitest::PostKey(vk);
            const HWND field = uitest::FindControl(sheet, IDC_NAME);
            uitest::WhenTrue([&, field] { return drive.Keys().size() >= 4 && !uitest::Text(field).empty(); },
                             [&, field, sheet] {
                                 EXPECT_TRUE(::IsWindowVisible(sheet))
                                     << "Enter and Escape went to the drive";
                                 name = uitest::Text(field);
                                 ::SendMessageW(::GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
                             });
        });
        ::SendMessageW(::GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(bSheetSeen);
    EXPECT_EQ(tab, L"Edit");
    EXPECT_EQ(drive.Keys(), "udeo") << "F5 is no panel key";
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(StoredNumCom(), 7);
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
