// The picture shown larger: the factor a desktop has room for, the option
// and the variable that choose it, and the enlargement of each frame.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "bm.h"
#include "game.h"

namespace {

TEST(ScaleFor, LargestWholeFactorTheDesktopHasRoomFor) {
  struct Case {
    int w, h, full, window;
  } cases[] = {
      {320, 240, 1, 1},    {640, 480, 2, 1},    {1920, 1080, 4, 4},  {3840, 2160, 8, 8},
      {1280, 960, 4, 3},   {1279, 960, 3, 3},   {1366, 768, 3, 2},   {2560, 1440, 6, 5},
      {7680, 4320, 8, 8},  {200, 100, 1, 1},    {0, 0, 1, 1},        {640, 534, 2, 2},
  };
  for (auto &c : cases) {
    EXPECT_EQ(bmScaleFor(c.w, c.h, false), c.full) << c.w << "x" << c.h << " full screen";
    EXPECT_EQ(bmScaleFor(c.w, c.h, true), c.window) << c.w << "x" << c.h << " window";
  }
}

// scale_choice over an argument list (the program's name first).
int choose(std::initializer_list<const char *> args, const char *env, std::string *error = nullptr) {
  std::vector<std::string> text{"sideview"};
  for (const char *a : args) text.push_back(a);
  std::vector<char *> argv;
  for (auto &t : text) argv.push_back(&t[0]);
  std::string e;
  int k = scale_choice((int)argv.size(), argv.data(), env, e);
  if (error) *error = e;
  return k;
}

TEST(ScaleChoice, OptionWinsOverVariableAndNeitherLeavesItToTheDesktop) {
  EXPECT_EQ(choose({}, nullptr), 0);
  EXPECT_EQ(choose({}, ""), 0);
  EXPECT_EQ(choose({"song.mid"}, "3"), 3);
  EXPECT_EQ(choose({"--scale=2"}, nullptr), 2);
  EXPECT_EQ(choose({"--scale=2"}, "5"), 2);
  EXPECT_EQ(choose({"--scale=1"}, "junk"), 1);
  EXPECT_EQ(choose({"--scale=8", "x.mid", "--scale=05"}, nullptr), 5);
  EXPECT_EQ(choose({"--scaled=2", "scale=3", "-scale=4"}, "6"), 6);
}

TEST(ScaleChoice, BadValuesAreRefusedWithAMessage) {
  for (const char *bad : {"--scale=0", "--scale=9", "--scale=", "--scale", "--scale=abc",
                          "--scale=2x", "--scale=-1", "--scale= 2", "--scale=+2",
                          "--scale=4294967298", "--scale=2.mid"}) {
    std::string error;
    EXPECT_EQ(choose({bad}, "2", &error), -1) << bad;
    EXPECT_NE(error.find(bad), std::string::npos) << error;
    EXPECT_NE(error.find("1 to 8"), std::string::npos) << error;
  }
  // A bad option is not hidden by a good one after it.
  EXPECT_EQ(choose({"--scale=9", "--scale=2"}, nullptr), -1);
  for (const char *bad : {"0", "9", "two", "3 ", "10"}) {
    std::string error;
    EXPECT_EQ(choose({"song.mid"}, bad, &error), -1) << bad;
    EXPECT_NE(error.find("SIDEVIEW_SCALE"), std::string::npos) << error;
  }
}

TEST(ScaleChoice, TheOptionIsNeverTheMusic) {
  char a0[] = "sideview", a1[] = "--scale=3", a2[] = "song.mid", a3[] = "--scale=x.MID";
  char *with_song[] = {a0, a2, a1};
  EXPECT_STREQ(music_file(3, with_song), "song.mid");
  char *only_option[] = {a0, a3};
  EXPECT_STREQ(music_file(2, only_option), "tr1.mid");
}

// A w x h 8-bit bitmap whose pixels all differ from their neighbours.
BITMAP *pattern(int w, int h) {
  BITMAP *b = create_bitmap_ex(8, w, h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) b->line[y][x] = (unsigned char)(1 + (x * 7 + y * 13) % 251);
  return b;
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

TEST_F(Enlarge, EveryPixelBecomesABlockAndNothingOutsideIsTouched) {
  // Odd widths take the row-end path; the destination is larger than
  // needed and filled with 0, which the pattern never uses.
  for (int w : {1, 3, 7, 320})
    for (int k = 1; k <= BM_MAX_SCALE; k++) {
      BITMAP *src = pattern(w, 5);
      BITMAP *dst = create_bitmap_ex(8, w * k + 9, 5 * k + 2);
      clear_to_color(dst, 0);
      bmEnlarge(src, dst, k);
      int wrong = 0;
      for (int y = 0; y < dst->h; y++)
        for (int x = 0; x < dst->w; x++) {
          int want = x < w * k && y < 5 * k ? src->line[y / k][x / k] : 0;
          wrong += dst->line[y][x] != want;
        }
      EXPECT_EQ(wrong, 0) << "width " << w << ", factor " << k;
      destroy_bitmap(src);
      destroy_bitmap(dst);
    }
}

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
