// What every cell class promises the grid, written once and run for each class.
#include <gtest/gtest.h>

#include "grid/GridCell.h"
#include "grid/GridCellCombo.h"
#include "grid/GridCellLitle.h"
#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridFakes.h"

namespace {

template <typename T>
class GridCellContract : public ::testing::Test {
protected:
    GridCellContract() {
        m_grid.SetLightCellMode();
        m_cell.SetGrid(&m_grid);
        m_cell.SetCoords(2, 1);
    }
    // Default cells do not keep states; the others do.
    static constexpr bool kKeepsState = !std::is_same_v<T, CGridDefaultCell>;

    CGridCtrl m_grid{3, 3, 1, 1};
    T m_cell;
};

using CellClasses = ::testing::Types<CGridCell, CGridCellCombo, CGridCellLitle, CGridDefaultCell>;
TYPED_TEST_SUITE(GridCellContract, CellClasses);

TYPED_TEST(GridCellContract, IsCreatableByItsClass) {
    const CRuntimeClass* pClass = RUNTIME_CLASS(TypeParam);
    EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)));
    std::unique_ptr<CObject> pObject(pClass->CreateObject());
    ASSERT_NE(pObject, nullptr);
    EXPECT_EQ(pObject->GetRuntimeClass(), pClass);
    EXPECT_EQ(this->m_cell.GetRuntimeClass(), pClass);
}

TYPED_TEST(GridCellContract, KeepsTextDataAndGrid) {
    this->m_cell.SetText("P123 Max speed");
    EXPECT_EQ(*this->m_cell.GetText(), "P123 Max speed");
    EXPECT_EQ(this->m_cell.GetGrid(), &this->m_grid);
    this->m_cell.SetData(77);
    EXPECT_EQ(this->m_cell.GetData(), this->kKeepsState ? 77u : 0u);
}

TYPED_TEST(GridCellContract, StateTestsReadTheStateBits) {
    if (!this->kKeepsState) {
        EXPECT_TRUE(this->m_cell.IsReadOnly());
        return;
    }
    struct Row {
        std::uint32_t nState;
        bool (CGridCellBase::*pTest)() const;
        const char* name;
    };
    const Row rows[] = {
        {GIS_FOCUSED, &CGridCellBase::IsFocused, "focused"},
        {GIS_SELECTED, &CGridCellBase::IsSelected, "selected"},
        {GIS_DROPHILITED, &CGridCellBase::IsDropHighlighted, "drop"},
        {GIS_READONLY, &CGridCellBase::IsReadOnly, "read-only"},
        {GIS_FIXED, &CGridCellBase::IsFixed, "fixed"},
        {GIS_FIXEDROW, &CGridCellBase::IsFixedRow, "fixed row"},
        {GIS_FIXEDCOL, &CGridCellBase::IsFixedCol, "fixed col"},
        {GIS_MODIFIED, &CGridCellBase::IsModified, "modified"},
    };
    CGridCellBase& cell = this->m_cell;
    for (const Row& row : rows) {
        cell.SetState(row.nState);
        EXPECT_EQ(cell.GetState(), row.nState) << row.name;
        for (const Row& other : rows) {
            EXPECT_EQ((cell.*other.pTest)(), &other == &row) << row.name << " tested as " << other.name;
        }
    }
}

TYPED_TEST(GridCellContract, ResetEmptiesTextAndState) {
    this->m_cell.SetText("x");
    this->m_cell.SetState(GIS_SELECTED);
    this->m_cell.Reset();
    EXPECT_EQ(*this->m_cell.GetText(), "");
    EXPECT_EQ(this->m_cell.GetState() & ~GIS_READONLY, 0u);
}

TYPED_TEST(GridCellContract, DefaultCellFollowsTheFixedBits) {
    if (!this->kKeepsState) {
        return;
    }
    struct Row {
        std::uint32_t nState;
        bool bFixedRow;
        bool bFixedCol;
    };
    const Row rows[] = {{0, false, false},
                        {GIS_FIXED | GIS_FIXEDROW, true, false},
                        {GIS_FIXED | GIS_FIXEDCOL, false, true},
                        {GIS_FIXED | GIS_FIXEDROW | GIS_FIXEDCOL, true, true}};
    for (const Row& row : rows) {
        this->m_cell.SetState(row.nState);
        EXPECT_EQ(this->m_cell.GetDefaultCell(), this->m_grid.GetDefaultCell(row.bFixedRow, row.bFixedCol))
            << "state " << row.nState;
    }
}

TYPED_TEST(GridCellContract, CopyFromAnotherCellTakesItsText) {
    CGridCell source;
    source.SetGrid(&this->m_grid);
    source.SetText("2500.0 rpm");
    this->m_cell.CopyFrom(source);
    EXPECT_EQ(*this->m_cell.GetText(), "2500.0 rpm");
}

TYPED_TEST(GridCellContract, MeasuresMissingTextAsTheDefaultSize) {
    FakeDrawContext dc;
    const CGridDefaultCell* pDefault = this->m_cell.GetDefaultCell();
    ASSERT_NE(pDefault, nullptr);
    EXPECT_EQ(this->m_cell.GetTextExtent(nullptr, &dc), CSize(pDefault->GetWidth(), pDefault->GetHeight()));
}

TYPED_TEST(GridCellContract, DrawsNothingWithoutAContext) {
    EXPECT_FALSE(this->m_cell.Draw(nullptr, 2, 1, CRect(0, 0, 10, 10)));
    EXPECT_TRUE(this->m_cell.ValidateEdit("anything"));
}

}  // namespace
