// Running out of memory while the grid grows: reported once, the operation fails, and
// what was made before stays consistent. Allocation failures are injected through a
// replaced global operator new.
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "grid/GridCtrl.h"
#include "support/RecordingMessageBox.h"

namespace {
// Allocations left before the one that fails; negative: none fails. Only that one
// allocation fails, as when memory is short for a moment.
long g_nAllocationsLeft = -1;
}  // namespace

void* operator new(std::size_t nSize) {
    if (g_nAllocationsLeft == 0) {
        g_nAllocationsLeft = -1;
        throw std::bad_alloc();
    }
    if (g_nAllocationsLeft > 0) {
        --g_nAllocationsLeft;
    }
    if (void* p = std::malloc(nSize == 0 ? 1 : nSize)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

class FailAfter {
public:
    explicit FailAfter(long nAllocations) { g_nAllocationsLeft = nAllocations; }
    ~FailAfter() { g_nAllocationsLeft = -1; }
    FailAfter(const FailAfter&) = delete;
    FailAfter& operator=(const FailAfter&) = delete;
};

void ExpectConsistent(const CGridCtrl& grid) {
    for (int nRow = 0; nRow < grid.GetRowCount(); ++nRow) {
        ASSERT_GE(grid.GetRowHeight(nRow), 0) << nRow;
        for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol) {
            ASSERT_NE(grid.GetCell(nRow, nCol), nullptr) << nRow << "," << nCol;
        }
    }
    for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol) {
        ASSERT_NE(grid.GetCell(-1, nCol), nullptr) << nCol;
        ASSERT_GE(grid.GetColumnWidth(nCol), 0) << nCol;
    }
}

// Every allocation point of each operation in turn: the result is either success or
// the failure value with one message, and the grid stays whole.
TEST(GridOutOfMemory, EveryAllocationPointFailsCleanly) {
    enum Operation { kSetRowCount, kSetColumnCount, kInsertRow, kInsertColumn };
    for (const Operation op : {kSetRowCount, kSetColumnCount, kInsertRow, kInsertColumn}) {
        for (long nFailAt = 0; nFailAt < 200; ++nFailAt) {
            RecordingMessageBox messages;
            CGridCtrl grid(3, 3, 1, 1);
            grid.SetMessageBox(&messages);
            const std::string strRowHeading = "P123 Max speed of the drive";  // longer than fits inline
            const std::string strColumnHeading = "Update from File";
            bool bOk = false;
            {
                const FailAfter failure(nFailAt);
                switch (op) {
                    case kSetRowCount:
                        bOk = grid.SetRowCount(8);
                        break;
                    case kSetColumnCount:
                        bOk = grid.SetColumnCount(6);
                        break;
                    case kInsertRow:
                        bOk = grid.InsertRow(strRowHeading, 2) == 2;
                        break;
                    case kInsertColumn:
                        bOk = grid.InsertColumn(strColumnHeading, 0, 2) == 2;
                        break;
                }
            }
            ExpectConsistent(grid);
            EXPECT_EQ(messages.Messages().size(), bOk ? 0u : 1u) << "op " << op << " fail at " << nFailAt;
            if (!bOk) {
                EXPECT_EQ(messages.Messages()[0].text, "Out of memory.");
            }
            if (op == kInsertRow && !bOk) {
                EXPECT_EQ(grid.GetRowCount(), 3);
            }
            if (op == kInsertColumn && !bOk) {
                EXPECT_EQ(grid.GetColumnCount(), 3);
            }
        }
    }
}

TEST(GridOutOfMemory, RowsMadeBeforeTheFailureStay) {
    RecordingMessageBox messages;
    CGridCtrl grid(0, 2);
    grid.SetMessageBox(&messages);
    bool bOk = true;
    {
        const FailAfter failure(40);
        bOk = grid.SetRowCount(1000);
    }
    EXPECT_FALSE(bOk);
    EXPECT_GT(grid.GetRowCount(), 0);
    EXPECT_LT(grid.GetRowCount(), 1000);
    ExpectConsistent(grid);
    EXPECT_EQ(messages.Messages().size(), 1u);
}

// Fonts and measuring need memory too: a failure is reported or absorbed, never thrown.
TEST(GridOutOfMemory, FontsAndMeasuringDoNotThrow) {
    for (long nFailAt = 0; nFailAt < 20; ++nFailAt) {
        RecordingMessageBox messages;
        CGridCtrl grid(3, 3, 1, 1);
        grid.SetMessageBox(&messages);
        LOGFONT lf;
        lf.lfHeight = -20;
        const std::string strHeading = "a heading longer than fits inline";
        {
            const FailAfter failure(nFailAt);
            EXPECT_NO_THROW(grid.SetFont(&lf)) << nFailAt;
            EXPECT_NO_THROW(grid.SetItemFont(1, 1, &lf)) << nFailAt;
            EXPECT_NO_THROW(grid.InsertRow(strHeading)) << nFailAt;
        }
        ExpectConsistent(grid);
    }
}

}  // namespace
