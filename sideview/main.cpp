// main.cpp -- sideview: credits, then the chain of levels, then, for a
// player who leaves the last level with all four items, the winning
// sequence.
#include <allegro.h>

#include "game.h"
#include "log.h"
#include "music.h"
#include "video.h"

int main(int argc, char **argv) {
  init();
  load_music(music_file(argc, argv));
  play_music();
  credits();
  bar_reset();
  int result = level_chain(play_map);
  status_bar = 0;
  if (result == -5) win();
  if (fr) fclose(fr);
  fr = NULL;
  return 0;
}
END_OF_MAIN()
