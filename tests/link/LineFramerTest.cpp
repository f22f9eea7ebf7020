#include "link/LineFramer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FramingVectors.h"

namespace {

std::vector<SExpectedRecord> FeedAll(CLineFramer& framer, const std::string& bytes) {
    std::vector<SExpectedRecord> records;
    framer.Feed(bytes.data(), bytes.size(),
                [&](std::unique_ptr<CServoData> record) { records.push_back(Describe(*record)); });
    return records;
}

std::vector<SExpectedRecord> FeedSplit(const std::string& bytes, std::size_t at) {
    CLineFramer framer;
    auto records = FeedAll(framer, bytes.substr(0, at));
    for (auto& record : FeedAll(framer, bytes.substr(at)))
        records.push_back(record);
    return records;
}

void ExpectRows(const std::vector<SFramingVector>& rows) {
    for (const auto& row : rows) {
        CLineFramer framer;
        const auto records = FeedAll(framer, row.m_strBytes);
        EXPECT_EQ(records, row.m_Records) << "row \"" << row.m_pszLabel << "\" bytes "
                                          << Printable(row.m_strBytes) << " gave " << Printable(records);
    }
}

void ExpectRowsSplit(const std::vector<SFramingVector>& rows) {
    for (const auto& row : rows) {
        for (std::size_t at = 0; at <= row.m_strBytes.size(); ++at) {
            EXPECT_EQ(FeedSplit(row.m_strBytes, at), row.m_Records)
                << "row \"" << row.m_pszLabel << "\" split at byte " << at;
        }
        CLineFramer framer;
        std::vector<SExpectedRecord> records;
        for (char c : row.m_strBytes) {
            for (auto& record : FeedAll(framer, std::string(1, c)))
                records.push_back(record);
        }
        EXPECT_EQ(records, row.m_Records) << "row \"" << row.m_pszLabel << "\" byte by byte";
    }
}

TEST(LineFramer, ExamplesGiveTheirRecords) {
    ExpectRows(FramingExamples());
}
TEST(LineFramer, EdgeCasesGiveTheirRecords) {
    ExpectRows(FramingEdgeCases());
}
TEST(LineFramer, ExamplesSplitAcrossReads) {
    ExpectRowsSplit(FramingExamples());
}
TEST(LineFramer, EdgeCasesSplitAcrossReads) {
    ExpectRowsSplit(FramingEdgeCases());
}

TEST(LineFramer, PendingTextAndCountAfterSingleLineFeeds) {
    CLineFramer framer;
    EXPECT_TRUE(FeedAll(framer, "AB\nCD\nEF\n").empty());
    EXPECT_STREQ(framer.Line(), "ABCDEF");
    EXPECT_EQ(framer.LineLen(), 6);
    EXPECT_EQ(framer.CharCount(), 0);
    EXPECT_EQ(framer.LineFeed(), 1);
}

TEST(LineFramer, ValueCutExactlyAtItsSixteenthByteCountingDroppedSpaces) {
    CLineFramer framer;
    const std::string field = "   abcdefghijklm";
    EXPECT_TRUE(FeedAll(framer, field.substr(0, 15)).empty());
    EXPECT_EQ(framer.CharCount(), 15);
    EXPECT_EQ(framer.LineLen(), 12);
    EXPECT_EQ(FeedAll(framer, field.substr(15)), (std::vector<SExpectedRecord>{{'v', "abcdefghijklm"}}));
    EXPECT_EQ(framer.CharCount(), 0);
    EXPECT_EQ(framer.LineLen(), 0);
}

TEST(LineFramer, CarriageReturnKeepsNameAndErrorFields) {
    CLineFramer framer;
    EXPECT_TRUE(FeedAll(framer, "P1 Short\r").empty());
    EXPECT_EQ(framer.LineLen(), 9);
    EXPECT_EQ(framer.CharCount(), 9);
    CLineFramer error;
    EXPECT_TRUE(FeedAll(error, "Error 5\r").empty());
    EXPECT_EQ(error.LineLen(), 8);
}

// Text piles up through single line feeds; once 500 bytes have gathered the buffer is
// given up so the link goes on cutting fields instead of stalling.
TEST(LineFramer, FullBufferIsEmptiedAndTheLinkContinues) {
    CLineFramer framer;
    std::string piles;
    while (piles.size() < 600)
        piles += "abcdefghijklmno\n";
    std::size_t longest = 0;
    for (char c : piles) {
        EXPECT_EQ(framer.Step(static_cast<unsigned char>(c)), nullptr);
        longest = std::max(longest, static_cast<std::size_t>(framer.LineLen()));
    }
    EXPECT_EQ(longest, 500u);
    // The one line feed before it joins the value to what is left of the pile.
    const auto records = FeedAll(framer, "Menu" + std::string(12, ' '));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].m_cKind, 'v');
    EXPECT_TRUE(records[0].m_strText.ends_with("abcdefghijklmnoMenu")) << records[0].m_strText;
}

TEST(LineFramer, ValueRightAfterAFullBufferIsCut) {
    CLineFramer framer;
    for (int i = 0; i < 35; ++i)
        FeedAll(framer, "abcdefghijklmn\n");  // 490 bytes
    FeedAll(framer, "0123456789");
    ASSERT_EQ(framer.LineLen(), 500);
    FeedAll(framer, "\n");  // even a line feed needs the room for a moment
    ASSERT_EQ(framer.LineLen(), 0);
    EXPECT_EQ(FeedAll(framer, "Menu" + std::string(12, ' ')), (std::vector<SExpectedRecord>{{'v', "Menu"}}));
}

// A field that began as a name can lose its beginning when the full buffer is emptied
// under it; it must not come out as a "name" that does not begin with P and a digit.
TEST(LineFramer, NameThatLostItsBeginningToAFullBufferIsNotPosted) {
    CLineFramer framer;
    FeedAll(framer, "P1abcdefghijkl\n");  // 14 bytes
    for (int i = 0; i < 33; ++i)
        FeedAll(framer, "abcdefghijklmn\n");  // 14 * 34 = 476
    FeedAll(framer, "abcdefgh\n");            // 484
    ASSERT_EQ(framer.LineLen(), 484);
    EXPECT_TRUE(FeedAll(framer, std::string(16, 'x')).empty());
    ASSERT_EQ(framer.LineLen(), 500);
    EXPECT_TRUE(FeedAll(framer, "y").empty());
    EXPECT_EQ(framer.CharCount(), 0);
    EXPECT_EQ(FeedAll(framer, "Menu" + std::string(12, ' ')), (std::vector<SExpectedRecord>{{'v', "Menu"}}));
}

}  // namespace
