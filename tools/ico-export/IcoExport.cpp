// Writes the application icon as a Windows .ico file (16 x 16 as drawn for that size, 32 x 32 and 48 x 48 from the
// 32 x 32 art) for the program's resources; built and run on the build machine.
#include "Resources.h"
#include "resource.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int ICON_SIZES[] = {16, 32, 48};
constexpr std::uint32_t DIB_HEADER_BYTES = 40;
constexpr std::uint32_t DIR_HEADER_BYTES = 6;
constexpr std::uint32_t DIR_ENTRY_BYTES = 16;

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::uint32_t n)
{
    out.push_back(std::uint8_t(n));
    out.push_back(std::uint8_t(n >> 8));
}

void Put32(Bytes& out, std::uint32_t n)
{
    Put16(out, n & 0xFFFF);
    Put16(out, n >> 16);
}

// The palette colour (0x00BBGGRR) of the art's pixel under (x, y) of an nSize square, by nearest neighbour.
std::uint32_t PixelAt(const ResImage& art, int nSize, int x, int y)
{
    const int sx = (2 * x + 1) * art.nWidth / (2 * nSize);
    const int sy = (2 * y + 1) * art.nHeight / (2 * nSize);
    const char chKey = art.rows[std::size_t(sy)][sx];
    for (const ResPaletteEntry& entry : art.palette) {
        if (entry.chKey == chKey)
            return entry.crColor;
    }
    return 0;
}

// One image of the file: a DIB of twice the height (colours, then the transparency mask), rows bottom-up.
Bytes IconImage(const ResImage& art, int nSize)
{
    const auto nMaskRowBytes = std::uint32_t((nSize + 31) / 32 * 4);
    Bytes out;
    Put32(out, DIB_HEADER_BYTES);
    Put32(out, std::uint32_t(nSize));
    Put32(out, std::uint32_t(2 * nSize));
    Put16(out, 1);  // planes
    Put16(out, 32); // bits per pixel
    for (int i = 0; i < 6; ++i)
        Put32(out, 0); // no compression, sizes and palette left to the reader
    for (int y = nSize - 1; y >= 0; --y) {
        for (int x = 0; x < nSize; ++x) {
            const std::uint32_t color = PixelAt(art, nSize, x, y);
            out.insert(out.end(), {std::uint8_t(color >> 16), std::uint8_t(color >> 8), std::uint8_t(color), 0xFF});
        }
    }
    // Every pixel opaque.
    out.insert(out.end(), std::size_t(nMaskRowBytes) * std::size_t(nSize), 0);
    return out;
}

} // namespace

// Usage: vantrel-ico-export FILE.ico
int main(int argc, char** argv)
{
    const ResImage* pIcon = FindImageResource(IDI_APPICON);
    const ResImage* pSmall = FindImageResource(IDI_APPICON_SMALL);
    if (argc != 2 || pIcon == nullptr || pSmall == nullptr) {
        std::fprintf(stderr, "usage: %s FILE.ico\n", argv[0]);
        return 2;
    }
    std::vector<Bytes> images;
    for (const int nSize : ICON_SIZES)
        images.push_back(IconImage(nSize == pSmall->nWidth ? *pSmall : *pIcon, nSize));
    Bytes out;
    Put16(out, 0);
    Put16(out, 1); // an icon
    Put16(out, std::uint32_t(images.size()));
    std::uint32_t nOffset = DIR_HEADER_BYTES + DIR_ENTRY_BYTES * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.insert(out.end(), {std::uint8_t(ICON_SIZES[i]), std::uint8_t(ICON_SIZES[i]), 0, 0});
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, std::uint32_t(images[i].size()));
        Put32(out, nOffset);
        nOffset += std::uint32_t(images[i].size());
    }
    for (const Bytes& image : images)
        out.insert(out.end(), image.begin(), image.end());
    FILE* pFile = std::fopen(argv[1], "wb");
    const bool bWritten = pFile != nullptr && std::fwrite(out.data(), 1, out.size(), pFile) == out.size();
    if (pFile == nullptr || std::fclose(pFile) != 0 || !bWritten) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
