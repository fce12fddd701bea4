// bmp.h -- bitmap records of one byte per pixel, and the BMP loader
#ifndef BMP_H
#define BMP_H

#include <cstdio>

// A picture of w x h colour indices, rows top first, no padding:
// pixel (x, y) is data[y * w + x].
struct bmp {
  int w;
  int h;
  unsigned char *data;
};

// The program's log, "report.txt". The machine layer owns the variable so
// that every program linking it shares one; the program opens it at start
// (null until then: messages then go to standard error only).
#include "log.h"  // fr, the program's log

// Largest width or height load_bmp1 accepts (a record of at most 64 MB);
// 16-colour pictures are at most 1024 pixels wide.
enum { BMP_MAX_SIDE = 8192, BMP_MAX_WIDTH_4BIT = 1024 };

// A new w x h record with every pixel 0 (negative sizes count as 0).
bmp *new_bmp(int w, int h);
void destroy_bmp(bmp *b);
// Copies the w x h rectangle at (src_x, src_y) of src to (dst_x, dst_y) of
// dst, clipped to both; every pixel is copied, 0 included.
void blit1(bmp *src, bmp *dst, int src_x, int src_y, int dst_x, int dst_y, int w, int h);
// A new w x h record holding the rectangle at (x, y) of src; parts outside
// src are 0.
bmp *sub_bmp(bmp *src, int x, int y, int w, int h);
// Sets every pixel to the low byte of c.
void clear(bmp *b, int c);
// Reads an uncompressed bottom-up BMP of 4 or 8 bits per pixel. A missing
// file or an impossible size ends the program (log line, stderr, status 1);
// pixels a short file lacks are 0, and other depths give a record of 0s.
bmp *load_bmp1(const char *name);
// The same from a stream open at the file's start, without ending the
// program: null, with the size read in w and h, when the size is impossible.
bmp *read_bmp1(FILE *f, int &w, int &h);

#endif
