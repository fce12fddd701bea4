// main.cpp -- sideview_tune OUT.mid: writes sideview's tune, "tr1.mid"
#include <cstdio>
#include <string>

#include "score.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: sideview_tune OUT.mid\n");
    return 2;
  }
  Smf track;
  std::string error;
  long length = compose(track, error);
  if (length < 0) {
    fprintf(stderr, "sideview_tune: %s\n", error.c_str());
    return 1;
  }
  std::vector<unsigned char> bytes = smf_bytes(track, TUNE_DIVISION, length);
  // Written beside the target and renamed, so a failed run leaves no
  // half-written tune behind.
  std::string tmp = std::string(argv[1]) + ".tmp";
  FILE *f = fopen(tmp.c_str(), "wb");
  bool ok = f && fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f && fclose(f) != 0) ok = false;
  if (ok) ok = rename(tmp.c_str(), argv[1]) == 0;
  if (!ok) {
    remove(tmp.c_str());
    fprintf(stderr, "sideview_tune: can't write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
