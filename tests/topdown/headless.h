// headless.h -- Allegro without a display for topdown's tests, and a
// stand-in datafile whose every object is a plain square of a colour that
// tells its index back.
#ifndef HEADLESS_H
#define HEADLESS_H

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "share.h"

// The colour of stand-in object i, exact in 16 bits and never the mask
// colour: red and green carry the index, blue marks a stand-in.
inline int object_colour(int i) {
  return makecol((i % 32) * 8, (i / 32) * 28 + 4, 248);
}

// The stand-in object whose colour is at (x, y) of b, or -1 for none.
// getr and friends scale the 5- and 6-bit fields back up to 0..255, so
// shift them down to the fields again.
inline int object_at(BITMAP *b, int x, int y) {
  int c = getpixel(b, x, y);
  int r5 = getr(c) >> 3, g6 = getg(c) >> 2, b5 = getb(c) >> 3;
  if (b5 != 31 || g6 < 1) return -1;
  return r5 + 32 * ((g6 - 1) / 7);
}

// Starts Allegro headless at 16 bits (once), makes the shared colours and
// returns the stand-in datafile: 32 x 32 tiles, 16 x 16 sprites and
// Allegro's own font as the text font.
inline DATAFILE *headless_datafile() {
  static DATAFILE fake[N_OBJECTS + 1];
  if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(16);
  make_colours();
  if (!fake[OBJ_TILE0].dat) {
    for (int i = 0; i < N_OBJECTS; i++) {
      int size = i >= OBJ_TILE0 ? 32 : 16;
      BITMAP *b = create_bitmap(size, size);
      clear_to_color(b, object_colour(i));
      fake[i] = {b, DAT_BITMAP, 0, nullptr};
    }
    fake[OBJ_FONT] = {font, DAT_FONT, 0, nullptr};
    fake[N_OBJECTS] = {nullptr, DAT_END, 0, nullptr};
  }
  return fake;
}

#endif
