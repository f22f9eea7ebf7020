#include "platform/qt/QtImageList.h"

int CQtImageList::Add(const QPixmap& pixmap) {
    m_pixmaps.push_back(pixmap);
    return GetImageCount() - 1;
}

bool CQtImageList::GetImageSize(int nImage, CSize* pSize) const {
    if (pSize == nullptr || nImage < 0 || nImage >= GetImageCount())
        return false;
    const QPixmap& pixmap = Pixmap(nImage);
    *pSize = CSize(pixmap.width(), pixmap.height());
    return true;
}
