// The system's services on Win32: clipboard, timers, wait cursor, system metrics, and
// the message box and file dialogs, both through their test hooks and for real (a
// helper thread answers the system's dialog as a user would).
#include "platform/WideText.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32FileChooser.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32SystemMetrics.h"
#include "platform/win32/Win32TimerHost.h"
#include "platform/win32/Win32WaitCursor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "platform/win32/Win32Api.h"

namespace {

// Dispatches this thread's messages until done() holds; false if it never does (a
// safety bound against a hanging test, not a measured time).
bool PumpUntil(const std::function<bool()>& done) {
    const DWORD dwStart = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - dwStart > 10000)
            return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Waits on another thread for a dialog of the thread to appear and hands it to act.
std::thread AnswerDialog(DWORD dwThread, std::function<void(HWND)> act) {
    return std::thread([dwThread, act = std::move(act)] {
        for (int nTry = 0; nTry < 500; ++nTry) {
            HWND hFound = nullptr;
            ::EnumThreadWindows(
                dwThread,
                [](HWND hWnd, SysLPARAM lParam) -> BOOL {
                    wchar_t name[16] = {};
                    ::GetClassNameW(hWnd, name, 16);
                    if (std::wstring(name) != L"#32770" || !::IsWindowVisible(hWnd))
                        return TRUE;
                    *reinterpret_cast<HWND*>(lParam) = hWnd;
                    return FALSE;
                },
                reinterpret_cast<SysLPARAM>(&hFound));
            if (hFound != nullptr) {
                act(hFound);
                return;
            }
            ::Sleep(20);
        }
    });
}

void OtherProgramCopies(const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(hBlock), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(hBlock);
    ::SetClipboardData(CF_UNICODETEXT, hBlock);
    ::CloseClipboard();
}

std::wstring UnicodeOnClipboard() {
    std::wstring text;
    if (::OpenClipboard(nullptr)) {
        if (HANDLE hData = ::GetClipboardData(CF_UNICODETEXT))
            text = static_cast<const wchar_t*>(::GlobalLock(hData));
        ::CloseClipboard();
    }
    return text;
}

TEST(Win32Clipboard, OwnBytesComeBackExactlyAndOtherProgramsGetUnicode) {
    CWin32Clipboard clipboard;
    struct Row {
        std::string bytes;
        std::wstring unicode;  // what another program pastes
    };
    const Row rows[] = {
        {"P01\t1.5\nP02\t\x80 \xB0", L"P01\t1.5\r\nP02\t\u20AC \u00B0"},
        {"\x81\x8D\x8F\x90\x9D", L"\u0081\u008D\u008F\u0090\u009D"},
        {std::string("a\0b", 3), L"a"},
        {"", L""},
    };
    for (const Row& row : rows) {
        clipboard.SetText(row.bytes);
        EXPECT_TRUE(clipboard.HasText());
        EXPECT_EQ(clipboard.GetText(), row.bytes);
        EXPECT_EQ(UnicodeOnClipboard(), row.unicode);
    }
}

TEST(Win32Clipboard, TextOfOtherProgramsIsConvertedToWindows1252) {
    CWin32Clipboard clipboard;
    OtherProgramCopies(L"caf\u00E9 \u4E2D\U0001F600\r\n\u20AC,x");
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetText(), std::string("caf\xE9 ??\n\x80,x"));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetText(), std::nullopt);
}

TEST(Win32TimerHost, KillTimerCancelsEvenATickAlreadyQueuedAndHandlesAreNeverReused) {
    std::vector<unsigned> fired;
    CWin32TimerHost timers([&](unsigned handle) { fired.push_back(handle); });
    const unsigned first = timers.SetTimer(1);
    const unsigned second = timers.SetTimer(1);
    const unsigned third = timers.SetTimer(1);
    EXPECT_EQ(std::vector<unsigned>({first, second, third}), std::vector<unsigned>({1, 2, 3}));
    ::PostMessageW(timers.GetSafeHwnd(), WM_TIMER, first, 0);  // a tick waiting in the queue
    timers.KillTimer(first);
    timers.KillTimer(first);  // not pending any more: nothing happens
    ASSERT_TRUE(PumpUntil([&] { return fired.size() == 2; }));
    ::PostMessageW(timers.GetSafeHwnd(), WM_TIMER, second, 0);  // a late repeat
    PumpUntil([] { return true; });
    std::sort(fired.begin(), fired.end());
    EXPECT_EQ(fired, std::vector<unsigned>({second, third})) << "once each, the killed one never";
    EXPECT_TRUE(timers.IsPending(second)) << "pending until its owner kills it";
    timers.KillTimer(second);
    EXPECT_FALSE(timers.IsPending(second));
    EXPECT_EQ(timers.SetTimer(5), 4u);
}

TEST(Win32WaitCursor, NestedBeginsAndEndsBringTheCursorBack) {
    HCURSOR hArrow = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    HCURSOR hWait = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));
    ::SetCursor(hArrow);
    CWin32WaitCursor outer;
    outer.EndWaitCursor();  // without a Begin: nothing
    EXPECT_FALSE(CWin32WaitCursor::IsWaiting());
    outer.BeginWaitCursor();
    {
        CWin32WaitCursor inner;
        inner.BeginWaitCursor();
        EXPECT_EQ(::GetCursor(), hWait);
        ::SetCursor(hArrow);  // a window set its own
        EXPECT_TRUE(CWin32WaitCursor::RestoreForSetCursor());
        EXPECT_EQ(::GetCursor(), hWait);
    }  // the inner one ends with its object
    EXPECT_EQ(outer.Depth(), 1);
    EXPECT_TRUE(CWin32WaitCursor::IsWaiting());
    outer.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), hArrow);
    EXPECT_FALSE(CWin32WaitCursor::RestoreForSetCursor());
}

TEST(Win32SystemMetrics, TheSystemsValuesScaledToTheOwnersDpi) {
    CWin32SystemMetrics metrics;
    for (const int nIndex : {COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_BTNFACE, COLOR_3DDKSHADOW, COLOR_INFOBK})
        EXPECT_EQ(metrics.GetSysColor(nIndex), ::SysGetSysColor(nIndex)) << "colour " << nIndex;
    metrics.SetDpi(CWin32SystemMetrics::GetSystemDpi());
    EXPECT_EQ(metrics.GetSystemMetrics(SM_CXVSCROLL), ::SysGetSystemMetrics(SM_CXVSCROLL));
    metrics.SetDpi(2 * CWin32SystemMetrics::GetSystemDpi());
    EXPECT_NEAR(metrics.GetSystemMetrics(SM_CXVSCROLL), 2 * ::SysGetSystemMetrics(SM_CXVSCROLL), 1);
    UINT nLines = 0;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    EXPECT_EQ(metrics.GetWheelScrollLines(), static_cast<int>(nLines));
    EXPECT_NE(metrics.GetMessageFont().lfFaceName[0], '\0');
    EXPECT_LT(metrics.GetMessageFont().lfHeight, 0) << "a character height in pixels at 96 DPI";
    const auto pScreen = metrics.GetScreenDC();
    ASSERT_NE(pScreen, nullptr);
    EXPECT_GT(pScreen->GetTextExtent("Value").cx, 0);
}

TEST(Win32MessageBox, ShowsTheTextsAndWaitsForOk) {
    struct Row {
        std::string text;
        std::string detail;
        std::wstring shown;
    };
    const Row rows[] = {
        {"Hardware busy in system", "", L"Hardware busy in system"},
        {"Cannot open", "C:\\Daten\\\xC3\xBC.txt: denied", L"Cannot open\n\nC:\\Daten\\\u00FC.txt: denied"},
        {"Cannot open \xFC.txt", "", L"Cannot open \u00FC.txt"},  // not UTF-8: read as Windows-1252
    };
    std::vector<std::wstring> shown;
    const auto previous =
        CWin32MessageBox::SetTestHook([&](HWND, const std::wstring& text, const std::wstring& caption) {
            shown.push_back(text);
            EXPECT_EQ(caption, L"Tovamo");
        });
    for (const Row& row : rows)
        CWin32MessageBox().ShowMessage(row.text, row.detail);
    CWin32MessageBox::SetTestHook(previous);
    ASSERT_EQ(shown.size(), std::size(rows));
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], rows[i].shown);

    std::wstring statics;
    std::thread user = AnswerDialog(::GetCurrentThreadId(), [&](HWND hBox) {
        ::EnumChildWindows(
            hBox,
            [](HWND hChild, SysLPARAM lParam) -> BOOL {
                wchar_t text[256] = {};
                ::GetWindowTextW(hChild, text, 256);
                *reinterpret_cast<std::wstring*>(lParam) += text;
                return TRUE;
            },
            reinterpret_cast<SysLPARAM>(&statics));
        ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    });
    CWin32MessageBox().ShowMessage("Overflov Levels");
    user.join();
    EXPECT_NE(statics.find(L"Overflov Levels"), std::wstring::npos);
}

TEST(Win32FileChooser, AsksWithTheFiltersNameAndExtensionAndStartsWhereItLastEnded) {
    const std::string filter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
    std::vector<CWin32FileChooser::SRequest> requests;
    const auto previous = CWin32FileChooser::SetTestHook([&](const CWin32FileChooser::SRequest& request) {
        requests.push_back(request);
        return requests.size() == 1 ? std::optional<std::string>("C:\\Mess\xC3\xA9n\\a.txt") : std::nullopt;
    });
    CWin32FileChooser chooser;
    EXPECT_EQ(chooser.GetSaveFileName(filter, "NoName.txt", "txt"), "C:\\Mess\xC3\xA9n\\a.txt");
    EXPECT_EQ(chooser.GetOpenFileName(filter, "*.txt"), std::nullopt) << "cancelled";
    CWin32FileChooser::SetTestHook(previous);
    ASSERT_EQ(requests.size(), 2u);
    const std::wstring pairs(L"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0\0", 46);
    EXPECT_EQ(requests[0].filter, pairs);
    EXPECT_EQ(requests[0].initialName, L"NoName.txt");
    EXPECT_EQ(requests[0].defaultExtension, L"txt");
    EXPECT_EQ(requests[0].dwFlags & (OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST),
              OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    EXPECT_TRUE(requests[0].bSave);
    EXPECT_FALSE(requests[1].bSave);
    EXPECT_EQ(requests[1].dwFlags & (OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST), 0u)
        << "the file need not exist";
    EXPECT_EQ(requests[1].initialFolder, L"C:\\Mess\u00E9n");
    EXPECT_EQ(chooser.LastPath(), "C:\\Mess\xC3\xA9n\\a.txt") << "a cancel keeps the last name";
}

TEST(Win32FileChooser, TheRealSaveDialogAddsTheDefaultExtension) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"tovamo-chooser-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring typed = folder + L"\\answer";
    std::thread user = AnswerDialog(::GetCurrentThreadId(), [&](HWND hDialog) {
        // The name box of either dialog layout, once the dialog has offered the initial name.
        HWND hName = nullptr;
        for (int nTry = 0; nTry < 500 && hName == nullptr; ++nTry, ::Sleep(10))
            for (const int nEdit : {1148, 1152}) {
                wchar_t text[64] = {};
                if (::GetDlgItemTextW(hDialog, nEdit, text, 64) > 0 && std::wstring(text) == L"NoName.txt")
                    hName = ::GetDlgItem(hDialog, nEdit);
            }
        ::SetWindowTextW(hName, typed.c_str());
        ::PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    const std::optional<std::string> chosen = CWin32FileChooser().GetSaveFileName(
        "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||", "NoName.txt", "txt");
    user.join();
    ::RemoveDirectoryW(folder.c_str());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, Utf8FromWide(typed + L".txt"));
}

}  // namespace
