// PNG snapshots of bitmaps through Qt's image writer.
#include "PngFile.h"

#include "Bitmap.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

bool SaveBitmapPng(const CBitmap& bitmap, const char* path)
{
    if (bitmap.IsEmpty())
        return false;
    // The pixels are already 0xFFRRGGBB, the layout of Format_RGB32: no copy.
    const QImage image(reinterpret_cast<const uchar*>(bitmap.Bits()), bitmap.GetWidth(), bitmap.GetHeight(),
                       qsizetype(bitmap.GetWidth()) * qsizetype(sizeof(std::uint32_t)), QImage::Format_RGB32);
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return false;
    // A full disk or a device such as /dev/full may only refuse the bytes when
    // they are flushed or the file is closed, so both are checked.
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.flush())
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}
