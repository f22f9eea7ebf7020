#include "app/win32/EditParam.h"

#include "app/win32/Globals.h"
#include "app/win32/WindowDpi.h"
#include "app/win32/resource.h"
#include "link/KeyWriter.h"
#include "platform/win32/WideCp1252.h"

#include <string>

#include "platform/win32/Win32Api.h"

namespace {
constexpr SysCOLORREF kWhite = RGB(255, 255, 255);
constexpr SysCOLORREF kRed = RGB(255, 0, 0);

// The fields draw '&' as a mnemonic prefix: every one of the drive's ampersands is
// doubled so that the text shows exactly as the drive sent it. (Doubling only the
// first would turn a second '&' into an underline and hide it.)
std::wstring EscapeAmpersands(const std::wstring& text) {
    std::wstring escaped;
    escaped.reserve(text.size());
    for (const wchar_t c : text) {
        if (c == L'&')
            escaped += L'&';
        escaped += c;
    }
    return escaped;
}
}  // namespace

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
    const LOGFONTW attributes = BoldFontAttributes(WindowDpi(GetSafeHwnd()));
    const HFONT font = ::CreateFontIndirectW(&attributes);
    if (font == nullptr)
        return;
    for (CColorStatic* field : {&m_stcError, &m_stcValue, &m_stcName})
        ::SendMessageW(field->GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_hBoldFont != nullptr)
        ::DeleteObject(m_hBoldFont);
    m_hBoldFont = font;
}

char CEditParam::KeyByte(WPARAM key) {
    switch (key) {
        case VK_RETURN:
        case 'E':
            return 'e';
        case VK_ESCAPE:
        case 'O':
            return 'o';
        case VK_UP:
        case 'U':
            return 'u';
        case VK_DOWN:
        case 'D':
            return 'd';
        default:
            return 0;
    }
}

// Key-down only: with Alt held the key comes as a system key (menus, mnemonics) and is
// not a panel key. Each auto-repeat is a key-down of its own: one byte each.
bool CEditParam::PreTranslatePageMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN)
        return false;
    const char byte = KeyByte(pMsg->wParam);
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
    const std::wstring text = EscapeAmpersands(WideFromCp1252(record->m_strText));
    if (record->m_bValue == 1)
        ShowValue(text);
    else if (record->m_bError == 1)
        ShowError(text);
    else
        ShowName(text);
}  // the record is deleted here

void CEditParam::ShowValue(const std::wstring& text) {
    m_stcValue.SetWindowText(text.c_str());
    if (m_nLastKind == kValue)
        return;
    m_nLastKind = kValue;
    m_stcValue.SetBkColor(kWhite);
    m_stcError.SetBkColor(CColorStatic::ButtonFaceColour());
    m_stcName.SetBkColor(CColorStatic::ButtonFaceColour());
}

void CEditParam::ShowError(const std::wstring& text) {
    m_stcError.SetWindowText(text.c_str());
    if (m_nLastKind == kError)
        return;
    m_nLastKind = kError;
    m_stcError.SetBkColor(kWhite);
    m_stcError.SetTextColor(kRed);
    m_stcValue.SetBkColor(CColorStatic::ButtonFaceColour());
    m_stcName.SetBkColor(CColorStatic::ButtonFaceColour());
    m_stcValue.SetWindowText(L"");
}

void CEditParam::ShowName(const std::wstring& text) {
    m_stcName.SetWindowText(text.c_str());
    if (m_nLastKind == kName)
        return;
    m_nLastKind = kName;
    m_stcName.SetBkColor(kWhite);
    m_stcValue.SetBkColor(CColorStatic::ButtonFaceColour());
    m_stcError.SetBkColor(CColorStatic::ButtonFaceColour());
    m_stcValue.SetWindowText(L"");
}
