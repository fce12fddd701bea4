// The machine's picture shown larger: each frame enlarged by the factor
// asked for, and the music never taken from an option. How the factor is
// chosen and read, and the enlargement itself, are tested with the
// desktop in tests/common.
#include <gtest/gtest.h>

#include <cerrno>

#include "bm.h"
#include "game.h"

namespace {

TEST(MusicFile, AnOptionIsNeverTheMusic) {
  char a0[] = "sideview", a1[] = "--scale=3", a2[] = "song.mid", a3[] = "--scale=x.MID",
       a4[] = "--x.mid";
  char *with_song[] = {a0, a2, a1};
  EXPECT_STREQ(music_file(3, with_song), "song.mid");
  char *only_options[] = {a0, a3, a4};
  EXPECT_STREQ(music_file(3, only_options), "tr1.mid");
}

class Enlarge : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
  }
  // Later tests get the plain machine whatever happened here.
  void TearDown() override {
    bmSetdown();
    bmSetScale(0);
  }
};

TEST_F(Enlarge, TheMachineShowsEachFrameEnlarged) {
  bmSetScale(3);
  ASSERT_EQ(bmSetupHeadless(), 0);
  EXPECT_EQ(bmScale(), 3);
  BITMAP *d = bmDisplay();
  ASSERT_EQ(d->w, 960);
  ASSERT_EQ(d->h, 720);
  // Line y shows row y of bank 0 in direct colour: plane 0 and plane 1
  // both from the same row, so each byte makes two pixels.
  unsigned char *m = bmMemory();
  for (int y = 0; y < 240; y++) {
    m[2 * y + 1] = m[481 + 2 * y] = (unsigned char)(y + 4);
    for (int x = 0; x < 160; x++) m[(y + 4) * 256 + x] = (unsigned char)(x * 3 + y);
  }
  auto wrong = [d]() {
    int n = 0;
    for (int y = 0; y < 720; y++)
      for (int x = 0; x < 960; x++) n += d->line[y][x] != back->line[y / 3][x / 3];
    return n;
  };
  bmWait(0);
  EXPECT_EQ(wrong(), 0);
  // The back buffer holds what the lines made, not a blank picture.
  EXPECT_NE(back->line[100][0], back->line[100][1]);
  // Frames that change a few rows, among them the first and the last, then
  // the whole picture: every change shows.
  for (int row : {0, 50, 51, 52, 120, 239}) m[(row + 4) * 256 + 7] ^= 0x5A;
  bmWait(0);
  EXPECT_EQ(wrong(), 0);
  m[(0 + 4) * 256 + 159] ^= 0x0F;
  bmWait(0);
  EXPECT_EQ(wrong(), 0);
  for (int y = 0; y < 240; y++) m[2 * y] = 1;
  bmWait(0);
  EXPECT_EQ(wrong(), 0);
  bmSetScale(0);
  ASSERT_EQ(bmSetupHeadless(), 0);
  EXPECT_EQ(bmScale(), 1);
  EXPECT_EQ(bmDisplay()->w, 320);
}

// A held game's picture: the last frame with a mark drawn over it, shown
// enlarged without running the machine; the next frame shows whole again.
void mark(BITMAP *frame) { rectfill(frame, 100, 100, 119, 109, bmSlotOfCode(0xFA)); }

TEST_F(Enlarge, AStillFrameWithAMarkAndTheNextFrameWholeAgain) {
  bmSetScale(2);
  ASSERT_EQ(bmSetupHeadless(), 0);
  BITMAP *d = bmDisplay();
  unsigned char *m = bmMemory();
  for (int y = 0; y < 240; y++) {
    m[2 * y + 1] = m[481 + 2 * y] = (unsigned char)(y + 4);
    for (int x = 0; x < 160; x++) m[(y + 4) * 256 + x] = (unsigned char)(x * 5 + y);
  }
  bmWait(0);
  int cycles = bmCycles(), line = bmLine();
  BITMAP *frame = create_bitmap_ex(8, 320, 240);
  blit(back, frame, 0, 0, 0, 0, 320, 240);
  bmShowStill(mark);
  EXPECT_EQ(bmCycles(), cycles);  // the machine did not run
  EXPECT_EQ(bmLine(), line);
  int wrong = 0;
  for (int y = 0; y < 480; y++)
    for (int x = 0; x < 640; x++) {
      bool marked = x / 2 >= 100 && x / 2 <= 119 && y / 2 >= 100 && y / 2 <= 109;
      int want = marked ? bmSlotOfCode(0xFA) : frame->line[y / 2][x / 2];
      wrong += d->line[y][x] != want;
    }
  EXPECT_EQ(wrong, 0);
  for (int y = 0; y < 240; y++)  // the frame itself is untouched
    EXPECT_EQ(memcmp(back->line[y], frame->line[y], 320), 0) << y;
  bmWait(0);  // the same picture again: the mark's rows are shown anew
  wrong = 0;
  for (int y = 0; y < 480; y++)
    for (int x = 0; x < 640; x++) wrong += d->line[y][x] != back->line[y / 2][x / 2];
  EXPECT_EQ(wrong, 0);
  destroy_bitmap(frame);
}

}  // namespace
