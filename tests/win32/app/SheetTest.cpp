// The sheet's routing: records, keys and ContinueModal reach the active page only, a busy
// page is asked before it is left, every page before the sheet closes, and every record is
// deleted exactly once, also those still queued when the window goes.
#include "app/win32/LinkStateLine.h"
#include "app/win32/MySheet.h"
#include "app/win32/ServoDataPoster.h"
#include "app/win32/resource.h"
#include "link/Hardware.h"
#include "support/UiDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"

namespace {

// A record that counts how many of its kind are alive.
class CCountedRecord : public CServoData {
public:
    explicit CCountedRecord(const char* text) {
        m_strText = text;
        ++s_nAlive;
    }
    ~CCountedRecord() override { --s_nAlive; }
    static int s_nAlive;
};
int CCountedRecord::s_nAlive = 0;

class CRecordingPage : public CMyCPropertyPage {
public:
    CRecordingPage() : CMyCPropertyPage(IDD_EDIT) {}

    bool ContinueModal() override {
        ++m_nContinueCalls;
        return true;
    }
    bool IsBusy() const override { return m_bBusy; }
    bool OnKillActive() override {
        ++m_nKillActiveAsked;
        return m_bMayLeave;
    }
    bool OnQueryCancel() override { return m_bMayClose; }

    std::vector<std::string> m_records;
    int m_nContinueCalls = 0;
    int m_nKillActiveAsked = 0;
    bool m_bBusy = false;
    bool m_bMayLeave = true;
    bool m_bMayClose = true;

protected:
    void OnPageData(std::unique_ptr<CServoData> record) override { m_records.push_back(record->m_strText); }
};

void PostRecord(HWND sheet, const char* text) {
    ::PostMessageW(sheet, WM_SERVODATA, reinterpret_cast<WPARAM>(new CCountedRecord(text)), 0);
}

class SheetTest : public ::testing::Test {
protected:
    // Runs a sheet with two recording pages; action runs once it shows.
    void RunSheet(std::function<void(CMySheet&, HWND)> action) {
        uitest::CModalWatchdog watchdog;
        CHardware hardware;  // never opened: the reader idles
        CMySheet sheet(hardware);
        auto first = std::make_unique<CRecordingPage>();
        auto second = std::make_unique<CRecordingPage>();
        m_pFirst = first.get();
        m_pSecond = second.get();
        sheet.AddPage(std::move(first));
        sheet.AddPage(std::move(second));
        uitest::WhenVisible(L"Tovamo", [&](HWND hSheet) { action(sheet, hSheet); });
        EXPECT_EQ(sheet.DoModal(nullptr), IDCANCEL);
        hardware.StopReader();
        m_firstRecords = m_pFirst->m_records;
        m_secondRecords = m_pSecond->m_records;
    }

    CRecordingPage* m_pFirst = nullptr;
    CRecordingPage* m_pSecond = nullptr;
    std::vector<std::string> m_firstRecords, m_secondRecords;
};

TEST_F(SheetTest, RecordsAndContinueModalReachOnlyTheActivePageAndEachRecordIsDeletedOnce) {
    RunSheet([&](CMySheet& sheet, HWND hSheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), 0) << "the sheet opens on its first page";
        EXPECT_FALSE(::IsWindow(::GetDlgItem(hSheet, IDOK))) << "no OK, Apply or Help button";
        PostRecord(hSheet, "first");
        uitest::WhenTrue(
            [&] { return m_pFirst->m_records.size() == 1 && m_pFirst->m_nContinueCalls > 0; },
            [&, hSheet] {
                EXPECT_TRUE(sheet.SetActivePage(1));
                m_pSecond->m_nContinueCalls = 0;
                const int firstCalls = m_pFirst->m_nContinueCalls;
                PostRecord(hSheet, "second");
                uitest::WhenTrue(
                    [&] { return !m_pSecond->m_records.empty() && m_pSecond->m_nContinueCalls > 1; },
                    [&, hSheet, firstCalls] {
                        EXPECT_EQ(m_pFirst->m_nContinueCalls, firstCalls) << "the inactive page rests";
                        // Still queued when the sheet goes: deleted with the window.
                        PostRecord(hSheet, "queued");
                        PostRecord(hSheet, "queued too");
                        ::SendMessageW(hSheet, WM_COMMAND, IDCANCEL, 0);
                    });
            });
    });
    EXPECT_EQ(m_firstRecords, std::vector<std::string>{"first"});
    EXPECT_EQ(m_secondRecords, std::vector<std::string>{"second"});
    EXPECT_EQ(CCountedRecord::s_nAlive, 0);
}

TEST_F(SheetTest, ABusyPageIsAskedBeforeItIsLeftAndEveryPageBeforeTheSheetCloses) {
    int refusedBySelChanging = -1;
    bool stillOpenAfterEscape = false, stillOpenAfterEnter = false;
    RunSheet([&](CMySheet& sheet, HWND hSheet) {
        EXPECT_TRUE(sheet.SetActivePage(1));
        m_pSecond->m_bBusy = true;
        m_pSecond->m_bMayLeave = false;
        EXPECT_FALSE(sheet.SetActivePage(0));
        // A click on the other tab asks too: the tab control's question is answered "keep".
        SysNMHDR header{::GetDlgItem(hSheet, IDC_TAB_CONTROL), IDC_TAB_CONTROL,
                        static_cast<UINT>(TCN_SELCHANGING)};
        refusedBySelChanging = static_cast<int>(
            ::SendMessageW(hSheet, WM_NOTIFY, IDC_TAB_CONTROL, reinterpret_cast<SysLPARAM>(&header)));
        EXPECT_EQ(m_pSecond->m_nKillActiveAsked, 2);
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        m_pSecond->m_bMayLeave = true;
        EXPECT_TRUE(sheet.SetActivePage(0));
        // Escape is the sheet's Cancel when the page takes no keys; a page may refuse it.
        m_pSecond->m_bMayClose = false;
        uitest::PostKey(VK_ESCAPE);
        uitest::PostKey(VK_RETURN);
        uitest::WhenTrue([] { return true; },
                         [&, hSheet] {
                             stillOpenAfterEscape = ::IsWindowVisible(hSheet) != FALSE;
                             m_pSecond->m_bMayClose = true;
                             uitest::PostKey(VK_RETURN);  // no OK button: Enter closes nothing
                             uitest::WhenTrue([] { return true; },
                                              [&, hSheet] {
                                                  stillOpenAfterEnter = ::IsWindowVisible(hSheet) != FALSE;
                                                  uitest::PostKey(VK_ESCAPE);
                                              });
                         });
    });
    EXPECT_EQ(refusedBySelChanging, TRUE);
    EXPECT_TRUE(stillOpenAfterEscape);
    EXPECT_TRUE(stillOpenAfterEnter);
}

// The pages lie in the tab control, which takes every extra pixel of a sheet made
// larger; Cancel keeps to the corner and the link-state line widens beside it.
TEST_F(SheetTest, ASheetMadeLargerGivesThePagesTheRoom) {
    RECT tabBefore{}, tabAfter{}, cancelBefore{}, cancelAfter{}, pageAfter{}, display{};
    RunSheet([&](CMySheet& sheet, HWND hSheet) {
        const HWND tab = ::GetDlgItem(hSheet, IDC_TAB_CONTROL);
        const HWND cancel = ::GetDlgItem(hSheet, IDCANCEL);
        ::GetWindowRect(tab, &tabBefore);
        ::GetWindowRect(cancel, &cancelBefore);
        RECT window{};
        ::GetWindowRect(hSheet, &window);
        ::SetWindowPos(hSheet, nullptr, 0, 0, window.right - window.left + 200,
                       window.bottom - window.top + 100, SWP_NOMOVE | SWP_NOZORDER);
        ::GetWindowRect(tab, &tabAfter);
        ::GetWindowRect(cancel, &cancelAfter);
        ::GetWindowRect(sheet.GetActivePage()->GetSafeHwnd(), &pageAfter);
        display = tabAfter;
        ::SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<SysLPARAM>(&display));
        ::SendMessageW(hSheet, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(tabAfter.right - tabAfter.left, tabBefore.right - tabBefore.left + 200);
    EXPECT_EQ(tabAfter.bottom - tabAfter.top, tabBefore.bottom - tabBefore.top + 100);
    EXPECT_EQ(cancelAfter.left - cancelBefore.left, 200);
    EXPECT_EQ(cancelAfter.top - cancelBefore.top, 100);
    EXPECT_EQ(pageAfter.right - pageAfter.left, display.right - display.left);
    EXPECT_EQ(pageAfter.bottom - pageAfter.top, display.bottom - display.top);
}

TEST(LinkStateLineTest, TheReadersNewsReachesTheLineOnTheWindowsThread) {
    const HWND line =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 20, nullptr, nullptr, nullptr, nullptr);
    CLinkStateLine state;
    state.Attach(line, line);
    state.OnLinkState(ELinkState::kLost, "\\\\.\\COM5");
    state.OnLinkState(ELinkState::kBusy, "\\\\.\\COM5: held");  // only the latest news counts
    MSG msg;
    ASSERT_TRUE(
        ::PeekMessageW(&msg, line, CLinkStateLine::WM_LINKSTATE, CLinkStateLine::WM_LINKSTATE, PM_REMOVE));
    EXPECT_FALSE(
        ::PeekMessageW(&msg, line, CLinkStateLine::WM_LINKSTATE, CLinkStateLine::WM_LINKSTATE, PM_REMOVE))
        << "one poke for any number of changes";
    state.ShowNews();
    wchar_t text[128] = {};
    ::GetWindowTextW(line, text, 128);
    EXPECT_STREQ(text, L"Hardware busy in system: \\\\.\\COM5: held");
    EXPECT_EQ(state.TextColour(), RGB(255, 0, 0));
    state.OnLinkState(ELinkState::kBack, "\\\\.\\COM5");
    ASSERT_TRUE(
        ::PeekMessageW(&msg, line, CLinkStateLine::WM_LINKSTATE, CLinkStateLine::WM_LINKSTATE, PM_REMOVE));
    state.ShowNews();
    ::GetWindowTextW(line, text, 128);
    EXPECT_STREQ(text, L"Link back");
    EXPECT_NE(state.TextColour(), RGB(255, 0, 0));
    state.Detach();
    state.OnLinkState(ELinkState::kLost, "gone");
    EXPECT_FALSE(
        ::PeekMessageW(&msg, line, CLinkStateLine::WM_LINKSTATE, CLinkStateLine::WM_LINKSTATE, PM_REMOVE))
        << "a detached line hears nothing";
    ::DestroyWindow(line);
}

TEST(ServoDataPosterTest, RecordsForAWindowThatGoesAreDeletedOnce) {
    const HWND window =
        ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    CServoDataPoster poster;
    poster.Attach(window);
    poster.PostServoData(std::make_unique<CCountedRecord>("queued"));
    poster.PostServoData(std::make_unique<CCountedRecord>("queued too"));
    EXPECT_EQ(CCountedRecord::s_nAlive, 2);
    poster.Detach();
    EXPECT_EQ(CCountedRecord::s_nAlive, 0);
    poster.PostServoData(std::make_unique<CCountedRecord>("late"));
    EXPECT_EQ(CCountedRecord::s_nAlive, 0);
    ::DestroyWindow(window);
}

}  // namespace
