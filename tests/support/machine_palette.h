// machine_palette.h -- the check that a palette is the machine's: slot s
// holds the colour of code s + 10, so that code 0x0A, the machine's black,
// is slot 0.
#ifndef MACHINE_PALETTE_H
#define MACHINE_PALETTE_H

#include <allegro.h>
#include <gtest/gtest.h>

// Whether every slot s of pal holds colour((s + 10) & 0xFF); names the first
// slot that does not.
inline ::testing::AssertionResult codes_shifted_by_ten(const RGB *pal, RGB (*colour)(int)) {
  for (int s = 0; s < 256; s++) {
    RGB want = colour((s + 10) & 0xFF);
    if (pal[s].r != want.r || pal[s].g != want.g || pal[s].b != want.b)
      return ::testing::AssertionFailure()
             << "slot " << s << " is (" << (int)pal[s].r << ", " << (int)pal[s].g << ", "
             << (int)pal[s].b << "), not (" << (int)want.r << ", " << (int)want.g << ", "
             << (int)want.b << ")";
  }
  return ::testing::AssertionSuccess();
}

#endif
