#pragma once

#include "platform/ImageList.h"
#include "platform/win32/Win32Handles.h"

// The grid's image list on the common controls' image list: pictures of one size,
// addressed by their index, drawn with their mask. The list owns its HIMAGELIST.
class CWin32ImageList final : public IImageList {
public:
    // A list for pictures of cx by cy pixels, 32-bit colour with a mask.
    CWin32ImageList(int cx, int cy);
    ~CWin32ImageList() override;

    CWin32ImageList(const CWin32ImageList&) = delete;
    CWin32ImageList& operator=(const CWin32ImageList&) = delete;

    // Appends the picture (the list copies it); returns its index, -1 when it fails.
    int Add(HBITMAP hBitmap, HBITMAP hMask = nullptr);
    int GetImageCount() const;
    bool GetImageSize(int nImage, CSize* pSize) const override;
    HIMAGELIST GetSafeHandle() const { return m_hList; }

private:
    HIMAGELIST m_hList = nullptr;
};
