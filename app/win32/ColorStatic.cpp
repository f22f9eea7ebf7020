#include "app/win32/ColorStatic.h"

CColorStatic::CColorStatic() {
    m_brBk = ::CreateSolidBrush(m_crBk);
}

CColorStatic::~CColorStatic() {
    if (m_brBk != nullptr)
        ::DeleteObject(m_brBk);
}

SysCOLORREF CColorStatic::ButtonFaceColour() {
    return SysGetSysColor(COLOR_BTNFACE);
}

void CColorStatic::SetBkColor(SysCOLORREF colour) {
    m_crBk = colour;
    if (m_brBk != nullptr)
        ::DeleteObject(m_brBk);
    m_brBk = ::CreateSolidBrush(colour);
    Redraw();
}

void CColorStatic::SetTextColor(SysCOLORREF colour) {
    m_crText = colour;
    Redraw();
}

void CColorStatic::SetWindowText(const wchar_t* text) {
    ::SetWindowTextW(m_hWnd, text);
}

HBRUSH CColorStatic::CtlColor(HDC hdc) const {
    ::SetBkColor(hdc, m_crBk);
    ::SetTextColor(hdc, m_crText);
    return m_brBk;
}

void CColorStatic::Redraw() const {
    if (m_hWnd != nullptr)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
