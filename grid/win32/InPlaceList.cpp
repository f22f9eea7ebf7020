#include "grid/win32/InPlaceList.h"

#include <algorithm>

#include "grid/GridCellCombo.h"
#include "grid/win32/GridWnd.h"
#include "platform/SystemMetrics.h"
#include "platform/win32/WideCp1252.h"
#include "platform/win32/Win32Api.h"

namespace {

// The editor's object, for telling whether it is still there after a call that may end it.
constexpr wchar_t kEditorProperty[] = L"TovamoInPlaceList";
constexpr UINT_PTR kSubclassId = 0x7E02;
constexpr int kListLines = 4;  // cell heights of room the dropped list gets

}  // namespace

CInPlaceList* CInPlaceList::Create(CGridWnd& gridWnd, const CRect& rect, std::uint32_t dwStyle,
                                   std::uint32_t nID, int nRow, int nCol, COLORREF crFore, COLORREF crBack,
                                   const std::vector<std::string>& options, const std::string& strInitText,
                                   std::uint32_t nFirstChar) {
    const HWND hGrid = gridWnd.GetHwnd();
    const int nCellHeight = rect.Height();
    // The box's height is the dropped list's room; the field is fitted to the cell.
    const int nHeight = nCellHeight + nCellHeight * kListLines + GetSystemMetrics(SM_CYHSCROLL);
    const DWORD dwKind = (dwStyle & kComboKindMask) == CBS_DROPDOWN ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
    const HWND hWnd = CreateWindowExW(
        0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | CBS_AUTOHSCROLL | dwKind,
        rect.left, rect.top, rect.Width(), nHeight, hGrid, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hGrid, GWLP_HINSTANCE)), nullptr);
    if (hWnd == nullptr) {
        return nullptr;
    }
    return new CInPlaceList(gridWnd, hWnd, rect, dwKind, nID, nRow, nCol, crFore, crBack, options,
                            strInitText, nFirstChar);
}

CInPlaceList* CInPlaceList::FromHandle(HWND hWnd) {
    return hWnd != nullptr ? static_cast<CInPlaceList*>(GetPropW(hWnd, kEditorProperty)) : nullptr;
}

// A list without an edit field does not use the first key.
CInPlaceList::CInPlaceList(CGridWnd& gridWnd, HWND hWnd, const CRect& rect, std::uint32_t dwStyle,
                           std::uint32_t nID, int nRow, int nCol, COLORREF crFore, COLORREF crBack,
                           const std::vector<std::string>& options, const std::string& strInitText,
                           std::uint32_t nFirstChar)
    : CEditorLink(gridWnd, nID, nRow, nCol, strInitText),
      m_hWnd(hWnd),
      m_bListOnly(dwStyle == CBS_DROPDOWNLIST),
      m_options(options),
      m_crForeClr(crFore),
      m_crBackClr(crBack) {
    SetPropW(hWnd, kEditorProperty, this);
    SetWindowSubclass(hWnd, &CInPlaceList::ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    for (const std::string& option : options) {
        SendMessageW(hWnd, CB_ADDSTRING, 0, reinterpret_cast<SysLPARAM>(WideFromCp1252(option).c_str()));
    }
    SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GridFont()), TRUE);
    FitFieldToCell(rect.Height());
    SetDroppedWidth();
    SendMessageW(hWnd, CB_SETHORIZONTALEXTENT, 0, 0);
    if (!m_bListOnly) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (GetComboBoxInfo(hWnd, &info) && info.hwndItem != nullptr && info.hwndItem != hWnd) {
            m_hEdit = info.hwndItem;
            SetWindowSubclass(m_hEdit, &CInPlaceList::EditProc, kSubclassId,
                              reinterpret_cast<DWORD_PTR>(this));
            // A text of one's own may be as long as a cell holds.
            SendMessageW(m_hEdit, EM_SETLIMITTEXT, 0, 0);
        }
    }
    // Dropping down completes the field's text to the first option it starts: the
    // list drops first, so that the text and the first key stay as they are.
    ::SetFocus(hWnd);
    SendMessageW(hWnd, CB_SHOWDROPDOWN, TRUE, 0);
    SelectInitialText();
    if (m_hEdit != nullptr) {
        PlaceCaret(nFirstChar);
    }
}

// The box's field as tall as the cell: the item height is what the field has beyond
// its frame.
void CInPlaceList::FitFieldToCell(int nCellHeight) {
    RECT rc{};
    GetWindowRect(m_hWnd, &rc);
    const auto nItem = static_cast<int>(SendMessageW(m_hWnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const int nFrame = (rc.bottom - rc.top) - nItem;
    SendMessageW(m_hWnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, nCellHeight - nFrame));
}

// Byte for byte: the system's own search ignores case and takes a prefix.
void CInPlaceList::SelectInitialText() {
    const auto it = std::find(m_options.begin(), m_options.end(), GetInitText());
    const auto nIndex =
        it != m_options.end() ? static_cast<WPARAM>(it - m_options.begin()) : static_cast<WPARAM>(-1);
    SendMessageW(m_hWnd, CB_SETCURSEL, nIndex, 0);
    if (it == m_options.end() && m_hEdit != nullptr) {
        SetWindowTextW(m_hEdit, WideFromCp1252(GetInitText()).c_str());
    }
}

// The widest option with room for a scroll bar and one more character, within 200
// pixels.
void CInPlaceList::SetDroppedWidth() {
    const HDC hDC = ::GetDC(m_hWnd);
    const HGDIOBJ hOld = SelectObject(hDC, reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    int nWidest = 0;
    for (const std::string& option : m_options) {
        const std::wstring text = WideFromCp1252(option);
        SIZE size{};
        GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
        nWidest = std::max(nWidest, static_cast<int>(size.cx) + GetSystemMetrics(SM_CXVSCROLL));
    }
    SIZE zero{};
    GetTextExtentPoint32W(hDC, L"0", 1, &zero);
    SelectObject(hDC, hOld);
    ReleaseDC(m_hWnd, hDC);
    m_nDroppedWidth = std::min(nWidest + static_cast<int>(zero.cx), kMaxDropWidth);
    SendMessageW(m_hWnd, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(m_nDroppedWidth), 0);
}

// The field keeps the text for a click, Enter or a navigation key, loses its last
// character to Backspace and is replaced by any other key, space included.
void CInPlaceList::PlaceCaret(std::uint32_t nFirstChar) {
    const auto nLength = static_cast<WPARAM>(GetWindowTextLengthW(m_hEdit));
    const bool bKeep = nFirstChar == VK_LBUTTON || nFirstChar == VK_RETURN || nFirstChar == VK_BACK;
    SendMessageW(m_hEdit, EM_SETSEL, bKeep ? nLength : 0, bKeep ? static_cast<SysLPARAM>(nLength) : -1);
    SendMessageW(m_hEdit, EM_SCROLLCARET, 0, 0);
    const bool bNavigation = nFirstChar == VK_TAB || (nFirstChar >= VK_PRIOR && nFirstChar <= VK_DOWN);
    if (nFirstChar != VK_LBUTTON && nFirstChar != VK_RETURN && !bNavigation) {
        SendChar(nFirstChar);
    }
}

void CInPlaceList::SendChar(std::uint32_t nChar) {
    if (m_bEnded) {
        return;
    }
    for (const wchar_t ch : WideOfChar(nChar)) {
        SendMessageW(m_hWnd, WM_CHAR, ch, 1);
    }
}

std::string CInPlaceList::GetText() const {
    if (m_hEdit != nullptr) {
        return WindowTextCp1252(m_hEdit);
    }
    const auto nIndex = static_cast<int>(SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0));
    return nIndex >= 0 && nIndex < static_cast<int>(m_options.size())
               ? m_options[static_cast<std::size_t>(nIndex)]
               : std::string();
}

LRESULT CALLBACK CInPlaceList::ListProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam,
                                        UINT_PTR /*nId*/, DWORD_PTR pRef) {
    auto* pThis = reinterpret_cast<CInPlaceList*>(pRef);
    if (nMsg == WM_NCDESTROY) {
        RemovePropW(hWnd, kEditorProperty);
        RemoveWindowSubclass(hWnd, &CInPlaceList::ListProc, kSubclassId);
        delete pThis;
        return DefSubclassProc(hWnd, nMsg, wParam, lParam);
    }
    return pThis->OnListMessage(nMsg, wParam, lParam);
}

LRESULT CALLBACK CInPlaceList::EditProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam,
                                        UINT_PTR /*nId*/, DWORD_PTR pRef) {
    if (nMsg == WM_NCDESTROY) {
        RemoveWindowSubclass(hWnd, &CInPlaceList::EditProc, kSubclassId);
        return DefSubclassProc(hWnd, nMsg, wParam, lParam);
    }
    return reinterpret_cast<CInPlaceList*>(pRef)->OnEditMessage(nMsg, wParam, lParam);
}

// Without Ctrl the arrow and page keys move in the list (choosing the option at once);
// the handlers that may end the edit return at once, the object may be gone.
LRESULT CInPlaceList::OnListMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    const HWND hWnd = m_hWnd;
    switch (nMsg) {
        case WM_GETDLGCODE:
            return EditorDialogCode(lParam, DefSubclassProc(hWnd, nMsg, wParam, lParam));
        case WM_SYSCHAR:
            return 0;
        case WM_KEYDOWN:
            if (IsArrowOrPageKey(wParam) && GetKeyState(VK_CONTROL) < 0) {
                EndWithKey(static_cast<std::uint32_t>(wParam));
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == VK_ESCAPE) {
                SelectInitialText();
            }
            if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE) {
                EndWithKey(static_cast<std::uint32_t>(wParam));
                return 0;
            }
            break;
        case WM_KILLFOCUS: {
            DefSubclassProc(hWnd, nMsg, wParam, lParam);
            // With an edit field, the field's focus loss ends the edit.
            if (m_bListOnly && !IsPartOfBox(reinterpret_cast<HWND>(wParam))) {
                EndEdit();
            }
            return 0;
        }
        case WM_CLOSE:
            if (IsPartOfBox(GetFocus())) {
                FocusGrid();
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hWnd, nMsg, wParam, lParam);
}

LRESULT CInPlaceList::OnEditMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    const HWND hEdit = m_hEdit;
    switch (nMsg) {
        case WM_GETDLGCODE:
            return EditorDialogCode(lParam, DefSubclassProc(hEdit, nMsg, wParam, lParam));
        case WM_SYSCHAR:
            return 0;
        case WM_KEYDOWN:
            if (IsArrowOrPageKey(wParam) && GetKeyState(VK_CONTROL) < 0) {
                return SendMessageW(m_hWnd, nMsg, wParam, lParam);
            }
            break;
        case WM_CHAR:
            if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE) {
                return SendMessageW(m_hWnd, nMsg, wParam, lParam);
            }
            break;
        case WM_KILLFOCUS:
            DefSubclassProc(hEdit, nMsg, wParam, lParam);
            if (!IsPartOfBox(reinterpret_cast<HWND>(wParam))) {
                EndEdit();
            }
            return 0;
        default:
            break;
    }
    return DefSubclassProc(hEdit, nMsg, wParam, lParam);
}

bool CInPlaceList::IsPartOfBox(HWND hWnd) const {
    if (hWnd == nullptr) {
        return false;
    }
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    const bool bInfo = GetComboBoxInfo(m_hWnd, &info) != FALSE;
    return hWnd == m_hWnd || hWnd == m_hEdit || (bInfo && hWnd == info.hwndList);
}

// The focus change ends the edit; should the focus stay, the edit ends here.
void CInPlaceList::EndWithKey(std::uint32_t nKey) {
    SetLastKey(nKey);
    const HWND hWnd = m_hWnd;
    SendMessageW(hWnd, CB_SHOWDROPDOWN, FALSE, 0);
    FocusGrid();
    if (FromHandle(hWnd) == this) {
        EndEdit();
    }
}

// One report per edit (a second would move the focus again by its key); the box
// closes once the messages already on their way are handled.
void CInPlaceList::EndEdit() {
    if (m_bEnded) {
        return;
    }
    m_bEnded = true;
    const std::string strText = GetText();
    // Nothing more is chosen in a list whose edit has ended.
    SendMessageW(m_hWnd, CB_SHOWDROPDOWN, FALSE, 0);
    ReportEndOfEdit(m_hWnd, strText);
    PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}
