#include "grid/win32/GridDropTarget.h"

#include "grid/GridCtrl.h"
#include "platform/win32/Win32Api.h"

CGridDropTarget* CGridDropTarget::Register(HWND hWnd, CGridCtrl& grid) {
    auto* pTarget = new CGridDropTarget(hWnd, grid);
    if (FAILED(RegisterDragDrop(hWnd, pTarget))) {
        pTarget->Release();
        return nullptr;
    }
    return pTarget;
}

void CGridDropTarget::Revoke(HWND hWnd, CGridDropTarget* pTarget) {
    if (pTarget == nullptr) {
        return;
    }
    RevokeDragDrop(hWnd);
    pTarget->Release();
}

CPoint CGridDropTarget::ClientPoint(POINTL pt) const {
    POINT point = {pt.x, pt.y};
    ScreenToClient(m_hWnd, &point);
    return {point.x, point.y};
}

STDMETHODIMP CGridDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                        DWORD* pdwEffect) {
    m_bHasText = HasCellText(pDataObj);
    const std::uint32_t dwEffect = m_grid.OnDragEnter(m_bHasText, grfKeyState, ClientPoint(pt));
    *pdwEffect &= dwEffect;
    return S_OK;
}

// The cells may have moved under a pointer that stayed: the highlight follows them.
STDMETHODIMP CGridDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    const CPoint point = ClientPoint(pt);
    if (m_bHasText && m_grid.GetDragAndDrop()) {
        m_grid.OnDragScroll(point);
    }
    *pdwEffect &= m_grid.OnDragOver(m_bHasText, grfKeyState, point);
    return S_OK;
}

STDMETHODIMP CGridDropTarget::DragLeave() {
    m_grid.OnDragLeave();
    return S_OK;
}

STDMETHODIMP CGridDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    const std::optional<std::string> text = CellTextFromDataObject(pDataObj);
    const std::uint32_t dwEffect = (grfKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    const bool bDropped = m_grid.OnDrop(text ? &*text : nullptr, dwEffect, ClientPoint(pt));
    *pdwEffect = bDropped ? (*pdwEffect & dwEffect) : DROPEFFECT_NONE;
    return S_OK;
}
