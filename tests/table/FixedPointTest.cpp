#include "table/FixedPoint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(FixedPointParse, TextsGiveTheirCounts) {
    struct Row {
        std::string text;
        std::int64_t raw;
    };
    const Row rows[] = {
        {"", 0},
        {"0", 0},
        {"-0", 0},
        {"3", 30000},
        {"3.0000", 30000},
        {"+3.00", 30000},
        {"1.5", 15000},
        {"-0.0001", -1},
        {"12.5", 125000},
        {"-0.25", -2500},
        {"1.23456", 12345},
        {"1.2345", 12345},
        {"0.00005", 0},
        {"-0.00005", 0},
        {"5 V", 50000},
        {"1.2.3", 12000},
        {"1e3", 10000},
        {"1,5", 10000},
        {" 5", 0},
        {"-", 0},
        {"+", 0},
        {".", 0},
        {"abc", 0},
        {"-.5", -5000},
        {"12.", 120000},
        {".5", 5000},
        {"007", 70000},
        {"--5", 0},
        {"+-5", 0},
        {"5-3", 50000},
        {"1.-5", 10000},
        {std::string("\xb5"
                     "5"),
         0},
        {std::string("5\xb9"), 50000},
        {std::string("4\0"
                     "2",
                     3),
         40000},
        {"922337203685477.5807", kMax},
        {"-922337203685477.5808", kMin},
        // One more than fits wraps around instead of saturating.
        {"922337203685477.5808", kMin},
        {"1844674407370955.1616", 0},
    };
    for (const Row& row : rows) {
        CFixedPoint value;
        value.Parse(row.text);
        EXPECT_EQ(value.GetRaw(), row.raw) << "text \"" << row.text << "\"";
    }
}

TEST(FixedPointParse, AssignmentFromTextReplacesTheValue) {
    CFixedPoint value(std::int64_t{77});
    value = std::string("abc");
    EXPECT_EQ(value.GetRaw(), 0);
    value = std::string("-2.5");
    EXPECT_EQ(value.GetRaw(), -25000);
    value = std::int64_t{15000};
    EXPECT_EQ(value.ToDouble(), 1.5);
}

TEST(FixedPointCompare, OrderFollowsTheCounts) {
    struct Row {
        const char* left;
        const char* right;
        int order;  // -1 less, 0 equal, 1 greater
    };
    const Row rows[] = {
        {"3", "3.00", 0},
        {"-0", "0", 0},
        {"12.5", "12.50", 0},
        {"1.2345", "1.2344", 1},
        {"1.2345", "1.23451", 0},
        {"5.0", "5.05", -1},
        {"-1", "0.0", -1},
        {"5.2", "5.0", 1},
        {"-922337203685477.5808", "922337203685477.5807", -1},
    };
    for (const Row& row : rows) {
        const CFixedPoint a{std::string(row.left)};
        const CFixedPoint b{std::string(row.right)};
        const std::string name = std::string(row.left) + " vs " + row.right;
        EXPECT_EQ(a == b, row.order == 0) << name;
        EXPECT_EQ(a != b, row.order != 0) << name;
        EXPECT_EQ(a < b, row.order < 0) << name;
        EXPECT_EQ(a <= b, row.order <= 0) << name;
        EXPECT_EQ(a > b, row.order > 0) << name;
        EXPECT_EQ(a >= b, row.order >= 0) << name;
    }
}

TEST(FixedPointArithmetic, CountsCombineWithWrapping) {
    enum Op { kAdd, kSub, kMul, kDiv };
    struct Row {
        std::int64_t a;
        Op op;
        std::int64_t b;
        std::int64_t result;
    };
    constexpr std::int64_t k2Pow59 = std::int64_t{1} << 59;
    const Row rows[] = {
        {25000, kMul, 3000, 7500},   // 2.5 x 0.3 = 0.75
        {-3, kMul, 5000, -1},        // -0.0003 x 0.5, truncated toward zero
        {10000, kDiv, 30000, 3333},  // 1 / 3
        {-10000, kDiv, 30000, -3333},
        {15000, kAdd, 2500, 17500},
        {15000, kSub, 2500, 12500},
        {kMax, kAdd, 1, kMin},
        {kMin, kSub, 1, kMax},
        {kMax, kMul, 20000, -2},    // the product wraps to -20000 before the division
        {kMin, kDiv, -10000, 0},    // kMin x 10000 wraps to 0
        {k2Pow59, kDiv, -1, kMin},  // 2^59 x 10000 wraps to kMin; kMin / -1 wraps too
        {12345, kDiv, 0, 0},
    };
    const char* names[] = {"+", "-", "*", "/"};
    for (const Row& row : rows) {
        const CFixedPoint a(row.a);
        const CFixedPoint b(row.b);
        CFixedPoint result;
        CFixedPoint inPlace = a;
        switch (row.op) {
            case kAdd:
                result = a + b;
                inPlace += b;
                break;
            case kSub:
                result = a - b;
                inPlace -= b;
                break;
            case kMul:
                result = a * b;
                inPlace *= b;
                break;
            case kDiv:
                result = a / b;
                inPlace /= b;
                break;
        }
        const std::string name = std::to_string(row.a) + names[row.op] + std::to_string(row.b);
        EXPECT_EQ(result.GetRaw(), row.result) << name;
        EXPECT_EQ(inPlace.GetRaw(), row.result) << name << " in place";
        EXPECT_EQ(a.GetRaw(), row.a) << name << " left operand unchanged";
    }
}

TEST(FixedPointArithmetic, NegationAndAbsoluteValueAreTwosComplement) {
    struct Row {
        std::int64_t raw;
        std::int64_t negated;
        std::int64_t absolute;
    };
    const Row rows[] = {
        {-15000, 15000, 15000}, {0, 0, 0}, {7, -7, 7}, {kMin, kMin, kMin}, {kMax, -kMax, kMax}};
    for (const Row& row : rows) {
        const CFixedPoint value(row.raw);
        EXPECT_EQ((-value).GetRaw(), row.negated) << row.raw;
        EXPECT_EQ(value.Abs().GetRaw(), row.absolute) << row.raw;
        EXPECT_EQ(Abs(value).GetRaw(), row.absolute) << row.raw;
    }
}

TEST(FixedPointConversion, ToDoubleMultipliesByOneTenThousandth) {
    EXPECT_EQ(CFixedPoint(std::int64_t{15000}).ToDouble(), 1.5);
    EXPECT_EQ(CFixedPoint(std::int64_t{-1}).ToDouble(), -1 * 0.0001);
    EXPECT_EQ(CFixedPoint(std::int64_t{3}).ToDouble(), 3 * 0.0001);
}

TEST(FixedPointConversion, RoundHalfAwayFromZero) {
    struct Row {
        double x;
        std::int64_t rounded;
    };
    const Row rows[] = {
        {2.5, 3},
        {-2.5, -3},
        {2.4999, 2},
        {-0.5, -1},
        {0.0, 0},
        {-0.0, 0},
        {0.4, 0},
        {-0.4, 0},
        {1e30, kMax},
        {-1e30, kMin},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {-9223372036854775808.0, kMin},
    };
    for (const Row& row : rows)
        EXPECT_EQ(RoundHalfAwayFromZero(row.x), row.rounded) << "x = " << row.x;
}
}  // namespace
