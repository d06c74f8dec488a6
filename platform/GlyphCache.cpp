// Renders glyphs of the label font with Qt's font engine into 1-bit masks, once each.
#include "GlyphCache.h"

#include "Cp932.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

// "Sans Serif" is the fontconfig alias of the desktop's default sans font
// (DejaVu Sans on Debian); 14 pixels gives a 16-pixel line with it.
constexpr const char* FONT_FAMILY = "Sans Serif";
constexpr int FONT_PIXEL_SIZE = 14;
// Room on each side of the pen position for ink that overhangs the advance.
constexpr int RENDER_MARGIN = CGlyphCache::LINE_HEIGHT;

QFont LabelFont()
{
    QFont font(QString::fromLatin1(FONT_FAMILY));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(FONT_PIXEL_SIZE);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

CGlyphCache::Glyph RenderGlyph(char32_t codePoint)
{
    const QFont font = LabelFont();
    const QFontMetrics metrics(font);
    const QString text = QString::fromUcs4(&codePoint, 1);
    CGlyphCache::Glyph glyph;
    glyph.nAdvance = metrics.horizontalAdvance(text);

    QImage image(glyph.nAdvance + 2 * RENDER_MARGIN, CGlyphCache::LINE_HEIGHT, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(RENDER_MARGIN, metrics.ascent()), text);
    }

    // Keep the columns from the first ink onwards, at most MAX_GLYPH_WIDTH.
    int firstInk = image.width();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < firstInk; ++x)
            if (qGreen(image.pixel(x, y)) > 127)
                firstInk = x;
    glyph.nLeft = firstInk - RENDER_MARGIN;
    for (int y = 0; y < image.height(); ++y)
        for (int i = 0; i < CGlyphCache::MAX_GLYPH_WIDTH && firstInk + i < image.width(); ++i)
            if (qGreen(image.pixel(firstInk + i, y)) > 127)
                glyph.rows[std::size_t(y)] |= std::uint64_t(1) << i;
    return glyph;
}

} // namespace

CGlyphCache& CGlyphCache::Instance()
{
    static CGlyphCache cache;
    return cache;
}

const CGlyphCache::Glyph* CGlyphCache::Find(char32_t codePoint)
{
    const bool bAscii = codePoint < m_ascii.size();
    if (bAscii && m_ascii[codePoint] != nullptr)
        return m_ascii[codePoint];
    auto it = m_glyphs.find(codePoint);
    if (it == m_glyphs.end()) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            return nullptr;
        it = m_glyphs.emplace(codePoint, RenderGlyph(codePoint)).first;
    }
    if (bAscii)
        m_ascii[codePoint] = &it->second;
    return &it->second;
}

const std::u32string& CGlyphCache::Decode(std::string_view cp932)
{
    // Code page 932 keeps ASCII as it is, so the common case needs no converter.
    m_decoded.clear();
    for (char ch : cp932) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            m_decoded = QString::fromUtf8(Cp932ToUtf8(cp932)).toStdU32String();
            break;
        }
        m_decoded += char32_t(static_cast<unsigned char>(ch));
    }
    return m_decoded;
}
