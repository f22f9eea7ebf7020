// Cell addresses and ranges, and creating objects by class.
#include "grid/CellRange.h"

#include <gtest/gtest.h>

#include "grid/GridCell.h"
#include "grid/GridCellCombo.h"
#include "grid/GridCellLitle.h"
#include "grid/GridDefaultCell.h"

namespace {

TEST(CellRange, ValidityContainsAndIntersection) {
    EXPECT_FALSE(CCellID().IsValid());
    EXPECT_FALSE(CCellRange().IsValid());
    struct Row {
        const char* name;
        CCellRange range;
        bool bValid;
    };
    const Row rows[] = {
        {"single cell", {1, 1, 1, 1}, true},         {"block", {0, 0, 3, 2}, true},
        {"max row before min", {2, 0, 1, 0}, false}, {"max col before min", {0, 2, 0, 1}, false},
        {"negative bound", {-1, 0, 2, 2}, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.range.IsValid(), row.bValid) << row.name;
    }
    const CCellRange range(1, 2, 3, 4);
    EXPECT_TRUE(range.InRange(1, 2));
    EXPECT_TRUE(range.InRange(3, 4));
    EXPECT_FALSE(range.InRange(0, 2));
    EXPECT_FALSE(range.InRange(3, 5));
    EXPECT_EQ(range.GetTopLeft(), CCellID(1, 2));
    EXPECT_EQ(range.Intersect(CCellRange(2, 0, 9, 3)), CCellRange(2, 2, 3, 3));
    EXPECT_FALSE(range.Intersect(CCellRange(5, 5, 6, 6)).IsValid());
}

TEST(RuntimeClass, DerivationAndCreation) {
    const CRuntimeClass* pBase = RUNTIME_CLASS(CGridCellBase);
    struct Row {
        const CRuntimeClass* pClass;
        const char* name;
        bool bCell;
    };
    const Row rows[] = {
        {RUNTIME_CLASS(CGridCellBase), "CGridCellBase", true},
        {RUNTIME_CLASS(CGridCell), "CGridCell", true},
        {RUNTIME_CLASS(CGridDefaultCell), "CGridDefaultCell", true},
        {RUNTIME_CLASS(CGridCellCombo), "CGridCellCombo", true},
        {RUNTIME_CLASS(CGridCellLitle), "CGridCellLitle", true},
        {RUNTIME_CLASS(CObject), "CObject", false},
    };
    for (const Row& row : rows) {
        EXPECT_STREQ(row.pClass->m_lpszClassName, row.name);
        EXPECT_EQ(row.pClass->IsDerivedFrom(pBase), row.bCell) << row.name;
        std::unique_ptr<CObject> pObject(row.pClass->CreateObject());
        if (row.bCell) {
            ASSERT_NE(pObject, nullptr) << row.name;
            EXPECT_EQ(pObject->GetRuntimeClass(), row.pClass) << row.name;
            EXPECT_TRUE(pObject->IsKindOf(pBase)) << row.name;
        } else {
            EXPECT_EQ(pObject, nullptr) << row.name;
        }
    }
    EXPECT_TRUE(RUNTIME_CLASS(CGridCellCombo)->IsDerivedFrom(RUNTIME_CLASS(CGridCell)));
    EXPECT_FALSE(RUNTIME_CLASS(CGridCellLitle)->IsDerivedFrom(RUNTIME_CLASS(CGridCell)));
}

}  // namespace
