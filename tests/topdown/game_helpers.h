// game_helpers.h -- shared set-up of the game tests: Allegro without a
// display, a stand-in datafile and hand-made courses.
#ifndef GAME_HELPERS_H
#define GAME_HELPERS_H

#include <allegro.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "game.h"
#include "headless.h"
#include "share.h"

// Tiles of the test courses.
enum { T_WALL = 1, T_GRASS = 2, T_SAND = 7, T_ICE = 8, T_WATER = 9,
       T_SHALLOW = 10, T_FENCE = 15 };

// Allegro headless at 16 bits, a 640 x 480 buf, the colours, the test tile
// set and the stand-in datafile (object 15 is Allegro's font). Other tests
// of this program change these globals, so they are set on every call.
inline void game_headless() {
  static BITMAP *view;
  D = headless_datafile();
  if (!view) view = create_bitmap(640, 480);
  buf = view;
  memset(tile_attr, Dry, sizeof tile_attr);
  tile_attr[T_WALL] = NoWalk | Dry;
  tile_attr[T_WATER] = NoWalk;
  tile_attr[T_SHALLOW] = Slow;
  tile_attr[T_SAND] = Dry | Slow;
  tile_attr[T_ICE] = Dry | Ice;
  tile_attr[T_FENCE] = Dry | Restricted;
}

// A fresh one-player game in Australia at step 0 on a w x h course; the
// whole 256 x 256 grid is grass and no key is down.
inline void fresh_game(int w = 40, int h = 30) {
  game_headless();
  memset(&map, 0, sizeof map);
  memset(map.t, T_GRASS, sizeof map.t);
  map.w = w;
  map.h = h;
  for (int i = 0; i < MAX_CHARACS; i++) C[i] = Charac();
  n_characs = 0;
  t1 = 1;
  t2 = clap_t = 0;
  USA = false;
  n_players = 1;
  forget_finishes();
  memset((void *)key, 0, KEY_MAX);
}

inline void paint(int x0, int y0, int x1, int y1, int t) {
  for (int x = x0; x <= x1; x++)
    for (int y = y0; y <= y1; y++) map.t[x][y] = (unsigned char)t;
}

inline Charac &spawn(int x, int y, int kind) {
  add_charac(x, y, kind);
  return C[n_characs - 1];
}

// Puts a driver in a vehicle: each linked to the other, as boarding does.
inline void seat(Charac &driver, Charac &vehicle) {
  driver.link = &vehicle;
  vehicle.link = &driver;
}

inline fix F(double d) { return fix(d); }
inline double dbl(fix f) { return fixtof(f.v); }

#endif
