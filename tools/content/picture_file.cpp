// picture_file.cpp -- BMP and PCX files from pictures
#include "picture_file.h"

#include "tool.h"

// bmp_header
// File header and information header of an uncompressed bottom-up BMP,
// with its palette of `colours` entries to follow.
static std::vector<unsigned char> bmp_header(int w, int h, int bits, int colours, int stride) {
  std::vector<unsigned char> v;
  long offset = 14 + 40 + 4L * colours, image = (long)stride * h;
  v.push_back('B');
  v.push_back('M');
  put_le(v, offset + image, 4);
  put_le(v, 0, 4);
  put_le(v, offset, 4);
  put_le(v, 40, 4);
  put_le(v, w, 4);
  put_le(v, h, 4);
  put_le(v, 1, 2);
  put_le(v, bits, 2);
  put_le(v, 0, 4);  // no compression
  put_le(v, image, 4);
  put_le(v, 2835, 4);  // 72 dots an inch
  put_le(v, 2835, 4);
  put_le(v, colours, 4);
  put_le(v, 0, 4);
  return v;
}

// bmp_palette
// The palette entries: blue, green, red and a zero byte.
static void bmp_palette(std::vector<unsigned char> &v, const Rgb *pal, int colours) {
  for (int c = 0; c < colours; c++) {
    v.push_back((unsigned char)pal[c].b);
    v.push_back((unsigned char)pal[c].g);
    v.push_back((unsigned char)pal[c].r);
    v.push_back(0);
  }
}

// bmp24_bytes
std::vector<unsigned char> bmp24_bytes(const Image &im) {
  int stride = (im.w * 3 + 3) & ~3;
  std::vector<unsigned char> v = bmp_header(im.w, im.h, 24, 0, stride);
  for (int y = im.h - 1; y >= 0; y--) {
    for (int x = 0; x < im.w; x++) {
      Rgb c = im.get(x, y);
      v.push_back((unsigned char)c.b);
      v.push_back((unsigned char)c.g);
      v.push_back((unsigned char)c.r);
    }
    for (int pad = im.w * 3; pad < stride; pad++) v.push_back(0);
  }
  return v;
}

// bmp8_bytes
std::vector<unsigned char> bmp8_bytes(const Canvas &cv, const Rgb pal[256]) {
  int stride = (cv.w + 3) & ~3;
  std::vector<unsigned char> v = bmp_header(cv.w, cv.h, 8, 256, stride);
  bmp_palette(v, pal, 256);
  for (int y = cv.h - 1; y >= 0; y--)
    for (int x = 0; x < stride; x++) v.push_back(cv.get(x, y));
  return v;
}

// bmp4_bytes
std::vector<unsigned char> bmp4_bytes(const Canvas &cv, const Rgb pal[16]) {
  int stride = ((cv.w + 1) / 2 + 3) & ~3;
  std::vector<unsigned char> v = bmp_header(cv.w, cv.h, 4, 16, stride);
  bmp_palette(v, pal, 16);
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
