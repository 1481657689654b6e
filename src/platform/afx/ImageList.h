#pragma once

// CImageList: a row of same-sized images that controls draw by index, cut
// from a bitmap strip; a mask colour becomes transparent.

#include "AfxTypes.h"
#include "Size.h"

#include <QImage>
#include <vector>

class CImageList
{
public:
    // An empty list of cx by cy images (ILC_ flags, initial size and grow step
    // only matter to Win32's memory management).
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // The images of a bitmap resource: one every cx pixels, as tall as the
    // bitmap. CLR_DEFAULT takes the top-left pixel as mask colour.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL DeleteImageList();
    BOOL IsCreated() const { return m_sizeImage.cx > 0; }

    // Adds every whole image of the strip; returns the first new index or -1.
    int Add(const QImage& image, COLORREF crMask = CLR_NONE);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    CSize GetImageSize() const { return m_sizeImage; }
    // The image as drawn (null for a bad index).
    QImage GetImage(int nImage) const;

private:
    CSize m_sizeImage;
    std::vector<QImage> m_images;
};
