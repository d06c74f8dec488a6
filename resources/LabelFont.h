// The label font compiled into the program: printable ASCII glyphs as pixel art, so text needs no font engine.
#pragma once

// Every glyph covers one text line of this many rows, the height of a label's opaque box.
constexpr int LABEL_LINE_HEIGHT = 16;
constexpr char LABEL_FIRST_CHAR = ' ';
constexpr char LABEL_LAST_CHAR = '~';
constexpr int LABEL_GLYPH_COUNT = LABEL_LAST_CHAR - LABEL_FIRST_CHAR + 1;

struct LabelGlyph {
    int nAdvance; // how far the pen moves after the glyph
    int nLeft;    // column of the rows' first pixel relative to the pen; negative overhangs to the left
    // '#' ink, '.' background; every row of a glyph has the same length (0 for a blank glyph).
    const char* rows[LABEL_LINE_HEIGHT];
};

// Indexed by character - LABEL_FIRST_CHAR.
extern const LabelGlyph g_labelFont[LABEL_GLYPH_COUNT];
