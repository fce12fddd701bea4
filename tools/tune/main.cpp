// main.cpp -- topdown_tune OUT.mid: writes topdown's background music
#include <cstdio>

#include "compose.h"
#include "tool.h"

int main(int argc, char **argv) {
  tool_name = "topdown_tune";
  if (argc != 2) {
    fprintf(stderr, "usage: topdown_tune OUT.mid\n");
    return 2;
  }
  long length = 0;
  std::vector<MidiTrack> tracks = compose_tune(length);
  save_file(argv[1], midi_file(tracks, TUNE_PPQ, length));
  return 0;
}
