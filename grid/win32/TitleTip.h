#pragma once

// The core's headers before the system's (Win32Api.h renames what they share).
#include <string>
#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/GridEditWnd.h"

#include "platform/ColorRef.h"
#include "platform/Geometry.h"
#include "platform/LogFont.h"
#include "platform/win32/Win32Api.h"

// The grid's title tip: a popup window with a thin border laid over a cell whose text
// does not fit, showing the whole text, as tall as the cell. The pointer goes through
// it (it answers every hit test as transparent), so the grid under it keeps getting
// the moves, presses and double clicks; the grid hides it when the pointer leaves the
// cell or the window (TrackMouseEvent), on a key, a button or the wheel, and when it
// loses the focus. Window class "TovamoTitleTip".
class CTitleTip {
public:
    explicit CTitleTip(HWND hGrid);
    ~CTitleTip();
    CTitleTip(const CTitleTip&) = delete;
    CTitleTip& operator=(const CTitleTip&) = delete;

    // rectTitle and rectHover in the grid's client coordinates; an empty hover
    // rectangle means the title rectangle. Nothing is shown when the text fits, the
    // tip is already up or the program has no focus.
    void Show(const CRect& rectTitle, const std::string& strTitle, int xoffset, const CRect& rectHover,
              const LOGFONT* plf, COLORREF crTextClr, COLORREF crBackClr);
    void Hide();
    bool IsVisible() const;
    // Whether the point (grid client coordinates) lies where the pointer may move
    // without taking the tip away; false while the tip is hidden.
    bool IsInHoverArea(CPoint point) const;

    HWND GetHwnd() const { return m_hWnd; }
    const std::wstring& GetTipText() const { return m_strText; }
    HFONT GetTipFont() const { return m_hFont; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam);
    bool CreateTipWindow();
    void Paint();
    void SetFont(const LOGFONT* plf);

    HWND m_hGrid = nullptr;
    HWND m_hWnd = nullptr;
    CRect m_rectHover;
    std::wstring m_strText;
    HFONT m_hFont = nullptr;
    bool m_bOwnFont = false;
    COLORREF m_crText = CLR_DEFAULT;
    COLORREF m_crBack = CLR_DEFAULT;
};
