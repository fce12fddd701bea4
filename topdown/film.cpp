// film.cpp -- watching the best run of a course
#include "film.h"

#include <cstdio>

#include "game.h"
#include "race.h"
#include "share.h"

const char *const FILM_LABEL = "Best run";
const char *const FILM_END = "End of the best run - Esc for the menu";

// film_paused
// Asked once each pass of a film: true while the film is to stand still.
// Nothing pauses a film yet; a pause (a key, or the window losing the
// focus) answers here.
static bool film_paused() { return false; }

// The film's marks over a frame: its label in the top-left corner, and at
// the end the last line across the top (the players below stay seen).
static void draw_marks(BITMAP *b, bool over) {
  FONT *f = (FONT *)D[OBJ_FONT].dat;
  int w = text_length(f, FILM_LABEL) + 16, h = text_height(f) + 8;
  rectfill(b, 8, 8, 8 + w, 8 + h, col_black);
  circlefill(b, 16, 8 + h / 2, 3, col_red);
  textout_ex(b, f, FILM_LABEL, 24, 12, col_white, -1);
  if (!over) return;
  int ew = text_length(f, FILM_END) + 16;
  int x = (b->w - ew) / 2, y = 8;
  if (x < 8 + w + 8) x = 8 + w + 8;
  rectfill(b, x, y, x + ew, y + h, col_black);
  textout_ex(b, f, FILM_END, x + 8, y + 4, col_yellow, -1);
}

// watch_best_run
// The film runs on the game clock like a race; once the recorded steps
// are over the clock is held, the last frame stays, and Esc goes back.
ReplayStatus watch_best_run(int course) {
  char name[16];
  snprintf(name, sizeof name, "m%02d.map", course);
  if (!try_load_map(name)) return REPLAY_NONE;
  Replay r;
  ReplayStatus status = replay_load(course, n_players, course_check(map, tile_attr), r, true);
  if (status != REPLAY_USABLE) return status;
  t1 = 1;
  t2 = 0;
  play_setup();
  BITMAP *shown = create_bitmap(SCREEN_W, SCREEN_H);
  if (!shown || !race_begin_film(r)) {
    if (fr) fprintf(fr, "The best run of course %d can't be shown\n", course);
    race_end();
    if (shown) destroy_bitmap(shown);
    play_teardown();
    return REPLAY_DAMAGED;
  }
  while (!key[KEY_ESC]) {
    bool over = race_film_over();
    if (film_paused() || over) t1 = t2;
    PlayPass pass = play_pass(shown);
    if (pass == PASS_FRAME) {
      draw_marks(shown, over);
      blit(shown, screen, 0, 0, 0, 0, shown->w, shown->h);
    } else if (pass == PASS_WAIT) {
      rest(over ? 10 : 1);
    }
  }
  race_end();
  destroy_bitmap(shown);
  play_teardown();
  return REPLAY_USABLE;
}
