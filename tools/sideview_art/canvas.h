// canvas.h -- a picture of colour codes and the file formats it is saved in
#pragma once
#include <string>
#include <vector>

#include "paint.h"

// w x h pixels of one byte each, row by row; outside writes are dropped and
// outside reads give 0.
struct Canvas {
  int w = 0, h = 0;
  std::vector<unsigned char> px;
  bool in(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  int get(int x, int y) const { return in(x, y) ? px[y * w + x] : 0; }
  void set(int x, int y, int c) {
    if (in(x, y)) px[y * w + x] = (unsigned char)c;
  }
};

Canvas make_canvas(int w, int h, int fill = 0);
void fill_box(Canvas &cv, int x0, int y0, int x1, int y1, int c);  // corners included
void hline(Canvas &cv, int x0, int x1, int y, int c);
void vline(Canvas &cv, int x, int y0, int y1, int c);
// Copies src to (dx, dy); with masked, pixels of code 0 are left out.
void paste(const Canvas &src, Canvas &dst, int dx, int dy, bool masked = false);
// The w x h part of src at (x, y).
Canvas cut(const Canvas &src, int x, int y, int w, int h);

// An 8-bit BMP whose palette holds each code's shown colour, so that any
// image viewer shows it as the machine does. Rows bottom-up, padded to 4.
std::vector<unsigned char> bmp8_bytes(const Canvas &cv);
// A 16-colour BMP (values 0..15) with the given palette: the 118-byte
// header and the rows bottom-up, two pixels a byte, the left one high.
std::vector<unsigned char> bmp4_bytes(const Canvas &cv, const Rgb pal[16]);
// An 8-bit run-length PCX with a 256-colour palette (0..255 a component).
std::vector<unsigned char> pcx8_bytes(const Canvas &cv, const Rgb pal[256]);

// Writes bytes to path safely (whole or not at all); stops the tool on failure.
void save_bytes(const std::string &path, const std::vector<unsigned char> &bytes);

// Reads an 8-bit bottom-up BMP as bmp8_bytes writes it; false if it is not one.
bool load_bmp8(const std::string &path, Canvas &cv);
