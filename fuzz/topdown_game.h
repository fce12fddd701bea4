// topdown_game.h -- what the fuzz targets of topdown's readers share: the
// game headless with a small view, and what they leave played for a few
// steps and drawn.
#ifndef TOPDOWN_GAME_H
#define TOPDOWN_GAME_H

#include "fuzz.h"
#include "game.h"
#include "headless.h"
#include "share.h"

// The stand-in screen a frame is shown on.
inline BITMAP *fuzz_shown;

// fuzz_topdown_init
// The scratch folder and the quiet log; Allegro headless with the stand-in
// datafile in D; a view of 160 x 120, so that every part of a frame is
// drawn at a small cost.
inline void fuzz_topdown_init() {
  fuzz_enter_scratch();
  fuzz_quiet_log();
  D = headless_datafile();
  buf = create_bitmap(160, 120);
  fuzz_shown = create_bitmap(160, 120);
}

// fuzz_play_steps
// The cast in C runs the logic steps up to step `steps` with the keys as
// they are, and one frame of it is drawn; the cast is gone after.
inline void fuzz_play_steps(int steps) {
  make_game_bitmaps();
  t1 = steps;
  t2 = 0;
  while (t2 < t1) logic_step();
  draw_frame(fuzz_shown);
  free_game_bitmaps();
  n_characs = 0;
}

#endif
