// bmp.cpp -- the BMP loader on any bytes: a picture of an impossible size
// is refused, any other gives a record of the size the header says, which
// the programs then cut, copy and draw: tiles cut from it, the credits'
// plane read from it, the editor's screen drawn with them.
#include <allegro.h>

#include <cerrno>

#include "bmp.h"
#include "fuzz.h"
#include "maped.h"

static BITMAP *screen8;  // the editor's 8-bit buffer

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(8);
  screen8 = create_bitmap(320, 200);
  fuzz_enter_scratch();
  fuzz_quiet_log();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_write("picture.bmp", data, size);
  FILE *f = fopen("picture.bmp", "rb");
  FUZZ_CHECK(f);
  int w = 0, h = 0;
  bmp *b = read_bmp1(f, w, h);
  fclose(f);
  if (!b) {
    FUZZ_CHECK(w <= 0 || h <= 0 || w > BMP_MAX_SIDE || h > BMP_MAX_SIDE ||
               w > BMP_MAX_WIDTH_4BIT);
    return 0;
  }
  FUZZ_CHECK(b->w == w && b->h == h && w > 0 && h > 0);
  // The corners are there to read.
  unsigned sum = b->data[0] + b->data[w - 1] + b->data[(long)(h - 1) * w] +
                 b->data[(long)h * w - 1];
  // Tiles cut as tiles_init cuts them, whatever the picture's size.
  for (int i = 0; i < 64; i += 21) {
    bmp *t = sub_bmp(b, 16 * (i % 16), 16 * (i / 16), 16, 16);
    draw_bmp(screen8, t, (int)(sum % 300) - 10, i);
    destroy_bmp(t);
  }
  draw_bmp(screen8, b, -(int)(sum % 7), -1);
  blit1(b, b, w / 2, h / 2, 1, 1, 64, 64);
  destroy_bmp(b);
  return 0;
}
