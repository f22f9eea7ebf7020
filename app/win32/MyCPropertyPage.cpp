#include "app/win32/MyCPropertyPage.h"

#include <cstring>

namespace {
// Extended templates (DIALOGEX) begin with version 1 and the signature 0xFFFF.
bool IsExtended(const std::vector<BYTE>& dialogTemplate) {
    WORD words[2] = {};
    std::memcpy(words, dialogTemplate.data(), sizeof(words));
    return words[0] == 1 && words[1] == 0xFFFF;
}

// Offsets in the header: style, extended style and the position/size shorts.
struct STemplateLayout {
    size_t style, exStyle, cx;
};
STemplateLayout LayoutOf(const std::vector<BYTE>& dialogTemplate) {
    if (IsExtended(dialogTemplate))
        return {12, 8, 22};  // version, signature, help id, ex style, style, count, x, y, cx, cy
    return {0, 4, 14};       // style, ex style, count, x, y, cx, cy
}

DWORD ReadDword(const std::vector<BYTE>& bytes, size_t offset) {
    DWORD value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

void WriteDword(std::vector<BYTE>& bytes, size_t offset, DWORD value) {
    std::memcpy(bytes.data() + offset, &value, sizeof(value));
}
}  // namespace

HINSTANCE AppInstance() {
    return ::GetModuleHandleW(nullptr);
}

std::vector<BYTE> LoadDialogTemplate(int nTemplateId) {
    const HINSTANCE instance = AppInstance();
    const HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(nTemplateId), MAKEINTRESOURCEW(5));
    if (found == nullptr)
        return {};
    const HGLOBAL loaded = ::LoadResource(instance, found);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    const DWORD size = ::SizeofResource(instance, found);
    if (data == nullptr || size < 18)
        return {};
    const auto* bytes = static_cast<const BYTE*>(data);
    return std::vector<BYTE>(bytes, bytes + size);
}

SIZE DialogTemplateSize(const std::vector<BYTE>& dialogTemplate) {
    if (dialogTemplate.empty())
        return {};
    short size[2] = {};
    std::memcpy(size, dialogTemplate.data() + LayoutOf(dialogTemplate).cx, sizeof(size));
    return {size[0], size[1]};
}

CMyCPropertyPage::CMyCPropertyPage(int nTemplateId) : m_nTemplateId(nTemplateId) {}

CMyCPropertyPage::~CMyCPropertyPage() {
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

SIZE CMyCPropertyPage::TemplateSize() const {
    RECT rect{0, 0, m_templateUnits.cx, m_templateUnits.cy};
    if (m_hWnd != nullptr)
        ::MapDialogRect(m_hWnd, &rect);
    return {rect.right, rect.bottom};
}

bool CMyCPropertyPage::Create(HWND hParent) {
    std::vector<BYTE> dialogTemplate = LoadDialogTemplate(m_nTemplateId);
    if (dialogTemplate.empty())
        return false;
    m_templateUnits = DialogTemplateSize(dialogTemplate);
    // A page is a control of the sheet: no frame of its own, and the sheet's dialog
    // keyboard handling walks into it.
    const STemplateLayout layout = LayoutOf(dialogTemplate);
    const DWORD dropped =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | WS_DISABLED | DS_MODALFRAME;
    WriteDword(dialogTemplate, layout.style,
               (ReadDword(dialogTemplate, layout.style) & ~dropped) | WS_CHILD | DS_CONTROL);
    WriteDword(dialogTemplate, layout.exStyle,
               ReadDword(dialogTemplate, layout.exStyle) | WS_EX_CONTROLPARENT);
    const HWND hWnd = ::CreateDialogIndirectParamW(
        AppInstance(), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), hParent, &DialogProc,
        reinterpret_cast<SysLPARAM>(this));
    if (hWnd == nullptr)
        return false;
    wchar_t title[128] = {};
    ::GetWindowTextW(hWnd, title, static_cast<int>(std::size(title)));
    m_strTitle = title;
    return true;
}

bool CMyCPropertyPage::PreTranslatePageMessage(MSG* /*pMsg*/) {
    return false;
}

void CMyCPropertyPage::ReceiveRecord(std::unique_ptr<CServoData> record) {
    if (m_hWnd != nullptr)
        ::SendMessageW(m_hWnd, WM_PAGEDATA, reinterpret_cast<WPARAM>(record.release()), 0);
}

bool CMyCPropertyPage::ContinueModal() {
    return true;
}

void CMyCPropertyPage::OnPageData(std::unique_ptr<CServoData> /*record*/) {}

void CMyCPropertyPage::OnSize(int /*cx*/, int /*cy*/) {}

bool CMyCPropertyPage::OnMessage(UINT /*message*/, WPARAM /*wParam*/, SysLPARAM /*lParam*/,
                                 INT_PTR& /*result*/) {
    return false;
}

INT_PTR CALLBACK CMyCPropertyPage::DialogProc(HWND hWnd, UINT message, WPARAM wParam, SysLPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<CMyCPropertyPage*>(lParam);
        ::SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->m_hWnd = hWnd;
    }
    auto* page = reinterpret_cast<CMyCPropertyPage*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    if (page == nullptr)
        return FALSE;
    const INT_PTR result = page->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
        page->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR CMyCPropertyPage::HandleMessage(UINT message, WPARAM wParam, SysLPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the sheet decides where the focus goes
        case WM_PAGEDATA:
            // Taken over at once: the record is deleted whatever the page does with it.
            OnPageData(std::unique_ptr<CServoData>(reinterpret_cast<CServoData*>(wParam)));
            return TRUE;
        case WM_SIZE:
            OnSize(LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        default:
            break;
    }
    INT_PTR result = FALSE;
    return OnMessage(message, wParam, lParam, result) ? result : FALSE;
}
