#include "grid/GridCtrl.h"

#include <cstdarg>
#include <cstdio>
#include <new>

#include "grid/GridCellLitle.h"
#include "platform/MessageBox.h"
#include "platform/SystemMetrics.h"

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
    : m_pRtcDefault(RUNTIME_CLASS(CGridCell)),
      m_cellDefault(std::make_unique<CGridDefaultCell>()),
      m_cellFixedColDef(std::make_unique<CGridDefaultCell>()),
      m_cellFixedRowDef(std::make_unique<CGridDefaultCell>()),
      m_cellFixedRowColDef(std::make_unique<CGridDefaultCell>()) {
    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = ::GetSysColor(COLOR_WINDOW);
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crGridBkColour = m_crShadow;
    m_nRowsPerWheelNotch = SystemMetrics().GetWheelScrollLines();

    for (CGridDefaultCell* pDefault : {m_cellDefault.get(), m_cellFixedColDef.get(), m_cellFixedRowDef.get(),
                                       m_cellFixedRowColDef.get()}) {
        pDefault->SetGrid(this);
        pDefault->SetTextColor(m_crWindowText);
        pDefault->SetBackColor(pDefault == m_cellDefault.get() ? m_crWindowColour : m_cr3DFace);
    }

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
    m_SelectedCellMap.clear();
    m_PrevSelectedCellMap.clear();
}

// The owner, the callback and the window may be gone already: the grid does not call
// them while it takes itself apart.
CGridCtrl::~CGridCtrl() {
    m_pNotifyTarget = nullptr;
    m_pfnCallback = nullptr;
    m_pHost = nullptr;
    DeleteAllItems();
}

void CGridCtrl::Create(IGridWindowHost* pHost) {
    m_pHost = pHost;
    if (pHost == nullptr) {
        return;
    }
    std::fill(m_arRowHeights.begin(), m_arRowHeights.end(), m_cellDefault->GetHeight());
    std::fill(m_arColWidths.begin(), m_arColWidths.end(), m_cellDefault->GetWidth());
    ResetScrollBars();
}

std::intptr_t CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) const {
    if (m_pNotifyTarget == nullptr) {
        return 0;
    }
    GRID_NOTIFY nmgv;
    nmgv.hdr.hwndFrom = GetSafeHwnd();
    nmgv.hdr.idFrom = m_nID;
    nmgv.hdr.code = nMessage;
    nmgv.iRow = nRow;
    nmgv.iColumn = nCol;
    return m_pNotifyTarget->OnGridNotify(m_nID, &nmgv.hdr);
}

std::intptr_t CGridCtrl::SendDisplayRequestToParent(GRID_DISPINFO* pDisplayInfo) const {
    if (m_pNotifyTarget == nullptr || pDisplayInfo == nullptr) {
        return 0;
    }
    pDisplayInfo->hdr.hwndFrom = GetSafeHwnd();
    pDisplayInfo->hdr.idFrom = m_nID;
    pDisplayInfo->hdr.code = GN_GETDISPINFO;
    return m_pNotifyTarget->OnGridNotify(m_nID, &pDisplayInfo->hdr);
}

std::intptr_t CGridCtrl::SendCacheHintToParent(const CCellRange& range) const {
    if (m_pNotifyTarget == nullptr) {
        return 0;
    }
    GRID_CACHEHINT hint;
    hint.hdr.hwndFrom = GetSafeHwnd();
    hint.hdr.idFrom = m_nID;
    hint.hdr.code = GN_ODCACHEHINT;
    hint.range = range;
    return m_pNotifyTarget->OnGridNotify(m_nID, &hint.hdr);
}

// Memory may still be short while the message is shown: a failure to show it is
// swallowed, as the operation already reports its failure by its result.
void CGridCtrl::ReportOutOfMemory() const {
    if (m_pMessageBox == nullptr) {
        return;
    }
    try {
        m_pMessageBox->ShowMessage("Out of memory.");
    } catch (const std::bad_alloc&) {
    }
}

void CGridCtrl::SetFont(const LOGFONT* plf) {
    if (plf == nullptr) {
        return;
    }
    try {
        for (CGridDefaultCell* pDefault : {m_cellDefault.get(), m_cellFixedColDef.get(),
                                           m_cellFixedRowDef.get(), m_cellFixedRowColDef.get()}) {
            pDefault->SetFont(plf);
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
    }
    Refresh();
}

const LOGFONT* CGridCtrl::GetFont() const {
    return m_cellDefault->GetFont();
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(bool bFixedRow, bool bFixedCol) const {
    if (bFixedRow && bFixedCol) {
        return m_cellFixedRowColDef.get();
    }
    if (bFixedRow) {
        return m_cellFixedRowDef.get();
    }
    if (bFixedCol) {
        return m_cellFixedColDef.get();
    }
    return m_cellDefault.get();
}

// --- Settings -----------------------------------------------------------------------------

void CGridCtrl::EnableSelection(bool bEnable) {
    ResetSelectedRange();
    m_bEnableSelection = bEnable;
    ResetSelectedRange();
}

void CGridCtrl::SetListMode(bool bEnableListMode) {
    ResetSelectedRange();
    SetSortColumn(-1);
    m_bListMode = bEnableListMode;
    SetFixedColumnSelection(false);
    Refresh();
}

void CGridCtrl::SetRedraw(bool bAllowDraw, bool bResetScrollBars) {
    if (bAllowDraw && !m_bAllowDraw) {
        m_bAllowDraw = true;
        Refresh();
    }
    m_bAllowDraw = bAllowDraw;
    if (bResetScrollBars) {
        ResetScrollBars();
    }
}

void CGridCtrl::SetGridLines(int nWhichLines) {
    m_nGridLines = nWhichLines;
    Refresh();
}

void CGridCtrl::SetVirtualMode(bool bVirtual) {
    DeleteAllItems();
    m_bVirtualMode = bVirtual;
    if (bVirtual) {
        SetEditable(false);
        SetHeaderSort(false);
        SetFixedRowSelection(false);
        SetFixedColumnSelection(false);
        SetAutoSizeStyle(GVS_HEADER);
    }
}

void CGridCtrl::SetCallbackFunc(GRIDCALLBACK pCallback, std::intptr_t lParam) {
    m_pfnCallback = pCallback;
    m_lParamCallback = lParam;
}

void CGridCtrl::SetLightCellMode() {
    m_pRtcNonFixed = RUNTIME_CLASS(CGridCellLitle);
}

bool CGridCtrl::SetItemTextFormatted(int nRow, int nCol, const char* szFmt, ...) {
    if (szFmt == nullptr) {
        return false;
    }
    va_list args;
    va_start(args, szFmt);
    va_list argsCopy;
    va_copy(argsCopy, args);
    const int nLength = std::vsnprintf(nullptr, 0, szFmt, args);
    va_end(args);
    std::string str;
    try {
        if (nLength > 0) {
            str.resize(static_cast<std::size_t>(nLength) + 1);
            std::vsnprintf(str.data(), str.size(), szFmt, argsCopy);
            str.resize(static_cast<std::size_t>(nLength));
        }
    } catch (const std::bad_alloc&) {
        va_end(argsCopy);
        ReportOutOfMemory();
        return false;
    }
    va_end(argsCopy);
    return nLength >= 0 && SetItemText(nRow, nCol, str);
}
