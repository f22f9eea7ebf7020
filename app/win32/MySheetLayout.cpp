#include "app/win32/MySheet.h"

#include "app/DialogLayout.h"
#include "app/win32/resource.h"

#include <algorithm>

#include "platform/win32/Win32Api.h"

// The sheet's pages and how its window is sized and laid out around them.

namespace {

RECT DialogRect(HWND hWnd, int x, int y, int cx, int cy) {
    RECT rect{x, y, x + cx, y + cy};
    ::MapDialogRect(hWnd, &rect);
    return rect;
}

void Place(HWND hWnd, const RECT& rect) {
    ::SetWindowPos(hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

void CMySheet::CreatePages() {
    for (const auto& page : m_pages) {
        if (!page->Create(m_hWnd))
            continue;
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        std::wstring title = page->Title();
        item.pszText = title.data();
        const auto nIndex = ::SendMessageW(m_hTab, TCM_GETITEMCOUNT, 0, 0);
        ::SendMessageW(m_hTab, TCM_INSERTITEMW, nIndex, reinterpret_cast<SysLPARAM>(&item));
        // Above the tab control, which they lie on.
        ::SetWindowPos(page->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// The window as small as the largest page allows, centred on its owner; never smaller.
void CMySheet::SizeToPages() {
    SIZE pages{};
    for (const auto& page : m_pages) {
        const SIZE size = page->TemplateSize();
        pages.cx = std::max(pages.cx, size.cx);
        pages.cy = std::max(pages.cy, size.cy);
    }
    RECT tab{0, 0, pages.cx, pages.cy};
    ::SendMessageW(m_hTab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<SysLPARAM>(&tab));
    const RECT frame = DialogRect(m_hWnd, kSheetMargin, kSheetGap, kSheetCancelWidth, kSheetCancelHeight);
    RECT client{0, 0, (tab.right - tab.left) + 2 * frame.left,
                (tab.bottom - tab.top) + 2 * frame.left + frame.top + (frame.bottom - frame.top)};
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&client, style, FALSE, exStyle);
    m_minTrack = {client.right - client.left, client.bottom - client.top};

    RECT around{};
    const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner != nullptr)
        ::GetWindowRect(hOwner, &around);
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    const LONG x = std::max(0L, (around.left + around.right - m_minTrack.cx) / 2);
    const LONG y = std::max(0L, (around.top + around.bottom - m_minTrack.cy) / 2);
    ::SetWindowPos(m_hWnd, nullptr, x, y, m_minTrack.cx, m_minTrack.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The tabs take every extra pixel; under them the link-state line widens and Cancel
// keeps to the right.
void CMySheet::Layout() {
    if (m_hTab == nullptr)
        return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const RECT frame = DialogRect(m_hWnd, kSheetMargin, kSheetGap, kSheetCancelWidth, kSheetCancelHeight);
    const int margin = frame.left;
    const int buttonWidth = frame.right - frame.left;
    const int buttonHeight = frame.bottom - frame.top;
    const int rowTop = client.bottom - margin - buttonHeight;
    const RECT cancel{client.right - margin - buttonWidth, rowTop, client.right - margin,
                      rowTop + buttonHeight};
    const RECT line{margin, rowTop, cancel.left - margin, rowTop + buttonHeight};
    const RECT tab{margin, margin, client.right - margin, rowTop - frame.top};
    Place(m_hTab, tab);
    Place(::GetDlgItem(m_hWnd, IDCANCEL), cancel);
    Place(::GetDlgItem(m_hWnd, IDC_LINK_STATE), line);
    RECT display = tab;
    ::SendMessageW(m_hTab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<SysLPARAM>(&display));
    for (const auto& page : m_pages)
        if (page->GetSafeHwnd() != nullptr)
            Place(page->GetSafeHwnd(), display);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
