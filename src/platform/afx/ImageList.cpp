#include "ImageList.h"

#include "Resource.h"

namespace
{
QImage Masked(QImage image, COLORREF crMask)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (crMask == CLR_NONE)
        return image;
    QRgb mask =
        crMask == CLR_DEFAULT ? image.pixel(0, 0) : qRgb(GetRValue(crMask), GetGValue(crMask), GetBValue(crMask));
    for (int y = 0; y < image.height(); ++y)
    {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == (mask | 0xFF000000u))
                line[x] = 0;
    }
    return image;
}
} // namespace

BOOL CImageList::Create(int cx, int cy, UINT, int, int)
{
    if (cx <= 0 || cy <= 0)
        return FALSE;
    m_images.clear();
    m_sizeImage = CSize(cx, cy);
    return TRUE;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int, COLORREF crMask)
{
    const QImage* bitmap = AfxFindImage(nBitmapID);
    if (!bitmap || bitmap->isNull() || !Create(cx, bitmap->height(), 0, 0, 0))
        return FALSE;
    Add(*bitmap, crMask);
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (!IsCreated())
        return FALSE;
    m_images.clear();
    m_sizeImage = CSize();
    return TRUE;
}

int CImageList::Add(const QImage& image, COLORREF crMask)
{
    int count = IsCreated() ? image.width() / m_sizeImage.cx : 0;
    if (count <= 0 || image.height() <= 0)
        return -1;
    // The mask colour is read from the whole strip, so CLR_DEFAULT means the strip's corner.
    QImage strip = Masked(image, crMask);
    int first = GetImageCount();
    // Pixels below a short strip stay transparent.
    for (int i = 0; i < count; ++i)
        m_images.push_back(strip.copy(i * m_sizeImage.cx, 0, m_sizeImage.cx, m_sizeImage.cy));
    return first;
}

QImage CImageList::GetImage(int nImage) const
{
    return nImage >= 0 && nImage < GetImageCount() ? m_images[static_cast<size_t>(nImage)] : QImage();
}
