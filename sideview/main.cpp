// main.cpp -- sideview: credits, then the chain of levels, then, for a
// player who leaves the last level with all four items, the winning
// sequence. The window and the picture's scale come from the options
// (--window, --fullscreen, --scale=N) or SIDEVIEW_SCALE.
#include <allegro.h>

#include <cstdio>
#include <cstdlib>

#include "bm.h"
#include "data_folder.h"
#include "display_options.h"
#include "game.h"
#include "log.h"
#include "music.h"
#include "video.h"

static const char USAGE[] =
    "Usage: sideview [options] [MUSIC.mid]\n"
    "Plays the levels of \"hops.txt\" to the music of MUSIC.mid (\"tr1.mid\" by default).\n"
    "The variable SIDEVIEW_SCALE=N stands for --scale=N when that is not given.\n"
    "F11 switches between the window and the full screen too.\n"
    "Options:\n";

int main(int argc, char **argv) {
  int status = take_display_options(argc, argv, "sideview", USAGE, stdout, stderr,
                                    "SIDEVIEW_SCALE", getenv("SIDEVIEW_SCALE"));
  if (status >= 0) return status;
  init();
  // A tune named on the command line lies where the player started it.
  const char *tune = music_file(argc, argv);
  bool named = false;
  for (int i = 1; i < argc; i++) named = named || tune == argv[i];
  load_music(named ? name_from_start(tune).c_str() : tune);
  play_music();
  credits();
  bar_reset();
  int result = level_chain(play_map);
  status_bar = 0;
  // Bad data ended the game: said on standard error too, status 1.
  if (!game_fault.empty()) fail("%s", game_fault.c_str());
  if (result == -5) win();
  if (fr) fclose(fr);
  fr = NULL;
  return 0;
}
END_OF_MAIN()
