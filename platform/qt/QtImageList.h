#pragma once

#include "platform/ImageList.h"

#include <QPixmap>

#include <vector>

// The grid's image list on Qt: pictures kept as pixmaps, addressed by their index.
// The owner (the page or program that shows the grid) keeps it alive as long as a
// grid points at it.
class CQtImageList final : public IImageList {
public:
    CQtImageList() = default;

    // Appends a picture and returns its index.
    int Add(const QPixmap& pixmap);
    int GetImageCount() const { return static_cast<int>(m_pixmaps.size()); }
    bool GetImageSize(int nImage, CSize* pSize) const override;
    // The picture at nImage, which must be a valid index.
    const QPixmap& Pixmap(int nImage) const { return m_pixmaps[static_cast<std::size_t>(nImage)]; }

private:
    std::vector<QPixmap> m_pixmaps;
};
