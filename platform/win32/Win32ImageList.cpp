#include "platform/win32/Win32ImageList.h"

#include "platform/win32/Win32Api.h"

CWin32ImageList::CWin32ImageList(int cx, int cy)
    : m_hList(::ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 4, 4)) {}

CWin32ImageList::~CWin32ImageList() {
    if (m_hList != nullptr)
        ::ImageList_Destroy(m_hList);
}

int CWin32ImageList::Add(HBITMAP hBitmap, HBITMAP hMask) {
    return m_hList != nullptr ? ::ImageList_Add(m_hList, hBitmap, hMask) : -1;
}

int CWin32ImageList::GetImageCount() const {
    return m_hList != nullptr ? ::ImageList_GetImageCount(m_hList) : 0;
}

// The list reports an image's rectangle with its right and bottom edges excluded.
bool CWin32ImageList::GetImageSize(int nImage, CSize* pSize) const {
    IMAGEINFO info{};
    if (pSize == nullptr || nImage < 0 || nImage >= GetImageCount() ||
        !::ImageList_GetImageInfo(m_hList, nImage, &info))
        return false;
    *pSize = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    return true;
}
