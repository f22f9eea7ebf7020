#pragma once

// The Table page's test fixture: the simulated drive on a pseudo-terminal through the
// real link, the real sheet and page on the offscreen platform, real files in a
// temporary folder.
#include "app/QtTestApp.h"
#include "app/Resources.h"
#include "app/qt/MySheet.h"
#include "app/qt/QuestionBox.h"
#include "app/qt/TablesPage.h"
#include "app/qt/UpdateConfirmDlg.h"
#include "grid/qt/GridWnd.h"
#include "link/Hardware.h"
#include "platform/qt/QtFileChooser.h"
#include "support/SimDrive.h"
#include "support/TempDir.h"
#include "table/ParamFile.h"
#include "table/TableRows.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace tablespage {

// Answers the next file dialogs with one path (the file system's bytes).
class ScopedChosenPath {
public:
    explicit ScopedChosenPath(const std::string& path) {
        CQtFileChooser::SetTestHook([path](QFileDialog&) { return QString::fromUtf8(path.c_str()); });
    }
    ~ScopedChosenPath() { CQtFileChooser::SetTestHook({}); }
    ScopedChosenPath(const ScopedChosenPath&) = delete;
    ScopedChosenPath& operator=(const ScopedChosenPath&) = delete;
};

inline std::string ReadFile(const std::string& path) {
    std::string content;
    EXPECT_EQ(ReadParamFile(path, content), 0) << path;
    return content;
}

// Answers the page's questions in turn with the answer of the given text, and keeps the
// questions asked; a question beyond the answers given fails the test and is cancelled.
class ScopedAnswers {
public:
    explicit ScopedAnswers(std::deque<QString> answers) : m_answers(std::move(answers)) {
        CQuestionBox::SetTestHook([this](QMessageBox& box) { return Answer(box); });
    }
    ~ScopedAnswers() { CQuestionBox::SetTestHook({}); }
    ScopedAnswers(const ScopedAnswers&) = delete;
    ScopedAnswers& operator=(const ScopedAnswers&) = delete;

    const std::vector<QString>& Questions() const { return m_questions; }

private:
    int Answer(QMessageBox& box) {
        m_questions.push_back(box.text());
        const QList<QAbstractButton*> buttons = box.buttons();
        const QString wanted = m_answers.empty() ? QString() : m_answers.front();
        if (!m_answers.empty())
            m_answers.pop_front();
        for (int i = 0; i < buttons.size(); ++i)
            if (buttons[i]->text() == wanted)
                return i;
        ADD_FAILURE() << "no answer " << wanted.toStdString() << " to " << box.text().toStdString();
        return static_cast<int>(buttons.indexOf(box.escapeButton()));
    }

    std::deque<QString> m_answers;
    std::vector<QString> m_questions;
};

class TablesPageTest : public ::testing::Test {
protected:
    // Updates are confirmed (and the confirmation's lists kept) unless a test says
    // otherwise; snapshots go to the test's own folder.
    void SetUp() override {
        setenv("XDG_STATE_HOME", (m_dir.Path() + "/state").c_str(), 1);
        CUpdateConfirmDlg::SetTestHook([this](CUpdateConfirmDlg& dialog) {
            m_confirmed.clear();
            for (QListWidget* list : {dialog.Changes(), dialog.LeftAlone()}) {
                m_confirmed.emplace_back();
                for (int i = 0; i < list->count(); ++i)
                    m_confirmed.back() << list->item(i)->text();
            }
            m_confirmHeading = dialog.Heading()->text();
            return m_bConfirm;
        });
    }
    void Open(const SimDriveOptions& options = {}) {
        m_pDrive = std::make_unique<SimDrive>(options);
        ASSERT_EQ(m_Hardware.OpenPort(m_pDrive->PtyPath()), 1);
        m_pSheet = std::make_unique<CMySheet>(m_Hardware);
        m_pSheet->AddStandardPages();
        m_pSheet->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pSheet.get()));
        m_pSheet->TabWidget()->setCurrentIndex(1);
        m_pPage = qobject_cast<CTablesPage*>(m_pSheet->GetActivePage());
        ASSERT_NE(m_pPage, nullptr);
    }
    void TearDown() override {
        if (m_pSheet != nullptr)
            m_pSheet->close();
        m_Hardware.StopReader();
        CUpdateConfirmDlg::SetTestHook({});
    }

    void Click(int nId) { QTest::mouseClick(m_pPage->Button(nId), Qt::LeftButton); }
    CTables& Tables() { return m_pPage->Tables(); }
    CGridCtrl& Grid() { return Tables().GetGrid(); }
    bool WaitIdle(int timeoutMs = 30000) {
        return apptest::WaitUntil([this] { return !Tables().IsReading() && !Tables().IsUpdating(); },
                                  timeoutMs);
    }
    void ReadDrive() {
        Click(res::kIdReadDrive);
        ASSERT_TRUE(WaitIdle());
        ASSERT_TRUE(Status().startsWith(QStringLiteral("Read complete: "))) << Status().toStdString();
    }
    QString Status() const { return m_pPage->StatusLine()->text(); }
    int Row(const std::string& prefix) {
        for (int nRow = 1; nRow < Grid().GetRowCount(); ++nRow)
            if (Grid().GetItemText(nRow, 0).rfind(prefix, 0) == 0)
                return nRow;
        ADD_FAILURE() << "no row " << prefix;
        return 0;
    }
    // Writes the lines as a parameter file and reads it in with "Read File".
    void LoadFile(const std::string& name, const std::vector<SParamLine>& lines) {
        std::string text;
        for (const SParamLine& line : lines)
            text += FormatParamLine(line.strName, line.strValue, line.strFlag);
        const std::string path = m_dir.Path() + "/" + name;
        ASSERT_EQ(WriteParamFile(path, text), 0);
        const ScopedChosenPath chosen(path);
        Click(res::kIdReadFile);
    }
    // Starts an edit on a cell by keyboard, as a user would after moving to it.
    void TypeInto(int nRow, int nCol, const QString& text) {
        Grid().SetFocusCell(nRow, nCol);
        m_pPage->GridWindow()->setFocus();
        QTest::keyClicks(m_pPage->GridWindow(), text);
    }

    TempDir m_dir;
    std::unique_ptr<SimDrive> m_pDrive;
    CHardware m_Hardware;
    std::unique_ptr<CMySheet> m_pSheet;
    CTablesPage* m_pPage = nullptr;
    apptest::CModalWatchdog m_watchdog;
    bool m_bConfirm = true;
    QString m_confirmHeading;
    std::vector<QStringList> m_confirmed;  // the changes, then those left alone
};

}  // namespace tablespage
