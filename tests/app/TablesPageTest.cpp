// The Table page end to end: button clicks and keys on the real widgets, the simulated
// drive on a pseudo-terminal through the real link, real files in a temporary folder.
#include "app/TablesPageFixture.h"
#include "support/ChildProcess.h"
#include "table/UpdateOutcome.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>

namespace {

using tablespage::ReadFile;
using tablespage::ScopedChosenPath;
using tablespage::TablesPageTest;

// Read, save, compare with a file and update: the whole job of the page.
TEST_F(TablesPageTest, ReadSaveCompareAndUpdate) {
    Open();
    EXPECT_FALSE(m_pPage->Button(res::kIdDriveToFile)->isEnabled());
    ReadDrive();
    EXPECT_GT(Grid().GetRowCount(), 40);
    EXPECT_EQ(Grid().GetItemText(Row("P104"), 1), "3000 rpm");
    EXPECT_TRUE(m_pPage->Button(res::kIdDriveToFile)->isEnabled());
    EXPECT_FALSE(m_pPage->Button(res::kIdUpdateDrive)->isEnabled());

    const std::string drivePath = m_dir.Path() + "/drive.txt";
    {
        const ScopedChosenPath chosen(drivePath);
        Click(res::kIdDriveToFile);
    }
    SimDrive sameDrive;  // the command line reads an identical drive
    const ChildResult cli = RunChild({TOVAMO_CLI_PATH, "--port", sameDrive.PtyPath(), "read"},
                                     {"XDG_CONFIG_HOME=" + m_dir.Path()});
    EXPECT_EQ(ReadFile(drivePath), cli.out) << "the page saves what tovamo-cli read writes";

    // The file: two values to reach, '0.0' against the drive's '0', and a name the
    // drive does not have.
    std::string file;
    for (SParamLine line : ParseParamFile(cli.out)) {
        if (line.strName.rfind("P104", 0) == 0)
            line = {line.strName, "3050 rpm", "Yes"};
        if (line.strName.rfind("P102", 0) == 0)
            line = {line.strName, "4.10 A", "Yes"};
        if (line.strName.rfind("P209", 0) == 0)
            line = {line.strName, "0.0", "No"};
        file += FormatParamLine(line.strName, line.strValue, line.strFlag);
    }
    file += FormatParamLine("P999 Ghost", "5", "No");
    const std::string filePath = m_dir.Path() + "/file.txt";
    ASSERT_EQ(WriteParamFile(filePath, file), 0);
    {
        const ScopedChosenPath chosen(filePath);
        Click(res::kIdReadFile);
    }
    EXPECT_EQ(Grid().GetItemText(Row("P104"), 2), "3050 rpm");
    const std::pair<const char*, COLORREF> colours[] = {{"P101", RGB(255, 255, 255)},
                                                        {"P104", RGB(255, 255, 0)},
                                                        {"P209", RGB(255, 255, 0)},
                                                        {"P999", RGB(255, 0, 0)}};
    for (const auto& [name, colour] : colours)
        EXPECT_EQ(Grid().GetItemBkColour(Row(name), 1), colour) << name;
    EXPECT_EQ(Status(), QStringLiteral("Compared with the file: 3 differ, 1 without a drive value"));
    EXPECT_TRUE(m_pPage->Button(res::kIdUpdateDrive)->isEnabled());

    Click(res::kIdUpdateDrive);
    EXPECT_TRUE(Tables().IsUpdating());
    EXPECT_TRUE(m_pPage->StopButton()->isEnabled());
    EXPECT_TRUE(m_pPage->ProgressBar()->isVisible());
    // "Verify after update" is on by default: the drive is read again after the update.
    ASSERT_TRUE(WaitIdle(60000));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Update complete: 2 of 2 reached; verified: 2 now equal the "
                                          "file; snapshot \\d{8}-\\d{6}-before-update\\.txt$"))
            .match(Status())
            .hasMatch())
        << Status().toStdString();
    EXPECT_FALSE(m_pPage->StopButton()->isEnabled());
    EXPECT_FALSE(m_pPage->ProgressBar()->isVisible());
    EXPECT_EQ(Grid().GetItemText(Row("P104"), 1), "3050 rpm");
    EXPECT_EQ(Grid().GetItemBkColour(Row("P104"), 3), OutcomeColour(EUpdateOutcome::kReached))
        << "the outcome stays through the verifying read";
    EXPECT_EQ(Grid().GetItemText(Row("P102"), 1), "4.10 A");
    EXPECT_EQ(Grid().GetItemText(Row("P209"), 1), "0") << "not marked: left alone";
    EXPECT_EQ(Grid().GetItemText(Row("P103"), 1), "12.0 A");

    const std::string newPath = m_dir.Path() + "/new.txt";
    {
        const ScopedChosenPath chosen(newPath);
        Click(res::kIdFileToNewFile);
    }
    const std::string newFile = ReadFile(newPath);
    EXPECT_NE(newFile.find("P104 Rated speed \t3050 rpm\tYes\r\n"), std::string::npos) << newFile;
    Click(res::kIdClearTable);
    EXPECT_EQ(Grid().GetRowCount(), 1);
    EXPECT_FALSE(m_pPage->Button(res::kIdDriveToFile)->isEnabled());
}

// Columns 0 and 1 refuse editing, column 3 offers "No" and "Yes", and an edit of
// column 2 during a scan ends the scan.
TEST_F(TablesPageTest, EditsOfTheColumns) {
    Open();
    ReadDrive();
    const int nRow = Row("P101");
    for (int nCol : {0, 1}) {
        TypeInto(nRow, nCol, QStringLiteral("7"));
        EXPECT_EQ(m_pPage->GridWindow()->findChild<QLineEdit*>(), nullptr) << "column " << nCol;
    }
    Grid().SetFocusCell(nRow, 3);
    QTest::keyClick(m_pPage->GridWindow(), Qt::Key_F2);
    auto* combo = m_pPage->GridWindow()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("No"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Yes"));
    QTest::keyClick(combo, Qt::Key_Escape);

    Click(res::kIdReadDrive);
    ASSERT_TRUE(apptest::WaitUntil([this] { return Grid().GetItemText(Row("P101"), 1).empty() == false; }));
    TypeInto(nRow, 2, QStringLiteral("9"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Grid().GetItemText(nRow, 2), "9");
    EXPECT_FALSE(Tables().IsReading());
    EXPECT_TRUE(Status().startsWith(QStringLiteral("Read stopped: "))) << Status().toStdString();
}

// A drive that goes silent: the watchdog ends the scan and the status says so.
TEST_F(TablesPageTest, SilentDriveEndsTheScanByTheWatchdog) {
    SimDriveOptions options;
    options.silentAfter = 20;
    Open(options);
    Click(res::kIdReadDrive);
    m_pSheet->showMinimized();  // not a change of page: the scan is not starved by it
    m_pSheet->showNormal();
    ASSERT_TRUE(WaitIdle(10000));
    EXPECT_EQ(Status(), QStringLiteral("No answer from the drive for 1.3 s"));
    EXPECT_GT(Grid().GetRowCount(), 1) << "what was read stays";
}

// The status line counts what this read saw, and a "Read File" that reads nothing (the
// dialog cancelled, a file that cannot be opened) leaves a running read and its line
// alone.
TEST_F(TablesPageTest, StatusLineTellsOfThisReadOnly) {
    SimDriveOptions options;
    options.menu = "param P1 A ; value=1\nparam P2 B ; value=2\nparam P3 C ; value=3\n";
    options.baud = 9600;  // a read then lasts a few hundred milliseconds
    Open(options);
    ReadDrive();
    EXPECT_EQ(Status(), QStringLiteral("Read complete: 3 parameters"));
    Grid().SetItemText(AddParameterRow(Grid(), "P9 Gone"), 1, "9");
    ReadDrive();
    EXPECT_EQ(Status(), QStringLiteral("Read complete: 3 parameters")) << "P9 was not shown";

    Click(res::kIdReadDrive);
    const apptest::CRecordedMessages messages;
    for (const std::string& path : {std::string(), m_dir.Path() + "/missing.txt"}) {
        const ScopedChosenPath chosen(path);
        Click(res::kIdReadFile);
        EXPECT_TRUE(Tables().IsReading()) << path;
        EXPECT_TRUE(Status().startsWith(QStringLiteral("Reading: ")))
            << path << ": " << Status().toStdString();
    }
    EXPECT_EQ(messages.Boxes().size(), 1u) << "the missing file";
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Status(), QStringLiteral("Read complete: 3 parameters"));
}

TEST_F(TablesPageTest, TooDeepAMenuOverflows) {
    std::string menu;
    for (int nLevel = 1; nLevel <= 11; ++nLevel)
        menu += "menu P" + std::to_string(nLevel) + " level\n";
    menu += "param P99 deep ; value=1\n";
    for (int nLevel = 1; nLevel <= 11; ++nLevel)
        menu += "end\n";
    SimDriveOptions options;
    options.menu = menu;
    Open(options);
    const apptest::CRecordedMessages messages;
    Click(res::kIdReadDrive);
    ASSERT_TRUE(apptest::WaitUntil([&] { return !messages.Boxes().empty(); }));
    EXPECT_EQ(messages.Boxes()[0].m_strText, QStringLiteral("Overflov Levels"));
    EXPECT_EQ(Status(), QStringLiteral("Overflov Levels"));
    EXPECT_EQ(Grid().GetRowCount(), 12) << "the eleven names read stay";
}

// A save into a folder that does not exist says so, naming the folder as the file
// system does, and the grid stays as it was.
TEST_F(TablesPageTest, SaveIntoAMissingFolderShowsTheFileError) {
    Open();
    ReadDrive();
    const int nRows = Grid().GetRowCount();
    const apptest::CRecordedMessages messages;
    const std::string path = m_dir.Path() + "/j\xC3\xBCrgen/drive.txt";
    {
        const ScopedChosenPath chosen(path);
        Click(res::kIdDriveToFile);
    }
    ASSERT_EQ(messages.Boxes().size(), 1u);
    EXPECT_EQ(messages.Boxes()[0].m_strText, QString::fromUtf8((path + " was not found.").c_str()));
    EXPECT_EQ(Grid().GetRowCount(), nRows);
}

TEST_F(TablesPageTest, EscapeClosesTheSheetAndKeysNeverReachTheDrive) {
    Open();
    const std::size_t nKeysBefore = m_pDrive->KeysReceived().size();
    m_pPage->GridWindow()->setFocus();
    QTest::keyClicks(m_pPage->GridWindow(), QStringLiteral("eoud"));
    QTest::keyClick(m_pPage->GridWindow(), Qt::Key_Escape);
    EXPECT_FALSE(m_pSheet->isVisible());
    EXPECT_EQ(m_pDrive->KeysReceived().size(), nKeysBefore);
}

}  // namespace
