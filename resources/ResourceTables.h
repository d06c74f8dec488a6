// The resource tables defined across this folder, and the colours they are drawn in.
#pragma once

#include "Resources.h"
#include "WinTypes.h"

#include <cstdint>

// The palettes' colours, packed 0x00BBGGRR.
constexpr std::uint32_t RES_BLACK = RGB(0, 0, 0);
constexpr std::uint32_t RES_WHITE = RGB(255, 255, 255);
constexpr std::uint32_t RES_RED = RGB(255, 0, 0);
constexpr std::uint32_t RES_YELLOW = RGB(255, 255, 0);
constexpr std::uint32_t RES_PALE_YELLOW = RGB(255, 255, 102);
constexpr std::uint32_t RES_ORANGE = RGB(255, 102, 51);

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
