// Lookup of the resources compiled into the program: images, menu, dialog templates.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// An image as text pixel art: one string per row, one character per pixel,
// each character mapped to a colour in 0x00BBGGRR form by the palette.
struct ResPaletteEntry {
    char chKey;
    std::uint32_t crColor;
};

struct ResImage {
    int nWidth;
    int nHeight;
    std::span<const ResPaletteEntry> palette;
    std::span<const char* const> rows;
};

// Menu: top-level entries in order; an entry with children is a popup.
// Texts are code page 932 bytes with '&' before the mnemonic.
struct ResMenuItem {
    std::string_view text;
    unsigned nID; // command id, 0 for a popup
    std::span<const ResMenuItem> children;
};

// Dialog templates: positions and sizes in dialog units.
enum class ResControlKind { Edit, PushButton, Label, Icon };

struct ResControl {
    ResControlKind kind;
    int nID;
    int x, y, cx, cy;
    std::uint32_t dwStyle;
    std::string_view text; // code page 932 bytes; for an icon, empty (nIconID names it)
    unsigned nIconID;
};

struct ResDialog {
    int cx, cy;
    std::uint32_t dwStyle;
    std::string_view caption;  // code page 932 bytes
    std::string_view fontName; // code page 932 bytes
    int nPointSize;
    std::span<const ResControl> controls;
};

// Each returns nullptr for an unknown id.
const ResImage* FindImageResource(unsigned nID);
const ResDialog* FindDialogResource(unsigned nID);
// The top-level items of menu nID; empty for an unknown id.
std::span<const ResMenuItem> FindMenuResource(unsigned nID);
