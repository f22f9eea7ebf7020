#pragma once

#include <cstdint>
#include <string>

#include "grid/GridItem.h"
#include "grid/RuntimeClass.h"
#include "platform/ColorRef.h"
#include "platform/DrawContext.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/LogFont.h"

class CGridCtrl;
class CGridDefaultCell;
class IGridEditWnd;

// Base of every grid cell. It keeps only the state word; every other attribute is
// "none" here, and the derived classes store or inherit what they need. Cells are
// created by class and owned by their grid.
class CGridCellBase : public CObject {
    DECLARE_DYNCREATE(CGridCellBase)

public:
    CGridCellBase() = default;
    ~CGridCellBase() override = default;
    CGridCellBase(const CGridCellBase&) = delete;
    CGridCellBase& operator=(const CGridCellBase&) = delete;

    virtual bool SetMergeSpan(int nRowSpan, int nColSpan);
    virtual int GetMergeRowSpan() const { return 0; }
    virtual int GetMergeColSpan() const { return 0; }

    virtual void SetText(const std::string& /*strText*/) {}
    virtual void SetImage(int /*nImage*/) {}
    virtual void SetData(LPARAM /*lParam*/) {}
    virtual void SetState(std::uint32_t nState) { m_nState = nState; }
    virtual void SetFormat(std::uint32_t /*nFormat*/) {}
    virtual void SetTextColor(COLORREF /*clr*/) {}
    virtual void SetBackColor(COLORREF /*clr*/) {}
    virtual void SetFont(const LOGFONT* /*plf*/) {}
    virtual void SetMargin(std::uint32_t /*nMargin*/) {}
    virtual void SetGrid(CGridCtrl* /*pGrid*/) {}
    virtual void SetCoords(int /*nRow*/, int /*nCol*/) {}

    // nullptr: the cell has no text at all (not the same as an empty text).
    virtual const std::string* GetText() const { return nullptr; }
    virtual const std::string* GetTipText() const { return GetText(); }
    virtual int GetImage() const { return 0; }
    virtual LPARAM GetData() const { return 0; }
    virtual std::uint32_t GetState() const { return m_nState; }
    virtual std::uint32_t GetFormat() const { return 0; }
    virtual COLORREF GetTextColor() const { return 0; }
    virtual COLORREF GetBackColor() const { return 0; }
    virtual const LOGFONT* GetFont() const { return nullptr; }
    virtual const CFont* GetFontObject() const { return nullptr; }
    virtual CGridCtrl* GetGrid() const { return nullptr; }
    virtual IGridEditWnd* GetEditWnd() const { return nullptr; }
    virtual std::uint32_t GetMargin() const { return 0; }
    // The grid's default cell for this cell's fixed row/column bits; nullptr without a grid.
    virtual CGridDefaultCell* GetDefaultCell() const;
    virtual bool IsDefaultFont() const { return false; }
    virtual bool IsEditing() const { return false; }

    virtual bool IsFocused() const { return (GetState() & GIS_FOCUSED) != 0; }
    virtual bool IsFixed() const { return (GetState() & GIS_FIXED) != 0; }
    virtual bool IsFixedCol() const { return (GetState() & GIS_FIXEDCOL) != 0; }
    virtual bool IsFixedRow() const { return (GetState() & GIS_FIXEDROW) != 0; }
    virtual bool IsSelected() const { return (GetState() & GIS_SELECTED) != 0; }
    virtual bool IsReadOnly() const { return (GetState() & GIS_READONLY) != 0; }
    virtual bool IsModified() const { return (GetState() & GIS_MODIFIED) != 0; }
    virtual bool IsDropHighlighted() const { return (GetState() & GIS_DROPHILITED) != 0; }

    // Copies the source's (resolved) attributes through the setters; spans,
    // coordinates and editing state stay.
    virtual void CopyFrom(const CGridCellBase& cell);
    virtual void Reset() { m_nState = 0; }

    // Paints the cell; false when nothing could be drawn (no grid, no context, empty rectangle).
    virtual bool Draw(IDrawContext* pDC, int nRow, int nCol, CRect rect, bool bEraseBkgnd = true);
    virtual bool GetTextRect(CRect* pRect);
    virtual bool GetTipTextRect(CRect* pRect) { return GetTextRect(pRect); }
    // Room the text needs with this cell's font, format and margin. pDC nullptr:
    // measure on a context of the grid's window.
    virtual CSize GetTextExtent(const std::string* pText, IDrawContext* pDC = nullptr);
    virtual CSize GetCellExtent(IDrawContext* pDC);

    virtual bool Edit(int /*nRow*/, int /*nCol*/, CRect /*rect*/, CPoint /*point*/, std::uint32_t /*nID*/,
                      std::uint32_t /*nChar*/) {
        return false;
    }
    virtual bool ValidateEdit(const std::string& /*str*/) { return true; }
    virtual void EndEdit() {}
    virtual void OnEndEdit() {}

    // Mouse hooks, relative to the cell's origin.
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(CPoint /*pointCellRelative*/) {}
    virtual void OnClickDown(CPoint /*pointCellRelative*/) {}
    virtual void OnRClick(CPoint /*pointCellRelative*/) {}
    virtual void OnDblClick(CPoint /*pointCellRelative*/) {}
    // Sets the standard arrow cursor (through the grid's window) and returns true.
    virtual bool OnSetCursor() { return true; }

protected:
    // The steps of Draw; each may move the rectangle's edges for the next.
    void DrawBackground(IDrawContext* pDC, CRect& rect, COLORREF textClr, COLORREF textBkClr,
                        bool bEraseBkgnd, bool bPrinting);
    void DrawFixedBorder(IDrawContext* pDC, int nRow, int nCol, CRect& rect, bool bPrinting);
    void DrawImage(IDrawContext* pDC, const CRect& rect, int nMargin);
    void DrawSortArrow(IDrawContext* pDC, CRect& rect, int nMargin);

    std::uint32_t m_nState = 0;
};
