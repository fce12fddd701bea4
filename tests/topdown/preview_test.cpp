// preview_test.cpp -- the course's picture in the menu: the whole course
// fitted into the box in its shape, each pixel the colour of its tile, the
// starts, the finish and the access passes marked where they lie.
#include <gtest/gtest.h>

#include "course_panel.h"
#include "game_helpers.h"
#include "preview.h"
#include "scratch.h"

namespace {

TEST(PreviewFit, AsLargeAsTheShapeAllowsCentred) {
  PreviewFit f = preview_fit(44, 28, 150, 104);  // wider than the box
  EXPECT_EQ(f.w, 150);
  EXPECT_EQ(f.h, 95);
  EXPECT_EQ(f.x, 0);
  EXPECT_EQ(f.y, 4);
  f = preview_fit(256, 256, 150, 104);  // taller
  EXPECT_EQ(f.w, 104);
  EXPECT_EQ(f.h, 104);
  EXPECT_EQ(f.x, 23);
  EXPECT_EQ(f.y, 0);
  f = preview_fit(256, 1, 150, 104);  // never thinner than a pixel
  EXPECT_EQ(f.w, 150);
  EXPECT_EQ(f.h, 1);
  f = preview_fit(0, 10, 150, 104);
  EXPECT_EQ(f.w, 0);
  f = preview_fit(-3, -1, 150, 104);
  EXPECT_EQ(f.w, 0);
}

class Preview : public ::testing::Test {
 protected:
  BITMAP *bmp = nullptr;
  int paper = 0;
  void SetUp() override {
    game_headless();
    bmp = create_bitmap(200, 150);
    paper = makecol(250, 250, 250);
    clear_to_color(bmp, paper);
  }
  void TearDown() override { destroy_bitmap(bmp); }
};

TEST_F(Preview, TilesInTheirColoursAndNothingOutsideThePicture) {
  fresh_game(20, 10);  // 5 pixels a tile in 100 x 50
  paint(0, 0, 9, 9, T_SAND);
  paint(10, 0, 19, 9, T_WATER);
  map.t[19][9] = T_ICE;
  EXPECT_EQ(preview_tile_colour(T_SAND), object_colour(OBJ_TILE0 + T_SAND));
  preview_draw(bmp, 50, 40, 100, 50, map);
  EXPECT_EQ(getpixel(bmp, 50, 40), preview_tile_colour(T_SAND));
  EXPECT_EQ(getpixel(bmp, 149, 40), preview_tile_colour(T_WATER));
  EXPECT_EQ(getpixel(bmp, 149, 89), preview_tile_colour(T_ICE));
  EXPECT_EQ(getpixel(bmp, 145, 85), preview_tile_colour(T_ICE));
  EXPECT_EQ(getpixel(bmp, 144, 85), preview_tile_colour(T_WATER));
  EXPECT_EQ(getpixel(bmp, 49, 40), paper);
  EXPECT_EQ(getpixel(bmp, 150, 89), paper);
  EXPECT_EQ(getpixel(bmp, 100, 90), paper);

  fresh_game(0, 10);  // no tiles: nothing drawn
  clear_to_color(bmp, paper);
  preview_draw(bmp, 0, 0, 200, 150, map);
  for (int y = 0; y < 150; y += 7)
    for (int x = 0; x < 200; x += 7) ASSERT_EQ(getpixel(bmp, x, y), paper);
}

TEST_F(Preview, StartsFinishAndPassMarkedWhereTheyLie) {
  fresh_game(40, 20);  // 2 pixels a tile: 80 x 40 in 80 x 50
  paint(30, 10, 31, 11, FINISH_TILE);
  map.ins[0] = Insertion{5 * 32 + 16, 5 * 32 + 16, 11};
  map.ins[1] = Insertion{5 * 32 + 16, 15 * 32 + 16, 12};
  map.ins[2] = Insertion{20 * 32, 3 * 32, 53};
  map.ins[3] = Insertion{-50, 3 * 32, 53};  // off the course: no mark
  map.n = 4;
  preview_draw(bmp, 0, 0, 80, 50, map);
  int x0 = 0, y0 = 5;  // the picture's corner in the box
  EXPECT_EQ(getpixel(bmp, x0 + 11, y0 + 11), preview_start_colour(1));
  EXPECT_EQ(getpixel(bmp, x0 + 11, y0 + 31), preview_start_colour(2));
  EXPECT_EQ(getpixel(bmp, x0 + 40, y0 + 6), preview_pass_colour());
  EXPECT_EQ(getpixel(bmp, x0 + 11, y0 + 14), makecol(0, 0, 0));  // each dot ringed
  // The finish: chequered over a red frame.
  int black = 0, white = 0;
  for (int y = y0 + 20; y < y0 + 24; y++)
    for (int x = x0 + 60; x < x0 + 64; x++) {
      int c = getpixel(bmp, x, y);
      black += c == makecol(0, 0, 0);
      white += c == makecol(255, 255, 255);
    }
  EXPECT_EQ(black, 8);
  EXPECT_EQ(white, 8);
  EXPECT_EQ(getpixel(bmp, x0 + 59, y0 + 22), makecol(230, 0, 0));
  EXPECT_EQ(getpixel(bmp, x0 + 64, y0 + 22), makecol(230, 0, 0));
  EXPECT_EQ(getpixel(bmp, x0 + 70, y0 + 22), preview_tile_colour(T_GRASS));
}

// The panel reads the course from its file: the picture is the file's
// course, and a replay of another version of it is reported as such.
TEST_F(Preview, PanelShowsTheCourseFileAndTheStateOfItsBestRun) {
  Scratch dir(true);
  BITMAP *menu = create_bitmap(500, 200);
  int white = makecol(255, 255, 255);
  auto ink = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; y++)
      for (int x = x0; x < x1; x++) n += getpixel(menu, x, y) != white;
    return n;
  };
  int px = 500 - PANEL_W - PANEL_MARGIN, label_y = PANEL_MARGIN + PANEL_H + 16;
  clear_to_color(menu, white);
  course_panel_draw(menu, 1, 1);  // no course file: nothing
  EXPECT_EQ(ink(0, 0, 500, 200), 0);

  fresh_game(30, 20);
  paint(0, 0, 29, 19, T_SAND);
  ASSERT_TRUE(course_write("m01.map", map));
  clear_to_color(menu, white);
  course_panel_draw(menu, 1, 1);
  EXPECT_EQ(getpixel(menu, px + PANEL_W / 2, PANEL_MARGIN + PANEL_H / 2),
            preview_tile_colour(T_SAND));
  EXPECT_EQ(ink(px, label_y, 500, 200), 0);  // no best run

  Replay r;
  r.course = 1;
  r.check = course_check(map, tile_attr);
  r.add(0);
  ASSERT_TRUE(replay_save(r));
  clear_to_color(menu, white);
  course_panel_draw(menu, 1, 1);
  int kept = ink(px, label_y, 500, 200);
  EXPECT_GT(kept, 0);
  clear_to_color(menu, white);
  course_panel_draw(menu, 1, 2);  // none for two players
  EXPECT_EQ(ink(px, label_y, 500, 200), 0);

  map.t[3][3] = T_ICE;  // the course is saved anew
  ASSERT_TRUE(course_write("m01.map", map));
  clear_to_color(menu, white);
  course_panel_draw(menu, 1, 1);
  int changed = ink(px, label_y, 500, 200);
  EXPECT_GT(changed, kept);  // a longer line, in two
  EXPECT_GT(ink(px, label_y + 10, 500, label_y + 20), 0);
  destroy_bitmap(menu);
}

}  // namespace
