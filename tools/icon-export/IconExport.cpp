// Writes the application icon as PNGs in desktop icon sizes: the 16 x 16 art as drawn, other sizes scaled
// from the 32 x 32 art by nearest neighbour.
#include "Bitmap.h"
#include "PngFile.h"
#include "resource.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// Each output pixel takes the source pixel its centre falls on, so the art stays crisp.
void ScaleNearest(const CBitmap& src, CBitmap& dst, int nSize)
{
    dst.CreateBitmap(nSize, nSize);
    for (int y = 0; y < nSize; ++y) {
        const int sy = (2 * y + 1) * src.GetHeight() / (2 * nSize);
        for (int x = 0; x < nSize; ++x) {
            const int sx = (2 * x + 1) * src.GetWidth() / (2 * nSize);
            dst.Bits()[y * nSize + x] = src.Bits()[sy * src.GetWidth() + sx];
        }
    }
}

// A size in pixels: decimal digits only, above zero; 0 for anything else.
int ParseSize(const char* pszArg)
{
    const char* pEnd = pszArg + std::strlen(pszArg);
    int nSize = 0;
    const auto [pStop, error] = std::from_chars(pszArg, pEnd, nSize);
    return error == std::errc() && pStop == pEnd && nSize > 0 ? nSize : 0;
}

} // namespace

// Usage: vantrel-icon-export OUTDIR SIZE...; writes OUTDIR/NxN/apps/vantrel.png for each size.
int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    CBitmap icon, smallIcon;
    if (!icon.LoadBitmap(IDI_APPICON) || !smallIcon.LoadBitmap(IDI_APPICON_SMALL)) {
        std::fprintf(stderr, "%s: no icon resource\n", argv[0]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const int nSize = ParseSize(argv[i]);
        if (nSize == 0) {
            std::fprintf(stderr, "%s: bad size '%s'\n", argv[0], argv[i]);
            return 2;
        }
        char szSizeDir[32];
        std::snprintf(szSizeDir, sizeof szSizeDir, "%dx%d", nSize, nSize);
        const std::filesystem::path dir = std::filesystem::path(argv[1]) / szSizeDir / "apps";
        std::filesystem::create_directories(dir);
        CBitmap scaled;
        // Scaled down, the 32 x 32 art loses its trail at 16 x 16, so that size has art of its own.
        ScaleNearest(nSize == smallIcon.GetWidth() ? smallIcon : icon, scaled, nSize);
        if (!SaveBitmapPng(scaled, (dir / "vantrel.png").c_str())) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], (dir / "vantrel.png").c_str());
            return 1;
        }
    }
    return 0;
}
