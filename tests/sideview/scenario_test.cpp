// A player walks, jumps onto a one-way platform, climbs a ladder, shoots a
// mum and leaves through a door, frame by frame through the play loop on
// the headless machine, steered by held keys as a person would.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "world.h"

namespace {

// Floor on row 12 (top y = 192); a one-way platform on row 9 (top y =
// 144) over columns 8..12; a ladder in column 16 up through an upper floor
// on row 5 (top y = 80); a door in column 24 on the upper floor.
const std::vector<std::string> LEVEL = {
    "##############################",
    "#                            #",
    "#                            #",
    "#                            #",
    "#               H       D    #",
    "#            ===H============#",
    "#               H            #",
    "#               H            #",
    "#               H            #",
    "#       =====   H            #",
    "#               H            #",
    "#               H            #",
    "##############################",
    "##############################",
};

class Scenario : public World {
 protected:
  level_play play = {0, 0};
  int frame = 0;

  // One frame of the game, then the wait for the next, as the play loop
  // does it.
  bool step() {
    frame++;
    bool over = play_frame(play);
    if (hsyncs >= 223) bmWait(0);
    return over;
  }
  // Holds the keys until done() holds (at most max frames); false if it
  // never did.
  bool until(std::initializer_list<int> keys, std::function<bool()> done, int max = 300) {
    for (int k : keys) key[k] = 1;
    bool ok = false;
    for (int f = 0; f < max && !ok; f++) {
      if (step()) break;
      ok = done();
    }
    for (int k : keys) key[k] = 0;
    return ok;
  }
  charac &player() { return C[0]; }
  bool standing_on(float top) {
    return C[0].kind == K_PLAYER && std::fabs(C[0].y + C[0].ry - top) < 1 && C[0].vy == 0;
  }
};

TEST_F(Scenario, WalkJumpClimbShootAndLeaveThroughADoor) {
  make_level(LEVEL);
  add_insertion(40, 176, 11);               // entry point 1, standing on the floor
  add_insertion(24 * 16 + 8, 64, 13);       // exit point 3 at the door
  ASSERT_EQ(produce_cast(1), 1);
  bar_reset();
  C[0].hp = 4;
  C[0].ammo = 2;
  set_gfx1();

  ASSERT_TRUE(until({KEY_RIGHT}, [&] { return player().x >= 60; }));
  EXPECT_TRUE(standing_on(192));
  // Jump while walking right: up through the one-way platform, onto it.
  ASSERT_TRUE(until({KEY_RIGHT, KEY_RCONTROL}, [&] { return player().vy > 0; }));
  ASSERT_TRUE(until({KEY_RIGHT}, [&] { return standing_on(144); }, 60));
  EXPECT_GT(player().x, 8 * 16);
  EXPECT_LT(player().x, 13 * 16);
  // Off its end, down to the floor, on to the ladder.
  ASSERT_TRUE(until({KEY_RIGHT}, [&] { return player().x >= 16 * 16 + 6; }));
  ASSERT_TRUE(until({}, [&] { return standing_on(192); }, 60));
  ASSERT_TRUE(until({KEY_UP}, [&] { return player().y + player().ry < 80; }));
  EXPECT_EQ(player().state & ST_GROUND, ST_LADDER);
  ASSERT_TRUE(until({KEY_UP, KEY_RIGHT}, [&] { return standing_on(80); }, 40));
  // The view has followed the player up and right.
  EXPECT_EQ(OY, 0);
  // A mum with one hit point turns up at the far end; one shot ends it.
  EXPECT_EQ(player().hp, 4);
  add_charac(27 * 16, 64, K_MUM | 1 << 8);
  int mums = 0;
  ASSERT_TRUE(until({KEY_ALTGR}, [&] { return player().ammo == 1; }, 5));
  ASSERT_TRUE(until({}, [&] {
    mums = 0;
    for (int i = 0; i < n_characs; i++) mums += C[i].kind == K_MUM;
    return mums == 0;
  }, 200));
  // To the door, and out through exit point 3 fifty frames later.
  ASSERT_TRUE(until({KEY_RIGHT}, [&] { return player().x >= 24 * 16 + 2; }));
  int left_at = frame;
  key[KEY_UP] = 1;
  bool over = false;
  while (!over && frame < left_at + 100) over = step();
  key[KEY_UP] = 0;
  EXPECT_TRUE(over);
  EXPECT_EQ(play.result, 3);
  EXPECT_EQ(frame - left_at, 50);  // the frame of leaving and 49 more
  // The machine showed the playfield and the status bar: hearts in the bar.
  EXPECT_EQ(bar.health, 4);
  EXPECT_EQ(bar_pixel(30 + 4, 3 + 4), 0x21);
}

TEST_F(Scenario, TheViewFollowsThePlayerWithinTheLevel) {
  // The view is 320 x 220 with the player 160 from its left and 110 from
  // its top, and stays within the level; OX counts in 2 pixels.
  struct Case {
    int level_w, level_h, x, y, ox, oy;
  } cases[] = {
      {40, 20, 100, 100, 0, 0},
      {40, 20, 400, 100, 120, 0},
      {40, 20, 600, 100, 160, 0},  // the right end: (40 * 16 - 320) / 2
      {40, 20, 600, 200, 160, 90},
      {40, 20, 600, 1000, 160, 20 * 16 - 220},  // the bottom
      {10, 10, 150, 150, 0, 0},  // a level smaller than the view
  };
  for (const Case &c : cases) {
    make_level(std::vector<std::string>(c.level_h, std::string(c.level_w, '.')));
    n_characs = 0;
    add_charac(c.x, c.y, K_PLAYER);
    view_from_player();
    EXPECT_EQ(OX, c.ox) << c.level_w << " x " << c.level_h << " at " << c.x << ", " << c.y;
    EXPECT_EQ(OY, c.oy) << c.level_w << " x " << c.level_h << " at " << c.x << ", " << c.y;
  }
}

}  // namespace
