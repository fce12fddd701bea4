// film.cpp -- watching the best run of a course
#include "film.h"

#include "desktop.h"
#include "pause_hook.h"
#include "quiet_wait.h"
#include "tick_wait.h"

#include <cstdio>

#include "game.h"
#include "race.h"
#include "share.h"

const char *const FILM_LABEL = "Best run";
const char *const FILM_END = "End of the best run - Esc for the menu";

// film_paused
// Asked once each pass of a film: true while the film is to stand still
// (paused by its key or by the window losing the focus, or showing the
// keys).
static bool film_paused() { return hold_active(); }

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
  BITMAP *frame = n_players == 2 ? buf2 : buf;  // the whole picture
  BITMAP *shown = create_bitmap(frame->w, frame->h);
  if (!shown || !race_begin_film(r)) {
    if (fr) fprintf(fr, "The best run of course %d can't be shown\n", course);
    race_end();
    if (shown) destroy_bitmap(shown);
    play_teardown();
    return REPLAY_DAMAGED;
  }
  tick_wait(0);
  while ((!key[KEY_ESC] || hold_swallows(KEY_ESC)) && !hold_take_esc() &&
         !desktop_close_requested()) {
    bool over = race_film_over();
    if (hold_poll(KEY_F1) && hold_state() != HOLD_NONE) {
      draw_held(shown);
      desktop_present(shown);
    }
    if (film_paused() || over) t1 = t2;
    PlayPass pass = play_pass(shown);
    if (pass == PASS_FRAME) {
      draw_marks(shown, over);
      desktop_present(shown);
    } else if (pass == PASS_WAIT) {
      quiet_tick_wait(over ? 10 : 20);  // keys looked at again at least this often
    } else if (pass == PASS_HELD) {
      hold_rest();
    }
    desktop_poll();
  }
  race_end();
  destroy_bitmap(shown);
  play_teardown();
  return REPLAY_USABLE;
}
