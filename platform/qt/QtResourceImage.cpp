// The game's bitmaps and embedded pixel art as Qt images and icons.
#include "QtResourceImage.h"

#include "Bitmap.h"

#include <QPixmap>

namespace {

// The enlargements an icon carries besides its own size.
constexpr int ICON_SCALES[] = {2, 4};

} // namespace

QImage BitmapImage(const CBitmap& bmp)
{
    // The bitmap's 0xFFRRGGBB words are Qt's RGB32.
    return {reinterpret_cast<const uchar*>(bmp.Bits()), bmp.GetWidth(), bmp.GetHeight(), qsizetype(bmp.GetWidth()) * 4,
            QImage::Format_RGB32};
}

QImage LoadResourceImage(unsigned nID)
{
    CBitmap bmp;
    if (!bmp.LoadBitmap(nID))
        return {};
    return BitmapImage(bmp).copy();
}

QIcon LoadResourceIcon(unsigned nID)
{
    const QImage image = LoadResourceImage(nID);
    if (image.isNull())
        return {};
    QIcon icon(QPixmap::fromImage(image));
    for (int nScale : ICON_SCALES)
        icon.addPixmap(
            QPixmap::fromImage(image.scaled(image.size() * nScale, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    return icon;
}
