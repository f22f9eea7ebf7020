// The grid window as a drag source: the cell texts in a data object of their own, the
// drag run by OLE's DoDragDrop with a drop source that follows the left button.
#include <cstring>

#include "grid/win32/GridDropTarget.h"
#include "grid/win32/GridWnd.h"
#include "platform/win32/WideCp1252.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Clipboard.h"

// From shell32 (shlobj.h, which this room does not read).
extern "C" HRESULT WINAPI SHCreateStdEnumFmtEtc(UINT cfmt, const FORMATETC* afmt,
                                                IEnumFORMATETC** ppenumFormatEtc);

namespace {

HGLOBAL BlockOf(const void* pData, std::size_t nSize) {
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, nSize);
    void* pBlock = hBlock != nullptr ? GlobalLock(hBlock) : nullptr;
    if (pBlock == nullptr) {
        if (hBlock != nullptr) {
            GlobalFree(hBlock);
        }
        return nullptr;
    }
    std::memcpy(pBlock, pData, nSize);
    GlobalUnlock(hBlock);
    return hBlock;
}

std::wstring WithCrLf(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t ch : text) {
        if (ch == L'\n') {
            out.push_back(L'\r');
        }
        out.push_back(ch);
    }
    return out;
}

std::wstring WithoutCr(std::wstring_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) {
            out.push_back(text[i]);
        }
    }
    return out;
}

FORMATETC FormatOf(UINT nFormat) {
    return {static_cast<CLIPFORMAT>(nFormat), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// Two formats, rendered on request from the text kept.
class CCellTextDataObject final : public CComObject<IDataObject, IID_IDataObject> {
public:
    explicit CCellTextDataObject(std::string text) : m_text(std::move(text)) {}

    STDMETHODIMP GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override {
        if (pFormat == nullptr || pMedium == nullptr) {
            return E_INVALIDARG;
        }
        if (QueryGetData(pFormat) != S_OK) {
            return DV_E_FORMATETC;
        }
        HGLOBAL hBlock = nullptr;
        if (pFormat->cfFormat == CF_UNICODETEXT) {
            const std::wstring wide = WithCrLf(WideFromCp1252(m_text));
            hBlock = BlockOf(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        } else {
            const auto nLength = static_cast<std::uint32_t>(m_text.size());
            std::string block(sizeof(nLength), '\0');
            std::memcpy(block.data(), &nLength, sizeof(nLength));
            block += m_text;
            hBlock = BlockOf(block.data(), block.size());
        }
        if (hBlock == nullptr) {
            return E_OUTOFMEMORY;
        }
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = hBlock;
        pMedium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* pFormat) override {
        if (pFormat == nullptr || (pFormat->tymed & TYMED_HGLOBAL) == 0 ||
            pFormat->dwAspect != DVASPECT_CONTENT) {
            return DV_E_FORMATETC;
        }
        return pFormat->cfFormat == CF_UNICODETEXT || pFormat->cfFormat == CellTextFormat() ? S_OK
                                                                                            : DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override {
        if (pOut != nullptr) {
            pOut->ptd = nullptr;
        }
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override {
        if (dwDirection != DATADIR_GET) {
            return E_NOTIMPL;
        }
        FORMATETC formats[2] = {FormatOf(CellTextFormat()), FormatOf(CF_UNICODETEXT)};
        return SHCreateStdEnumFmtEtc(2, formats, ppEnum);
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~CCellTextDataObject() override = default;
    std::string m_text;
};

// The drop happens when the left button comes up; Escape gives the drag up.
class CDropSource final : public CComObject<IDropSource, IID_IDropSource> {
public:
    STDMETHODIMP QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override {
        if (fEscapePressed) {
            return DRAGDROP_S_CANCEL;
        }
        return (grfKeyState & MK_LBUTTON) == 0 ? DRAGDROP_S_DROP : S_OK;
    }
    STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    ~CDropSource() override = default;
};

std::optional<std::string> ReadBlock(IDataObject* pDataObj, UINT nFormat) {
    FORMATETC format = FormatOf(nFormat);
    STGMEDIUM medium{};
    if (pDataObj == nullptr || FAILED(pDataObj->GetData(&format, &medium))) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    const std::size_t nSize = GlobalSize(medium.hGlobal);
    if (const auto* pBlock = static_cast<const char*>(GlobalLock(medium.hGlobal))) {
        if (nFormat == CF_UNICODETEXT) {
            const auto* pWide = reinterpret_cast<const wchar_t*>(pBlock);
            text =
                Cp1252FromWide(WithoutCr(std::wstring_view(pWide, wcsnlen(pWide, nSize / sizeof(wchar_t)))));
        } else {
            std::uint32_t nLength = 0;
            if (nSize >= sizeof(nLength)) {
                std::memcpy(&nLength, pBlock, sizeof(nLength));
                if (nLength <= nSize - sizeof(nLength)) {
                    text = std::string(pBlock + sizeof(nLength), nLength);
                }
            }
        }
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return text;
}

}  // namespace

// The clipboard's own format and layout (the length, then the bytes), so a text keeps
// its bytes whichever way it goes between our grids.
UINT CellTextFormat() {
    return CWin32Clipboard::CellTextFormat();
}

IDataObject* CreateCellTextDataObject(const std::string& text) {
    return new CCellTextDataObject(text);
}

bool HasCellText(IDataObject* pDataObj) {
    if (pDataObj == nullptr) {
        return false;
    }
    FORMATETC own = FormatOf(CellTextFormat());
    FORMATETC unicode = FormatOf(CF_UNICODETEXT);
    return pDataObj->QueryGetData(&own) == S_OK || pDataObj->QueryGetData(&unicode) == S_OK;
}

std::optional<std::string> CellTextFromDataObject(IDataObject* pDataObj) {
    if (std::optional<std::string> text = ReadBlock(pDataObj, CellTextFormat())) {
        return text;
    }
    return ReadBlock(pDataObj, CF_UNICODETEXT);
}

// Returns once the text is dropped or the drag given up; without OLE nothing is dragged.
std::uint32_t CGridWnd::DoDragDrop(const std::string& text, std::uint32_t dwAllowedEffects) {
    IDataObject* pData = CreateCellTextDataObject(text);
    auto* pSource = new CDropSource();
    DWORD dwEffect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(pData, pSource, dwAllowedEffects, &dwEffect);
    pSource->Release();
    pData->Release();
    return hr == DRAGDROP_S_DROP ? static_cast<std::uint32_t>(dwEffect) : DROPEFFECT_NONE;
}

IDropTarget* CGridWnd::GetDropTarget() const {
    return m_pDropTarget;
}
