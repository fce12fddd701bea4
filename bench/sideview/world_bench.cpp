// Host time of one frame of play, headless: a 64 x 32 level, 30 objects,
// the view scrolling a tile column every frame, the status bar changing,
// and the machine generating every line of the frame.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "bm.h"
#include "game.h"
#include "log.h"
#include "music.h"
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


// One frame of a shipped level as the game plays it: the run folder's
// tiles, sprites, status bar and tune, level 4 (three floors, mums, fire)
// with the player walking to and fro, and the music advancing every line.
static void BM_PlayShippedLevel(benchmark::State &state) {
  if (chdir(RUN_DIR "/sideview") != 0) {
    state.SkipWithError("sideview's run folder is not built");
    return;
  }
  fr = nullptr;
  bmSetupHeadless();
  memset((void *)key, 0, KEY_MAX);
  srand(1);
  music_init();
  tiles_init();
  sprites_init();
  bmSetCallBack(0, on_vsync);
  bmSetCallBack(1, on_hsync);
  bar_init();
  load_music("tr1.mid");
  play_music();
  bar_reset();
  level_play p = {0, 0};
  int frame = 0;
  for (auto _ : state) {
    if (frame % 2000 == 0 || n_characs == 0 || C[0].kind != K_PLAYER) {
      state.PauseTiming();
      load_map("tr04.map");
      produce_cast(1);
      C[0].hp = 100;
      set_gfx1();
      p = level_play{0, 0};
      state.ResumeTiming();
    }
    bool right = (frame / 150) % 2 == 0;
    key[KEY_RIGHT] = right;
    key[KEY_LEFT] = !right;
    play_frame(p);
    bmWait(0);
    frame++;
  }
  memset((void *)key, 0, KEY_MAX);
  bmSetdown();
}
BENCHMARK(BM_PlayShippedLevel)->Unit(benchmark::kMillisecond);
