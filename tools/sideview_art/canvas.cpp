// canvas.cpp -- a picture of colour codes and the file formats it is saved in
#include "canvas.h"

#include <cstdio>
#include <cstdlib>

#include "codes.h"
#include "course_file.h"

// make_canvas
Canvas make_canvas(int w, int h, int fill) {
  Canvas cv;
  cv.w = w;
  cv.h = h;
  cv.px.assign((size_t)w * h, (unsigned char)fill);
  return cv;
}

// fill_box
void fill_box(Canvas &cv, int x0, int y0, int x1, int y1, int c) {
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) cv.set(x, y, c);
}

void hline(Canvas &cv, int x0, int x1, int y, int c) { fill_box(cv, x0, y, x1, y, c); }
void vline(Canvas &cv, int x, int y0, int y1, int c) { fill_box(cv, x, y0, x, y1, c); }

// paste
void paste(const Canvas &src, Canvas &dst, int dx, int dy, bool masked) {
  for (int y = 0; y < src.h; y++)
    for (int x = 0; x < src.w; x++) {
      int c = src.get(x, y);
      if (!masked || c) dst.set(dx + x, dy + y, c);
    }
}

// cut
Canvas cut(const Canvas &src, int x, int y, int w, int h) {
  Canvas out = make_canvas(w, h);
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) out.set(i, j, src.get(x + i, y + j));
  return out;
}

static void le16(std::vector<unsigned char> &v, int x) {
  v.push_back(x & 0xFF);
  v.push_back((x >> 8) & 0xFF);
}
static void le32(std::vector<unsigned char> &v, long x) {
  for (int i = 0; i < 4; i++) v.push_back((x >> (8 * i)) & 0xFF);
}

// bmp_header
// File header and information header of an uncompressed bottom-up BMP.
static std::vector<unsigned char> bmp_header(int w, int h, int bits, int colours, int stride) {
  std::vector<unsigned char> v;
  long offset = 14 + 40 + 4L * colours, image = (long)stride * h;
  v.push_back('B');
  v.push_back('M');
  le32(v, offset + image);
  le32(v, 0);
  le32(v, offset);
  le32(v, 40);
  le32(v, w);
  le32(v, h);
  le16(v, 1);
  le16(v, bits);
  le32(v, 0);  // no compression
  le32(v, image);
  le32(v, 2835);  // 72 dots an inch
  le32(v, 2835);
  le32(v, colours);
  le32(v, 0);
  return v;
}

static void palette_entry(std::vector<unsigned char> &v, Rgb c) {
  v.push_back((unsigned char)c.b);
  v.push_back((unsigned char)c.g);
  v.push_back((unsigned char)c.r);
  v.push_back(0);
}

// bmp8_bytes
std::vector<unsigned char> bmp8_bytes(const Canvas &cv) {
  int stride = (cv.w + 3) & ~3;
  std::vector<unsigned char> v = bmp_header(cv.w, cv.h, 8, 256, stride);
  for (int c = 0; c < 256; c++) palette_entry(v, shown_colour(c));
  for (int y = cv.h - 1; y >= 0; y--)
    for (int x = 0; x < stride; x++) v.push_back((unsigned char)cv.get(x, y));
  return v;
}

// bmp4_bytes
std::vector<unsigned char> bmp4_bytes(const Canvas &cv, const Rgb pal[16]) {
  int stride = ((cv.w + 1) / 2 + 3) & ~3;
  std::vector<unsigned char> v = bmp_header(cv.w, cv.h, 4, 16, stride);
  for (int c = 0; c < 16; c++) palette_entry(v, pal[c]);
  for (int y = cv.h - 1; y >= 0; y--)
    for (int i = 0; i < stride; i++)
      v.push_back((unsigned char)((cv.get(2 * i, y) & 15) << 4 | (cv.get(2 * i + 1, y) & 15)));
  return v;
}

// pcx8_bytes
// Runs of up to 63 equal bytes are stored as 0xC0 + length, byte; a single
// byte below 0xC0 is stored as it is.
std::vector<unsigned char> pcx8_bytes(const Canvas &cv, const Rgb pal[256]) {
  int line = (cv.w + 1) & ~1;
  std::vector<unsigned char> v(128, 0);
  v[0] = 10;  // maker
  v[1] = 5;   // version with a 256-colour palette
  v[2] = 1;   // run-length encoded
  v[3] = 8;   // bits per pixel
  auto put16 = [&](int at, int x) {
    v[at] = x & 0xFF;
    v[at + 1] = (x >> 8) & 0xFF;
  };
  put16(8, cv.w - 1);
  put16(10, cv.h - 1);
  put16(12, 72);
  put16(14, 72);
  v[65] = 1;  // one plane
  put16(66, line);
  put16(68, 1);  // colour palette
  for (int y = 0; y < cv.h; y++) {
    int x = 0;
    while (x < line) {
      int c = cv.get(x, y), n = 1;
      while (x + n < line && n < 63 && cv.get(x + n, y) == c) n++;
      if (n > 1 || c >= 0xC0) v.push_back((unsigned char)(0xC0 | n));
      v.push_back((unsigned char)c);
      x += n;
    }
  }
  v.push_back(12);
  for (int c = 0; c < 256; c++) {
    v.push_back((unsigned char)pal[c].r);
    v.push_back((unsigned char)pal[c].g);
    v.push_back((unsigned char)pal[c].b);
  }
  return v;
}

// save_bytes
void save_bytes(const std::string &path, const std::vector<unsigned char> &bytes) {
  if (!write_file_atomic(path.c_str(), bytes.data(), bytes.size())) {
    fprintf(stderr, "sideview_art: can't write %s\n", path.c_str());
    exit(1);
  }
}

// load_bmp8
bool load_bmp8(const std::string &path, Canvas &cv) {
  FILE *f = fopen(path.c_str(), "rb");
  if (!f) return false;
  std::vector<unsigned char> v;
  int ch;
  while ((ch = getc(f)) != EOF) v.push_back((unsigned char)ch);
  fclose(f);
  if (v.size() < 54 || v[0] != 'B' || v[1] != 'M') return false;
  auto at32 = [&](int i) {
    return (long)(v[i] | v[i + 1] << 8 | v[i + 2] << 16 | (long)v[i + 3] << 24);
  };
  long offset = at32(10), w = at32(18), h = at32(22);
  int bits = v[28] | v[29] << 8;
  if (bits != 8 || w <= 0 || h <= 0 || w > 8192 || h > 8192) return false;
  long stride = (w + 3) & ~3L;
  if (offset < 54 || (long)v.size() < offset + stride * h) return false;
  cv = make_canvas((int)w, (int)h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) cv.set(x, (int)h - 1 - y, v[offset + y * stride + x]);
  return true;
}
