// PNG snapshots of bitmaps through Qt's image writer.
#include "PngFile.h"

#include "Bitmap.h"

#include <QImage>

bool SaveBitmapPng(const CBitmap& bitmap, const char* path)
{
    if (bitmap.IsEmpty())
        return false;
    // The pixels are already 0xFFRRGGBB, the layout of Format_RGB32: no copy.
    const QImage image(reinterpret_cast<const uchar*>(bitmap.Bits()), bitmap.GetWidth(), bitmap.GetHeight(),
                       qsizetype(bitmap.GetWidth()) * qsizetype(sizeof(std::uint32_t)), QImage::Format_RGB32);
    return image.save(QString::fromLocal8Bit(path), "PNG");
}
