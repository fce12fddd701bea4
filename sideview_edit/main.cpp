// main.cpp -- sideview_edit: the level editor, or with "-four" the merge of
// the four credits pictures into "four.bmp"
#include <allegro.h>

#include <cstring>

#include "log.h"
#include "maped.h"

int main(int argc, char **argv) {
  if (argc > 1 && strcmp(argv[1], "-four") == 0) return four() ? 0 : 1;
  init();
  maped_loop();
  fclose(fr);
  fr = nullptr;
  return 0;
}
END_OF_MAIN()
