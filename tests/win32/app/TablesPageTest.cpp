// The Table page of the Windows program in the real sheet, driven from inside the
// sheet's modal loop: its template against the layout data, the guard rails, find, and
// the page at work against the simulated drive at a COM port of the Wine prefix
// (TOVAMO_TEST_DRIVE_SIM; TOVAMO_TEST_CLI names the Linux tovamo-cli for the byte
// comparison). Real files in a temporary folder; the file dialogs answered by a hook.
#include "app/DialogLayout.h"
#include "app/Resources.h"
#include "link/Hardware.h"
#include "platform/WideText.h"
#include "table/ParamFile.h"
#include "table/TableRows.h"
#include "table/Tables.h"
#include "table/TablesPageText.h"
#include "table/TablesStatus.h"

#include "app/win32/MySheet.h"
#include "app/win32/TablesPage.h"
#include "app/win32/TablesPageIds.h"
#include "app/win32/UpdateConfirmDlg.h"
#include "app/win32/WindowDpi.h"
#include "platform/win32/Win32FileChooser.h"
#include "platform/win32/Win32SystemMetrics.h"
#include "support/SimDriveProcess.h"
#include "support/UiDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/win32/Win32Api.h"

namespace {

constexpr int kTablePageIndex = 1;
constexpr int kDrivePort = 8;

std::string Env(const wchar_t* pszName) {
    const wchar_t* pszValue = _wgetenv(pszName);
    return pszValue != nullptr ? Utf8FromWide(pszValue) : std::string();
}

std::string TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"tovamo-tables-page";
    CreateDirectoryW(folder.c_str(), nullptr);
    return Utf8FromWide(folder);
}

std::string ReadBytes(const std::string& strPath) {
    std::ifstream in(WideFromUtf8(strPath).c_str(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteBytes(const std::string& strPath, const std::string& strContent) {
    std::ofstream(WideFromUtf8(strPath).c_str(), std::ios::binary | std::ios::trunc) << strContent;
}

// A Linux command line run to its end (Wine starts it as a Unix process); it says it has
// ended by writing a file, since Wine's handle of such a process cannot be waited for.
bool RunUnixToEnd(const std::string& strScript, const std::string& strFolder, int nTimeoutMs) {
    const std::wstring done = WideFromUtf8(strFolder + "\\done");
    DeleteFileW(done.c_str());
    std::wstring line = WideFromUtf8("Z:\\bin\\sh -c \"" + strScript + "; echo > '" +
                                     UnixPath(WideFromUtf8(strFolder)) + "/done'\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int nWaited = 0; GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES; nWaited += 20) {
        if (nWaited > nTimeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

RECT ChildRect(HWND hChild) {
    RECT rect;
    GetWindowRect(hChild, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hChild), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const CRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class TablesPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSystemMetrics(&m_metrics);
        m_strFolder = TempFolder();
        _wputenv_s(L"LOCALAPPDATA", WideFromUtf8(m_strFolder).c_str());  // the snapshots
        CWin32FileChooser::SetTestHook(
            [this](const CWin32FileChooser::SRequest&) -> std::optional<std::string> {
                if (m_files.empty()) {
                    ADD_FAILURE() << "a file dialog nobody answers";
                    return std::nullopt;
                }
                const std::string strPath = m_files.front();
                m_files.pop_front();
                return strPath;
            });
        CWin32MessageBox::SetTestHook([this](HWND, const std::wstring& text, const std::wstring&) {
            m_messages.push_back(Utf8FromWide(text));
        });
        CUpdateConfirmDlg::SetTestHook([this](CUpdateConfirmDlg& dialog) {
            m_confirmed = dialog.Lines(IDC_CONFIRM_CHANGES);
            return m_bConfirm;
        });
        CTablesQuestion::SetTestHook(
            [this](const std::string& text, const std::vector<std::string>& answers) {
                m_questions.push_back(text);
                const std::string strWanted = m_answers.empty() ? "" : m_answers.front();
                if (!m_answers.empty())
                    m_answers.pop_front();
                for (std::size_t i = 0; i < answers.size(); ++i)
                    if (answers[i] == strWanted)
                        return static_cast<int>(i);
                ADD_FAILURE() << "no answer " << strWanted << " to " << text;
                return static_cast<int>(answers.size()) - 1;
            });
    }
    void TearDown() override {
        CWin32FileChooser::SetTestHook({});
        CWin32MessageBox::SetTestHook({});
        CUpdateConfirmDlg::SetTestHook({});
        CTablesQuestion::SetTestHook({});
        SetSystemMetrics(nullptr);
    }

    // Runs the sheet on the Table page; the body runs inside the sheet's loop, which goes
    // on until the sheet is closed (the body's end closes it).
    void RunSheet(CHardware& hardware, const std::function<void()>& body) {
        uitest::CModalWatchdog watchdog;
        CMySheet sheet(hardware);
        m_pSheet = &sheet;
        uitest::WhenVisible(L"Tovamo", [&](HWND hSheet) {
            ASSERT_TRUE(sheet.SetActivePage(kTablePageIndex));
            m_pPage = dynamic_cast<CTablesPage*>(sheet.GetActivePage());
            ASSERT_NE(m_pPage, nullptr);
            body();
            PostMessageW(hSheet, WM_CLOSE, 0, 0);
        });
        sheet.DoModal(nullptr);
        m_pSheet = nullptr;
        m_pPage = nullptr;
    }
    // The sheet's loop as DoModal runs it, until done() or the time is up.
    bool Pump(const std::function<bool()>& done, int nTimeoutMs = 30000) {
        const DWORD dwStart = GetTickCount();
        while (!done()) {
            if (static_cast<int>(GetTickCount() - dwStart) > nTimeoutMs)
                return false;
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                LARGE_INTEGER start, end, frequency;
                QueryPerformanceCounter(&start);
                if (!m_pSheet->PreTranslateMessage(&msg)) {
                    TranslateMessage(&msg);
                    DispatchMessageW(&msg);
                }
                QueryPerformanceCounter(&end);
                QueryPerformanceFrequency(&frequency);
                m_dLongestMs =
                    std::max(m_dLongestMs, 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                                               static_cast<double>(frequency.QuadPart));
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }
    // A key as the keyboard gives it to the window with the focus, Ctrl held or not.
    void Key(UINT nKey, bool bControl = false) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = bControl ? 0x80 : 0;
        SetKeyboardState(state);
        uitest::PostKey(nKey);
        const DWORD dwEnd = GetTickCount() + 50;
        Pump([dwEnd] { return static_cast<int>(GetTickCount() - dwEnd) > 0; });
        state[VK_CONTROL] = 0;
        SetKeyboardState(state);
    }

    CTablesPage& Page() { return *m_pPage; }
    CGridCtrl& Grid() { return Page().Tables().GetGrid(); }
    void Click(int nId) { SendMessageW(Page().Control(nId), BM_CLICK, 0, 0); }
    bool Idle() { return !Page().IsBusy(); }
    std::string Status() { return Page().ControlText(IDC_TABLES_STATUS); }
    void ReadDrive() {
        Click(IDC_READ_DRIVE);
        ASSERT_TRUE(Pump([this] { return Idle(); }));
        ASSERT_EQ(Status().rfind("Read complete: ", 0), 0u) << Status();
    }
    int Row(const std::string& strPrefix) {
        for (int nRow = 1; nRow < Grid().GetRowCount(); ++nRow)
            if (Grid().GetItemText(nRow, kColName).rfind(strPrefix, 0) == 0)
                return nRow;
        ADD_FAILURE() << "no row " << strPrefix;
        return 0;
    }
    // The lines of a file with one parameter's value and flag changed.
    static std::string Changed(const std::string& strFile, const std::string& strName,
                               const std::string& strValue) {
        std::string strChanged;
        for (SParamLine line : ParseParamFile(strFile)) {
            if (line.strName.rfind(strName, 0) == 0) {
                line.strValue = strValue;
                line.strFlag = "Yes";
            }
            strChanged += FormatParamLine(line.strName, line.strValue, line.strFlag);
        }
        return strChanged;
    }

    CWin32SystemMetrics m_metrics;
    double m_dLongestMs = 0;  // the longest message the page's window took while pumped
    std::string m_strFolder;
    CMySheet* m_pSheet = nullptr;
    CTablesPage* m_pPage = nullptr;
    std::deque<std::string> m_files;  // the answers of the file dialogs
    std::vector<std::string> m_messages;
    bool m_bConfirm = true;
    std::vector<std::string> m_confirmed;
    std::deque<std::string> m_answers;  // of the page's questions
    std::vector<std::string> m_questions;
};

// Each control of the layout data is in the template, with its text and first state, at
// its place for the page's size; a larger sheet gives the grid the room.
TEST_F(TablesPageTest, TemplateIsTheLayoutAndGrowsWithTheSheet) {
    CHardware hardware;
    RunSheet(hardware, [this] {
        HWND hPage = Page().GetSafeHwnd();
        RECT base{0, 0, 4, 8};
        MapDialogRect(hPage, &base);
        const SDialogScale du{base.right, base.bottom};
        RECT client;
        GetClientRect(hPage, &client);
        std::map<int, CRect> rects = TablesPageRects(du, {client.right, client.bottom}, false, false);
        for (const SControlTemplate& control : kTablesPageTemplate.controls) {
            HWND hControl = Page().Control(control.nId);
            ASSERT_NE(hControl, nullptr) << control.nId;
            EXPECT_TRUE(SameRect(ChildRect(hControl), rects.at(control.nId))) << control.nId;
            if (control.eKind == EControlKind::kButton || control.eKind == EControlKind::kCheckBox) {
                EXPECT_EQ(Page().ControlText(control.nId), control.pszText);
            }
            EXPECT_EQ(IsWindowEnabled(hControl) == FALSE, (control.nStyle & kStyleDisabled) != 0)
                << control.nId;
            EXPECT_EQ(IsWindowVisible(hControl) == FALSE, (control.nStyle & kStyleHidden) != 0)
                << control.nId;
        }
        EXPECT_EQ(Grid().GetColumnCount(), kTableColumns);
        // The set-up's widths are pixels at 96 DPI; the page's screen may have more.
        EXPECT_EQ(Grid().GetColumnWidth(kColName), MulDiv(180, static_cast<int>(DpiOfWindow(hPage)), 96));
        EXPECT_EQ(Grid().GetItemText(0, kColUpdate), "Update from File");

        RECT sheet;
        GetWindowRect(m_pSheet->GetSafeHwnd(), &sheet);
        SetWindowPos(m_pSheet->GetSafeHwnd(), nullptr, 0, 0, sheet.right - sheet.left + 120,
                     sheet.bottom - sheet.top + 80, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(hPage, &client);
        rects = TablesPageRects(du, {client.right, client.bottom}, false, false);
        EXPECT_GE(rects.at(res::kIdGrid).Width(), du.X(432) + 100);
        for (const int nId : {res::kIdGrid, res::kIdClearTable, res::kIdStatus})
            EXPECT_TRUE(SameRect(ChildRect(Page().Control(nId)), rects.at(nId))) << nId;
    });
}

// A drive that never answers: the watchdog ends the read after 1.3 s, from the sheet's
// calls; Stop and the progress bar are there only while it runs.
TEST_F(TablesPageTest, SilentDriveEndsByTheWatchdog) {
    CHardware hardware;  // no port: the keys go nowhere
    RunSheet(hardware, [this] {
        Click(IDC_READ_DRIVE);
        EXPECT_TRUE(IsWindowEnabled(Page().Control(IDC_TABLES_STOP)));
        EXPECT_TRUE(IsWindowVisible(Page().Control(IDC_TABLES_PROGRESS)));
        ASSERT_TRUE(Pump([this] { return Idle(); }, 10000));
        EXPECT_EQ(Status(), "No answer from the drive for 1.3 s");
        EXPECT_FALSE(IsWindowEnabled(Page().Control(IDC_TABLES_STOP)));
        EXPECT_FALSE(IsWindowVisible(Page().Control(IDC_TABLES_PROGRESS)));
    });
}

// Closing the sheet or turning to the Edit page while a read runs asks first; No keeps
// the page and its read, Yes stops it.
TEST_F(TablesPageTest, LeavingARunningReadAsksFirst) {
    CHardware hardware;
    RunSheet(hardware, [this] {
        Click(IDC_READ_DRIVE);
        m_answers = {"&No", "&No", "&Yes"};
        EXPECT_FALSE(m_pSheet->SetActivePage(0));
        EXPECT_FALSE(Page().OnQueryCancel());
        EXPECT_TRUE(Page().IsBusy());
        EXPECT_TRUE(Page().OnQueryCancel());
        EXPECT_FALSE(Page().IsBusy());
        ASSERT_EQ(m_questions.size(), 3u);
        EXPECT_EQ(m_questions[0], StopAndLeaveQuestion(ERunningProcedure::kRead));
        EXPECT_EQ(m_questions[1], StopAndCloseQuestion(ERunningProcedure::kRead));
        EXPECT_EQ(Status().rfind("Read stopped", 0), 0u) << Status();
    });
}

// The day's round against the drive: read it, save it (the same bytes as the command
// line's read), compare it with a changed file, find a row, update the drive to the file
// and see the update verified, the outcome as the cell's tip.
TEST_F(TablesPageTest, ReadSaveCompareFindAndUpdateTheDrive) {
    if (CSimDriveProcess::Program().empty())
        GTEST_SKIP() << "TOVAMO_TEST_DRIVE_SIM names no simulated drive";
    CSimDriveProcess drive(kDrivePort);
    ASSERT_TRUE(drive.Ready());
    CHardware hardware;
    ASSERT_EQ(hardware.OpenPort("COM" + std::to_string(kDrivePort)), 1);
    RunSheet(hardware, [this] {
        ASSERT_NO_FATAL_FAILURE(ReadDrive());
        const int nPoles = Row("P101");
        EXPECT_TRUE(IsWindowEnabled(Page().Control(IDC_DRIVE_TO_FILE)));

        m_files = {m_strFolder + "\\drive.txt"};
        Click(IDC_DRIVE_TO_FILE);
        const std::string strDriveFile = ReadBytes(m_strFolder + "\\drive.txt");
        EXPECT_NE(strDriveFile.find("P101"), std::string::npos);
        const std::string strCli = Env(L"TOVAMO_TEST_CLI");
        if (!strCli.empty()) {
            const std::string strUnix = UnixPath(WideFromUtf8(m_strFolder));
            ASSERT_TRUE(RunUnixToEnd(CSimDriveProcess::Program() + " --link " + strUnix +
                                         "/cli-port >/dev/null & sim=$!; " + "while [ ! -e " + strUnix +
                                         "/cli-port ]; do sleep 0.02; done; " + strCli + " --port " +
                                         strUnix + "/cli-port read -o " + strUnix + "/cli.txt; kill $sim",
                                     m_strFolder, 60000));
            EXPECT_EQ(ReadBytes(m_strFolder + "\\cli.txt"), strDriveFile) << "the command line's read";
        }

        WriteBytes(m_strFolder + "\\changed.txt", Changed(strDriveFile, "P101", "12"));
        m_files = {m_strFolder + "\\changed.txt"};
        Click(IDC_READ_FILE);
        EXPECT_EQ(Grid().GetItemBkColour(nPoles, kColDrive), kTableYellow);
        EXPECT_EQ(Grid().GetItemBkColour(Row("P102"), kColDrive), kTableWhite);
        EXPECT_EQ(Status(), "Compared with the file: 1 differ, 0 without a drive value");
        EXPECT_EQ(Page().ControlText(IDC_TABLES_FILE_NAME), "File: changed.txt");
        Click(IDC_ONLY_DIFFERING);
        EXPECT_EQ(Grid().GetRowHeight(Row("P102")), 0);
        EXPECT_GT(Grid().GetRowHeight(nPoles), 0);
        EXPECT_EQ(Status(), RowsShownText(1, Grid().GetRowCount() - 1));
        Click(IDC_ONLY_DIFFERING);
        EXPECT_GT(Grid().GetRowHeight(Row("P102")), 0);
        Click(IDC_MARK_DIFFERING);
        EXPECT_EQ(Status(), MarkedStatusText(1));

        Key('F', true);
        ASSERT_TRUE(IsWindowVisible(Page().Control(IDC_FIND_EDIT)));
        EXPECT_EQ(GetFocus(), Page().Control(IDC_FIND_EDIT));
        SetWindowTextW(Page().Control(IDC_FIND_EDIT), L"pole");
        EXPECT_EQ(Grid().GetFocusCell().row, nPoles);
        Key(VK_ESCAPE);
        EXPECT_FALSE(IsWindowVisible(Page().Control(IDC_FIND_EDIT)));
        EXPECT_TRUE(IsWindowVisible(m_pSheet->GetSafeHwnd())) << "Escape closed the field, not the sheet";

        CheckDlgButton(Page().GetSafeHwnd(), IDC_VERIFY_AFTER_UPDATE, BST_CHECKED);
        Click(IDC_UPDATE_DRIVE);
        ASSERT_EQ(m_confirmed.size(), 1u);
        EXPECT_EQ(m_confirmed[0].rfind("P101", 0), 0u) << m_confirmed[0];
        ASSERT_TRUE(Pump([this] { return Idle(); }, 60000)) << Status();
        EXPECT_EQ(Status().rfind("Update complete: 1 of 1 reached; verified: 1 now equal the file", 0), 0u)
            << Status();
        EXPECT_EQ(Grid().GetItemText(nPoles, kColDrive), Grid().GetItemText(nPoles, kColFile));
        EXPECT_EQ(Grid().GetItemBkColour(nPoles, kColDrive), kTableWhite);
        Grid().EnsureVisible(nPoles, kColUpdate);
        const CRect cell = [&] {
            CRect rect;
            Grid().GetCellRect(nPoles, kColUpdate, &rect);
            return rect;
        }();
        Page().OnGridMouseMove(cell.left + 2, cell.top + 2);
        EXPECT_EQ(Page().OutcomeTipText(), "reached");
        EXPECT_TRUE(m_messages.empty());
        // How long one message held the window's thread at most (reported, not judged).
        RecordProperty("LongestMessageMs", std::to_string(m_dLongestMs));
        std::printf("longest message while reading and updating: %.2f ms\n", m_dLongestMs);
    });
}

}  // namespace
