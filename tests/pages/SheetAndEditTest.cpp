// What the sheet decides for its pages and what the Edit page shows and sends.
#include "app/EditFields.h"
#include "app/SheetRouting.h"
#include "platform/WindowInput.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int g_nDeleted = 0;
struct CountedRecord : CServoData {
    explicit CountedRecord(std::string text) { m_strText = std::move(text); }
    ~CountedRecord() override { ++g_nDeleted; }
};

class FakePage : public ISheetPage {
public:
    void ReceiveRecord(std::unique_ptr<CServoData> record) override { m_texts.push_back(record->m_strText); }
    bool ContinueModal() override { return ++m_nContinue > 0; }
    bool IsBusy() const override { return m_bBusy; }
    bool OnKillActive() override { return true; }
    bool OnQueryCancel() override {
        ++m_nAsked;
        return m_bMayClose;
    }
    std::vector<std::string> m_texts;
    int m_nContinue = 0;
    int m_nAsked = 0;
    bool m_bBusy = false;
    bool m_bMayClose = true;
};

TEST(SheetRouting, RecordsAndTheModalCallReachOnlyTheActivePage) {
    FakePage active;
    g_nDeleted = 0;
    RouteRecord(&active, std::make_unique<CountedRecord>("P1"));
    RouteRecord(nullptr, std::make_unique<CountedRecord>("P2"));
    RouteContinueModal(&active);
    RouteContinueModal(nullptr);
    EXPECT_EQ(active.m_texts, std::vector<std::string>{"P1"});
    EXPECT_EQ(active.m_nContinue, 1);
    EXPECT_EQ(g_nDeleted, 2) << "each record deleted once, also without a page";
}

TEST(SheetRouting, OnlyABusyPageIsAskedBeforeItIsLeftAndAnyPageKeepsTheSheetOpen) {
    FakePage idle;
    FakePage busy;
    busy.m_bBusy = true;
    EXPECT_FALSE(AsksBeforeLeaving(nullptr, false));
    EXPECT_FALSE(AsksBeforeLeaving(&idle, false));
    EXPECT_FALSE(AsksBeforeLeaving(&busy, true));
    EXPECT_TRUE(AsksBeforeLeaving(&busy, false));

    FakePage refusing;
    refusing.m_bMayClose = false;
    FakePage after;
    ISheetPage* const pages[] = {&idle, &refusing, &after};
    EXPECT_FALSE(MayCloseSheet(pages));
    EXPECT_EQ(after.m_nAsked, 0) << "the first no ends the asking";
    ISheetPage* const willing[] = {&idle, &after};
    EXPECT_TRUE(MayCloseSheet(willing));
}

std::unique_ptr<CServoData> Record(int bValue, int bError, std::string text) {
    auto record = std::make_unique<CServoData>();
    record->m_bValue = bValue;
    record->m_bError = bError;
    record->m_strText = std::move(text);
    return record;
}

TEST(EditFields, ColoursChangeOnlyWithTheKindAndNamesAndErrorsEmptyTheValue) {
    const SFieldChange keep;
    const SFieldChange face{false, {}, EFieldBk::kButtonFace, false};
    const SFieldChange emptyFace{true, {}, EFieldBk::kButtonFace, false};
    struct Row {
        int bValue, bError;
        const char* text;
        SFieldChange name, value, error;
    };
    const Row rows[] = {
        {0, 0, "P1 Gain", {true, "P1 Gain", EFieldBk::kWhite, false}, emptyFace, face},
        {1, 0, "10", face, {true, "10", EFieldBk::kWhite, false}, face},
        {1, 0, "A&B", keep, {true, "A&&B", EFieldBk::kKeep, false}, keep},
        {0, 1, "E1&&", face, emptyFace, {true, "E1&&&&", EFieldBk::kWhite, true}},
        {0, 1, "E2", keep, keep, {true, "E2", EFieldBk::kKeep, false}},
        {0, 0, "P2", {true, "P2", EFieldBk::kWhite, false}, emptyFace, face},
    };
    CEditFields fields;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const SEditChanges changes = fields.Show(*Record(row.bValue, row.bError, row.text));
        EXPECT_EQ(changes.Field(EEditField::kName), row.name);
        EXPECT_EQ(changes.Field(EEditField::kValue), row.value);
        EXPECT_EQ(changes.Field(EEditField::kError), row.error);
    }
}

TEST(EditFields, TheEightPanelKeysAndNothingElse) {
    struct Row {
        std::uint32_t nKey;
        bool bAlt;
        char expected;
    };
    const Row rows[] = {
        {VK_RETURN, false, 'e'}, {'E', false, 'e'},    {VK_ESCAPE, false, 'o'}, {'O', false, 'o'},
        {VK_UP, false, 'u'},     {'U', false, 'u'},    {VK_DOWN, false, 'd'},   {'D', false, 'd'},
        {'U', true, 0},          {VK_RETURN, true, 0}, {VK_F2, false, 0},       {0x68, false, 0},  // keypad 8
        {'X', false, 0},         {VK_LEFT, false, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(EditKeyByte(row.nKey, row.bAlt), row.expected) << row.nKey << (row.bAlt ? " with Alt" : "");
}

}  // namespace
