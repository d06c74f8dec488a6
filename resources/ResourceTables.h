// The resource tables defined across this folder, and the colours they are drawn in.
#pragma once

#include "Resources.h"

#include <cstdint>

// Packs a colour as 0x00BBGGRR, the form the palettes use.
constexpr std::uint32_t ResRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}

constexpr std::uint32_t RES_BLACK = ResRGB(0, 0, 0);
constexpr std::uint32_t RES_WHITE = ResRGB(255, 255, 255);
constexpr std::uint32_t RES_RED = ResRGB(255, 0, 0);
constexpr std::uint32_t RES_YELLOW = ResRGB(255, 255, 0);
constexpr std::uint32_t RES_PALE_YELLOW = ResRGB(255, 255, 102);
constexpr std::uint32_t RES_ORANGE = ResRGB(255, 102, 51);

// The crash sprite is one square; the image and its mask share its size.
constexpr int RES_CRASH_SIZE = 32;
constexpr int RES_ICON_SIZE = 32;
constexpr int RES_ICON_SMALL_SIZE = 16;

extern const ResImage g_resCrashImage;
extern const ResImage g_resCrashMask;
extern const ResImage g_resAppIcon;
extern const ResImage g_resAppIconSmall;
extern const ResDialog g_resNameDialog;
extern const ResDialog g_resAboutDialog;
extern const std::span<const ResMenuItem> g_resMainMenu;
