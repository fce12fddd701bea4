// present_test.cpp -- the picture shown k times larger on a memory bitmap
// standing in for the screen: every pixel a k x k block at every depth,
// only what changed sent, the pointer drawn at the same scale without
// touching the picture, and the pointer read back through the scale.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include "desktop.h"
#include "present.h"

namespace {

class Present : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
  }
  void TearDown() override {
    present_stop();
    desktop_shut();
  }
  // A w x h bitmap whose pixels all differ from their neighbours, none of
  // them 0 (the background of the targets) or the mask colour.
  static BITMAP *pattern(int depth, int w, int h) {
    BITMAP *b = create_bitmap_ex(depth, w, h);
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) putpixel(b, x, y, colour(depth, x, y));
    return b;
  }
  static int colour(int depth, int x, int y) {
    int v = 1 + (x * 7 + y * 13) % 250;
    return depth == 8 ? v : makecol_depth(depth, v, 255 - v, (v * 3) & 255);
  }
  // The pixels of target that differ from what picture enlarged k times
  // at (ox, oy) shows, with 0 everywhere else.
  static int wrong(BITMAP *picture, BITMAP *target, int k, int ox = 0, int oy = 0) {
    int n = 0;
    for (int y = 0; y < target->h; y++)
      for (int x = 0; x < target->w; x++) {
        int px = (x - ox) / k, py = (y - oy) / k;
        bool in = x >= ox && y >= oy && px < picture->w && py < picture->h;
        n += getpixel(target, x, y) != (in ? getpixel(picture, px, py) : 0);
      }
    return n;
  }
};

TEST_F(Present, EveryPixelBecomesABlockAtEveryDepthAndNothingOutsideIsTouched) {
  // Odd widths take the row-end paths; the area and its place vary.
  for (int depth : {8, 15, 16, 24, 32})
    for (int w : {1, 3, 7, 40})
      for (int k = 1; k <= 8; k++) {
        BITMAP *src = pattern(depth, w, 5);
        BITMAP *dst = create_bitmap_ex(depth, w * k + 9, 5 * k + 6);
        clear_to_color(dst, 0);
        int x0 = w > 2 ? 1 : 0, x1 = w, y0 = 1, y1 = 4, dx = 3, dy = 2;
        enlarge_area(src, dst, k, x0, y0, x1, y1, dx, dy);
        int bad = 0;
        for (int y = 0; y < dst->h; y++)
          for (int x = 0; x < dst->w; x++) {
            int sx = (x - dx) / k, sy = (y - dy) / k;
            bool in = x >= dx + x0 * k && x < dx + x1 * k && y >= dy + y0 * k && y < dy + y1 * k;
            bad += getpixel(dst, x, y) != (in ? getpixel(src, sx, sy) : 0);
          }
        EXPECT_EQ(bad, 0) << "depth " << depth << ", width " << w << ", factor " << k;
        destroy_bitmap(src);
        destroy_bitmap(dst);
      }
}

TEST_F(Present, RowChangeFindsTheFirstAndLastChangedColumns) {
  for (int depth : {8, 16, 32}) {
    BITMAP *a = pattern(depth, 37, 3), *b = create_bitmap_ex(depth, 37, 3);
    blit(a, b, 0, 0, 0, 0, 37, 3);
    int x0 = -1, x1 = -1;
    EXPECT_FALSE(row_change(a, b, 1, x0, x1));
    struct Case {
      int first, last;
    } cases[] = {{0, 0}, {36, 36}, {0, 36}, {5, 5}, {9, 30}, {8, 9}, {35, 36}};
    for (auto c : cases) {
      blit(a, b, 0, 0, 0, 0, 37, 3);
      putpixel(b, c.first, 1, 0);
      putpixel(b, c.last, 1, 0);
      ASSERT_TRUE(row_change(a, b, 1, x0, x1)) << depth;
      EXPECT_EQ(x0, c.first) << depth;
      EXPECT_EQ(x1, c.last + 1) << depth;
      EXPECT_FALSE(row_change(a, b, 0, x0, x1));
    }
    // One byte of a wide pixel is a change of that whole pixel.
    blit(a, b, 0, 0, 0, 0, 37, 3);
    b->line[2][(bitmap_color_depth(b) / 8) * 20 + 1] ^= 0x01;
    ASSERT_TRUE(row_change(a, b, 2, x0, x1));
    if (depth == 8) {
      EXPECT_EQ(x0, 21);
    } else {
      EXPECT_EQ(x0, 20);
      EXPECT_EQ(x1, 21);
    }
    destroy_bitmap(a);
    destroy_bitmap(b);
  }
}

TEST_F(Present, OnlyWhatChangedIsSent) {
  for (int depth : {8, 16}) {
    const int k = 3, ox = 5, oy = 4;
    BITMAP *picture = pattern(depth, 50, 30);
    BITMAP *target = create_bitmap_ex(depth, 50 * k + 11, 30 * k + 9);
    clear_to_color(target, 0);
    ASSERT_TRUE(present_start(target, 50, 30, depth, k, ox, oy));
    present_frame(picture, nullptr, 0, 0, 0, 0);
    EXPECT_EQ(wrong(picture, target, k, ox, oy), 0) << "first frame, depth " << depth;
    // Paint the target over where the picture stays the same: a frame that
    // changes two small places rewrites those only.
    int marker = depth == 8 ? 255 : makecol_depth(depth, 200, 100, 50);
    rectfill(target, ox, oy, ox + 50 * k - 1, oy + 30 * k - 1, marker);
    int c = depth == 8 ? 254 : makecol_depth(depth, 90, 90, 90);
    putpixel(picture, 10, 3, c);
    putpixel(picture, 40, 20, c);
    present_frame(picture, nullptr, 0, 0, 0, 0);
    int rewritten = 0;
    for (int y = 0; y < target->h; y++)
      for (int x = 0; x < target->w; x++) rewritten += getpixel(target, x, y) != marker;
    // The two blocks of 3 x 3 plus the border that was never painted.
    int border = target->w * target->h - 50 * k * 30 * k;
    EXPECT_EQ(rewritten, border + 2 * k * k) << depth;
    EXPECT_EQ(getpixel(target, ox + 10 * k + 1, oy + 3 * k + 2), c);
    EXPECT_EQ(getpixel(target, ox + 40 * k, oy + 20 * k), c);
    // present_again sends the whole of the last frame.
    present_again();
    EXPECT_EQ(wrong(picture, target, k, ox, oy), 0) << depth;
    destroy_bitmap(picture);
    destroy_bitmap(target);
  }
}

TEST_F(Present, ThePointerIsDrawnAtTheSameScaleAndTheLastFrameKeptWithoutIt) {
  const int k = 2;
  BITMAP *picture = pattern(16, 64, 48);
  BITMAP *copy = create_bitmap_ex(16, 64, 48);
  blit(picture, copy, 0, 0, 0, 0, 64, 48);
  BITMAP *target = create_bitmap_ex(16, 64 * k, 48 * k);
  // A 4 x 3 pointer: white with a transparent corner, hot spot (1, 1).
  BITMAP *sprite = create_bitmap_ex(16, 4, 3);
  int white = makecol16(255, 255, 255);
  clear_to_color(sprite, white);
  putpixel(sprite, 3, 2, bitmap_mask_color(sprite));
  ASSERT_TRUE(present_start(target, 64, 48, 16, k, 0, 0));
  present_frame(picture, sprite, 1, 1, 10, 20);
  // The picture is as it was; the target shows the pointer from (9, 19).
  for (int y = 0; y < 48; y++)
    for (int x = 0; x < 64; x++) ASSERT_EQ(getpixel(picture, x, y), getpixel(copy, x, y));
  BITMAP *with = create_bitmap_ex(16, 64, 48);
  blit(picture, with, 0, 0, 0, 0, 64, 48);
  draw_sprite(with, sprite, 9, 19);
  EXPECT_EQ(wrong(with, target, k), 0);
  EXPECT_EQ(getpixel(target, 9 * k, 19 * k), white);
  EXPECT_EQ(getpixel(target, 12 * k + 1, 21 * k + 1), getpixel(picture, 12, 21));
  // The last frame without the pointer, for a dialog to draw on.
  BITMAP *last = create_bitmap_ex(16, 64, 48);
  ASSERT_TRUE(present_last(last));
  for (int y = 0; y < 48; y++)
    for (int x = 0; x < 64; x++) ASSERT_EQ(getpixel(last, x, y), getpixel(copy, x, y));
  // Moved half off the picture, then gone: nothing of it is left behind.
  present_frame(picture, sprite, 1, 1, 63, 0);
  blit(picture, with, 0, 0, 0, 0, 64, 48);
  draw_sprite(with, sprite, 62, -1);
  EXPECT_EQ(wrong(with, target, k), 0);
  present_frame(picture, nullptr, 0, 0, 0, 0);
  EXPECT_EQ(wrong(picture, target, k), 0);
  for (BITMAP *b : {picture, copy, target, sprite, with, last}) destroy_bitmap(b);
}

TEST_F(Present, APictureOfAnotherSizeIsNotShown) {
  BITMAP *target = create_bitmap_ex(8, 40, 40);
  clear_to_color(target, 0);
  ASSERT_TRUE(present_start(target, 20, 20, 8, 2, 0, 0));
  BITMAP *other = pattern(8, 10, 20);
  present_frame(other, nullptr, 0, 0, 0, 0);
  EXPECT_EQ(getpixel(target, 0, 0), 0);
  BITMAP *last = create_bitmap_ex(8, 20, 20);
  EXPECT_FALSE(present_last(last));
  destroy_bitmap(other);
  destroy_bitmap(last);
  destroy_bitmap(target);
}

TEST_F(Present, ThePointerIsReadThroughTheScaleAndKeptOnThePicture) {
  // Before anything is shown the pointer is taken as it is.
  mouse_x = 700;
  mouse_y = 500;
  EXPECT_EQ(desktop_mouse_x(), 700);
  EXPECT_EQ(desktop_mouse_y(), 500);
  // A 640x480 picture at k = 2, centred on a 1920x1080 screen.
  BITMAP *target = create_bitmap_ex(8, 1920, 1080);
  ASSERT_TRUE(present_start(target, 640, 480, 8, 2, 320, 60));
  struct Case {
    int mx, my, x, y;
  } cases[] = {{320, 60, 0, 0},      {321, 61, 0, 0},     {322, 63, 1, 1},   {959, 539, 319, 239},
               {1599, 1019, 639, 479}, {1600, 1020, 639, 479}, {1919, 1079, 639, 479},
               {0, 0, 0, 0},          {319, 59, 0, 0}};
  for (auto c : cases) {
    mouse_x = c.mx;
    mouse_y = c.my;
    EXPECT_EQ(desktop_mouse_x(), c.x) << c.mx;
    EXPECT_EQ(desktop_mouse_y(), c.y) << c.my;
  }
  present_stop();
  destroy_bitmap(target);
  mouse_x = mouse_y = 0;
}

TEST_F(Present, HeadlessTheDesktopShowsFramesOnItsStandIn) {
  ASSERT_TRUE(desktop_open_headless(32, 20, 8, 3));
  EXPECT_EQ(desktop_scale(), 3);
  EXPECT_FALSE(desktop_fullscreen());
  BITMAP *t = desktop_target();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->w, 96);
  EXPECT_EQ(t->h, 60);
  BITMAP *picture = pattern(8, 32, 20);
  desktop_present(picture);
  EXPECT_EQ(wrong(picture, t, 3), 0);
  EXPECT_FALSE(desktop_switch());  // no screen to switch
  EXPECT_FALSE(desktop_poll());
  // Dialogs nest, and without a screen they only count.
  desktop_dialog_begin();
  EXPECT_EQ(desktop_dialog([] { return 7; }), 7);
  desktop_dialog_end();
  desktop_shut();
  EXPECT_EQ(desktop_target(), nullptr);
  EXPECT_EQ(desktop_scale(), 1);
  destroy_bitmap(picture);
}

}  // namespace
