// PNG snapshots of bitmaps: 8-bit RGB rows in stored (uncompressed) deflate blocks, no image library needed.
#include "PngFile.h"

#include "Bitmap.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// The largest stored deflate block.
constexpr std::size_t MAX_STORED_BLOCK = 65535;

std::uint32_t Crc32(const std::string& bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char ch : bytes)
        crc = table[(crc ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::string& bytes)
{
    std::uint32_t a = 1, b = 0;
    for (const char ch : bytes) {
        a = (a + static_cast<unsigned char>(ch)) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian32(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((value >> shift) & 0xFF);
}

// A chunk: length, type, data, and the CRC of type and data.
void PutChunk(std::string& out, const char* pszType, const std::string& data)
{
    PutBigEndian32(out, std::uint32_t(data.size()));
    const std::string typed = pszType + data;
    out += typed;
    PutBigEndian32(out, Crc32(typed));
}

// A zlib stream holding the bytes in stored blocks.
std::string StoredZlib(const std::string& raw)
{
    std::string out = "\x78\x01";
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min(MAX_STORED_BLOCK, raw.size() - pos);
        out += char(pos + n == raw.size() ? 1 : 0); // final-block flag, block type 00
        out += char(n & 0xFF);
        out += char(n >> 8);
        out += char(~n & 0xFF);
        out += char((~n >> 8) & 0xFF);
        out.append(raw, pos, n);
        pos += n;
    } while (pos < raw.size());
    PutBigEndian32(out, Adler32(raw));
    return out;
}

std::string EncodePng(const CBitmap& bitmap)
{
    const int w = bitmap.GetWidth(), h = bitmap.GetHeight();
    std::string header;
    PutBigEndian32(header, std::uint32_t(w));
    PutBigEndian32(header, std::uint32_t(h));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits per channel, RGB, no interlace

    // Each row: filter type 0, then red, green, blue per pixel.
    std::string raw;
    raw.reserve(std::size_t(h) * (1 + 3 * std::size_t(w)));
    for (int y = 0; y < h; ++y) {
        raw += '\0';
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = bitmap.Bits()[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            raw += char((p >> 16) & 0xFF);
            raw += char((p >> 8) & 0xFF);
            raw += char(p & 0xFF);
        }
    }

    std::string png = "\x89PNG\r\n\x1A\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", "");
    return png;
}

} // namespace

bool SaveBitmapPng(const CBitmap& bitmap, const char* path)
{
    if (bitmap.IsEmpty())
        return false;
    const std::string png = EncodePng(bitmap);
    std::FILE* pFile = std::fopen(path, "wb");
    if (pFile == nullptr)
        return false;
    // A full disk may only show at the flush or the close; each counts.
    const bool bWritten = std::fwrite(png.data(), 1, png.size(), pFile) == png.size();
    const bool bFlushed = std::fflush(pFile) == 0;
    const bool bClosed = std::fclose(pFile) == 0;
    return bWritten && bFlushed && bClosed;
}
