#pragma once

// The core's headers before the system's (Win32Api.h renames what they share).
#include <optional>
#include <string>
#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/GridEditWnd.h"
#include "grid/win32/ComObject.h"

#include "platform/win32/Win32Api.h"

class CGridCtrl;

// The grid window as an OLE drop target: the drag's events, in client coordinates,
// turned into the grid's drop handling. A drag hovering near an edge scrolls the grid
// (OLE keeps asking while the pointer rests). The cell texts travel under our own
// registered format with their bytes unchanged, and as CF_UNICODETEXT for other
// programs, which is also what is taken from them.
class CGridDropTarget final : public CComObject<IDropTarget, IID_IDropTarget> {
public:
    // Registers the window (needs OleInitialize); nullptr when OLE refuses.
    static CGridDropTarget* Register(HWND hWnd, CGridCtrl& grid);
    static void Revoke(HWND hWnd, CGridDropTarget* pTarget);

    STDMETHODIMP DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    STDMETHODIMP DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

private:
    CGridDropTarget(HWND hWnd, CGridCtrl& grid) : m_hWnd(hWnd), m_grid(grid) {}
    ~CGridDropTarget() override = default;
    CPoint ClientPoint(POINTL pt) const;

    HWND m_hWnd = nullptr;
    CGridCtrl& m_grid;
    bool m_bHasText = false;
};

// The registered format of cell texts between our own programs.
UINT CellTextFormat();
// A data object offering the text (Windows-1252 bytes) both ways; the caller releases it.
IDataObject* CreateCellTextDataObject(const std::string& text);
// The text a data object offers: our own bytes, else its Unicode text as Windows-1252.
std::optional<std::string> CellTextFromDataObject(IDataObject* pDataObj);
bool HasCellText(IDataObject* pDataObj);
