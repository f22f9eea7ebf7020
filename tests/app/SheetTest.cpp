// The property sheet: its buttons, the routing of records, keys and ContinueModal to the
// active page, and records that no page takes.
#include "app/QtTestApp.h"
#include "app/qt/MyCPropertyPage.h"
#include "app/qt/MySheet.h"
#include "link/Hardware.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>

namespace {

// A page that keeps what it is given and consumes no key.
class CRecordingPage : public CMyCPropertyPage {
public:
    explicit CRecordingPage(const char* title) : CMyCPropertyPage({200, title, 200, 100}) {}

    bool PreTranslatePageMessage(QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            ++m_nKeys;
        return false;
    }
    bool ContinueModal() override {
        ++m_nContinueModal;
        return true;
    }

    std::vector<std::string> m_aTexts;
    int m_nKeys = 0;
    int m_nContinueModal = 0;

protected:
    void OnPageData(std::unique_ptr<CServoData> record) override { m_aTexts.push_back(record->m_strText); }
};

std::atomic<int> g_nDeleted{0};
class CCountedRecord : public CServoData {
public:
    explicit CCountedRecord(std::string text) { m_strText = std::move(text); }
    ~CCountedRecord() override { ++g_nDeleted; }
};

void Post(CMySheet& sheet, const std::string& text) {
    CServoDataPoster poster(&sheet);  // what the reader thread uses
    poster.PostServoData(std::make_unique<CCountedRecord>(text));
}

// A shown sheet over a port that is not open: its reader finds nothing to read.
class SheetTest : public ::testing::Test {
protected:
    void TearDown() override {
        m_Sheet.close();
        m_Hardware.StopReader();
    }

    void ClickTab(int index) {
        QTabBar* bar = m_Sheet.TabWidget()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    CHardware m_Hardware;
    CMySheet m_Sheet{m_Hardware};
};

TEST_F(SheetTest, OpensOnTheEditPageWithOnlyCancel) {
    m_Sheet.AddStandardPages();
    m_Sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_Sheet));
    EXPECT_EQ(m_Sheet.windowTitle(), QStringLiteral("Tovamo"));
    ASSERT_EQ(m_Sheet.TabWidget()->count(), 2);
    EXPECT_EQ(m_Sheet.TabWidget()->tabText(0), QStringLiteral("Edit"));
    EXPECT_EQ(m_Sheet.TabWidget()->tabText(1), QStringLiteral("Table"));
    EXPECT_EQ(m_Sheet.GetActivePage(), m_Sheet.TabWidget()->widget(0));
    QStringList buttons;
    for (QPushButton* button : m_Sheet.findChildren<QPushButton*>())
        if (button->isVisible())
            buttons << button->text();
    EXPECT_EQ(buttons, QStringList{QStringLiteral("Cancel")});

    QPushButton* cancel = nullptr;
    for (QPushButton* button : m_Sheet.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("Cancel"))
            cancel = button;
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(m_Sheet.isVisible()) << "Cancel closes the sheet";
}

TEST_F(SheetTest, RecordsKeysAndContinueModalGoToTheActivePageOnly) {
    auto* first = new CRecordingPage("First");
    auto* second = new CRecordingPage("Second");
    m_Sheet.AddPage(first);
    m_Sheet.AddPage(second);
    m_Sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_Sheet));

    Post(m_Sheet, "to first");
    QTest::keyClick(&m_Sheet, Qt::Key_U);
    ASSERT_TRUE(
        apptest::WaitUntil([&]() { return first->m_aTexts.size() == 1 && first->m_nContinueModal > 0; }));

    ClickTab(1);
    ASSERT_EQ(m_Sheet.GetActivePage(), second);
    const int firstCalls = first->m_nContinueModal;
    Post(m_Sheet, "to second");
    QTest::keyClick(&m_Sheet, Qt::Key_U);
    ASSERT_TRUE(
        apptest::WaitUntil([&]() { return second->m_aTexts.size() == 1 && second->m_nContinueModal > 1; }));

    EXPECT_EQ(first->m_aTexts, std::vector<std::string>{"to first"});
    EXPECT_EQ(second->m_aTexts, std::vector<std::string>{"to second"});
    EXPECT_EQ(first->m_nKeys, 1);
    EXPECT_GE(second->m_nKeys, 1);
    EXPECT_EQ(first->m_nContinueModal, firstCalls) << "an inactive page gets no ContinueModal";
}

TEST_F(SheetTest, EscapeOnAPageThatDoesNotTakeItClosesTheSheet) {
    m_Sheet.AddPage(new CRecordingPage("Plain"));
    m_Sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_Sheet));
    QTest::keyClick(&m_Sheet, Qt::Key_Escape);
    EXPECT_FALSE(m_Sheet.isVisible());
}

TEST(SheetRecords, RecordsThatNoPageTakesAreDeleted) {
    g_nDeleted = 0;
    CHardware hardware;
    {
        CMySheet sheet(hardware);  // no pages, so no active page
        for (int i = 0; i < 5; ++i)
            Post(sheet, "nobody");
        ASSERT_TRUE(apptest::WaitUntil([]() { return g_nDeleted == 5; }));

        Post(sheet, "still queued when the sheet goes");
    }
    EXPECT_EQ(g_nDeleted, 6);
}

}  // namespace
