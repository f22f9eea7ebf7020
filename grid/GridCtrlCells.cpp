// Cells by class: creating, replacing and destroying cells, and the cell that virtual
// mode fills from the owner on each request.
#include <new>

#include "grid/GridCtrl.h"

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const {
    if (nRow == -1 && nCol >= 0 && nCol < m_nCols) {
        if (m_bVirtualMode || static_cast<std::size_t>(nCol) >= m_arColumnCells.size()) {
            return nullptr;
        }
        return m_arColumnCells[static_cast<std::size_t>(nCol)];
    }
    if (!IsValid(nRow, nCol)) {
        return nullptr;
    }
    if (m_bVirtualMode) {
        return GetVirtualCell(nRow, nCol);
    }
    return m_cells.Get(nRow, nCol);
}

CGridCellBase* CGridCtrl::GetVirtualCell(int nRow, int nCol) const {
    const bool bFixedRow = nRow < m_nFixedRows;
    const bool bFixedCol = nCol < m_nFixedCols;
    const CGridDefaultCell* pDefault = GetDefaultCell(bFixedRow, bFixedCol);

    GRID_DISPINFO dispInfo;
    dispInfo.hdr.hwndFrom = GetSafeHwnd();
    dispInfo.hdr.idFrom = m_nID;
    dispInfo.hdr.code = GN_GETDISPINFO;
    GRID_ITEM& item = dispInfo.item;
    item.row = nRow;
    item.col = nCol;
    item.mask = 0xFFFFFFFFu;
    item.nFormat = pDefault->GetFormat();
    item.iImage = pDefault->GetImage();
    item.crBkClr = pDefault->GetBackColor();
    item.crFgClr = pDefault->GetTextColor();
    item.lParam = pDefault->GetData();
    if (const LOGFONT* plf = pDefault->GetFont()) {
        item.lfFont = *plf;
    }
    item.nMargin = pDefault->GetMargin();
    item.nState = 0;
    if (m_SelectedCellMap.count(CellMapKey(nRow, nCol)) != 0) {
        item.nState |= GIS_SELECTED;
    }
    if (bFixedRow) {
        item.nState |= GIS_FIXED | GIS_FIXEDROW;
    }
    if (bFixedCol) {
        item.nState |= GIS_FIXED | GIS_FIXEDCOL;
    }
    if (m_idCurrentCell == CCellID(nRow, nCol)) {
        item.nState |= GIS_FOCUSED;
    }

    if (m_pfnCallback != nullptr) {
        m_pfnCallback(&dispInfo, m_lParamCallback);
    } else {
        SendDisplayRequestToParent(&dispInfo);
    }

    m_cellVirtual.SetState(item.nState);
    m_cellVirtual.SetFormat(item.nFormat);
    m_cellVirtual.SetImage(item.iImage);
    m_cellVirtual.SetBackColor(item.crBkClr);
    m_cellVirtual.SetTextColor(item.crFgClr);
    m_cellVirtual.SetData(item.lParam);
    m_cellVirtual.SetMargin(item.nMargin);
    try {
        m_cellVirtual.SetFont(&item.lfFont);
        m_cellVirtual.SetText(item.strText);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    m_cellVirtual.SetGrid(const_cast<CGridCtrl*>(this));
    m_cellVirtual.SetCoords(nRow, nCol);
    return &m_cellVirtual;
}

bool CGridCtrl::SetCell(int nRow, int nCol, CGridCellBase* pCell) {
    if (m_bVirtualMode) {
        return false;
    }
    if (nRow == -1 && nCol >= 0 && nCol < m_nCols) {
        if (m_pRtcNonFixed == nullptr) {
            return false;
        }
        m_arColumnCells[static_cast<std::size_t>(nCol)] = pCell;
        return true;
    }
    if (!IsValid(nRow, nCol)) {
        return false;
    }
    if (pCell != nullptr) {
        pCell->SetCoords(nRow, nCol);
    }
    m_cells.Set(nRow, nCol, pCell);
    return true;
}

bool CGridCtrl::SetCellType(int nRow, int nCol, const CRuntimeClass* pRuntimeClass) {
    if (m_bVirtualMode) {
        return false;
    }
    if (m_pRtcNonFixed == nullptr && !IsValid(nRow, nCol)) {
        return false;
    }
    if (pRuntimeClass == nullptr || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) {
        return false;
    }
    CGridCellBase* pNewCell = nullptr;
    try {
        pNewCell = static_cast<CGridCellBase*>(pRuntimeClass->CreateObject());
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return false;
    }
    if (pNewCell == nullptr) {
        return false;
    }
    CGridCellBase* pCurrCell = GetCell(nRow, nCol);
    pNewCell->SetGrid(this);
    try {
        if (pCurrCell != nullptr) {
            pNewCell->CopyFrom(*pCurrCell);
        }
    } catch (const std::bad_alloc&) {
        delete pNewCell;
        ReportOutOfMemory();
        return false;
    }
    // A position outside the grid cannot take the new cell: it is dropped again.
    if (!SetCell(nRow, nCol, pNewCell)) {
        delete pNewCell;
        return false;
    }
    delete pCurrCell;
    return true;
}

bool CGridCtrl::SetDefaultCellType(const CRuntimeClass* pRuntimeClass) {
    if (pRuntimeClass == nullptr || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) {
        return false;
    }
    m_pRtcDefault = pRuntimeClass;
    return true;
}

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol) {
    const bool bNonFixed = nRow >= m_nFixedRows && nCol >= m_nFixedCols;
    const CRuntimeClass* pClass = (m_pRtcNonFixed != nullptr && bNonFixed) ? m_pRtcNonFixed : m_pRtcDefault;
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) {
        return nullptr;
    }
    auto* pCell = static_cast<CGridCellBase*>(pClass->CreateObject());
    if (pCell == nullptr) {
        return nullptr;
    }
    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);
    std::uint32_t nState = pCell->GetState();
    if (nCol < m_nFixedCols) {
        nState |= GIS_FIXED | GIS_FIXEDCOL;
    }
    if (nRow >= 0 && nRow < m_nFixedRows) {
        nState |= GIS_FIXED | GIS_FIXEDROW;
    }
    pCell->SetState(nState);
    // The default cell of the kind just set in the state bits.
    pCell->SetFormat(GetDefaultCell((nState & GIS_FIXEDROW) != 0, (nState & GIS_FIXEDCOL) != 0)->GetFormat());
    return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol) {
    SetItemState(nRow, nCol, 0);
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr || m_bVirtualMode) {
        return;
    }
    delete pCell;
    if (nRow == -1) {
        m_arColumnCells[static_cast<std::size_t>(nCol)] = nullptr;
    } else {
        m_cells.Set(nRow, nCol, nullptr);
    }
}
