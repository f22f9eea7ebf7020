// The Table page's tools for a day of service work, end to end on the real widgets
// against the simulated drive: Stop and the progress shown, the questions before a
// running procedure is stopped or a file replaced, find, the filter, verify.
#include "app/TablesPageFixture.h"
#include "table/TablesPageText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>

namespace {

using tablespage::ScopedAnswers;
using tablespage::ScopedChosenPath;

class TablesPageToolsTest : public tablespage::TablesPageTest {
protected:
    // A drive at 9600 baud: a read lasts a few seconds, long enough to act during it.
    void OpenSlow() {
        SimDriveOptions options;
        options.baud = 9600;
        Open(options);
    }
    void StartReadAndWaitForValues() {
        Click(res::kIdReadDrive);
        ASSERT_TRUE(apptest::WaitUntil([this] { return Tables().GetParametersSeen() >= 3; }));
    }
    std::string Name(const std::string& prefix) { return Grid().GetItemText(Row(prefix), kColName); }
    int FocusRow() { return Grid().GetFocusCell().row; }
};

// The controls below the grid neither overlap one another nor leave the page at its
// least size, where the template's buttons keep their places.
TEST_F(TablesPageToolsTest, ControlsFitThePageAtItsLeastSize) {
    Open();
    m_pPage->resize(m_pPage->minimumSize());
    QTest::keyClick(m_pPage, Qt::Key_F, Qt::ControlModifier);  // the find field too
    ASSERT_TRUE(m_pPage->FindField()->isVisible());
    std::vector<QWidget*> controls;
    for (QWidget* child : m_pPage->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisibleTo(m_pPage))
            controls.push_back(child);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(m_pPage->rect().contains(controls[i]->geometry()))
            << controls[i]->objectName().toStdString();
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " / "
                << controls[j]->objectName().toStdString();
    }
}

// A busy bar on the first read, the last complete read's count as the total of the
// next; Stop ends the read at once, keeps the table and sends no key after it.
TEST_F(TablesPageToolsTest, ProgressAndStopDuringARead) {
    OpenSlow();
    StartReadAndWaitForValues();
    EXPECT_TRUE(m_pPage->StopButton()->isEnabled());
    EXPECT_EQ(m_pPage->ProgressBar()->maximum(), 0) << "no total yet: a busy bar";
    ASSERT_TRUE(WaitIdle());
    const int nTotal = Tables().GetParametersSeen();
    EXPECT_EQ(Status(), QStringLiteral("Read complete: %1 parameters").arg(nTotal));
    EXPECT_FALSE(m_pPage->StopButton()->isEnabled());

    StartReadAndWaitForValues();
    EXPECT_EQ(m_pPage->ProgressBar()->maximum(), nTotal);
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Reading: \\d+ of %1 parameters, level \\d, 0:0\\d$").arg(nTotal))
            .match(Status())
            .hasMatch())
        << Status().toStdString();
    const int nRows = Grid().GetRowCount();
    QTest::mouseClick(m_pPage->StopButton(), Qt::LeftButton);
    EXPECT_FALSE(Tables().IsReading());
    EXPECT_TRUE(Status().startsWith(QStringLiteral("Read stopped"))) << Status().toStdString();
    EXPECT_FALSE(m_pPage->StopButton()->isEnabled());
    EXPECT_FALSE(m_pPage->ProgressBar()->isVisible());
    EXPECT_EQ(Grid().GetRowCount(), nRows);
    const std::size_t nKeys = m_pDrive->KeysReceived().size();
    QTest::qWait(300);
    EXPECT_EQ(m_pDrive->KeysReceived().size(), nKeys);
}

// Closing the sheet and turning to the Edit page while a read runs ask first; No keeps
// the read and the page, Yes stops the read and goes on.
TEST_F(TablesPageToolsTest, StopQuestionsBeforeClosingOrLeaving) {
    OpenSlow();
    const QString closeQuestion = QStringLiteral("A read of the drive is running. Stop it and close?");
    const QString leaveQuestion =
        QStringLiteral("A read of the drive is running. Stop it and leave the Table page?");
    struct SCase {
        bool bClose;  // else turn to the Edit page
        const char* pszAnswer;
        QString question;
        bool bStillReading;
    };
    const SCase cases[] = {
        {true, "&No", closeQuestion, true},
        {false, "&No", leaveQuestion, true},
        {false, "&Yes", leaveQuestion, false},
        {true, "&Yes", closeQuestion, false},
    };
    for (const SCase& c : cases) {
        m_pSheet->TabWidget()->setCurrentWidget(m_pPage);
        if (!Tables().IsReading())
            StartReadAndWaitForValues();
        const ScopedAnswers answers({QString::fromLatin1(c.pszAnswer)});
        if (c.bClose)
            QTest::keyClick(m_pPage->GridWindow(), Qt::Key_Escape);
        else
            m_pSheet->TabWidget()->setCurrentIndex(0);
        ASSERT_EQ(answers.Questions().size(), 1u) << c.pszAnswer;
        EXPECT_EQ(answers.Questions()[0], c.question);
        EXPECT_EQ(Tables().IsReading(), c.bStillReading) << c.question.toStdString() << c.pszAnswer;
        EXPECT_EQ(m_pSheet->isVisible(), !(c.bClose && !c.bStillReading));
        EXPECT_EQ(m_pSheet->GetActivePage() == m_pPage, c.bClose || c.bStillReading);
    }
}

// Closing during an update names the update.
TEST_F(TablesPageToolsTest, ClosingDuringAnUpdateAsksAboutTheUpdate) {
    OpenSlow();
    ReadDrive();
    LoadFile("file.txt", {{Name("P104"), "3010 rpm", "Yes"}});
    Click(res::kIdUpdateDrive);
    const ScopedAnswers answers({QStringLiteral("&Yes")});
    m_pSheet->close();
    ASSERT_EQ(answers.Questions().size(), 1u);
    EXPECT_EQ(answers.Questions()[0],
              QStringLiteral("An update of the drive is running. Stop it and close?"));
    EXPECT_FALSE(Tables().IsUpdating());
    EXPECT_FALSE(m_pSheet->isVisible());
}

// A second file replaces the file values or adds to them; a replace cancelled in its
// dialog leaves them as they were, also while the dialog is open. The page names the
// files, and each dialog starts in the folder used last.
TEST_F(TablesPageToolsTest, SecondFileReplacesOrAdds) {
    Open();
    ReadDrive();
    LoadFile("a.txt", {{Name("P101"), "4", "Yes"}});
    EXPECT_EQ(m_pPage->FileNameLine()->text(), QStringLiteral("File: a.txt"));
    QString startFolder;
    std::string fileValueInDialog;
    CQtFileChooser::SetTestHook([&](QFileDialog& dialog) {
        startFolder = dialog.directory().absolutePath();
        fileValueInDialog = Grid().GetItemText(Row("P101"), kColFile);
        return QString();
    });
    {
        const ScopedAnswers answers({QStringLiteral("&Replace")});
        Click(res::kIdReadFile);  // cancelled in the dialog
        ASSERT_EQ(answers.Questions().size(), 1u);
        EXPECT_EQ(answers.Questions()[0].toStdString(), kReplaceFileQuestion);
    }
    CQtFileChooser::SetTestHook({});
    EXPECT_EQ(startFolder, QString::fromStdString(m_dir.Path()));
    EXPECT_EQ(fileValueInDialog, "4") << "a running update would still see the file values";
    EXPECT_EQ(Grid().GetItemText(Row("P101"), kColFile), "4") << "untouched";
    EXPECT_EQ(Grid().GetItemText(Row("P101"), kColUpdate), "Yes");

    const struct {
        const char* pszAnswer;
        const char* pszFile;
        const char* pszP101;
        const char* pszShown;
    } cases[] = {
        {"&Add", "b.txt", "4", "File: a.txt, b.txt"},
        {"&Replace", "c.txt", "", "File: c.txt"},
        {"Cancel", "d.txt", "", "File: c.txt"},
    };
    for (const auto& c : cases) {
        const ScopedAnswers answers({QString::fromLatin1(c.pszAnswer)});
        LoadFile(c.pszFile, {{Name("P102"), "5", "No"}});
        EXPECT_EQ(Grid().GetItemText(Row("P101"), kColFile), c.pszP101) << c.pszAnswer;
        EXPECT_EQ(m_pPage->FileNameLine()->text(), QString::fromLatin1(c.pszShown));
    }
    EXPECT_EQ(Grid().GetItemText(Row("P101"), kColUpdate), "No") << "replaced";
}

// Ctrl+F opens the field; typing moves to the first match, F3 and Enter to the next,
// Shift+F3 to the previous, round the end of the table; Escape closes only the field.
TEST_F(TablesPageToolsTest, FindNextAndPrevious) {
    Open();
    ReadDrive();
    Grid().SetFocusCell(Row("P101"), kColDrive);
    QTest::keyClick(m_pPage->GridWindow(), Qt::Key_F, Qt::ControlModifier);
    QLineEdit* field = m_pPage->FindField();
    ASSERT_TRUE(field->hasFocus());
    QTest::keyClicks(field, QStringLiteral("SPEED"));
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* pszRow;
    } steps[] = {
        {Qt::Key_unknown, {}, "P104"},
        {Qt::Key_F3, {}, "P2 "},
        {Qt::Key_Return, {}, "P201"},
        {Qt::Key_F3, Qt::ShiftModifier, "P2 "},
        {Qt::Key_F3, Qt::ShiftModifier, "P104"},
        {Qt::Key_F3, Qt::ShiftModifier, "P208"},
        {Qt::Key_F3, {}, "P104"},
    };
    for (const auto& step : steps) {
        if (step.key != Qt::Key_unknown)
            QTest::keyClick(field, step.key, step.modifiers);
        EXPECT_EQ(FocusRow(), Row(step.pszRow)) << step.pszRow;
        EXPECT_TRUE(field->hasFocus());
    }
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->isVisible());
    EXPECT_TRUE(m_pSheet->isVisible());
}

// Without "Verify after update" the update's own count stands; the switch is remembered.
TEST_F(TablesPageToolsTest, UpdateWithoutVerify) {
    Open();
    ASSERT_TRUE(m_pPage->VerifyBox()->isChecked());
    m_pPage->VerifyBox()->click();
    ReadDrive();
    LoadFile("file.txt", {{Name("P104"), "3010 rpm", "Yes"}});
    Click(res::kIdUpdateDrive);
    ASSERT_TRUE(WaitIdle(60000));
    EXPECT_TRUE(
        Status().startsWith(QStringLiteral("Update complete: 1 of 1 marked parameters reached; snapshot ")))
        << Status().toStdString();
    CTablesPage another(m_Hardware);
    EXPECT_FALSE(another.VerifyBox()->isChecked());
    m_pPage->VerifyBox()->click();
    CTablesPage third(m_Hardware);
    EXPECT_TRUE(third.VerifyBox()->isChecked());
}

}  // namespace
