// The Table page's own dialogs as the user meets them: the confirmation before an update
// (its lists, its default button) and the questions with answers of their own, each
// answered by a key or a click inside its modal loop.
#include "table/UpdatePlan.h"

#include "app/win32/TablesPageDialogs.h"
#include "app/win32/TablesPageIds.h"
#include "app/win32/UpdateConfirmDlg.h"
#include "support/UiDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"

namespace {

// "P5 Temp °C" as the drive sends it: Windows-1252, padded with blanks.
const std::string kTempName =
    "P5 Temp \xB0"
    "C  ";

SUpdatePlan Plan(int nChanges) {
    SUpdatePlan plan;
    for (int i = 0; i < nChanges; ++i)
        plan.changes.push_back({i + 1, "P10" + std::to_string(i) + " Poles   ", "8", "12"});
    plan.leftAlone.push_back({{20, kTempName, "3", "3.00"}, EPlanSkip::kAlreadyEqual});
    plan.leftAlone.push_back({{21, "P6 Mode", "Off", "1"}, EPlanSkip::kNotANumber});
    return plan;
}

int ShownLines(HWND hList) {
    RECT client;
    GetClientRect(hList, &client);
    return client.bottom / static_cast<int>(SendMessageW(hList, LB_GETITEMHEIGHT, 0, 0));
}

TEST(TablesPageDialogs, ConfirmationListsWhatChangesApartAndCancelIsTheDefault) {
    struct SCase {
        int nChanges;
        const char* pszHeading;
        int nChangeLinesShown;  // 0: the list is left out
    };
    for (const SCase& test : {SCase{1, "1 marked parameter will be changed:", 1},
                              SCase{0, "0 marked parameters will be changed.", 0},
                              SCase{14, "14 marked parameters will be changed:", 10}}) {
        std::vector<std::string> changes, leftAlone;
        std::string strHeading;
        int nShown = -1;
        bool bCancelDefault = false;
        CUpdateConfirmDlg::SetTestHook([&](CUpdateConfirmDlg& dialog) {
            strHeading = dialog.Heading();
            changes = dialog.Lines(IDC_CONFIRM_CHANGES);
            leftAlone = dialog.Lines(IDC_CONFIRM_LEFT_ALONE);
            HWND hChanges = dialog.Control(IDC_CONFIRM_CHANGES);
            nShown = (GetWindowLongPtrW(hChanges, GWL_STYLE) & WS_VISIBLE) != 0 ? ShownLines(hChanges) : 0;
            bCancelDefault = LOWORD(SendMessageW(dialog.Window(), DM_GETDEFID, 0, 0)) == IDCANCEL;
            return true;
        });
        EXPECT_TRUE(CUpdateConfirmDlg::Confirm(Plan(test.nChanges), nullptr));
        CUpdateConfirmDlg::SetTestHook({});
        EXPECT_EQ(strHeading, test.pszHeading);
        EXPECT_EQ(nShown, test.nChangeLinesShown) << test.nChanges;
        ASSERT_EQ(changes.size(), static_cast<std::size_t>(test.nChanges));
        if (test.nChanges > 0) {
            EXPECT_EQ(changes[0], "P100 Poles: 8 \u2192 12");
        }
        EXPECT_EQ(leftAlone, (std::vector<std::string>{"P5 Temp \u00B0C: 3 (already equal)",
                                                       "P6 Mode: Off \u2192 1 (not a number)"}));
        EXPECT_TRUE(bCancelDefault);
    }
}

// The real dialog: Enter gives Cancel, the update happens only by its own button.
TEST(TablesPageDialogs, EnterAloneNeverStartsAnUpdate) {
    uitest::CModalWatchdog watchdog;
    uitest::WhenVisible(L"Update DC Drive", [](HWND) { uitest::PostKey(VK_RETURN); });
    EXPECT_FALSE(CUpdateConfirmDlg::Confirm(Plan(1), nullptr));
    uitest::WhenVisible(L"Update DC Drive", [](HWND hDialog) {
        SendMessageW(GetDlgItem(hDialog, IDC_CONFIRM_UPDATE), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(CUpdateConfirmDlg::Confirm(Plan(1), nullptr));
}

// The answers stand right, in order, with their own texts; Enter gives the default one,
// Escape the one for Escape, a click its own.
TEST(TablesPageDialogs, QuestionsTakeTheirAnswersByKeyAndClick) {
    uitest::CModalWatchdog watchdog;
    std::vector<std::wstring> buttons;
    uitest::WhenVisible(L"Tovamo", [&](HWND hDialog) {
        for (int i = 0; i < 3; ++i) {
            HWND hButton = GetDlgItem(hDialog, IDC_ANSWER_FIRST + 3 + i);
            buttons.push_back(hButton != nullptr && IsWindowVisible(hButton) ? uitest::Text(hButton) : L"");
        }
        uitest::PostKey(VK_RETURN);
    });
    EXPECT_EQ(CTablesQuestion::Ask(nullptr, "Replace or add?", {"&Replace", "&Add", "Cancel"}, 1, 2), 1);
    EXPECT_EQ(buttons, (std::vector<std::wstring>{L"&Replace", L"&Add", L"Cancel"}));

    uitest::WhenVisible(L"Tovamo", [](HWND) { uitest::PostKey(VK_ESCAPE); });
    EXPECT_EQ(CTablesQuestion::Ask(nullptr, "Replace or add?", {"&Replace", "&Add", "Cancel"}, 1, 2), 2);
    uitest::WhenVisible(L"Tovamo", [](HWND) { uitest::PostKey(VK_RETURN); });
    EXPECT_FALSE(CTablesQuestion::AskYesNo(nullptr, "Stop it?")) << "No is the default";
    uitest::WhenVisible(L"Tovamo", [](HWND hDialog) {
        // "&Yes" is the first of two answers: the second button from the left.
        SendMessageW(GetDlgItem(hDialog, IDC_ANSWER_FIRST + 3), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(CTablesQuestion::AskYesNo(nullptr, "Stop it?"));
}

}  // namespace
