// codes.cpp -- colour codes as the machine shows them
#include "codes.h"

#include <cstdio>

#include "bm.h"
#include "tool.h"

// shown_colour
// The palette slot c of the machine holds the colour of code c + 10; its
// 0..63 components widened to 0..255 the way the display does (63 -> 255,
// 32 -> 130).
Rgb shown_colour(int code) {
  RGB v = bmCodeColour((code + 10) & 0xFF);
  auto widen = [](int x) { return x * 4 + x / 16; };
  return {widen(v.r), widen(v.g), widen(v.b)};
}

// shown_palette
const Rgb *shown_palette() {
  static Rgb pal[256];
  for (int c = 0; c < 256; c++) pal[c] = shown_colour(c);
  return pal;
}

// nearest_code
// Distance weighted by how strongly the eye sees each component.
int nearest_code(Rgb c) {
  int best = 1;
  long best_d = -1;
  for (int code = 1; code < 256; code++) {
    Rgb s = shown_colour(code);
    long dr = s.r - c.r, dg = s.g - c.g, db = s.b - c.b;
    long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (best_d < 0 || d < best_d) best = code, best_d = d;
  }
  return best;
}

// parse_hex
Rgb parse_hex(const std::string &s, const std::string &where) {
  unsigned r, g, b;
  char end;
  if (s.size() != 7 || sscanf(s.c_str(), "#%2x%2x%2x%c", &r, &g, &b, &end) != 3)
    stop(where, "expected a colour #rrggbb, not \"" + s + "\"");
  return {(int)r, (int)g, (int)b};
}

// code_of
int code_of(const char *hex) { return nearest_code(parse_hex(hex, "colour")); }
