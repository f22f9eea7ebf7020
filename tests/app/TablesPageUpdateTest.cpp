// The Table page around an update, on the real widgets against the simulated drive: the
// confirmation's lists, the snapshot, Stop in the middle, each marked row's outcome as
// colour and tip, the report, Mark Differing and the numeric compare.
#include "app/TablesPageFixture.h"
#include "table/UpdateOutcome.h"

#include <QCheckBox>
#include <QDir>
#include <QHelpEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QToolTip>

namespace {

using tablespage::ScopedChosenPath;

class TablesPageUpdateTest : public tablespage::TablesPageTest {
protected:
    std::string Name(const std::string& prefix) { return Grid().GetItemText(Row(prefix), kColName); }
    QStringList Snapshots() {
        return QDir(QString::fromStdString(m_dir.Path() + "/state/Tovamo Dispenser/snapshots"))
            .entryList(QDir::Files);
    }
    // The tip the grid shows over a row's "Update from File" cell.
    QString TipOver(int nRow) {
        QToolTip::hideText();
        EXPECT_TRUE(apptest::WaitUntil([] { return !QToolTip::isVisible(); }, 5000));
        CRect rect;
        Grid().EnsureVisible(nRow, kColUpdate);
        EXPECT_TRUE(Grid().GetCellRect(nRow, kColUpdate, &rect));
        const QPoint point(rect.left + 5, rect.top + 3);
        QHelpEvent event(QEvent::ToolTip, point, m_pPage->GridWindow()->mapToGlobal(point));
        QCoreApplication::sendEvent(m_pPage->GridWindow(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
};

// The confirmation lists what will change and, apart, what is left alone; Cancel sends
// nothing and writes no snapshot. Cancel is the dialog's default button.
TEST_F(TablesPageUpdateTest, ConfirmationListsAndCancel) {
    Open();
    ReadDrive();
    LoadFile("file.txt", {{Name("P101"), "8", "Yes"},
                          {Name("P102"), "4.10 A", "Yes"},
                          {Name("P110"), "On", "Yes"},
                          {Name("P209"), "1", "No"},
                          {"P999 Ghost", "5", "Yes"}});
    m_bConfirm = false;
    const std::size_t nKeys = m_pDrive->KeysReceived().size();
    Click(res::kIdUpdateDrive);
    EXPECT_FALSE(Tables().IsUpdating());
    EXPECT_EQ(m_confirmHeading, QStringLiteral("1 marked parameter will be changed:"));
    ASSERT_EQ(m_confirmed.size(), 2u);
    EXPECT_EQ(m_confirmed[0], QStringList{QString::fromUtf8("P102 Rated curr: 4.20 A \u2192 4.10 A")});
    EXPECT_EQ(m_confirmed[1], (QStringList{QStringLiteral("P101 Pole count: 8 (already equal)"),
                                           QString::fromUtf8("P110 Fan mode: Auto \u2192 On (not a number)"),
                                           QStringLiteral("P999 Ghost: 5 (not on the drive)")}));
    EXPECT_TRUE(Snapshots().isEmpty());
    QTest::qWait(100);
    EXPECT_EQ(m_pDrive->KeysReceived().size(), nKeys);

    const CUpdateConfirmDlg dialog(SUpdatePlan{}, m_pPage);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Update DC Drive"));
    EXPECT_EQ(dialog.UpdateButton()->text(), QStringLiteral("&Update"));
    EXPECT_TRUE(dialog.CancelButton()->isDefault());
    EXPECT_FALSE(dialog.UpdateButton()->isDefault());
}

// Each outcome colours its row's "Update from File" cell and gives it its words as the
// tip; "Save Report..." writes the table's report; the status names the snapshot.
TEST_F(TablesPageUpdateTest, OutcomeColoursTipsAndReport) {
    Open();
    if (m_pPage->VerifyBox()->isChecked())
        m_pPage->VerifyBox()->click();  // a read after the update would clear the outcomes
    ReadDrive();
    LoadFile("file.txt", {{Name("P101"), "8", "Yes"},
                          {Name("P102"), "4.10 A", "Yes"},
                          {Name("P110"), "On", "Yes"},
                          {Name("P305"), "10 kHz", "Yes"},
                          {Name("P307"), "330 V", "Yes"},
                          {"P999 Ghost", "5", "Yes"}});
    Click(res::kIdUpdateDrive);
    ASSERT_TRUE(WaitIdle(60000));
    ASSERT_EQ(Snapshots().size(), 1);
    EXPECT_EQ(Status(), QStringLiteral("Update complete: 2 of 6 marked parameters reached; snapshot ") +
                            Snapshots()[0]);
    const std::pair<const char*, EUpdateOutcome> outcomes[] = {
        {"P101", EUpdateOutcome::kAlreadyEqual},  {"P102", EUpdateOutcome::kReached},
        {"P110", EUpdateOutcome::kNotANumber},    {"P305", EUpdateOutcome::kGaveUpTrips},
        {"P307", EUpdateOutcome::kGaveUpRepeats}, {"P999", EUpdateOutcome::kNotFound},
        {"P103", EUpdateOutcome::kNone}};
    for (const auto& [name, outcome] : outcomes) {
        EXPECT_EQ(Tables().GetOutcome(Row(name)), outcome) << name;
        EXPECT_EQ(Grid().GetItemBkColour(Row(name), kColUpdate), OutcomeColour(outcome)) << name;
        EXPECT_EQ(TipOver(Row(name)), QString::fromLatin1(UpdateOutcomeWords(outcome))) << name;
    }
    EXPECT_EQ(Grid().GetItemText(Row("P102"), kColUpdate), "Yes") << "the mark stays";

    const std::string reportPath = m_dir.Path() + "/report.txt";
    std::unique_ptr<QMenu> menu(m_pPage->MakeGridMenu());
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Save Report..."));
    {
        const ScopedChosenPath chosen(reportPath);
        menu->actions()[0]->trigger();
    }
    EXPECT_EQ(tablespage::ReadFile(reportPath), UpdateReportText(Tables()));
    Click(res::kIdClearTable);
    menu.reset(m_pPage->MakeGridMenu());
    EXPECT_FALSE(menu->actions()[0]->isEnabled()) << "no report after Clear Table";
}

// Stop in the middle of stepping a value: the drive keeps its stored value, the status
// counts what was reached, and no key follows the stop's Escape.
TEST_F(TablesPageUpdateTest, StopDuringAnUpdate) {
    SimDriveOptions options;
    options.baud = 9600;
    Open(options);
    ReadDrive();
    LoadFile("file.txt", {{Name("P104"), "3500 rpm", "Yes"}});
    Click(res::kIdUpdateDrive);
    ASSERT_TRUE(
        apptest::WaitUntil([this] { return Grid().GetItemText(Row("P104"), kColDrive) == "3050 rpm"; }));
    QTest::mouseClick(m_pPage->StopButton(), Qt::LeftButton);
    EXPECT_FALSE(Tables().IsUpdating());
    ASSERT_EQ(Snapshots().size(), 1);
    EXPECT_EQ(Status(),
              QStringLiteral("Update stopped: 0 of 1 marked parameters reached; snapshot ") + Snapshots()[0]);
    EXPECT_EQ(Tables().GetOutcome(Row("P104")), EUpdateOutcome::kNotReachedAtEnd);
    // The stop's Escape is the last key the drive gets.
    ASSERT_TRUE(apptest::WaitUntil([this] { return m_pDrive->KeysReceived().back() == 'o'; }, 5000));
    const std::string keys = m_pDrive->KeysReceived();
    QTest::qWait(300);
    EXPECT_EQ(m_pDrive->KeysReceived(), keys);
    ReadDrive();
    EXPECT_EQ(Grid().GetItemText(Row("P104"), kColDrive), "3000 rpm") << "the stored value";
}

// A snapshot that cannot be written: a message, and the update does not start.
TEST_F(TablesPageUpdateTest, SnapshotThatCannotBeWrittenStopsTheUpdate) {
    Open();
    ReadDrive();
    LoadFile("file.txt", {{Name("P104"), "3050 rpm", "Yes"}});
    ASSERT_EQ(WriteParamFile(m_dir.Path() + "/state", "a file where the folder should be"), 0);
    const apptest::CRecordedMessages messages;
    const std::size_t nKeys = m_pDrive->KeysReceived().size();
    Click(res::kIdUpdateDrive);
    EXPECT_FALSE(Tables().IsUpdating());
    ASSERT_EQ(messages.Boxes().size(), 1u);
    EXPECT_EQ(Status(), QStringLiteral("Update not started: the snapshot could not be written"));
    QTest::qWait(100);
    EXPECT_EQ(m_pDrive->KeysReceived().size(), nKeys);
}

// "Mark Differing" and "Only rows that differ" follow the compare: textual, "0" and
// "0.0" differ; as numbers they do not. A value that is not a number is never marked.
TEST_F(TablesPageUpdateTest, MarkDifferingAndTheFilterFollowTheCompare) {
    Open();
    ReadDrive();
    const int nRows = Grid().GetRowCount() - 1;
    LoadFile("file.txt", {{Name("P101"), "8", "Yes"},
                          {Name("P104"), "3050 rpm", "No"},
                          {Name("P110"), "On", "No"},
                          {Name("P209"), "0.0", "No"}});
    m_pPage->OnlyDifferingBox()->click();
    const struct {
        bool bNumeric;
        int nShown;
        QString marked;
        const char* pszP209;
    } cases[] = {
        {false, 3, QStringLiteral("Mark Differing: 2 parameters marked"), "Yes"},
        {true, 2, QStringLiteral("Mark Differing: 1 parameter marked"), "No"},
    };
    for (const auto& c : cases) {
        if (m_pPage->CompareNumbersBox()->isChecked() != c.bNumeric)
            m_pPage->CompareNumbersBox()->click();
        EXPECT_EQ(Status(), QStringLiteral("%1 of %2 rows shown").arg(c.nShown).arg(nRows)) << c.bNumeric;
        QTest::mouseClick(m_pPage->MarkDifferingButton(), Qt::LeftButton);
        EXPECT_EQ(Status(), c.marked);
        EXPECT_EQ(Grid().GetItemText(Row("P104"), kColUpdate), "Yes");
        EXPECT_EQ(Grid().GetItemText(Row("P209"), kColUpdate), c.pszP209);
        EXPECT_EQ(Grid().GetItemText(Row("P110"), kColUpdate), "No");
        EXPECT_EQ(Grid().GetItemText(Row("P101"), kColUpdate), "No");
    }
    EXPECT_EQ(Grid().GetRowHeight(Row("P102")), 0) << "hidden the grid's way";
    ReadDrive();
    EXPECT_EQ(Grid().GetRowHeight(Row("P102")), 0) << "still hidden after a read";
    EXPECT_GT(Grid().GetRowHeight(Row("P104")), 0);
    m_pPage->OnlyDifferingBox()->click();
    EXPECT_EQ(Status(), QStringLiteral("%1 of %1 rows shown").arg(nRows));
    EXPECT_GT(Grid().GetRowHeight(Row("P102")), 0);
    CTablesPage another(m_Hardware);
    EXPECT_TRUE(another.CompareNumbersBox()->isChecked()) << "remembered";
    m_pPage->CompareNumbersBox()->click();
}

}  // namespace
