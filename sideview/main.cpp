// main.cpp -- sideview: credits, then the chain of levels, then, for a
// player who leaves the last level with all four items, the winning
// sequence. The picture's scale comes from "--scale=N" or SIDEVIEW_SCALE.
#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bm.h"
#include "data_folder.h"
#include "game.h"
#include "log.h"
#include "music.h"
#include "video.h"

int main(int argc, char **argv) {
  std::string error;
  int scale = scale_choice(argc, argv, getenv("SIDEVIEW_SCALE"), error);
  if (scale < 0) {
    fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  bmSetScale(scale);
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
