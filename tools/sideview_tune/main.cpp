// main.cpp -- sideview_tune OUT.mid: writes sideview's tune, "tr1.mid"
#include <cstdio>
#include <string>

#include "score.h"
#include "tool.h"

int main(int argc, char **argv) {
  tool_name = "sideview_tune";
  if (argc != 2) {
    fprintf(stderr, "usage: sideview_tune OUT.mid\n");
    return 2;
  }
  MidiTrack track;
  track.release_velocity = 0x40;
  std::string error;
  long length = compose(track, error);
  if (length < 0) stop(error);
  // One track in running status: the game's player reads a format-0 file.
  save_file(argv[1], midi_file({track}, TUNE_DIVISION, length, true));
  return 0;
}
