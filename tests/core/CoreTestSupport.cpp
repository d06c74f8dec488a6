// Surfaces and expected playfield images for the core tests.
#include "CoreTestSupport.h"

#include <cstdlib>

namespace {

constexpr int W = 640, H = 400;
constexpr COLORREF kGreen = 0x00ff00, kYellow = 0x00ffff, kBlue = 0xff0000, kWhite = 0xffffff;

void Fill(Image& image, int x1, int y1, int x2, int y2, COLORREF cr) // inclusive corners
{
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            image[y * W + x] = cr;
}

} // namespace

Surface::Surface()
{
    bmp.CreateBitmap(W, H);
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bmp);
}

Image Surface::Pixels() const
{
    Image image(W * H);
    for (int i = 0; i < W * H; ++i)
        image[i] = dc.GetPixel(i % W, i / W);
    return image;
}

Image ExpectedField(unsigned nSecond, int nStars, const std::string& strStage, const std::string& strScore)
{
    Image image(W * H, 0);
    Fill(image, 9, 19, 628, 378, kGreen);
    Fill(image, 11, 21, 626, 376, 0);
    std::srand(nSecond);
    for (int i = 0; i < nStars; ++i) {
        const int x = std::rand() % 615 + 12;
        const int y = std::rand() % 355 + 22;
        Fill(image, x, y, x + 1, y + 1, kYellow);
    }
    Fill(image, 12, 169, 16, 228, 0);
    Fill(image, 622, 169, 626, 228, 0);
    Fill(image, 9, 178, 10, 218, kBlue);
    Fill(image, 627, 178, 628, 218, kBlue);
    Surface labels;
    labels.dc.SetBkColor(0);
    labels.dc.SetTextColor(kWhite);
    labels.dc.TextOut(270, 0, "vantrel");
    labels.dc.TextOut(550, 380, strStage);
    labels.dc.TextOut(30, 380, strScore);
    const int nLabelRows[2][2] = {{0, 19}, {379, H}}; // rows [top, bottom) outside the frame
    for (const auto& rows : nLabelRows)
        for (int i = rows[0] * W; i < rows[1] * W; ++i)
            image[i] = labels.dc.GetPixel(i % W, i / W);
    return image;
}

Image WithSprite(Image image, int x0, int y0)
{
    CBitmap burst, mask;
    burst.LoadBitmap(106);
    mask.LoadBitmap(110);
    for (int i = 0; i < 32 * 32; ++i) {
        const int x = x0 + i % 32, y = y0 + i / 32;
        const COLORREF crMask = CBitmap::FromPixel(mask.Bits()[i]);
        EXPECT_TRUE(crMask == 0 || crMask == kWhite) << "mask pixel " << i;
        if (x >= 0 && x < W && y >= 0 && y < H && crMask == 0)
            image[y * W + x] = CBitmap::FromPixel(burst.Bits()[i]);
    }
    return image;
}

testing::AssertionResult SameImage(const Image& actual, const Image& expected)
{
    int nDiffs = 0, iFirst = -1;
    for (int i = 0; i < W * H; ++i)
        if (actual[i] != expected[i] && nDiffs++ == 0)
            iFirst = i;
    if (nDiffs == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << nDiffs << " pixels differ, first at (" << iFirst % W << ", " << iFirst / W
                                       << "): " << std::hex << actual[iFirst] << " instead of " << expected[iFirst];
}
