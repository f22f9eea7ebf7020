#pragma once

#include "platform/Geometry.h"

// The grid's list of small images; cells hold an index into it.
class IImageList {
public:
    virtual ~IImageList() = default;
    // Size of image nImage; false when there is no such image.
    virtual bool GetImageSize(int nImage, CSize* pSize) const = 0;
};
