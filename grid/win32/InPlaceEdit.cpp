#include "grid/win32/InPlaceEdit.h"

#include <algorithm>

#include "grid/win32/GridWnd.h"
#include "platform/win32/WideCp1252.h"
#include "platform/win32/Win32Api.h"

namespace {

// The editor's object, for telling whether it is still there after a call that may end it.
constexpr wchar_t kEditorProperty[] = L"TovamoInPlaceEdit";
constexpr UINT_PTR kSubclassId = 0x7E01;

// One edit, one notification: the flag is shared by every editor, as the end of one
// edit may end or start another from inside the grid's handling.
bool g_bEndingEdit = false;

}  // namespace

CInPlaceEdit* CInPlaceEdit::Create(CGridWnd& gridWnd, const CRect& rect, std::uint32_t dwStyle,
                                   std::uint32_t nID, int nRow, int nCol, const std::string& strInitText,
                                   std::uint32_t nFirstChar) {
    const HWND hGrid = gridWnd.GetHwnd();
    const DWORD dwAlign = dwStyle == ES_RIGHT ? ES_RIGHT : dwStyle == ES_CENTER ? ES_CENTER : ES_LEFT;
    const HWND hWnd = CreateWindowExW(
        0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwAlign, rect.left, rect.top,
        rect.Width(), rect.Height(), hGrid, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hGrid, GWLP_HINSTANCE)), nullptr);
    if (hWnd == nullptr) {
        return nullptr;
    }
    // Owned by its window: freed when the window goes.
    return new CInPlaceEdit(gridWnd, hWnd, rect, nID, nRow, nCol, strInitText, nFirstChar);
}

CInPlaceEdit* CInPlaceEdit::FromHandle(HWND hWnd) {
    return hWnd != nullptr ? static_cast<CInPlaceEdit*>(GetPropW(hWnd, kEditorProperty)) : nullptr;
}

// A cell holds any length of text: the control's own limit would cut it short.
CInPlaceEdit::CInPlaceEdit(CGridWnd& gridWnd, HWND hWnd, const CRect& rect, std::uint32_t nID, int nRow,
                           int nCol, const std::string& strInitText, std::uint32_t nFirstChar)
    : CEditorLink(gridWnd, nID, nRow, nCol, strInitText),
      m_hWnd(hWnd),
      m_rect(rect),
      m_bExitOnArrows(nFirstChar != VK_LBUTTON) {
    SetPropW(hWnd, kEditorProperty, this);
    SetWindowSubclass(hWnd, &CInPlaceEdit::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GridFont()), TRUE);
    SendMessageW(hWnd, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(hWnd, WideFromCp1252(strInitText).c_str());
    ::SetFocus(hWnd);
    PlaceCaret(nFirstChar);
}

// A printable key replaces the text, Backspace takes its last character, and a click,
// F2, Enter, Tab, space or a navigation key keep it. The key is typed at once rather
// than posted, so that it comes before any key the user has already typed after it.
void CInPlaceEdit::PlaceCaret(std::uint32_t nFirstChar) {
    const auto nLength = static_cast<WPARAM>(GetWindowTextLengthW(m_hWnd));
    switch (nFirstChar) {
        case VK_LBUTTON:
        case VK_RETURN:
            SendMessageW(m_hWnd, EM_SETSEL, nLength, static_cast<SysLPARAM>(nLength));
            SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
            return;
        case VK_BACK:
            SendMessageW(m_hWnd, EM_SETSEL, nLength, static_cast<SysLPARAM>(nLength));
            SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
            SendChar(nFirstChar);
            return;
        default:
            SendMessageW(m_hWnd, EM_SETSEL, 0, -1);
            SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
            if (nFirstChar != VK_TAB && (nFirstChar < VK_SPACE || nFirstChar > VK_DOWN)) {
                SendChar(nFirstChar);
            }
            return;
    }
}

void CInPlaceEdit::SendChar(std::uint32_t nChar) {
    if (m_bEnded) {
        return;
    }
    for (const wchar_t ch : WideOfChar(nChar)) {
        SendMessageW(m_hWnd, WM_CHAR, ch, 1);
    }
}

LRESULT CALLBACK CInPlaceEdit::SubclassProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam,
                                            UINT_PTR /*nId*/, DWORD_PTR pRef) {
    auto* pThis = reinterpret_cast<CInPlaceEdit*>(pRef);
    if (nMsg == WM_NCDESTROY) {
        RemovePropW(hWnd, kEditorProperty);
        RemoveWindowSubclass(hWnd, &CInPlaceEdit::SubclassProc, kSubclassId);
        delete pThis;
        return DefSubclassProc(hWnd, nMsg, wParam, lParam);
    }
    return pThis->OnMessage(nMsg, wParam, lParam);
}

// The handlers that may end the edit return at once: the object may be gone.
LRESULT CInPlaceEdit::OnMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam) {
    const HWND hWnd = m_hWnd;
    switch (nMsg) {
        case WM_GETDLGCODE:
            return EditorDialogCode(lParam, DefSubclassProc(hWnd, nMsg, wParam, lParam));
        case WM_SYSCHAR:
            return 0;
        case WM_KEYDOWN:
            if (IsArrowOrPageKey(wParam) && (m_bExitOnArrows || GetKeyState(VK_CONTROL) < 0)) {
                EndWithKey(static_cast<std::uint32_t>(wParam));
                return 0;
            }
            break;
        case WM_CHAR:
            switch (wParam) {
                case VK_TAB:
                case VK_RETURN:
                    EndWithKey(static_cast<std::uint32_t>(wParam));
                    return 0;
                case VK_ESCAPE:
                    SetWindowTextW(hWnd, WideFromCp1252(GetInitText()).c_str());
                    EndWithKey(VK_ESCAPE);
                    return 0;
                default: {
                    const LRESULT result = DefSubclassProc(hWnd, nMsg, wParam, lParam);
                    Grow();
                    return result;
                }
            }
        case WM_KILLFOCUS:
            DefSubclassProc(hWnd, nMsg, wParam, lParam);
            EndEdit();
            return 0;
        default:
            break;
    }
    return DefSubclassProc(hWnd, nMsg, wParam, lParam);
}

// The focus change ends the edit; should the focus stay (the grid cannot take it), the
// edit ends here.
void CInPlaceEdit::EndWithKey(std::uint32_t nKey) {
    SetLastKey(nKey);
    const HWND hWnd = m_hWnd;
    FocusGrid();
    if (FromHandle(hWnd) == this) {
        EndEdit();
    }
}

// Wide enough for the text and two spaces, up to the grid's client edge; never
// narrower than before, and the other edges stay.
void CInPlaceEdit::Grow() {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        std::max(0, GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size())))));
    text += L"  ";
    const HDC hDC = ::GetDC(m_hWnd);
    const HGDIOBJ hOld = SelectObject(hDC, reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(hDC, hOld);
    ReleaseDC(m_hWnd, hDC);
    if (size.cx <= m_rect.Width()) {
        return;
    }
    m_rect.right = std::min(m_rect.left + static_cast<int>(size.cx), GridClientRight());
    MoveWindow(m_hWnd, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), TRUE);
}

// The grid keeps the focus rather than the next control of the dialog; the window's
// going frees the object, so nothing of it is touched after.
void CInPlaceEdit::EndEdit() {
    if (g_bEndingEdit || m_bEnded) {
        return;
    }
    g_bEndingEdit = true;
    m_bEnded = true;
    const HWND hWnd = m_hWnd;
    ReportEndOfEdit(hWnd, WindowTextCp1252(hWnd));
    if (GetFocus() == hWnd) {
        FocusGrid();
    }
    if (::IsWindow(hWnd)) {
        SendMessageW(hWnd, WM_CLOSE, 0, 0);
    }
    g_bEndingEdit = false;
}
