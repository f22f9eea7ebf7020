#pragma once

#include "platform/win32/Win32Api.h"

// A static text control with a background and text colour of its own: its parent
// answers the control-colour request with CtlColor. Owns its brush; the control itself
// belongs to its dialog.
class CColorStatic {
public:
    CColorStatic();
    ~CColorStatic();

    CColorStatic(const CColorStatic&) = delete;
    CColorStatic& operator=(const CColorStatic&) = delete;

    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Each setter repaints the control at once.
    void SetBkColor(SysCOLORREF colour);
    void SetTextColor(SysCOLORREF colour);
    void SetWindowText(const wchar_t* text);

    SysCOLORREF BkColor() const { return m_crBk; }
    SysCOLORREF TextColor() const { return m_crText; }

    // WM_CTLCOLORSTATIC for this control: the colours into the drawing context, and the
    // brush for the background.
    HBRUSH CtlColor(HDC hdc) const;

    static SysCOLORREF ButtonFaceColour();

private:
    void Redraw() const;

    HWND m_hWnd = nullptr;
    HBRUSH m_brBk = nullptr;
    SysCOLORREF m_crBk = ButtonFaceColour();
    SysCOLORREF m_crText = 0;
};
