// tileattr.cpp -- "tileattr.wz" at topdown's start-up on any bytes: the
// table takes the file's first 256 bytes and 0 for those it lacks, and a
// game on the default course runs over tiles with whatever bits they got.
#include <cstring>

#include "topdown_game.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_topdown_init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_write("tileattr.wz", data, size);
  memset(tile_attr, 0xEE, sizeof tile_attr);
  tiles_init();
  for (size_t i = 0; i < 256; i++) FUZZ_CHECK(tile_attr[i] == (i < size ? data[i] : 0));
  FUZZ_CHECK(map.w == 25 && map.h == 25 && map.n == 0);

  // A walker and a car on the default course, driving into its border.
  n_players = 1;
  n_characs = 0;
  add_charac(100, 100, KIND_WALKER);
  add_charac(200, 100, KIND_CAR);
  add_charac(60, 100, KIND_BOAT);
  memset((void *)key, 0, KEY_MAX);
  key[KEY_UP] = key[KEY_LEFT] = 1;
  fuzz_play_steps(12);
  return 0;
}
