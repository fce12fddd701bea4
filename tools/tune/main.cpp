// main.cpp -- topdown_tune OUT.mid: writes topdown's background music
#include <cstdio>

#include "compose.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: topdown_tune OUT.mid\n");
    return 2;
  }
  long length = 0;
  std::vector<MidiTrack> tracks = compose_tune(length);
  std::vector<unsigned char> bytes = midi_file(tracks, TUNE_PPQ, length);
  FILE *f = fopen(argv[1], "wb");
  bool ok = f && fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f && fclose(f) != 0) ok = false;
  if (!ok) {
    fprintf(stderr, "topdown_tune: can't write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
