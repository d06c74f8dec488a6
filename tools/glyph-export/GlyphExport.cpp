// Renders the label font's printable ASCII glyphs once and writes them as the pixel-art source resources/LabelFont.cpp.
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The fontconfig alias of the desktop's default sans font (DejaVu Sans on
// Debian); 14 pixels without antialiasing gives a 16-pixel line of pure ink.
constexpr const char* FONT_FAMILY = "Sans Serif";
constexpr int FONT_PIXEL_SIZE = 14;
constexpr int LINE_HEIGHT = 16;
// Room on each side of the pen position for ink that overhangs the advance.
constexpr int RENDER_MARGIN = LINE_HEIGHT;

QFont LabelFont()
{
    QFont font(QString::fromLatin1(FONT_FAMILY));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(FONT_PIXEL_SIZE);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// One glyph as the table holds it: its advance, the column of its first ink
// relative to the pen, and its rows from that column to its last ink.
struct Glyph {
    int nAdvance = 0;
    int nLeft = 0;
    std::vector<std::string> rows;
};

Glyph RenderGlyph(const QFont& font, char ch)
{
    const QFontMetrics metrics(font);
    const QString text(QChar::fromLatin1(ch));
    Glyph glyph;
    glyph.nAdvance = metrics.horizontalAdvance(text);
    QImage image(glyph.nAdvance + 2 * RENDER_MARGIN, LINE_HEIGHT, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(RENDER_MARGIN, metrics.ascent()), text);
    }
    auto ink = [&](int x, int y) { return qGreen(image.pixel(x, y)) > 127; };
    int first = image.width(), last = -1;
    for (int y = 0; y < LINE_HEIGHT; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (ink(x, y))
                first = std::min(first, x), last = std::max(last, x);
    glyph.nLeft = last < 0 ? 0 : first - RENDER_MARGIN;
    for (int y = 0; y < LINE_HEIGHT; ++y) {
        std::string row;
        for (int x = first; x <= last; ++x)
            row += ink(x, y) ? '#' : '.';
        glyph.rows.push_back(row);
    }
    return glyph;
}

std::string CharComment(char ch)
{
    if (ch == '\\')
        return "backslash";
    return std::string("'") + ch + "'";
}

} // namespace

// Usage: vantrel-glyph-export OUTFILE (normally resources/LabelFont.cpp).
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTFILE\n", argv[0]);
        return 2;
    }
    // Rendering needs no display: the offscreen platform has the same fonts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QFont font = LabelFont();
    const std::string family = QFontInfo(font).family().toStdString();

    std::ostringstream out;
    out << "// The label font: printable ASCII as pixel art, drawn once from " << family << " at " << FONT_PIXEL_SIZE
        << " px by tools/glyph-export.\n"
        << "#include \"LabelFont.h\"\n\n"
        << "// Per character from ' ' to '~': the advance, the column of the rows' first\n"
        << "// pixel relative to the pen position, and one line per pixel row of the\n"
        << "// text line ('#' ink, '.' background).\n"
        << "// clang-format off\n"
        << "const LabelGlyph g_labelFont[LABEL_GLYPH_COUNT] = {\n";
    for (char ch = ' '; ch <= '~'; ++ch) {
        const Glyph glyph = RenderGlyph(font, ch);
        out << "    // " << CharComment(ch) << "\n    {" << glyph.nAdvance << ", " << glyph.nLeft << ", {\n";
        for (const std::string& row : glyph.rows)
            out << "        \"" << row << "\",\n";
        out << "    }},\n";
    }
    out << "};\n// clang-format on\n";

    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << out.str();
    file.close();
    if (!file) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    std::fprintf(stderr, "%s: %s from %s\n", argv[0], argv[1], family.c_str());
    return 0;
}
