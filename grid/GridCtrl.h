#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "grid/CellRange.h"
#include "grid/CellStore.h"
#include "grid/GridCell.h"
#include "grid/GridCellBase.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridItem.h"
#include "grid/GridNotify.h"
#include "grid/GridWindowHost.h"
#include "grid/RuntimeClass.h"
#include "platform/Clipboard.h"
#include "platform/ColorRef.h"
#include "platform/ImageList.h"
#include "platform/LogFont.h"
#include "platform/TextFormat.h"
#include "platform/WindowInput.h"

class IMessageBox;

// GetNextItem: the states looked for ...
inline constexpr int GNI_FOCUSED = 0x0001;
inline constexpr int GNI_SELECTED = 0x0002;
inline constexpr int GNI_DROPHILITED = 0x0004;
inline constexpr int GNI_READONLY = 0x0008;
inline constexpr int GNI_FIXED = 0x0010;
inline constexpr int GNI_MODIFIED = 0x0020;
// ... and the direction searched.
inline constexpr int GNI_ABOVE = 0x0100;
inline constexpr int GNI_BELOW = 0x0200;
inline constexpr int GNI_TOLEFT = 0x0400;
inline constexpr int GNI_TORIGHT = 0x0800;
inline constexpr int GNI_ALL = GNI_BELOW | GNI_TORIGHT | GNI_TOLEFT;
inline constexpr int GNI_AREA = GNI_BELOW | GNI_TORIGHT;

// Which cells the auto-size operations measure.
inline constexpr int GVS_DEFAULT = 0;
inline constexpr int GVS_HEADER = 1;
inline constexpr int GVS_DATA = 2;
inline constexpr int GVS_BOTH = 3;

// Grid lines drawn.
inline constexpr int GVL_NONE = 0;
inline constexpr int GVL_HORZ = 1;
inline constexpr int GVL_VERT = 2;
inline constexpr int GVL_BOTH = 3;

// Mouse modes of the grid's input handling.
inline constexpr int MOUSE_NOTHING = 0;
inline constexpr int MOUSE_SELECT_ALL = 1;
inline constexpr int MOUSE_SELECT_COL = 2;
inline constexpr int MOUSE_SELECT_ROW = 3;
inline constexpr int MOUSE_SELECT_CELLS = 4;
inline constexpr int MOUSE_OVER_ROW_DIVIDE = 6;
inline constexpr int MOUSE_SIZING_ROW = 7;
inline constexpr int MOUSE_OVER_COL_DIVIDE = 8;
inline constexpr int MOUSE_SIZING_COL = 9;
inline constexpr int MOUSE_PREPARE_EDIT = 10;
inline constexpr int MOUSE_PREPARE_DRAG = 11;
inline constexpr int MOUSE_DRAGGING = 12;

// The in-place editor's control id, and the auto-scroll timer's.
inline constexpr unsigned IDC_INPLACE_CONTROL = 8;
inline constexpr unsigned WM_LBUTTONDOWN_TIMER_ID = 513;

// Column sort types for SetColumnSortType.
inline constexpr int GVSORT_USER = 0;
inline constexpr int GVSORT_NUMERIC = 1;
inline constexpr int GVSORT_FLOAT = 2;

// Compares two cells for sorting: negative, zero or positive. lParamSort is the
// caller's data word given to the sort operation.
using PFNLVCOMPARE = int (*)(const CGridCellBase* pCell1, const CGridCellBase* pCell2,
                             std::intptr_t lParamSort);

// Key of the selected-cell maps: the column in the high 32 bits, the row in the low
// ones, so that every cell of a grid of any size has a key of its own.
using CCellMap = std::unordered_map<std::uint64_t, CCellID>;

// A grid of rows and columns of cells, the first rows and columns optionally fixed
// (headers). This is the model and its interface: every operation works on the
// in-memory structure; redraws, scroll-bar updates, measuring on the window and
// in-place editors go through the window host, and are no-ops without one.
// Operations never throw: they return false, -1 or an empty value on bad input.
class CGridCtrl {
public:
    CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    virtual ~CGridCtrl();
    CGridCtrl(const CGridCtrl&) = delete;
    CGridCtrl& operator=(const CGridCtrl&) = delete;

    // --- Window, owner and user messages ------------------------------------------------
    // Attaches the grid's window (nullptr detaches). On attaching, every row height and
    // column width becomes the normal default cell's height and width.
    void Create(IGridWindowHost* pHost);
    void SetWindowHost(IGridWindowHost* pHost) { m_pHost = pHost; }
    IGridWindowHost* GetWindowHost() const { return m_pHost; }
    bool IsWindow() const { return m_pHost != nullptr && m_pHost->IsWindow(); }
    void* GetSafeHwnd() const { return m_pHost != nullptr ? m_pHost->GetSafeHwnd() : nullptr; }
    // The owner that receives notifications, and the control id they carry.
    void SetNotifyTarget(IGridNotifyTarget* pTarget, int nID) {
        m_pNotifyTarget = pTarget;
        m_nID = nID;
    }
    IGridNotifyTarget* GetNotifyTarget() const { return m_pNotifyTarget; }
    int GetDlgCtrlID() const { return m_nID; }
    // Where out-of-memory is reported; nullptr: not reported.
    void SetMessageBox(IMessageBox* pMessageBox) { m_pMessageBox = pMessageBox; }

    // Sends a GRID_NOTIFY with the code; 0 without an owner.
    std::intptr_t SendMessageToParent(int nRow, int nCol, int nMessage) const;
    std::intptr_t SendDisplayRequestToParent(GRID_DISPINFO* pDisplayInfo) const;
    std::intptr_t SendCacheHintToParent(const CCellRange& range) const;

    // Gives the font to all four default cells (nullptr: nothing) and refreshes.
    void SetFont(const LOGFONT* plf);
    const LOGFONT* GetFont() const;

    // --- Counts and structure ---------------------------------------------------------
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    bool SetRowCount(int nRows = 10);
    bool SetColumnCount(int nCols = 10);
    bool SetFixedRowCount(int nFixedRows = 1);
    bool SetFixedColumnCount(int nFixedCols = 1);

    int InsertColumn(const std::string& strHeading,
                     std::uint32_t nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int nColumn = -1);
    int InsertRow(const std::string& strHeading, int nRow = -1);
    bool DeleteColumn(int nColumn);
    bool DeleteRow(int nRow);
    bool DeleteNonFixedRows();
    bool DeleteAllItems();

    // --- Cells ------------------------------------------------------------------------
    // The cell, the column cell for row -1, or nullptr. Virtual mode: the scratch cell,
    // valid until the next call.
    CGridCellBase* GetCell(int nRow, int nCol) const;
    bool SetCell(int nRow, int nCol, CGridCellBase* pCell);
    bool SetCellType(int nRow, int nCol, const CRuntimeClass* pRuntimeClass);
    bool SetDefaultCellType(const CRuntimeClass* pRuntimeClass);
    const CRuntimeClass* GetDefaultCellType() const { return m_pRtcDefault; }
    // Light cells for every non-fixed cell created from now on; cannot be undone.
    void SetLightCellMode();
    bool GetLightCellMode() const { return m_pRtcNonFixed != nullptr; }
    CGridDefaultCell* GetDefaultCell(bool bFixedRow, bool bFixedCol) const;

    // --- Items --------------------------------------------------------------------------
    bool SetItem(const GRID_ITEM* pItem);
    bool GetItem(GRID_ITEM* pItem) const;
    bool SetItemText(int nRow, int nCol, const std::string& str);
    bool SetItemTextFormatted(int nRow, int nCol, const char* szFmt, ...)
        __attribute__((format(printf, 4, 5)));
    std::string GetItemText(int nRow, int nCol) const;
    bool SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol) const;
    bool SetItemImage(int nRow, int nCol, int iImage);
    int GetItemImage(int nRow, int nCol) const;
    bool SetItemState(int nRow, int nCol, std::uint32_t state);
    std::uint32_t GetItemState(int nRow, int nCol) const;
    bool SetItemFormat(int nRow, int nCol, std::uint32_t nFormat);
    std::uint32_t GetItemFormat(int nRow, int nCol) const;
    bool SetItemBkColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    COLORREF GetItemBkColour(int nRow, int nCol) const;
    bool SetItemFgColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    COLORREF GetItemFgColour(int nRow, int nCol) const;
    bool SetItemFont(int nRow, int nCol, const LOGFONT* plf);
    const LOGFONT* GetItemFont(int nRow, int nCol) const;
    bool IsItemEditing(int nRow, int nCol) const;

    // --- Sizes --------------------------------------------------------------------------
    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    bool SetRowHeight(int nRow, int height);
    bool SetColumnWidth(int nCol, int width);
    long long GetVirtualHeight() const;
    long long GetVirtualWidth() const;

    // --- Modified flag and queries ------------------------------------------------------
    void SetModified(bool bModified = true, int nRow = -1, int nCol = -1);
    bool GetModified(int nRow = -1, int nCol = -1) const;
    bool IsValid(int nRow, int nCol) const;
    bool IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    bool IsValid(const CCellRange& range) const;
    bool IsFixedCell(int nRow, int nCol) const { return nRow < m_nFixedRows || nCol < m_nFixedCols; }
    bool IsCellEditable(int nRow, int nCol) const;
    bool IsCellEditable(const CCellID& cell) const { return IsCellEditable(cell.row, cell.col); }
    bool IsCellSelected(int nRow, int nCol) const;
    bool IsCellSelected(const CCellID& cell) const { return IsCellSelected(cell.row, cell.col); }
    CCellRange GetCellRange() const { return {0, 0, m_nRows - 1, m_nCols - 1}; }
    CCellID GetNextItem(CCellID cell, int nFlags) const;

    // --- Focus and selection (state) ----------------------------------------------------
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    CCellID SetFocusCell(int nRow, int nCol) { return SetFocusCell(CCellID(nRow, nCol)); }
    CCellID SetFocusCell(CCellID cell);
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, bool bForceRepaint = false,
                          bool bSelectCells = true);
    void SetSelectedRange(const CCellRange& range, bool bForceRepaint = false, bool bSelectCells = true);
    void ResetSelectedRange();
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.size()); }
    const CCellMap& GetSelectedCellMap() const { return m_SelectedCellMap; }
    CCellMap& GetPrevSelectedCellMap() { return m_PrevSelectedCellMap; }
    static std::uint64_t CellMapKey(int nRow, int nCol) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(nCol)) << 32) |
               static_cast<std::uint32_t>(nRow);
    }

    // --- Settings -----------------------------------------------------------------------
    void SetEditable(bool bEditable = true) { m_bEditable = bEditable; }
    bool IsEditable() const { return m_bEditable; }
    void EnableSelection(bool bEnable = true);
    bool IsSelectable() const { return m_bEnableSelection; }
    void SetHandleTabKey(bool bHandleTab = true) { m_bHandleTabKey = bHandleTab; }
    bool GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetFixedRowSelection(bool bSelect) { m_bFixedRowSelection = bSelect; }
    bool GetFixedRowSelection() const { return m_bFixedRowSelection; }
    void SetFixedColumnSelection(bool bSelect) { m_bFixedColumnSelection = bSelect; }
    bool GetFixedColumnSelection() const { return m_bFixedColumnSelection; }
    void SetHeaderSort(bool bSortOnClick = true) { m_bSortOnClick = bSortOnClick; }
    bool GetHeaderSort() const { return m_bSortOnClick; }
    void SetListMode(bool bEnableListMode = true);
    bool GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(bool bSing = true) { m_bSingleRowSelection = bSing; }
    bool GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void SetSingleColSelection(bool bSing = true) { m_bSingleColSelection = bSing; }
    bool GetSingleColSelection() const { return m_bSingleColSelection; }
    void SetTrackFocusCell(bool bTrack) { m_bTrackFocusCell = bTrack; }
    bool GetTrackFocusCell() const { return m_bTrackFocusCell; }
    void SetFrameFocusCell(bool bFrame) { m_bFrameFocus = bFrame; }
    bool GetFrameFocusCell() const { return m_bFrameFocus; }
    void EnableTitleTips(bool bEnable = true) { m_bTitleTips = bEnable; }
    bool GetTitleTips() const { return m_bTitleTips; }
    void SetDoubleBuffering(bool bBuffer = true) { m_bDoubleBuffer = bBuffer; }
    bool GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void SetDragAndDrop(bool bAllow) { m_bAllowDragAndDrop = bAllow; }
    bool GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetRedraw(bool bAllowDraw, bool bResetScrollBars = false);
    bool GetRedraw() const { return m_bAllowDraw; }
    void SetGridLines(int nWhichLines = GVL_BOTH);
    int GetGridLines() const { return m_nGridLines; }
    void SetAutoSizeStyle(int nStyle = GVS_BOTH) { m_nAutoSizeColumnStyle = nStyle; }
    int GetAutoSizeStyle() const { return m_nAutoSizeColumnStyle; }
    void SetVirtualMode(bool bVirtual);
    bool GetVirtualMode() const { return m_bVirtualMode; }
    void SetCallbackFunc(GRIDCALLBACK pCallback, std::intptr_t lParam);
    GRIDCALLBACK GetCallbackFunc() const { return m_pfnCallback; }
    int GetMouseScrollLines() const { return m_nRowsPerWheelNotch; }
    void SetImageList(IImageList* pList) { m_pImageList = pList; }
    IImageList* GetImageList() const { return m_pImageList; }

    void SetGridLineColor(COLORREF clr) { m_crGridLineColour = clr; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetGridBkColor(COLORREF clr) { m_crGridBkColour = clr; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetTitleTipBackClr(COLORREF clr = CLR_DEFAULT) { m_crTTipBackClr = clr; }
    COLORREF GetTitleTipBackClr() const { return m_crTTipBackClr; }
    void SetTitleTipTextClr(COLORREF clr = CLR_DEFAULT) { m_crTTipTextClr = clr; }
    COLORREF GetTitleTipTextClr() const { return m_crTTipTextClr; }
    // The system colours read at construction.
    COLORREF GetWindowTextColour() const { return m_crWindowText; }
    COLORREF GetWindowColour() const { return m_crWindowColour; }
    COLORREF GetShadeColour() const { return m_cr3DFace; }
    COLORREF GetShadowColour() const { return m_crShadow; }

    // --- Sorting ------------------------------------------------------------------------
    void SetSortColumn(int nCol);
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortAscending(bool bAscending) { m_bAscending = bAscending; }
    bool GetSortAscending() const { return m_bAscending; }
    void SetCompareFunction(PFNLVCOMPARE pfnCompare) { m_pfnCompare = pfnCompare; }
    void SetColumnSortType(int nType, int nCol);
    int GetColumnSortType(int nCol) const;
    bool SortItems(int nCol, bool bAscending, std::intptr_t data = 0);
    bool SortItemsByText(int nCol, bool bAscending, std::intptr_t data = 0);
    bool SortItems(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, std::intptr_t data = 0);
    static int pfnCellTextCompare(const CGridCellBase* pCell1, const CGridCellBase* pCell2, std::intptr_t);
    static int pfnCellNumericCompare(const CGridCellBase* pCell1, const CGridCellBase* pCell2, std::intptr_t);
    static int pfnCellFloatCompare(const CGridCellBase* pCell1, const CGridCellBase* pCell2, std::intptr_t);

    // --- Header spans -------------------------------------------------------------------
    virtual bool MergeFixedCells(int nRow, int nCol, int nRowSpan, int nColSpan, bool bSingleLine);

    // --- Printing settings read by the cells' drawing ----------------------------------
    void SetPrintBlackAndWhite(bool bBlackAndWhite) { m_bPrintBlackAndWhite = bBlackAndWhite; }
    bool GetPrintBlackAndWhite() const { return m_bPrintBlackAndWhite; }
    void SetPrintClipRect(const CRect& rect) { m_rectPrintClip = rect; }
    const CRect& GetPrintClipRect() const { return m_rectPrintClip; }

    // --- Layout (no window: nothing is visible) -----------------------------------------
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    CCellID GetTopLeftNonFixedCell(bool bForceRecalculation = false) const;
    CCellRange GetVisibleNonFixedCellRange(CRect* pRect = nullptr, bool bForceRecalculation = false) const;
    CCellRange GetFullyVisibleNonFixedCellRange(bool bForceRecalculation = false) const;
    bool GetCellOrigin(int nRow, int nCol, CPoint* pPoint) const;
    bool GetCellOrigin(const CCellID& cell, CPoint* pPoint) const {
        return GetCellOrigin(cell.row, cell.col, pPoint);
    }
    bool GetCellRect(int nRow, int nCol, CRect* pRect) const;
    bool GetCellRect(const CCellID& cell, CRect* pRect) const {
        return GetCellRect(cell.row, cell.col, pRect);
    }
    bool GetCellRangeRect(const CCellRange& cellRange, CRect* pRect) const;
    CCellID GetCellFromPoint(CPoint point, bool bAllowFixedCellCheck = true) const;
    bool IsCellVisible(int nRow, int nCol) const;
    bool IsCellVisible(const CCellID& cell) const { return IsCellVisible(cell.row, cell.col); }
    bool IsOverRowResizeArea(CPoint point) const;
    bool IsOverColumnResizeArea(CPoint point) const;
    // Forgets the cached first visible non-fixed cell; the next request recomputes it.
    void ForgetTopLeftCell() { m_idTopLeftCell = CCellID(); }

    // --- Painting -----------------------------------------------------------------------
    // Paints what lies in the context's clip box: background, cells, grid lines.
    void OnDraw(IDrawContext* pDC);
    void Refresh();
    bool RedrawCell(int nRow, int nCol, IDrawContext* pDC = nullptr);
    bool RedrawCell(const CCellID& cell, IDrawContext* pDC = nullptr) {
        return RedrawCell(cell.row, cell.col, pDC);
    }
    bool RedrawRow(int nRow);
    bool RedrawColumn(int nCol);
    bool InvalidateCellRect(int nRow, int nCol);
    bool InvalidateCellRect(const CCellID& cell) { return InvalidateCellRect(cell.row, cell.col); }
    bool InvalidateCellRect(const CCellRange& cellRange);

    // --- Scrolling ----------------------------------------------------------------------
    void ResetScrollBars();
    void EnableScrollBars(int nBar, bool bEnable = true);
    bool IsScrollBarShown(int nBar) const;
    int GetScrollPosition(int nBar, bool bGetTrackPos = false) const;
    bool SetScrollPosition(int nBar, int nPos, bool bRedraw = true);
    int GetScrollMax(int nBar) const { return nBar == SB_VERT ? m_nVScrollMax : m_nHScrollMax; }
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }
    void OnVScroll(int nSBCode);
    void OnHScroll(int nSBCode);
    // Posts one scroll request per line (or page) of the wheel's turn.
    bool OnMouseWheel(std::uint32_t nFlags, int zDelta, CPoint point);
    void OnSize();
    // The desktop's colours changed: defaults that followed the old ones follow the new.
    void OnSysColorChange();
    // The desktop's settings changed: colours as above, and rows per wheel notch.
    void OnSettingChange();

    // --- Sizing -------------------------------------------------------------------------
    bool AutoSizeColumn(int nCol, int nAutoSizeStyle = GVS_DEFAULT, bool bResetScroll = true);
    bool AutoSizeRow(int nRow, bool bResetScroll = true);
    void AutoSizeColumns(int nAutoSizeStyle = GVS_DEFAULT);
    void AutoSizeRows();
    void AutoSize(int nAutoSizeStyle = GVS_DEFAULT);
    void ExpandColumnsToFit(bool bExpandFixed = true);
    void ExpandLastColumn();
    void ExpandRowsToFit(bool bExpandFixed = true);
    void ExpandToFit(bool bExpandFixed = true);

    // --- Selection by mouse and keys ----------------------------------------------------
    void SelectAllCells();
    void SelectColumns(CCellID currentCell, bool bForceRedraw = false, bool bSelectCells = true);
    void SelectRows(CCellID currentCell, bool bForceRedraw = false, bool bSelectCells = true);
    void SelectCells(CCellID currentCell, bool bForceRedraw = false, bool bSelectCells = true);
    void OnSelecting(const CCellID& currentCell);
    CCellRange GetSelectedCellRange() const;
    CCellID GetSelectionStartCell() const { return m_SelectionStartCell; }
    int GetMouseMode() const { return m_MouseMode; }

    // --- Input settings -----------------------------------------------------------------
    void SetColumnResize(bool bResize = true) { m_bAllowColumnResize = bResize; }
    bool GetColumnResize() const { return m_bAllowColumnResize; }
    void SetRowResize(bool bResize = true) { m_bAllowRowResize = bResize; }
    bool GetRowResize() const { return m_bAllowRowResize; }
    void EnableHiddenColUnhide(bool bEnable = true) { m_bHiddenColUnhide = bEnable; }
    void EnableHiddenRowUnhide(bool bEnable = true) { m_bHiddenRowUnhide = bEnable; }
    void EnableColumnHide(bool bEnable = true) { m_bAllowColHide = bEnable; }
    void EnableRowHide(bool bEnable = true) { m_bAllowRowHide = bEnable; }

    // --- Input handlers: platform-neutral keys (VK_*), flags (MK_*), client points ------
    // Key and character handlers return false when the platform's default handling
    // should run (for Tab: the dialog moves the focus on).
    bool OnKeyDown(std::uint32_t nChar, std::uint32_t nFlags);
    bool OnChar(std::uint32_t nChar, std::uint32_t nFlags);
    void OnImeChar(std::uint32_t nChar, std::uint32_t nFlags);
    std::uint32_t OnGetDlgCode(std::uint32_t nFlags) const;
    void OnLButtonDown(std::uint32_t nFlags, CPoint point);
    void OnMouseMove(std::uint32_t nFlags, CPoint point);
    void OnLButtonUp(std::uint32_t nFlags, CPoint point);
    void OnLButtonDblClk(std::uint32_t nFlags, CPoint point);
    void OnRButtonUp(std::uint32_t nFlags, CPoint point);
    // True when the grid chose the cursor (the point is in the client area).
    bool OnSetCursor(CPoint point);
    void OnTimer(unsigned nIDEvent);
    void OnCaptureChanged();
    // A notification from a child of the grid's window (the in-place editor's
    // GN_ENDLABELEDIT with control id 8).
    std::intptr_t OnChildNotify(int idFrom, NMHDR* pNotify);

    // --- Edit operations ----------------------------------------------------------------
    virtual void OnEditSelectAll();
    virtual void OnEditCopy();
    virtual void OnEditCut();
    virtual void OnEditPaste();
    virtual void ClearSelectedText();
    virtual void OnFixedRowClick(CCellID& cell);
    virtual void OnFixedColumnClick(CCellID& cell);
    virtual void OnEditCell(int nRow, int nCol, CPoint point, std::uint32_t nChar);
    virtual void OnEndEditCell(int nRow, int nCol, const std::string& str);
    virtual bool ValidateEdit(int nRow, int nCol, const std::string& str);
    virtual void EndEditing();
    virtual void OnBeginDrag();

    // --- Clipboard, drag and drop, text files -------------------------------------------
    // Cell texts leave and come back as Windows-1252 bytes: rows by "\n", cells by "\t"
    // (a paste also splits at ","). Every change made this way is offered to the owner
    // as an edit (GN_BEGINLABELEDIT, GN_ENDLABELEDIT), cell by cell.
    // The clipboard used; nullptr: the window host's.
    void SetClipboard(IClipboard* pClipboard) { m_pClipboard = pClipboard; }
    IClipboard* GetClipboard() const;
    // The selected cells as clipboard text; nullopt when nothing is selected.
    virtual std::optional<std::string> CreateTextDataSource();
    // Pastes the text with its top-left at the cell; false when the cell cannot be edited
    // or there is no text (nullptr).
    virtual bool PasteTextAt(CCellID cell, const std::string* pText, bool bSelectPastedCells = true);
    // A change of a cell made on the user's behalf, passed to the owner like a typed edit.
    virtual void ApplyCellText(int nRow, int nCol, const std::string& str);
    // Whether the edit commands can run now (for menus and buttons).
    bool CanEditCopy() const;
    bool CanEditCut() const;
    bool CanEditPaste() const;
    bool CanEditSelectAll() const { return m_bEnableSelection; }
    // The drop target's side; dwKeyState holds MK_CONTROL when the user asks for a copy.
    virtual std::uint32_t OnDragEnter(bool bHasText, std::uint32_t dwKeyState, CPoint point);
    virtual std::uint32_t OnDragOver(bool bHasText, std::uint32_t dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual bool OnDrop(const std::string* pText, std::uint32_t dropEffect, CPoint point);
    // While a drag hovers near an edge of the cells, scrolls one line towards it; true
    // when it scrolled (the host asks again a little later).
    bool OnDragScroll(CPoint point);
    CCellID GetLastDragOverCell() const { return m_LastDragOverCell; }
    // Every cell text, one line per row, cells joined by the separator.
    std::string GetGridText(char chSeparator) const;
    // Writes GetGridText to the file, replacing an existing one only once the new text is
    // on disk; "Unable to save grid list" when that fails.
    bool Save(const std::string& strFileName, char chSeparator = ',');
    // Rebuilds the grid from a file as Save writes it: the first line gives the columns
    // and their headings. A file that cannot be opened is reported as the system says.
    bool Load(const std::string& strFileName, char chSeparator = ',');
    // Load's work on text already read; false (and "Unable to load grid data") when the
    // grid could not take it all.
    bool LoadGridText(const std::string& strText, char chSeparator);

protected:
    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);

    bool SortItems(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, std::intptr_t data, int low, int high);

private:
    // Where a key moves the focus.
    struct KeyMoveResult {
        CCellID next;
        bool bChangeLine = false;  // Tab or Shift+Tab wrapped to another row
        bool bDefault = false;     // the platform's default handling runs (Tab leaves the grid)
    };

    void OnScroll(int nBar, int nSBCode);
    // Painting steps.
    void EraseBkgnd(IDrawContext* pDC, const CRect& clipRect, const CRect& visRect);
    void DrawCellAt(IDrawContext* pDC, int nRow, int nCol, const CRect& rect, bool bEraseBkgnd);
    void DrawCellBlock(IDrawContext* pDC, const CRect& clipRect, int nFirstRow, int nLastRow, int y0,
                       int nFirstCol, int nLastCol, int x0);
    void DrawGridLines(IDrawContext* pDC, const CCellRange& visible, const CRect& visRect);
    // Mouse steps.
    bool PrepareEditOrDrag(std::uint32_t nFlags, CPoint point);
    void StartSelecting(std::uint32_t nFlags);
    void StartColumnResize(CPoint point);
    void StartRowResize(CPoint point);
    void EndResize(bool bColumn, CPoint point);
    void ReleaseOverCell(CPoint pointClickedRel);
    int DividerModeAt(CPoint point) const;
    bool IsPastDragDistance(CPoint point) const;
    void DragWithButton(CPoint point);
    void HoverWithoutButton(CPoint point);
    // Keyboard steps; -1 when there is no such row or column.
    int NextVisibleColumn(int nCol) const;
    int PrevVisibleColumn(int nCol) const;
    int NextVisibleRow(int nRow) const;
    int PrevVisibleRow(int nRow) const;
    CCellID MoveArrow(std::uint32_t nChar) const;
    KeyMoveResult MoveTab() const;
    KeyMoveResult MoveBackTab() const;
    CCellID MovePage(std::uint32_t nChar);
    CCellID MoveHomeEnd(std::uint32_t nChar, bool bCtrl);
    void FollowKeyMove(std::uint32_t nChar, bool bShift, const CCellID& next);
    void ScrollToKeyMove(std::uint32_t nChar, bool bShift, bool bChangeLine, const CCellID& next);

    void ReportOutOfMemory() const;
    // In-place edits and structural changes.
    void EndEditOf(CCellID cell);
    void EndEditingFrom(int nRow, int nCol);
    // Clipboard and drag-and-drop steps.
    bool CopySelectionToClipboard();
    CCellID PasteTarget() const;
    void PasteLine(const std::vector<std::string>& cells, int nRow, CCellID start, CCellRange& pasted);
    std::uint32_t DropEffectAt(const CCellID& cell, std::uint32_t dwKeyState) const;
    void MoveDropHighlight(const CCellID& cell);
    bool LoadGridLines(const std::vector<std::string>& lines, char chSeparator);
    // Builds the requested cell in the scratch cell (virtual mode).
    CGridCellBase* GetVirtualCell(int nRow, int nCol) const;
    // Row -1 with a valid column (the column cell) or a cell inside the counts.
    bool IsValidItemPosition(int nRow, int nCol) const;
    CGridCellBase* GetItemCell(int nRow, int nCol) const;
    bool AddRow(int nRow, int nHeight);
    bool AddColumn(int nCol, int nWidth);
    void SwapRows(int nRow1, int nRow2);

    // Window, owner and reporting.
    IGridWindowHost* m_pHost = nullptr;
    IGridNotifyTarget* m_pNotifyTarget = nullptr;
    int m_nID = 0;
    IMessageBox* m_pMessageBox = nullptr;

    // Counts and storage.
    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    CCellStore m_cells;
    std::vector<CGridCellBase*> m_arColumnCells;
    std::vector<int> m_arRowHeights;
    std::vector<int> m_arColWidths;
    std::vector<int> m_arColumnSortTypes;
    int m_nDefaultSortType = 0;

    // Cells by class; default cells; the scratch cell of virtual mode.
    const CRuntimeClass* m_pRtcDefault = nullptr;
    const CRuntimeClass* m_pRtcNonFixed = nullptr;
    std::unique_ptr<CGridDefaultCell> m_cellDefault;
    std::unique_ptr<CGridDefaultCell> m_cellFixedColDef;
    std::unique_ptr<CGridDefaultCell> m_cellFixedRowDef;
    std::unique_ptr<CGridDefaultCell> m_cellFixedRowColDef;
    mutable CGridCell m_cellVirtual;

    // Settings.
    bool m_bEditable = true;
    bool m_bEnableSelection = true;
    bool m_bHandleTabKey = true;
    bool m_bFixedRowSelection = true;
    bool m_bFixedColumnSelection = true;
    bool m_bSortOnClick = false;
    bool m_bListMode = false;
    bool m_bSingleRowSelection = false;
    bool m_bSingleColSelection = false;
    bool m_bTrackFocusCell = true;
    bool m_bFrameFocus = true;
    bool m_bTitleTips = true;
    bool m_bDoubleBuffer = true;
    bool m_bAllowDragAndDrop = false;
    bool m_bAllowDraw = true;
    int m_nGridLines = GVL_BOTH;
    int m_nAutoSizeColumnStyle = GVS_BOTH;
    bool m_bModified = false;
    bool m_bVirtualMode = false;
    GRIDCALLBACK m_pfnCallback = nullptr;
    std::intptr_t m_lParamCallback = 0;
    int m_nSortColumn = -1;
    bool m_bAscending = true;
    PFNLVCOMPARE m_pfnCompare = nullptr;
    int m_nRowsPerWheelNotch = 3;
    IImageList* m_pImageList = nullptr;

    // Colours.
    COLORREF m_crGridLineColour = RGB(0xC0, 0xC0, 0xC0);
    COLORREF m_crWindowText = 0;
    COLORREF m_crWindowColour = 0;
    COLORREF m_cr3DFace = 0;
    COLORREF m_crShadow = 0;
    COLORREF m_crGridBkColour = 0;
    COLORREF m_crTTipBackClr = CLR_DEFAULT;
    COLORREF m_crTTipTextClr = CLR_DEFAULT;

    // Focus, selection, layout cache; the cell whose in-place editor is open.
    CCellID m_idCurrentCell;
    CCellID m_idEditCell;
    mutable CCellID m_idTopLeftCell;
    CCellMap m_SelectedCellMap;
    CCellMap m_PrevSelectedCellMap;

    // Printing settings.
    bool m_bPrintBlackAndWhite = false;
    CRect m_rectPrintClip;

    // Scroll bars: 0x01 horizontal shown, 0x02 vertical shown; maxima in pixels.
    int m_nBarState = 0;
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;

    // Mouse and keyboard input.
    CCellID m_SelectionStartCell;
    CCellID m_LeftClickDownCell;
    CPoint m_LeftClickDownPoint;
    CPoint m_LastMousePoint;
    bool m_bLMouseButtonDown = false;
    int m_MouseMode = 0;
    unsigned m_nTimerID = 0;
    unsigned m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    bool m_bAllowColumnResize = true;
    bool m_bAllowRowResize = true;
    bool m_bHiddenColUnhide = true;
    bool m_bHiddenRowUnhide = true;
    bool m_bAllowColHide = true;
    bool m_bAllowRowHide = true;
    // Clipboard and drag and drop: the clipboard set, the cell that carries the drop highlight.
    IClipboard* m_pClipboard = nullptr;
    CCellID m_LastDragOverCell;
    // The system colours the defaults were last set from (for OnSysColorChange).
    COLORREF m_crHighlight = 0;
    COLORREF m_crHighlightText = 0;
};
