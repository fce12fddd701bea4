// Play: player input, cast production, random scattering and the loop.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "game_helpers.h"
#include "race.h"

static void keys(std::initializer_list<int> down) {
  memset((void *)key, 0, KEY_MAX);
  for (int k : down) key[k] = 1;
}

TEST(Input, KeySetsAndJoysticksByNumberOfPlayers) {
  fresh_game();
  keys({KEY_LEFT, KEY_RIGHT, KEY_RCONTROL, KEY_LSHIFT, KEY_W, KEY_B});
  EXPECT_EQ(get_input(), 0x33);  // letters do nothing for one player
  n_players = 2;
  EXPECT_EQ(get_input(), (CTRL_UP | CTRL_FIRE) | 0x33 << 8);
  keys({KEY_A, KEY_D, KEY_S, KEY_V, KEY_UP, KEY_DOWN, KEY_LCONTROL, KEY_RSHIFT});
  EXPECT_EQ(get_input(), 0x2b | 0x3c << 8);
  keys({});
  joy[0].button[2].b = 1;  // thrust, like the stick pushed up
  joy[1].stick[0].axis[0].d1 = 1;
  EXPECT_EQ(get_input(), CTRL_UP | CTRL_LEFT << 8);
  n_players = 1;
  EXPECT_EQ(get_input(), CTRL_UP);
  joy[0].button[2].b = joy[1].stick[0].axis[0].d1 = 0;
  // The loop hands each player its byte.
  n_players = 2;
  spawn(100, 100, KIND_WALKER);
  spawn(200, 100, KIND_WALKER);
  keys({KEY_W, KEY_LEFT});
  logic_step();
  EXPECT_EQ(C[0].ctrl, CTRL_UP);
  EXPECT_EQ(C[1].ctrl, CTRL_LEFT);
  keys({});
}

static void insert(int x, int code) { map.ins[map.n++] = {x, 0, code}; }

TEST(Cast, PlayersFirstThenTheCourseInItsOrder) {
  fresh_game();
  int codes[] = {12, 11, 25, 10, 11, 35, 47, 53, 57, 13, 60, 20};
  for (int i = 0; i < 12; i++) insert(i, codes[i]);
  ASSERT_TRUE(produce_cast(0));
  int x[8], kind[8] = {1, 1, 5, 4, 6, 2, 2, 5}, sub[8] = {0, 0, 5, 5, 0, 3, 7, 0};
  ASSERT_EQ(n_characs, 8);
  for (int i = 0; i < 8; i++) {
    x[i] = C[i].x;
    EXPECT_EQ(C[i].kind, kind[i]) << i;
    EXPECT_EQ(C[i].sub, sub[i]) << i;
  }
  EXPECT_EQ(x[0], 1);
  EXPECT_EQ(x[1], 4);
  EXPECT_EQ(C[2].angle.v, F(125).v);
  EXPECT_EQ(C[4].angle.v, F(175).v);
  n_players = 2;  // the second code-11 start is player 2, then code 12
  ASSERT_TRUE(produce_cast(0));
  EXPECT_EQ(n_characs, 9);
  EXPECT_EQ((int)C[1].x, 4);
  EXPECT_EQ((int)C[2].x, 0);

  map.n = 0;
  insert(1, 12);
  insert(2, 30);
  FILE *saved = fr;
  fr = tmpfile();
  n_players = 1;
  EXPECT_FALSE(produce_cast(7));
  rewind(fr);
  char line[64] = "";
  EXPECT_TRUE(fgets(line, sizeof line, fr));
  EXPECT_STREQ(line, "No entry code 7 found\n");
  fclose(fr);
  fr = saved;
  n_players = 2;  // with two players the code-12 start is player 1
  ASSERT_TRUE(produce_cast(0));
  EXPECT_EQ(C[0].kind, KIND_WALKER);
  EXPECT_EQ(C[1].kind, KIND_BIKE);
}

TEST(Scatter, FrequenciesOverManySeeds) {
  fresh_game(1, 1);
  scatter_extras();
  EXPECT_EQ(n_characs, 0);  // no grid point on a one-tile course
  fresh_game(256, 256);
  int count[4] = {0, 0, 0, 0};  // boost, slowing, ammunition, whirl
  double points = 0;
  for (unsigned seed = 1; seed <= 8; seed++) {
    race_srand(seed);
    n_characs = 0;
    scatter_extras();
    points += 272 * 272;
    for (int i = 0; i < n_characs; i++) {
      Charac &c = C[i];
      ASSERT_EQ(((int)c.x - 20) % 30 + ((int)c.y - 20) % 30, 0);
      int k = c.kind == KIND_WHIRL ? 3 : c.sub == ITEM_BOOST ? 0 : c.sub == ITEM_SLOW ? 1 : 2;
      ASSERT_TRUE(k == 3 || c.sub == ITEM_BOOST || c.sub == ITEM_SLOW || c.sub == ITEM_AMMO);
      count[k]++;
    }
  }
  const double odds[4] = {12, 20, 25, 6};
  for (int k = 0; k < 4; k++) {
    double p = odds[k] / 5000;
    EXPECT_NEAR(count[k], points * p, 5 * std::sqrt(points * p * (1 - p))) << k;
  }
  n_characs = MAX_CHARACS - 3;  // a full table stops the scattering
  scatter_extras();
  EXPECT_EQ(n_characs, MAX_CHARACS);
}

TEST(Loop, SlowFramesNeverCostALogicStep) {
  fresh_game();
  make_game_bitmaps();
  BITMAP *dest = create_bitmap(640, 480);
  spawn(300, 300, KIND_WALKER);
  int frames = 0, steps = 0;
  for (int pass = 0; pass < 400; pass++) {
    int before = t2;
    if (play_pass(dest) == PASS_FRAME) {
      ASSERT_EQ(t2, t1) << "a frame was drawn while the logic lagged";
      frames++;
      t1 = t1 + 7;  // each frame takes seven ticks
    } else {
      ASSERT_EQ(t2, before + 1);
      steps++;
    }
  }
  EXPECT_EQ(steps, t2);
  EXPECT_EQ(frames, 50);
  free_game_bitmaps();
  destroy_bitmap(dest);
}

TEST(Loop, NoFrameWithoutAStepSinceTheLast) {
  fresh_game();
  make_game_bitmaps();
  BITMAP *dest = create_bitmap(640, 480);
  spawn(300, 300, KIND_WALKER);
  fts = 0;
  EXPECT_EQ(play_pass(dest), PASS_STEP);
  EXPECT_EQ(play_pass(dest), PASS_FRAME);
  for (int i = 0; i < 5; i++) EXPECT_EQ(play_pass(dest), PASS_WAIT);
  EXPECT_EQ(fts, 1);
  t1 = t1 + 2;  // two ticks: two steps, then one frame
  EXPECT_EQ(play_pass(dest), PASS_STEP);
  EXPECT_EQ(play_pass(dest), PASS_STEP);
  EXPECT_EQ(play_pass(dest), PASS_FRAME);
  EXPECT_EQ(play_pass(dest), PASS_WAIT);
  EXPECT_EQ(fts, 2);
  free_game_bitmaps();
  destroy_bitmap(dest);
}

TEST(Loop, ApplauseCountdownAndFrameRateSample) {
  fresh_game();
  spawn(300, 300, KIND_WALKER);
  clap_t = 2;
  logic_step();
  EXPECT_EQ(clap_t, 1);
  logic_step();
  logic_step();
  EXPECT_EQ(clap_t, 0);
  fts = 17;
  t2 = 49;
  logic_step();
  EXPECT_EQ(fps, 17);
  EXPECT_EQ(fts, 0);
}
