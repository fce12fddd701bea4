// The players' keys: "keys.txt" gives the one player, player 1 and player 2
// of two keys of their own, the others keep theirs, the joysticks still
// count, and the lines show the keys in force.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls.h"
#include "game_helpers.h"
#include "log_capture.h"
#include "scratch.h"

namespace {

class Keys : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_game();
    memset((void *)key, 0, KEY_MAX);
  }
  void TearDown() override {
    memset((void *)key, 0, KEY_MAX);
    controls_default();
    n_players = 1;
  }
  // Reads "keys.txt" holding text as topdown does at start-up; returns
  // the log.
  std::string start_with(const std::string &text) {
    spit(KEYS_FILE, std::vector<unsigned char>(text.begin(), text.end()));
    LogCapture log;
    controls_init();
    return log.text();
  }
  int input_with(std::initializer_list<int> down) {
    memset((void *)key, 0, KEY_MAX);
    for (int k : down) key[k] = 1;
    return get_input();
  }
  Scratch scratch{true};
};

TEST_F(Keys, EachSetTakesItsOwnKeysFromTheFile) {
  std::string log = start_with(
      "one.fire = KEY_SPACE\n"
      "p1.left = KEY_J\n"
      "p1.get_out = KEY_TAB   # was V\n"
      "p2.accelerate = KEY_UP KEY_0_PAD\n"
      "p2.fire = KEY_ESC\n"
      "p3.fire = KEY_X\n");
  EXPECT_EQ(log,
            "keys.txt line 5: KEY_ESC is kept: it ends the game; line skipped\n"
            "keys.txt line 6: unknown action \"p3.fire\"; line skipped\n");
  n_players = 1;
  EXPECT_EQ(input_with({KEY_SPACE}), CTRL_FIRE);
  EXPECT_EQ(input_with({KEY_LCONTROL, KEY_RCONTROL}), 0) << "Ctrl no longer fires alone";
  EXPECT_EQ(input_with({KEY_LEFT, KEY_LSHIFT}), CTRL_LEFT | CTRL_ACTION);
  n_players = 2;
  // Player 1: J turns left, A no longer does; Tab gets out, V no longer.
  EXPECT_EQ(input_with({KEY_J, KEY_TAB}), CTRL_LEFT | CTRL_ACTION);
  EXPECT_EQ(input_with({KEY_A, KEY_V}), 0);
  // Player 2 keeps Ctrl (one.fire is the one player's alone) and gains a
  // second key to accelerate; the line that can't be read left its fire.
  EXPECT_EQ(input_with({KEY_0_PAD, KEY_RCONTROL}), (CTRL_UP | CTRL_FIRE) << 8);
  EXPECT_EQ(input_with({KEY_SPACE}), 0);
  // A joystick still counts beside the keys.
  joy[0].button[1].b = 1;
  EXPECT_EQ(input_with({KEY_J}), CTRL_LEFT | CTRL_FIRE);
  joy[0].button[1].b = 0;
}

TEST_F(Keys, WithoutTheFileTheKeysAreTheUsualOnes) {
  EXPECT_EQ(start_with(""), "");
  remove(KEYS_FILE);
  EXPECT_EQ(start_with(""), "");  // an empty file is the same
  n_players = 2;
  EXPECT_EQ(input_with({KEY_A, KEY_D, KEY_W, KEY_S, KEY_B, KEY_V}), 0x3f);
  EXPECT_EQ(input_with({KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_LCONTROL, KEY_RSHIFT}), 0x3f << 8);
}

TEST_F(Keys, APlayerOfTwoWhoseKeyIsAlsoTheOthersIsNoted) {
  std::string log = start_with("p1.fire = KEY_RCONTROL\none.left = KEY_B\n");
  EXPECT_EQ(log, "keys.txt: KEY_RCONTROL is both \"p1.fire\" and \"p2.fire\"\n");
}

TEST_F(Keys, TheLinesShowTheKeysInForce) {
  std::vector<std::string> lines = keys_lines();
  ASSERT_GE(lines.size(), 18u);
  EXPECT_EQ(lines[0], "One player:");
  EXPECT_EQ(lines[4], "  fire        Left Ctrl, Right Ctrl");
  EXPECT_EQ(lines[6], "Player 1 of two (left half):");
  EXPECT_EQ(lines[10], "  fire        B");
  start_with("p1.fire = KEY_SPACE KEY_TAB\n");
  EXPECT_EQ(keys_lines()[10], "  fire        Space, Tab");
  EXPECT_EQ(keys_lines()[16], "  fire        Left Ctrl, Right Ctrl");
}

}  // namespace
