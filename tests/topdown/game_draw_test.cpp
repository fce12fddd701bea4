// Drawing: the picture of each character, the heads-up panel and the views.
#include <gtest/gtest.h>

#include "game_helpers.h"

static bool same(int a, int b) {
  return getr(a) == getr(b) && getg(a) == getg(b) && getb(a) == getb(b);
}

// Draws c alone at (100, 100); returns the datafile object whose colour
// shows at its centre, or -1.
static int drawn(Charac &c) {
  OX = OY = 0;
  clear_to_color(buf, col_black);
  c.x = c.y = F(100);
  c.draw();
  for (int i = 1; i < 21; i++)
    if (same(getpixel(buf, 100, 100), object_colour(i))) return i;
  return -1;
}

TEST(Drawing, PictureByKindAndState) {
  fresh_game();
  Charac w, car, it, shot, bike, boat, whirl;
  w.init(0, 0, KIND_WALKER);
  EXPECT_EQ(drawn(w), OBJ_WALKER);
  w.ctrl = CTRL_UP;  // the walking cycle, nine steps a picture
  int cycle[] = {2, 4, 2, 3, 2};
  for (int k = 0; k < 5; k++) {
    t2 = k * 9 + 8;
    EXPECT_EQ(drawn(w), cycle[k]) << "step " << t2;
  }
  car.init(0, 0, KIND_CAR);
  w.link = &car;
  EXPECT_EQ(drawn(w), OBJ_WALKER_RIDING);
  it.init(0, 0, KIND_ITEM);
  int item_obj[] = {-1, 14, 13, 12, 1, -1, -1, -1, -1, -1};
  for (int sub = 0; sub < 10; sub++) {
    it.sub = sub;
    EXPECT_EQ(drawn(it), item_obj[sub]) << "sub " << sub;
  }
  shot.init(0, 0, KIND_SHOT);
  EXPECT_EQ(drawn(shot), OBJ_SHOT_AU);
  USA = true;
  EXPECT_EQ(drawn(shot), OBJ_SHOT_US);
  it.sub = ITEM_AMMO;
  EXPECT_EQ(drawn(it), OBJ_SHOT_US);
  bike.init(0, 0, KIND_BIKE);
  EXPECT_EQ(drawn(bike), OBJ_BIKE_EMPTY);
  bike.sub = RANDOM_DRIVER;
  EXPECT_EQ(drawn(bike), OBJ_BIKE);
  boat.init(0, 0, KIND_BOAT);
  whirl.init(0, 0, KIND_WHIRL);
  EXPECT_EQ(drawn(car), OBJ_CAR);
  EXPECT_EQ(drawn(boat), OBJ_BOAT);
  EXPECT_EQ(drawn(whirl), OBJ_WHIRL);
  whirl.kind = KIND_NONE;
  EXPECT_EQ(drawn(whirl), -1);
}

TEST(Drawing, CarsTurnToTheHeadingAndAreMirroredInAustralia) {
  fresh_game();
  BITMAP *old = (BITMAP *)D[OBJ_CAR].dat;
  BITMAP *pic = create_bitmap(16, 16);  // facing up: left red, right blue
  clear_to_color(pic, col_blue);
  rectfill(pic, 0, 0, 7, 15, col_red);
  D[OBJ_CAR].dat = pic;
  Charac car;
  car.init(100, 100, KIND_CAR);  // facing right
  for (bool usa : {true, false}) {
    USA = usa;
    OX = OY = 0;
    clear_to_color(buf, col_black);
    car.draw();
    EXPECT_TRUE(same(getpixel(buf, 100, 95), usa ? col_red : col_blue));
    EXPECT_TRUE(same(getpixel(buf, 100, 105), usa ? col_blue : col_red));
  }
  OX = 95;  // through the view origin, clipped at the edge
  clear_to_color(buf, col_black);
  car.draw();
  EXPECT_TRUE(same(getpixel(buf, 5, 105), col_red));
  D[OBJ_CAR].dat = old;
  destroy_bitmap(pic);
}

TEST(Hud, TextsOfThePlayerOrItsVehicle) {
  fresh_game();
  Charac &w = spawn(100, 100, KIND_WALKER);
  w.vx = F(1.5);
  HudTexts h = hud_texts(0);
  EXPECT_STREQ(h.speed, "19km/h");
  EXPECT_STREQ(h.top, "19");
  EXPECT_STREQ(h.access, "No");
  USA = true;
  EXPECT_STREQ(hud_texts(0).speed, "12mph");
  USA = false;
  Charac &boat = spawn(100, 100, KIND_BOAT);
  boat.ammo = 3;
  boat.access = true;
  boat.vy = F(-4);
  seat(w, boat);
  h = hud_texts(0);
  EXPECT_STREQ(h.speed, "52km/h");
  EXPECT_STREQ(h.top, "52");  // 80 % of 64.5 for a boat
  EXPECT_STREQ(h.ammo, "3");
  EXPECT_STREQ(h.access, "Yes");
  t2 = 3005;
  h = hud_texts(0);
  EXPECT_STREQ(h.clock, "1:00");
  EXPECT_STREQ(h.tenths, ".1");
  t2 = 36000;
  EXPECT_STREQ(hud_texts(0).clock, "12:00");
  w.finished = true;
  w.finish_time = 1234;  // the clock stops at the finish
  h = hud_texts(0);
  EXPECT_STREQ(h.clock, "0:24");
  EXPECT_STREQ(h.tenths, ".6");
}

TEST(Frame, OnePlayerViewAndPanel) {
  fresh_game(40, 30);
  make_game_bitmaps();
  BITMAP *dest = create_bitmap(640, 480);
  Charac &w = spawn(1000, 800, KIND_WALKER);
  w.access = true;
  spawn(1000, 800, KIND_CAR);  // drawn first: the player lies on top
  int frames = fts;
  draw_frame(dest);
  EXPECT_EQ(fts, frames + 1);
  EXPECT_EQ(OX, 640);  // kept within the course's right and bottom edges
  EXPECT_EQ(OY, 480);
  EXPECT_TRUE(same(getpixel(dest, 360, 320), object_colour(OBJ_WALKER)));
  EXPECT_TRUE(same(getpixel(dest, 299, 479), makecol(166, 166, 166)));
  EXPECT_TRUE(same(getpixel(dest, 5, 474), makecol(88, 88, 88)));
  int green = 0;  // "Yes" under ACCESS
  for (int x = 170; x < 220; x++)
    for (int y = 455; y < 464; y++) green += same(getpixel(dest, x, y), col_green);
  EXPECT_GT(green, 10);
  w.x = F(400);
  w.y = F(300);
  draw_frame(dest);
  EXPECT_EQ(OX, 80);
  EXPECT_EQ(OY, 60);
  w.kind = KIND_NONE;  // no longer a walker: the view stays
  w.x = F(900);
  draw_frame(dest);
  EXPECT_EQ(OX, 80);
  map.w = 10;  // a course smaller than the view: from its top-left
  map.h = 5;
  w.kind = KIND_WALKER;
  draw_frame(dest);
  EXPECT_EQ(OX + OY, 0);
  free_game_bitmaps();
  destroy_bitmap(dest);
}

TEST(Frame, TwoPlayersSplitTheScreenWithAMagentaSeam) {
  fresh_game(40, 30);
  n_players = 2;
  make_game_bitmaps();
  EXPECT_EQ(buf->w, 320);
  BITMAP *dest = create_bitmap(640, 480);
  spawn(200, 200, KIND_WALKER);
  spawn(1000, 700, KIND_WALKER);
  draw_frame(dest);
  EXPECT_TRUE(same(getpixel(dest, 319, 300), col_magenta));
  EXPECT_TRUE(same(getpixel(dest, 320, 300), col_magenta));
  EXPECT_FALSE(same(getpixel(dest, 318, 300), col_magenta));
  EXPECT_TRUE(same(getpixel(dest, 299, 479), makecol(166, 166, 166)));
  EXPECT_TRUE(same(getpixel(dest, 619, 479), makecol(166, 166, 166)));
  EXPECT_TRUE(same(getpixel(dest, 160, 200), object_colour(OBJ_WALKER)));
  EXPECT_TRUE(same(getpixel(dest, 480, 240), object_colour(OBJ_WALKER)));
  int white = 0;  // the clock line over the seam
  for (int x = 250; x < 390; x++)
    for (int y = 9; y < 18; y++) white += same(getpixel(dest, x, y), col_white);
  EXPECT_GT(white, 20);
  free_game_bitmaps();
  EXPECT_EQ(buf->w, 640);
  destroy_bitmap(dest);
}
