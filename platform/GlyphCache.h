// Pixel masks of the label font, rendered once per character, from which text is composed into bitmaps.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

// Glyphs come from the desktop's default sans font resolved through
// fontconfig, not from the platform theme, so the offscreen platform and a
// real window render identical pixels. Antialiasing is off: every pixel is
// either ink or background.
class CGlyphCache {
public:
    // The height of one text line and of the opaque box behind it.
    static constexpr int LINE_HEIGHT = 16;
    // The widest glyph kept; ink further right is cut off.
    static constexpr int MAX_GLYPH_WIDTH = 64;

    // Bit i of rows[r] set: ink at column nLeft + i from the pen position,
    // row r from the top of the line.
    struct Glyph {
        int nAdvance = 0;
        int nLeft = 0;
        std::array<std::uint64_t, LINE_HEIGHT> rows{};
    };

    // The process's cache, shared by every drawing context.
    static CGlyphCache& Instance();

    // The glyph of a code point, rendered on first use; nullptr while no GUI
    // application object runs (fonts are unavailable then).
    const Glyph* Find(char32_t codePoint);

    // The code points of code page 932 text; invalid bytes become U+FFFD.
    // The result stays valid until the next call.
    const std::u32string& Decode(std::string_view cp932);

private:
    // Node-based, so a glyph keeps its address while others are added.
    std::unordered_map<char32_t, Glyph> m_glyphs;
    // ASCII glyphs once rendered, found without hashing: the labels drawn
    // every tick are ASCII.
    std::array<const Glyph*, 0x80> m_ascii{};
    std::u32string m_decoded;
};
