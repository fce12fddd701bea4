// fps.cpp -- the frame rate of a two-player game as its clock line shows it:
// the play loop on the largest course, in a real 640 x 480 16-bit window,
// for a few seconds. Prints "fps N". Needs a display (run fps_xvfb.sh).
#include <allegro.h>

#include <cstdio>
#include <cstdlib>

#include "game.h"
#include "share.h"

static void tick() { t1 = t1 + 1; }
END_OF_STATIC_FUNCTION(tick)

int main(int argc, char **argv) {
  int seconds = argc > 1 ? atoi(argv[1]) : 5;
  if (allegro_init() != 0 || install_timer() != 0 || install_keyboard() != 0) {
    fprintf(stderr, "no display\n");
    return 1;
  }
  set_color_depth(16);
  if (set_gfx_mode(GFX_AUTODETECT, 640, 480, 0, 0) != 0) {
    fprintf(stderr, "no 640x480 16-bit mode: %s\n", allegro_error);
    return 1;
  }
  make_colours();
  buf = create_bitmap(SCREEN_W, SCREEN_H);
  D = load_datafile(RUN_DIR "/topdown/data.dat");
  if (!D || attr_read(RUN_DIR "/topdown/tileattr.wz", tile_attr) != 256 ||
      !try_load_map(RUN_DIR "/topdown/m06.map")) {
    fprintf(stderr, "needs data.dat, tileattr.wz and m06.map in " RUN_DIR "/topdown\n");
    return 1;
  }
  n_players = 2;
  srand(3);
  t1 = 1;
  t2 = 0;
  make_game_bitmaps();
  if (!produce_cast(0)) return 1;
  scatter_extras();
  LOCK_VARIABLE(t1);
  LOCK_FUNCTION(tick);
  install_int_ex(tick, BPS_TO_TIMER(STEPS_PER_SECOND));
  while (t2 < seconds * STEPS_PER_SECOND) play_pass(screen);
  printf("fps %d (%d characters, %d logic steps)\n", fps, n_characs, t2);
  free_game_bitmaps();
  return 0;
}
END_OF_MAIN()
