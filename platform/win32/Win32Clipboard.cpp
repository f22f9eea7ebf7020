#include "platform/win32/Win32Clipboard.h"

#include "platform/win32/WideCp1252.h"

#include <cstring>

#include "platform/win32/Win32Api.h"

namespace {

// Another program may hold the clipboard open for a moment.
bool OpenWithRetry(HWND hOwner) {
    for (int nTry = 0; nTry < 10; ++nTry) {
        if (::OpenClipboard(hOwner))
            return true;
        ::Sleep(10);
    }
    return false;
}

class CClipboardOpen {
public:
    explicit CClipboardOpen(HWND hOwner) : m_bOpen(OpenWithRetry(hOwner)) {}
    ~CClipboardOpen() {
        if (m_bOpen)
            ::CloseClipboard();
    }
    CClipboardOpen(const CClipboardOpen&) = delete;
    CClipboardOpen& operator=(const CClipboardOpen&) = delete;
    bool IsOpen() const { return m_bOpen; }

private:
    bool m_bOpen;
};

// A moveable block holding the bytes; nullptr when there is no memory for it.
HGLOBAL BlockOf(const void* pData, std::size_t nSize) {
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
    void* pBlock = hBlock != nullptr ? ::GlobalLock(hBlock) : nullptr;
    if (pBlock == nullptr) {
        if (hBlock != nullptr)
            ::GlobalFree(hBlock);
        return nullptr;
    }
    std::memcpy(pBlock, pData, nSize);
    ::GlobalUnlock(hBlock);
    return hBlock;
}

void Place(UINT nFormat, HGLOBAL hBlock) {
    if (hBlock != nullptr && ::SetClipboardData(nFormat, hBlock) == nullptr)
        ::GlobalFree(hBlock);  // still ours when the clipboard did not take it
}

// Our own format: the length, then the bytes (a block may be larger than asked for).
HGLOBAL CellTextBlock(const std::string& text) {
    const auto nLength = static_cast<std::uint32_t>(text.size());
    std::string block(sizeof(nLength), '\0');
    std::memcpy(block.data(), &nLength, sizeof(nLength));
    block += text;
    return BlockOf(block.data(), block.size());
}

std::wstring WithCrLf(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r'))
            out.push_back(L'\r');
        out.push_back(text[i]);
    }
    return out;
}

std::wstring WithoutCrLf(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n'))
            out.push_back(text[i]);
    return out;
}

std::optional<std::string> ReadCellText(HANDLE hData) {
    const std::size_t nSize = ::GlobalSize(hData);
    const auto* pBlock = static_cast<const char*>(::GlobalLock(hData));
    if (pBlock == nullptr)
        return std::nullopt;
    std::optional<std::string> text;
    std::uint32_t nLength = 0;
    if (nSize >= sizeof(nLength)) {
        std::memcpy(&nLength, pBlock, sizeof(nLength));
        if (nLength <= nSize - sizeof(nLength))
            text = std::string(pBlock + sizeof(nLength), nLength);
    }
    ::GlobalUnlock(hData);
    return text;
}

std::optional<std::string> ReadUnicodeText(HANDLE hData) {
    const std::size_t nUnits = ::GlobalSize(hData) / sizeof(wchar_t);
    const auto* pText = static_cast<const wchar_t*>(::GlobalLock(hData));
    if (pText == nullptr)
        return std::nullopt;
    // The text ends at its NUL, or at the block's end if another program left none.
    const std::wstring_view text(pText, wcsnlen(pText, nUnits));
    std::string bytes = Cp1252FromWide(WithoutCrLf(text));
    ::GlobalUnlock(hData);
    return bytes;
}

}  // namespace

unsigned CWin32Clipboard::CellTextFormat() {
    static const UINT nFormat = ::RegisterClipboardFormatW(kCellTextFormatName);
    return nFormat;
}

CWin32Clipboard::CWin32Clipboard() = default;

void CWin32Clipboard::SetText(const std::string& text) {
    const CClipboardOpen clipboard(m_owner.GetSafeHwnd());
    if (!clipboard.IsOpen() || !::EmptyClipboard())
        return;
    const std::wstring wide = WithCrLf(WideFromCp1252(text));
    Place(CF_UNICODETEXT, BlockOf(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)));
    if (CellTextFormat() != 0)
        Place(CellTextFormat(), CellTextBlock(text));
}

bool CWin32Clipboard::HasText() const {
    return (CellTextFormat() != 0 && ::IsClipboardFormatAvailable(CellTextFormat())) ||
           ::IsClipboardFormatAvailable(CF_UNICODETEXT);
}

std::optional<std::string> CWin32Clipboard::GetText() const {
    const CClipboardOpen clipboard(m_owner.GetSafeHwnd());
    if (!clipboard.IsOpen())
        return std::nullopt;
    if (CellTextFormat() != 0 && ::IsClipboardFormatAvailable(CellTextFormat())) {
        if (HANDLE hData = ::GetClipboardData(CellTextFormat()); hData != nullptr)
            if (std::optional<std::string> text = ReadCellText(hData))
                return text;
    }
    if (HANDLE hData = ::GetClipboardData(CF_UNICODETEXT); hData != nullptr)
        return ReadUnicodeText(hData);
    return std::nullopt;
}
