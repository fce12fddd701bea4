// main.cpp -- topdown's entry: start up, show course 1, end on Esc
#include "share.h"

int main(int argc, char **argv) {
  (void)argc;
  (void)argv;
  share_init();
  load_map("m01.map");
  OX = OY = 0;
  clear_to_color(buf, col_black);
  draw_tiles();
  blit(buf, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  while ((readkey() >> 8) != KEY_ESC) {
  }
  share_cleanup();
  return 0;
}
END_OF_MAIN()
