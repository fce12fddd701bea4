// main.cpp -- topdown's entry: the command line, start-up, the main menu,
// games and the course editor, shut-down
#include <cstdio>

#include "desktop.h"
#include "display_options.h"
#include "game.h"
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
    int r = main_menu_key(k);
    if (r == MENU_PLAY) {
      play_map(course, 0);
      clear_keybuf();  // keys pressed in the game are not menu keys
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
