// course.cpp -- topdown's course reader on any bytes: load_map must keep
// the course within the store's limits, a course that fits them must be
// written back byte for byte, tiles a short file lacks read as 255, and
// whatever it leaves must be playable and editable: the cast, a few logic
// steps with every player pressing on and firing, a frame of the game and
// one of the editor.
#include <cstring>

#include "maped.h"
#include "race.h"
#include "topdown_game.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_topdown_init();
  return 0;
}

// The header field at byte k of the file, or -1 past its end.
static int header(const uint8_t *data, size_t size, size_t k) {
  return k + 1 < size ? data[k] * 256 + data[k + 1] : -1;
}

// The course as the game plays it: cast, steps, one frame.
static void play(int players) {
  n_players = players;
  race_srand(1);
  if (!produce_cast(0)) return;
  scatter_extras();
  memset((void *)key, 0, KEY_MAX);
  key[KEY_UP] = key[KEY_W] = key[KEY_LCONTROL] = key[KEY_B] = 1;
  key[KEY_LEFT] = players == 2;
  fuzz_play_steps(8);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  memset(&map, 0, sizeof map);
  course_default(map);
  fuzz_write("m01.map", data, size);
  FUZZ_CHECK(try_load_map("m01.map"));
  FUZZ_CHECK(map.w <= MAP_SIZE && map.h <= MAP_SIZE && map.n <= MAX_INSERTIONS);

  // A file whose header keeps to the limits and that holds every byte it
  // announces is written back as exactly those bytes.
  long w = header(data, size, 0), h = header(data, size, 2), n = header(data, size, 4);
  long whole = 6 + w * h + 12 * n;
  if (w >= 0 && h >= 0 && n >= 0 && w <= MAP_SIZE && h <= MAP_SIZE && n <= MAX_INSERTIONS &&
      (long)size >= whole) {
    FUZZ_CHECK(map.w == w && map.h == h && map.n == n);
    FUZZ_CHECK(course_write("copy.map", map));
    FILE *f = fopen("copy.map", "rb");
    FUZZ_CHECK(f);
    std::string copy(whole + 1, '\0');
    FUZZ_CHECK((long)fread(&copy[0], 1, whole + 1, f) == whole);
    fclose(f);
    FUZZ_CHECK(memcmp(copy.data(), data, whole) == 0);
  } else if (w >= 0 && h >= 0 && w <= MAP_SIZE && h <= MAP_SIZE && (long)size < 6 + w * h) {
    // Cut short in the tiles: each tile the file lacks reads as 255.
    for (long i = size > 6 ? (long)size - 6 : 0; i < w * h; i++)
      FUZZ_CHECK(map.t[i / h][i % h] == 255);
  }

  play(1 + (int)(size & 1));

  scale = 1 << (size % 3);
  OX = OY = 0;
  CI = map.n > 0 ? (int)(size % map.n) : -1;
  draw_editor();
  CI = -1;
  return 0;
}
