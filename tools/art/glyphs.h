// glyphs.h -- the text font: glyph drawings and the grid picture Allegro reads
#pragma once
#include <string>
#include <vector>

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

// Writes the font as an 8-bit PCX grid: colour 255 frames every cell,
// colour 0 is empty and colour 1 is ink, so Allegro makes a one-colour font.
bool save_font_sheet(const std::string &path);
