// datafile.cpp -- topdown's "data.dat" on any bytes: the check the program
// runs before Allegro's loader must never fail itself, and every file it
// passes must be one that Allegro loads whole, that holds every object the
// program uses with the right kind, and that the program can draw with,
// whatever the sizes of its pictures: the title, the tiles, every kind of
// character in the game, the heads-up display and the editor's screen.
// Files it refuses are never handed to Allegro (that is the point of it).
#include <cstring>
#include <string>

#include "maped.h"
#include "menu.h"
#include "topdown_game.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_topdown_init();  // D is each input's own from then on
  return 0;
}

// Draws the menu, a game with a character of every kind, and the editor
// with the datafile in D.
static void draw_everything(bool two_players) {
  BITMAP *menu_bmp = create_bitmap(500, 200);
  menu_font = (FONT *)D[OBJ_FONT].dat;
  main_menu_build(3);
  main_menu_draw(menu_bmp, (BITMAP *)D[OBJ_TITLE].dat);
  main_menu_destroy();
  destroy_bitmap(menu_bmp);
  memset(&map, 0, sizeof map);
  course_default(map);
  for (int x = 0; x < 25; x++) map.t[x][x] = (unsigned char)(x * 11);
  n_players = two_players ? 2 : 1;
  n_characs = 0;
  for (int k = KIND_WALKER; k <= KIND_WHIRL; k++)
    for (int s = 0; s < 6; s++) {
      add_charac(60 + 20 * s, 60 + 10 * k, k);
      C[n_characs - 1].sub = s;
    }
  C[1].kind = KIND_WALKER;
  fuzz_play_steps(3);
  for (int s = 1; s <= 4; s *= 2) {
    scale = s;
    draw_editor();
  }
  scale = 1;
  menu_font = font;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string why = datafile_damage(data, size);
  if (!why.empty()) return 0;
  fuzz_write("data.dat", data, size);
  D = load_checked_datafile("data.dat", why);
  FUZZ_CHECK(D && why.empty());
  FUZZ_CHECK(check_datafile(D) == nullptr);
  draw_everything(size & 1);
  unload_datafile(D);
  D = nullptr;
  return 0;
}
