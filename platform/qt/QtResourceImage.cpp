// Turns the text pixel art of the resources into Qt images.
#include "QtResourceImage.h"

#include "Resources.h"

#include <QPixmap>

namespace {

// The enlargements an icon carries besides its own size.
constexpr int ICON_SCALES[] = {2, 4};

QRgb ToQRgb(std::uint32_t crColor)
{
    // Resource palettes pack colours 0x00BBGGRR.
    return qRgb(int(crColor & 0xff), int((crColor >> 8) & 0xff), int((crColor >> 16) & 0xff));
}

QRgb PaletteColour(const ResImage& res, char chKey)
{
    for (const ResPaletteEntry& entry : res.palette) {
        if (entry.chKey == chKey)
            return ToQRgb(entry.crColor);
    }
    return qRgb(0, 0, 0);
}

} // namespace

QImage LoadResourceImage(unsigned nID)
{
    const ResImage* pRes = FindImageResource(nID);
    if (pRes == nullptr)
        return {};
    QImage image(pRes->nWidth, pRes->nHeight, QImage::Format_RGB32);
    for (int y = 0; y < pRes->nHeight; ++y) {
        const char* pRow = pRes->rows[std::size_t(y)];
        for (int x = 0; x < pRes->nWidth; ++x)
            image.setPixel(x, y, PaletteColour(*pRes, pRow[x]));
    }
    return image;
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
