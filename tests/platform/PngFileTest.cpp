// PNG snapshots keep every colour exactly and carry no alpha channel.
#include "PngFile.h"
#include "SurfaceCheck.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>

TEST(PngFileTest, SavedColoursReadBackExactly)
{
    const COLORREF colours[] = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0x123456};
    const QRgb rgb[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x563412};
    Surface s(7, 2);
    for (int i = 0; i < 7; ++i)
        s.dc.SetPixel(i, 1, colours[i]);
    const std::string path = (std::filesystem::temp_directory_path() / "vantrel-png-test.png").string();
    ASSERT_TRUE(SaveBitmapPng(s.bmp, path.c_str()));
    const QImage image(QString::fromStdString(path));
    std::filesystem::remove(path);
    ASSERT_EQ(image.size(), QSize(7, 2));
    EXPECT_FALSE(image.hasAlphaChannel());
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(image.pixel(i, 1) & 0xFFFFFF, rgb[i]) << "colour " << i;
    EXPECT_FALSE(SaveBitmapPng(CBitmap(), path.c_str()));
    EXPECT_FALSE(SaveBitmapPng(s.bmp, "/dev/full")); // the disk fills up: only the flush can tell
}
