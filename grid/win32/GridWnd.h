#pragma once

// The core's headers before the system's (Win32Api.h renames what they share).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/GridEditWnd.h"

#include "grid/GridWindowHost.h"
#include "platform/Geometry.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32WaitCursor.h"
// Last, as in every file of this room: include this header after the project's own.
#include "platform/win32/Win32Api.h"

class CGridCtrl;
class CGridDropTarget;
class CTitleTip;

// The window of a grid on Win32: window class "TovamoGrid". It hosts a CGridCtrl that
// its owner keeps (and keeps alive longer than the window, or detaches first): once
// attached it is the grid's window host. The window owns this object: it is made when
// the window is created (by CreateWindowExW, or by a dialog template's CONTROL of the
// class) and freed when the window is destroyed. The scroll positions live in the
// window's own scroll bars; painting goes through a memory context when the grid asks
// for double buffering. The in-place editors are subclassed EDIT and COMBOBOX children,
// the title tip a popup window, and the window is an OLE drop target once the program
// has called OleInitialize.
//
// The grid's notifications reach its notify target (CGridCtrl::SetNotifyTarget); the
// command after a click reaches the notify target's OnGridCommand and, as for any
// control, the parent as a posted WM_COMMAND with the window's control id. A right
// click goes on to the parent as WM_CONTEXTMENU.
//
// Child windows hear of colour and setting changes only from their top window: the
// owner refreshes the system metrics and then forwards WM_SYSCOLORCHANGE and
// WM_SETTINGCHANGE to the grid window. A CGridWnd* is good until the window's
// WM_DESTROY; the grid is let go then (editors still open report nothing).
class CGridWnd final : public IGridWindowHost {
public:
    // Registers the class for the module; true if it is registered (now or before).
    static bool RegisterWindowClass(HINSTANCE hInstance);
    // The grid window of the handle; nullptr for any other window.
    static CGridWnd* FromHandle(HWND hWnd);
    // A visible child window with a client edge and both scroll bars ready; registers
    // the class first. nullptr when it cannot be made.
    static CGridWnd* Create(HWND hParent, const RECT& rect, UINT nID);

    CGridWnd(const CGridWnd&) = delete;
    CGridWnd& operator=(const CGridWnd&) = delete;

    // Makes this window the grid's host: attach first, then set up rows and columns
    // (attaching gives every existing row and column the default cell's size).
    void Attach(CGridCtrl& grid);
    // Lets the grid go (it keeps no pointer to this window afterwards).
    void Detach();
    CGridCtrl* Grid() const { return m_pGrid; }
    HWND GetHwnd() const { return m_hWnd; }
    // The font the editors and the title tip use: the grid's (SetFont), else the
    // window's (WM_SETFONT), else the GUI font. Owned by the window.
    HFONT GetEditorFont();
    CTitleTip* GetTitleTip() const { return m_pTitleTip.get(); }
    // The window's drop target; nullptr without OLE.
    IDropTarget* GetDropTarget() const;

    // --- IGridWindowHost -----------------------------------------------------------------
    bool IsWindow() const override;
    void* GetSafeHwnd() const override { return m_hWnd; }
    void Invalidate(bool bErase = true) override;
    void InvalidateRect(const CRect& rect, bool bErase = true) override;
    CRect GetClientRect() const override;
    std::unique_ptr<IDrawContext> GetDC() override;
    std::unique_ptr<IDrawContext> GetDrawDC() override;

    bool GetScrollInfo(int nBar, SCROLLINFO* pInfo) const override;
    void SetScrollInfo(int nBar, const SCROLLINFO& info, bool bRedraw = true) override;
    void ShowScrollBar(int nBar, bool bShow) override;
    void PostScrollRequest(int nBar, int nCode) override;

    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    void SetCursor(int nCursor) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    CPoint GetCursorPos() const override;
    void ClipCursor(const CRect* pRect) override;
    void SetDragLine(const CRect* pBand) override;
    void SetTimer(unsigned nIDEvent, unsigned nElapse) override;
    void KillTimer(unsigned nIDEvent) override;
    void SetFocus() override;
    std::uint32_t GetKeyModifiers() const override;
    void PostCommandToOwner() override;

    void ShowTitleTip(const CRect& rectTitle, const std::string& strTitle, int xoffset,
                      const CRect& rectHover, const LOGFONT* plf, COLORREF crTextClr,
                      COLORREF crBackClr) override;
    void HideTitleTip() override;

    IClipboard* GetClipboard() const override;
    std::uint32_t DoDragDrop(const std::string& text, std::uint32_t dwAllowedEffects) override;

    IGridEditWnd* CreateInPlaceEdit(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID, int nRow,
                                    int nCol, const std::string& strInitText,
                                    std::uint32_t nFirstChar) override;
    IGridEditWnd* CreateInPlaceList(const CRect& rect, std::uint32_t dwStyle, std::uint32_t nID, int nRow,
                                    int nCol, COLORREF crFore, COLORREF crBack,
                                    const std::vector<std::string>& options, const std::string& strInitText,
                                    std::uint32_t nFirstChar) override;

private:
    // Posted to itself after a click, so that the command arrives once the release has
    // been handled, as a posted command does.
    static constexpr UINT kGridCommandMessage = WM_APP + 0x3A1;

    explicit CGridWnd(HWND hWnd);
    ~CGridWnd() override;

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam);
    LRESULT OnMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam);
    // Input (GridWndInput.cpp); each returns false when the default handling is to run.
    bool OnInputMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam, LRESULT* pResult);
    bool OnKeyMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam, LRESULT* pResult);
    bool OnMouseMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam);
    void OnKeyDown(WPARAM wParam);
    void OnCharMessage(WPARAM wParam);
    std::uint32_t CharModifiers() const;
    void OnWheel(int nDelta, WPARAM wParam, SysLPARAM lParam);
    bool OnSetCursorMessage(WPARAM wParam, SysLPARAM lParam);
    void OnCaptureChangedMessage(HWND hNewCapture);
    void OnMouseLeave();
    // A point of a mouse message, kept inside the clip rectangle while a divider is
    // dragged (messages sent by a program do not follow ClipCursor).
    CPoint MousePoint(SysLPARAM lParam) const;
    void TrackMouseLeave();

    // Painting (GridWndPaint.cpp).
    void OnPaint();
    void PaintInto(HDC hDC, const RECT& rcPaint);
    void InvertDragLine(HDC hDC) const;
    void OnScrollMessage(int nBar, WPARAM wParam);
    void OnSetFontMessage(HFONT hFont, bool bRedraw);
    void ForgetEditorFont();
    void DeleteEditorFonts();
    void OnGridCommandPosted();
    void DetachGrid();

    HWND m_hWnd = nullptr;
    CGridCtrl* m_pGrid = nullptr;
    // The thumb position of the scroll request being handled, when one was given.
    std::optional<int> m_trackPos[2];
    // Which bars the grid has shown (SB_HORZ, SB_VERT).
    bool m_bBarShown[2] = {false, false};
    bool m_bReleasingCapture = false;
    bool m_bTrackingLeave = false;
    bool m_bCursorSet = false;
    int m_nWheelRemainder = 0;  // wheel delta short of a whole notch
    std::optional<CRect> m_clipCursor;
    std::optional<CRect> m_dragLine;
    CWin32WaitCursor m_waitCursor;
    // Made when the grid first asks for it (it owns a hidden window of its own).
    mutable std::unique_ptr<CWin32Clipboard> m_pClipboard;
    HFONT m_hWindowFont = nullptr;  // given by WM_SETFONT, not ours
    HFONT m_hEditorFont = nullptr;  // made from the grid's font, ours
    LOGFONT m_lfEditorFont{};
    int m_nEditorFontDpi = 0;
    // Fonts made before, which editors still open may use: deleted with the window.
    std::vector<HFONT> m_retiredFonts;
    std::unique_ptr<CTitleTip> m_pTitleTip;
    CGridDropTarget* m_pDropTarget = nullptr;
    // UTF-16 high surrogate waiting for its second half.
    wchar_t m_chHighSurrogate = 0;
};
