// frame_cost.cpp -- the time it takes to draw one game frame in a real
// 640 x 480 16-bit window, for one player and for two on the largest
// shipped course with its random extras. The play loop now draws at most
// one frame per logic step (50 a second), so the cost of a frame, not the
// frame rate, is what tells how much of the processor a game takes.
// Needs a display (run frame_cost_xvfb.sh). Prints one line per case.
#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "game.h"
#include "race.h"
#include "share.h"

// Draws frames back to back for about a second after a few to warm up, and
// prints the mean and the fastest.
static void measure(int players) {
  n_players = players;
  race_srand(3);
  make_game_bitmaps();
  if (!produce_cast(0)) {
    fprintf(stderr, "m06.map has no player start\n");
    exit(1);
  }
  scatter_extras();
  for (int i = 0; i < 20; i++) logic_step();
  using Clock = std::chrono::steady_clock;
  for (int i = 0; i < 10; i++) draw_frame(screen);
  int frames = 0;
  double total = 0, best = 1e9;
  while (total < 1.0) {
    Clock::time_point t0 = Clock::now();
    draw_frame(screen);
    double s = std::chrono::duration<double>(Clock::now() - t0).count();
    total += s;
    if (s < best) best = s;
    frames++;
  }
  double mean = total / frames;
  printf("%d player%s: %.2f ms a frame (fastest %.2f ms) over %d frames; "
         "at 50 frames a second %.0f%% of a core\n",
         players, players == 1 ? " " : "s", mean * 1000, best * 1000, frames,
         mean * 50 * 100);
  free_game_bitmaps();
}

int main() {
  if (allegro_init() != 0 || install_keyboard() != 0) {
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
  t1 = 1;
  t2 = 0;
  measure(1);
  measure(2);
  return 0;
}
END_OF_MAIN()
