// main.cpp -- sideview_edit: the level editor, or with "-four" the merge of
// the four credits pictures into "four.bmp"
#include <allegro.h>

#include <cstdio>
#include <cstring>

#include "display_options.h"
#include "log.h"
#include "maped.h"

static const char USAGE[] =
    "Usage: sideview_edit [options]\n"
    "       sideview_edit -four\n"
    "The level editor of sideview; with -four, merges \"red.bmp\", \"green.bmp\",\n"
    "\"blue.bmp\" and \"grey.bmp\" into \"four.bmp\" and ends.\n"
    "F11 and F12 choose the 320x200 and 640x480 pictures.\n"
    "Options:\n";

int main(int argc, char **argv) {
  if (argc > 1 && strcmp(argv[1], "-four") == 0) return four() ? 0 : 1;
  int status = take_display_options(argc, argv, "sideview_edit", USAGE, stdout, stderr);
  if (status >= 0) return status;
  init();
  maped_loop();
  fclose(fr);
  fr = nullptr;
  return 0;
}
END_OF_MAIN()
