// world.h -- a small sideview world for tests: the headless machine with
// the game's callbacks, a tile set and sprites of plain pictures made in
// memory, levels written as text, and one frame of play in the game's
// order.
#ifndef WORLD_H
#define WORLD_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bm.h"
#include "bmp.h"
#include "game.h"
#include "object.h"
#include "tile.h"
#include "video.h"

// Tile indices of the test tile set, and the characters of level text.
enum {
  T_EMPTY = 0,      // ' '
  T_BLOCK = 1,      // '#': solid all round
  T_WALL = 2,       // '.': background
  T_PLATFORM = 3,   // '=': solid from above only
  T_LADDER = 4,     // 'H'
  T_DOOR = 5,       // 'D'
  T_SPIKES = 6,     // '^'
  T_LADDER_TOP = 7, // 'T': ladder that is also a floor
};

// The picture of test tile i: every pixel tells its tile and place, never 0.
inline unsigned char tile_pixel(int i, int x, int y) {
  return (unsigned char)(1 + (i * 37 + x + 16 * y) % 255);
}

// A w x h picture filled with colour c.
inline bmp *plain(int w, int h, int c) {
  bmp *b = new_bmp(w, h);
  clear(b, c);
  return b;
}

// Sets the tile set: 8 tiles with pictures and attributes, the rest none.
inline void make_tiles() {
  static const unsigned char attr[] = {0, SOLID, 0, SOLID_TOP, LADDER, DOOR, HURT,
                                       LADDER | SOLID_TOP};
  for (int i = 0; i < 256; i++) {
    destroy_bmp(tiles[i].bitmap);
    tiles[i].bitmap = nullptr;
    tiles[i].attribute = i < 8 ? attr[i] : 0;
  }
  for (int i = 0; i < 8; i++) {
    tiles[i].bitmap = new_bmp(16, 16);
    for (int y = 0; y < 16; y++)
      for (int x = 0; x < 16; x++) tiles[i].bitmap->data[y * 16 + x] = tile_pixel(i, x, y);
  }
}

// Sprites: each a plain picture of its own colour (0x40 + number), of the
// sizes the game's sheet has.
inline void make_sprites() {
  static const int sizes[][3] = {{0, 32, 32},  {1, 32, 32},  {2, 32, 32},  {3, 32, 32},
                                 {4, 32, 34},  {5, 32, 32},  {10, 16, 16}, {11, 16, 16},
                                 {12, 16, 16}, {20, 48, 32}};
  for (auto &s : sizes) {
    destroy_bmp(spr[s[0]]);
    spr[s[0]] = plain(s[1], s[2], 0x40 + s[0]);
  }
}

// The status bar: background 0x10, heart 0x21, bullet 0x22, item 0x23,
// blank 0x10 (the background's own colour).
inline void make_bar() {
  destroy_bmp(bar.background);
  destroy_bmp(bar.heart);
  destroy_bmp(bar.bullet);
  destroy_bmp(bar.item);
  destroy_bmp(bar.blank);
  bar.background = plain(320, 20, 0x10);
  bar.heart = plain(14, 14, 0x21);
  bar.bullet = plain(12, 12, 0x22);
  bar.item = plain(22, 16, 0x23);
  bar.blank = plain(14, 16, 0x10);
  for (int &t : bar.treasure) t = 0;
  bar.health = bar.ammunition = -1;
}

// Writes b as an 8-bit BMP (bottom-up, grey palette, rows padded to 4).
inline bool write_bmp8(const std::string &name, const bmp *b) {
  int stride = (b->w + 3) & ~3;
  std::vector<unsigned char> f(54 + 1024 + (size_t)stride * b->h, 0);
  auto put32 = [&](int at, int v) {
    for (int k = 0; k < 4; k++) f[at + k] = (unsigned char)((unsigned)v >> (8 * k));
  };
  f[0] = 'B', f[1] = 'M';
  put32(2, (int)f.size());
  put32(10, 54 + 1024);
  put32(14, 40);
  put32(18, b->w);
  put32(22, b->h);
  f[26] = 1, f[28] = 8;
  for (int i = 0; i < 256; i++) f[54 + 4 * i] = f[55 + 4 * i] = f[56 + 4 * i] = (unsigned char)i;
  for (int y = 0; y < b->h; y++)
    memcpy(&f[54 + 1024 + (size_t)stride * (b->h - 1 - y)], b->data + y * b->w, b->w);
  FILE *out = fopen(name.c_str(), "wb");
  if (!out) return false;
  bool ok = fwrite(f.data(), 1, f.size(), out) == f.size();
  return fclose(out) == 0 && ok;
}

// Loads a level from rows of characters (legend above); insertions none.
inline void make_level(const std::vector<std::string> &rows) {
  memset(&map, 0, sizeof map);
  map.h = (int)rows.size();
  map.w = (int)rows[0].size();
  const std::string legend = " #.=HD^T";
  for (int y = 0; y < map.h; y++)
    for (int x = 0; x < map.w; x++) {
      size_t t = legend.find(rows[y][x]);
      map.t[x][y] = (unsigned char)(t == std::string::npos ? 0 : t);
    }
}

inline void add_insertion(int x, int y, int code) { map.ins[map.n++] = Insertion{x, y, code}; }

// The colour code shown at the playfield pixel (px, py) in direct colour,
// read from both banks of machine memory.
inline int playfield_pixel(int px, int py) {
  const unsigned char *m = bmMemory();
  int a = (py & 255) * 256 + ((px / 2) & 255);
  unsigned char b0 = m[0x10000 + a], b1 = m[0x20000 + a];
  return px & 1 ? ((b1 & 0x0F) << 4) | (b0 & 0x0F) : (b1 & 0xF0) | (b0 >> 4);
}

// The same for the status bar in bank 0.
inline int bar_pixel(int px, int py) {
  const unsigned char *m = bmMemory();
  int a = py * 256 + px / 2;
  unsigned char b0 = m[0x0400 + a], b1 = m[0x1800 + a];
  return px & 1 ? ((b1 & 0x0F) << 4) | (b0 & 0x0F) : (b1 & 0xF0) | (b0 >> 4);
}

// A headless machine with the game's callbacks and the test tile set,
// sprites and status bar; no keys held; the log off.
class World : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(bmSetupHeadless(), 0);
    memset((void *)key, 0, KEY_MAX);
    bmSetCallBack(0, on_vsync);
    bmSetCallBack(1, on_hsync);
    fr = nullptr;
    make_tiles();
    make_sprites();
    make_bar();
    hsyncs = 0;
    OX = OY = 0;
    status_bar = 0;
    n_characs = 0;
    srand(1);
  }
  void TearDown() override {
    memset((void *)key, 0, KEY_MAX);
    bmSetdown();
  }
};

#endif
