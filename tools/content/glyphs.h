// glyphs.h -- the text font of both games' pictures: topdown's game font
// and title, sideview's credits
#pragma once
#include <string>
#include <vector>

#include "picture.h"

// One character of the font: rows of '#' (ink) and '.' (empty), all of the
// same width, GLYPH_ROWS of them; the baseline lies under row 9.
struct Glyph {
  char ch;
  std::vector<std::string> rows;
  int width() const { return rows.empty() ? 0 : (int)rows[0].size(); }
};

constexpr int GLYPH_ROWS = 13;

// All glyphs, characters 32..126 in order; stops the tool on a malformed sheet.
const std::vector<Glyph> &font_glyphs();

// The glyph of a character (space for one the font lacks).
const Glyph &glyph_of(char ch);

// draw_glyph
// Sets the ink pixels of the first `rows` rows of a glyph, each a scale x
// scale block, to c; the glyph's top-left pixel at (x, y).
template <class Pixel>
void draw_glyph(Picture<Pixel> &p, const Glyph &g, int x, int y, int scale,
                PixelValue<Pixel> c, int rows = GLYPH_ROWS) {
  for (int gy = 0; gy < rows; gy++)
    for (int gx = 0; gx < g.width(); gx++)
      if (g.rows[gy][gx] == '#')
        fill_box(p, x + gx * scale, y + gy * scale, x + (gx + 1) * scale - 1,
                 y + (gy + 1) * scale - 1, c);
}

// text_width
// Width in pixels of a line of text at a whole-number scale; each glyph
// stands in a cell one empty column wider on either side.
int text_width(const std::string &s, int scale);

// draw_text
// Sets the ink pixels of a line of text to c, the top-left corner of its
// first cell at (x, y); a cell has an empty row above its glyph and an
// empty column on either side. `rows` as for draw_glyph.
template <class Pixel>
void draw_text(Picture<Pixel> &p, const std::string &s, int x, int y, int scale,
               PixelValue<Pixel> c, int rows = GLYPH_ROWS) {
  for (char ch : s) {
    const Glyph &g = glyph_of(ch);
    draw_glyph(p, g, x + scale, y + scale, scale, c, rows);
    x += (g.width() + 2) * scale;
  }
}

// Digits 0..9 of 3 x 5 pixels, one string of 15 cells each, row by row,
// for the numbered plates of tiles without a drawing.
extern const char *const SMALL_DIGITS[10];

// draw_small_number
// Writes n (not negative) in small digits one pixel apart from (x, y).
template <class Pixel>
void draw_small_number(Picture<Pixel> &p, int x, int y, int n, PixelValue<Pixel> c) {
  for (char ch : std::to_string(n)) {
    for (int i = 0; i < 15; i++)
      if (SMALL_DIGITS[ch - '0'][i] == '#') p.set(x + i % 3, y + i / 3, c);
    x += 4;
  }
}

// The font as the grid picture Allegro's font grabber reads: each glyph
// in a cell framed by value 255, empty pixels 0 and ink 1, so that it
// makes a one-colour font.
Canvas font_sheet();
