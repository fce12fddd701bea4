// machine_demo.cpp -- shows what the machine layer draws, for the
// end-to-end test: a direct-colour picture, then a palette-mode picture,
// then the same after two palette writes, with a quiet tone. Space goes on
// to the next stage, Esc ends. Once a stage is on screen it prints "stage N" and a list of
// "probe X Y CODE" lines: screen points and the colour code each must show.
// At the end it prints the frame rate it was held to.
#include <allegro.h>

#include <chrono>
#include <cstdio>

#include "bm.h"

static int frames;
static void on_frame(int) { frames++; }

// Palette-mode registers: background entries 0..15 and overlay 16..31.
static unsigned char entry[32];

// pair
// One byte of each plane at (byte column bx, row y) of banks 1 and 2.
static void pair(int bx, int y, unsigned char plane0, unsigned char plane1) {
  bmPut8(0x10000 + y * 256 + bx, plane0);
  bmPut8(0x20000 + y * 256 + bx, plane1);
}

// fill_band
// 16 bands of 20 pixels across rows y0..y1-1; band j gets the plane
// nibbles given by the two functions.
static void fill_band(int y0, int y1, int (*nib0)(int), int (*nib1)(int)) {
  for (int y = y0; y < y1; y++)
    for (int bx = 0; bx < 160; bx++) {
      int j = bx / 10;
      pair(bx, y, (unsigned char)(nib0(j) * 17), (unsigned char)(nib1(j) * 17));
    }
}

// The code a direct-colour pixel shows in the lower half: plane 1 gives
// the high nibble, plane 0 the low one.
static int low_half_nibble(int j) { return (j * 5 + 3) & 15; }
static int band(int j) { return j; }
static int zero(int) { return 0; }

static void probes_direct() {
  for (int j = 0; j < 16; j++) {
    printf("probe %d 60 %d\n", j * 20 + 10, j << 4);
    printf("probe %d 180 %d\n", j * 20 + 10, (j << 4) | low_half_nibble(j));
  }
}

static void probes_palette() {
  for (int j = 0; j < 16; j++) {
    printf("probe %d 60 %d\n", j * 20 + 10, entry[j]);
    printf("probe %d 180 %d\n", j * 20 + 10, j ? entry[16 + j] : entry[0]);
  }
}

// show
// Lets two frames pass so the stage is on screen, then reports it.
static void show(int stage, void (*probes)()) {
  bmWait(0);
  bmWait(0);
  printf("stage %d\n", stage);
  probes();
  fflush(stdout);
}

// next_stage
// Runs frames until Space has been pressed and let go; false on Esc.
static bool next_stage() {
  bool down = false;
  for (;;) {
    bmWait(0);
    if (!(bmGet8(BM_KEYS + 0) & 0x02)) return false;
    bool space = !(bmGet8(BM_KEYS + 8) & 0x80);
    if (down && !space) return true;
    down = space;
  }
}

int main() {
  if (bmSetup()) {
    fprintf(stderr, "No memory for the machine\n");
    return 1;
  }
  set_window_title("machine_demo");
  bmSetCallBack(0, on_frame);
  auto start = std::chrono::steady_clock::now();

  // Both planes of line y start at row y; plane 0 in bank 1, plane 1 in 2.
  for (int y = 0; y < 240; y++) {
    bmPut16(2 * y, (unsigned short)(y * 256));
    bmPut16(480 + 2 * y, (unsigned short)(y * 256));
  }
  bmPut8(BM_PAGE0, 1);
  bmPut8(BM_PAGE1, 2);
  // A quiet A (period 2271, about 440 Hz) on voice 0 for as long as it runs.
  bmPut16(BM_SOUND, 2271);
  bmPut8(BM_SOUND + 2, 0x50);

  // Stage 1, direct colour: the upper half shows codes 0x00, 0x10 .. 0xF0
  // (greys), the lower half codes with chroma.
  fill_band(0, 120, zero, band);
  fill_band(120, 240, low_half_nibble, band);
  show(1, probes_direct);

  // Stage 2, palette mode: the upper half is background only (entries
  // 0..15), the lower half has overlay nibble j over it (entry 16 + j).
  bool go = next_stage();
  if (go) {
    for (int n = 0; n < 32; n++) {
      entry[n] = (unsigned char)(n < 16 ? ((15 - n) << 4) | (n & 3) : ((n * 7) & 0xF0) | ((n * 3) & 15));
      bmPut8(BM_PALETTE + n, entry[n]);
    }
    fill_band(0, 120, band, zero);
    fill_band(120, 240, band, band);
    bmPut8(BM_VIDMODE, 0);
    show(2, probes_palette);
    go = next_stage();
  }
  // Stage 3: one background and one overlay entry change; the picture in
  // memory stays as it is.
  if (go) {
    entry[5] = 0x3E;
    entry[20] = 0xC1;
    bmPut8(BM_PALETTE + 5, entry[5]);
    bmPut8(BM_PALETTE + 20, entry[20]);
    show(3, probes_palette);
    while (next_stage()) {
    }
  }

  double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("frames %d in %.2f s: %.1f per second\n", frames, secs, frames / secs);
  fflush(stdout);
  return 0;
}
END_OF_MAIN()
