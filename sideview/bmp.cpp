// bmp.cpp -- bitmap records of one byte per pixel, and the BMP loader
#include "bmp.h"

#include <cstdlib>
#include <cstring>

enum {
  HEADER_SIZE = 54,         // file header (14) and information header (40)
  ROW_BUFFER_4BIT = 512,    // a 16-colour row passes through this buffer
};

// new_bmp
// A record of w x h zeroed pixels.
bmp *new_bmp(int w, int h) {
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  size_t n = (size_t)w * (size_t)h;
  bmp *b = (bmp *)malloc(sizeof(bmp));
  unsigned char *data = (unsigned char *)calloc(n ? n : 1, 1);
  if (!b || !data) {
    fprintf(stderr, "Out of memory for a %d x %d picture\n", w, h);
    exit(1);
  }
  b->w = w;
  b->h = h;
  b->data = data;
  return b;
}

// destroy_bmp
void destroy_bmp(bmp *b) {
  if (!b) return;
  free(b->data);
  free(b);
}

// blit1
// Clips once: columns x0..x1-1 and rows y0..y1-1 of the rectangle are the
// ones inside both records; then copies them pixel by pixel, rows top
// first and each row left to right, also when src and dst are one record
// (an overlapping copy to the right or below repeats what it has copied).
void blit1(bmp *src, bmp *dst, int src_x, int src_y, int dst_x, int dst_y, int w, int h) {
  if (!src || !dst) return;
  long long x0 = 0, y0 = 0, x1 = w, y1 = h;
  if (src_x < 0) x0 = -(long long)src_x;
  if (src_y < 0) y0 = -(long long)src_y;
  if (x0 + dst_x < 0) x0 = -(long long)dst_x;
  if (y0 + dst_y < 0) y0 = -(long long)dst_y;
  if ((long long)src_x + w > src->w) x1 = (long long)src->w - src_x;
  if ((long long)src_y + h > src->h) y1 = (long long)src->h - src_y;
  if (dst_x + x1 > dst->w) x1 = (long long)dst->w - dst_x;
  if (dst_y + y1 > dst->h) y1 = (long long)dst->h - dst_y;
  if (x1 <= x0 || y1 <= y0) return;
  long long n = x1 - x0;
  for (long long y = y0; y < y1; y++) {
    unsigned char *d = dst->data + (y + dst_y) * dst->w + x0 + dst_x;
    const unsigned char *s = src->data + (y + src_y) * src->w + x0 + src_x;
    for (long long i = 0; i < n; i++) d[i] = s[i];
  }
}

// sub_bmp
bmp *sub_bmp(bmp *src, int x, int y, int w, int h) {
  bmp *b = new_bmp(w, h);
  blit1(src, b, x, y, 0, 0, w, h);
  return b;
}

// clear
void clear(bmp *b, int c) {
  if (b) memset(b->data, c & 0xFF, (size_t)b->w * (size_t)b->h);
}

// Little-endian fields of the header.
static int __bmpLe32(const unsigned char *p) {
  return (int)((unsigned)p[0] | (unsigned)p[1] << 8 | (unsigned)p[2] << 16 | (unsigned)p[3] << 24);
}
static int __bmpLe16(const unsigned char *p) { return p[0] | p[1] << 8; }

// __bmpReadRow
// Reads n bytes into buf; what the file lacks is 0. False at the end of
// the file.
static bool __bmpReadRow(FILE *f, unsigned char *buf, size_t n) {
  size_t got = fread(buf, 1, n, f);
  if (got < n) memset(buf + got, 0, n - got);
  return got == n;
}

// read_bmp1
// Reads width, height and depth from the header; pixel rows follow the
// palette (256 entries for 8 bits, 16 for 4), bottom row first, each row
// padded to a multiple of 4 bytes as BMP files are.
bmp *read_bmp1(FILE *f, int &w, int &h) {
  // A header cut short reads as zeros, which the size check refuses.
  unsigned char hdr[HEADER_SIZE];
  __bmpReadRow(f, hdr, HEADER_SIZE);
  w = __bmpLe32(hdr + 18);
  h = __bmpLe32(hdr + 22);
  int cd = __bmpLe16(hdr + 28);
  if (fr) fprintf(fr, "w=%d, h=%d cd=%d\n", w, h, cd);
  if (w <= 0 || h <= 0 || w > BMP_MAX_SIDE || h > BMP_MAX_SIDE ||
      (cd == 4 && w > BMP_MAX_WIDTH_4BIT))
    return NULL;
  bmp *b = new_bmp(w, h);
  if (cd == 8) {
    fseek(f, 1024, SEEK_CUR);
    size_t stride = ((size_t)w + 3) & ~(size_t)3;
    unsigned char *row = (unsigned char *)malloc(stride);
    for (int k = 0; k < h && row; k++) {
      bool more = __bmpReadRow(f, row, stride);
      memcpy(b->data + (size_t)(h - 1 - k) * w, row, w);
      if (!more) break;
    }
    free(row);
  } else if (cd == 4) {
    fseek(f, 64, SEEK_CUR);
    unsigned char row[ROW_BUFFER_4BIT];
    size_t bytes = ((size_t)w + 1) / 2;
    size_t stride = (bytes + 3) & ~(size_t)3;
    for (int k = 0; k < h; k++) {
      bool more = __bmpReadRow(f, row, stride);
      unsigned char *out = b->data + (size_t)(h - 1 - k) * w;
      for (int x = 0; x < w; x++) out[x] = (x & 1) ? row[x / 2] & 0x0F : row[x / 2] >> 4;
      if (!more) break;
    }
  }
  return b;
}

// load_bmp1
bmp *load_bmp1(const char *name) {
  FILE *f = fopen(name, "rb");
  if (!f) fail_open(name);
  int w, h;
  bmp *b = read_bmp1(f, w, h);
  fclose(f);
  if (!b) fail("Couldn't read file \"%s\": bad picture size %d x %d", name, w, h);
  return b;
}
