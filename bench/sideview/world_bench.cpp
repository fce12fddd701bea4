// Host time of one frame of play, headless: a 64 x 32 level, 30 objects,
// the view scrolling a tile column every frame, the status bar changing,
// and the machine generating every line of the frame.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bm.h"
#include "game.h"
#include "object.h"
#include "tile.h"
#include "video.h"

// Tiles with a picture each; a floor and walls to stand on.
static void make_world() {
  for (int i = 0; i < 8; i++) {
    tiles[i].bitmap = new_bmp(16, 16);
    for (int p = 0; p < 256; p++) tiles[i].bitmap->data[p] = (unsigned char)(i * 31 + p);
  }
  tiles[1].attribute = SOLID;
  map.w = 64;
  map.h = 32;
  map.n = 0;
  for (int x = 0; x < 64; x++)
    for (int y = 0; y < 32; y++) map.t[x][y] = (unsigned char)(y == 0 || y >= 30 || x == 0 || x == 63 ? 1 : 2 + (x + y) % 6);
  static const int sizes[][3] = {{0, 32, 32}, {1, 32, 32}, {2, 32, 32}, {3, 32, 32}, {4, 32, 34},
                                 {5, 32, 32}, {10, 16, 16}, {11, 16, 16}, {12, 16, 16}, {20, 48, 32}};
  for (auto &s : sizes) {
    spr[s[0]] = new_bmp(s[1], s[2]);
    for (int p = 0; p < s[1] * s[2]; p++) spr[s[0]]->data[p] = (unsigned char)(p % 7 ? 0x55 : 0);
  }
  bar.background = new_bmp(320, 20);
  bar.heart = new_bmp(14, 14);
  bar.bullet = new_bmp(12, 12);
  bar.item = new_bmp(22, 16);
  bar.blank = new_bmp(14, 16);
}

static void BM_PlayFrame(benchmark::State &state) {
  bmSetupHeadless();
  bmSetCallBack(0, on_vsync);
  bmSetCallBack(1, on_hsync);
  make_world();
  bar_reset();
  srand(1);
  n_characs = 0;
  add_charac(200, 400, K_PLAYER);
  for (int i = 1; i < 30; i++)
    add_charac(40 + 33 * i, 300 + 5 * (i % 7), i % 3 ? K_MUM | 5 << 8 : K_HEALTH + i % 2);
  set_gfx1();
  level_play p = {0, 0};
  int frame = 0;
  for (auto _ : state) {
    // Keep the cast: the player runs on a tile column a frame, back and
    // forth, and nobody dies.
    C[0].x = 200 + 16 * (frame % 40);
    C[0].hp = (signed char)(2 + frame % 3);
    for (int i = 0; i < n_characs; i++) C[i].state &= ~(ST_DEAD | ST_HURT);
    while (n_characs < 30) add_charac(300, 300, K_MUM | 5 << 8);
    play_frame(p);
    bmWait(0);
    frame++;
  }
  bmSetdown();
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMillisecond);

