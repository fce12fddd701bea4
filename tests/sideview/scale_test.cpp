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

}  // namespace
