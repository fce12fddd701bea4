// main.cpp -- topdown's entry: the command line, start-up, the main menu,
// games and the course editor, shut-down
#include <cstdio>

#include "desktop.h"
#include "display_options.h"
#include "film.h"
#include "game.h"
#include "ghost.h"
#include "keys.h"
#include "maped.h"
#include "menu.h"
#include "share.h"
#include "times.h"

static const char USAGE[] =
    "Usage: topdown [options]\n"
    "The racing game and its course editor, from the main menu.\n"
    "F11 switches between the window and the full screen too.\n"
    "Options:\n";

int main(int argc, char **argv) {
  int status = take_display_options(argc, argv, "topdown", USAGE, stdout, stderr);
  if (status >= 0) return status;
  share_init();
  times_load();
  ghost_setting_load();
  BITMAP *menu_bmp = create_bitmap(500, 200);
  if (!menu_bmp) fail("Couldn't create the menu bitmap");
  menu_font = (FONT *)D[OBJ_FONT].dat;
  main_menu_build(n_maps);

  // The window's close button ends the program from the menu, from a game
  // and, once the editor has let go (its own Esc), from the editor.
  while (!desktop_close_requested()) {
    main_menu_draw(menu_bmp, (BITMAP *)D[OBJ_TITLE].dat);
    desktop_present(buf);
    int k = desktop_readkey();
    if (!k) break;
    if (k >> 8 == KEY_F1) {  // the keys screen, over the menu until a key
      draw_key_screen(buf, topdown_keys(false), col_white, col_black);
      desktop_present(buf);
      wait_for_any_key();
      continue;
    }
    int r = main_menu_key(k);
    if (r == MENU_PLAY) {
      main_menu_play();
      clear_keybuf();  // keys pressed in the game are not menu keys
    } else if (r == MENU_WATCH) {
      ReplayStatus shown = watch_best_run(course);
      if (shown == REPLAY_NONE || shown == REPLAY_DAMAGED)
        menu_note = "No best run of this course to watch yet";
      else if (shown == REPLAY_CHANGED)
        menu_note = "The course has changed since its best run";
      clear_keybuf();
    } else if (r == MENU_EDITOR) {
      char name[16];
      course_file_name(name, sizeof name);
      maped_main(name);
      main_menu_after_editor();
      clear_keybuf();
    } else if (r == MENU_QUIT) {
      break;
    }
  }

  destroy_bitmap(menu_bmp);
  share_cleanup();
  main_menu_destroy();
  return 0;
}
END_OF_MAIN()
