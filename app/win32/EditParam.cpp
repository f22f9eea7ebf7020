#include "app/win32/EditParam.h"

#include "app/win32/Globals.h"
#include "app/win32/WindowDpi.h"
#include "app/win32/resource.h"
#include "link/KeyWriter.h"
#include "platform/win32/WideCp1252.h"

#include <string>

#include "platform/win32/Win32Api.h"

CEditParam::CEditParam(IKeyWriter& writer) : CMyCPropertyPage(IDD_EDIT), m_Writer(writer) {}

CEditParam::~CEditParam() {
    if (m_hBoldFont != nullptr)
        ::DeleteObject(m_hBoldFont);
}

const CColorStatic& CEditParam::Field(int nId) const {
    return nId == IDC_ERROR ? m_stcError : nId == IDC_VALUE ? m_stcValue : m_stcName;
}

void CEditParam::OnInitDialog() {
    m_stcError.Attach(::GetDlgItem(GetSafeHwnd(), IDC_ERROR));
    m_stcValue.Attach(::GetDlgItem(GetSafeHwnd(), IDC_VALUE));
    m_stcName.Attach(::GetDlgItem(GetSafeHwnd(), IDC_NAME));
    SetBoldFont();
}

// The bold font at the page's DPI, made again when the window moves to another DPI.
void CEditParam::SetBoldFont() {
    const LOGFONTW attributes = BoldFontAttributes(DpiOfWindow(GetSafeHwnd()));
    const HFONT font = ::CreateFontIndirectW(&attributes);
    if (font == nullptr)
        return;
    for (CColorStatic* field : {&m_stcError, &m_stcValue, &m_stcName})
        ::SendMessageW(field->GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_hBoldFont != nullptr)
        ::DeleteObject(m_hBoldFont);
    m_hBoldFont = font;
}

// Key-down only: with Alt held the key comes as a system key (WM_SYSKEYDOWN: menus,
// mnemonics). Each auto-repeat is a key-down of its own: one byte each.
bool CEditParam::PreTranslatePageMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN)
        return false;
    const char byte = EditKeyByte(static_cast<std::uint32_t>(pMsg->wParam), false);
    if (byte == 0)
        return false;
    m_Writer.WritePort(&byte, 1);
    return true;
}

bool CEditParam::OnMessage(UINT message, WPARAM wParam, SysLPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_CTLCOLORSTATIC: {
            const auto hControl = reinterpret_cast<HWND>(lParam);
            for (const CColorStatic* field : {&m_stcError, &m_stcValue, &m_stcName}) {
                if (field->GetSafeHwnd() == hControl) {
                    result = reinterpret_cast<INT_PTR>(field->CtlColor(reinterpret_cast<HDC>(wParam)));
                    return true;
                }
            }
            return false;
        }
        case WM_DPICHANGED_AFTERPARENT:
            SetBoldFont();
            return true;
        default:
            return false;
    }
}

void CEditParam::OnPageData(std::unique_ptr<CServoData> record) {
    const SEditChanges changes = m_Fields.Show(*record);
    Apply(m_stcValue, changes.value);
    Apply(m_stcError, changes.error);
    Apply(m_stcName, changes.name);
}  // the record is deleted here

void CEditParam::Apply(CColorStatic& field, const SFieldChange& change) {
    if (change.bSetText)
        field.SetWindowText(WideFromCp1252(change.strText).c_str());
    if (change.eBk != EFieldBk::kKeep)
        field.SetBkColor(change.eBk == EFieldBk::kWhite ? kEditWhite : CColorStatic::ButtonFaceColour());
    if (change.bRedText)
        field.SetTextColor(kEditRed);
}
