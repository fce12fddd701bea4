// level.cpp -- sideview's level reader on any bytes: load_map must keep the
// level within the store's limits, and the game must play what it leaves
// from any entry point: the cast, then two frames on the machine with the
// player walking right, jumping and firing, the mums following the keys.
#include <cstring>

#include "bm.h"
#include "fuzz.h"
#include "game.h"
#include "object.h"
#include "tile.h"
#include "video.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  if (bmSetupHeadless() != 0) abort();
  bmSetCallBack(0, on_vsync);
  bmSetCallBack(1, on_hsync);
  // The game's own tiles, sprites and status bar from its run folder.
  if (chdir(RUN_DIR "/sideview") != 0) abort();
  tiles_init();
  sprites_init();
  bar_init();
  fuzz_enter_scratch();
  fuzz_quiet_log();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  memset(&map, 0, sizeof map);
  course_default(map);
  fuzz_write("tr01.map", data, size);
  load_map("tr01.map");
  FUZZ_CHECK(map.w <= MAP_SIZE && map.h <= MAP_SIZE && map.n <= MAX_INSERTIONS);

  n_characs = 0;
  if (!produce_cast((int)(size % 10))) return 0;
  bar_reset();
  C[0].hp = (signed char)bar.health;
  C[0].ammo = (signed char)bar.ammunition;
  set_gfx1();
  status_bar = 1;
  memset((void *)key, 0, KEY_MAX);
  key[KEY_RIGHT] = key[KEY_UP] = key[KEY_RCONTROL] = key[KEY_ALTGR] = key[KEY_ENTER] = 1;
  level_play p = {0, 0};
  play_frame(p);
  play_frame(p);
  status_bar = 0;
  n_characs = 0;
  return 0;
}
