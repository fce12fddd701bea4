// What steers the player: a held key, the pad, or both press the same
// keyboard port bits; "keys.txt" moves an action to other keys (the old
// ones stop), and the keys page of the credits shows the keys in force.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls.h"
#include "log_capture.h"
#include "scratch.h"
#include "world.h"

namespace {

class Controls : public World {
 protected:
  void SetUp() override {
    World::SetUp();
    memset(joy, 0, sizeof(JOYSTICK_INFO) * MAX_JOYSTICKS);
    controls_default();
    controls_wire();
  }
  void TearDown() override {
    memset(joy, 0, sizeof(JOYSTICK_INFO) * MAX_JOYSTICKS);
    controls_default();
    World::TearDown();
  }
  // Reads "keys.txt" holding text, as the game does at start-up; returns
  // the log.
  std::string start_with(const std::string &text) {
    spit(KEYS_FILE, std::vector<unsigned char>(text.begin(), text.end()));
    LogCapture log;
    controls_init();
    return log.text();
  }
  Scratch scratch{true};
};

// The pad input of each action: stick 0's axes, buttons 0 and 1.
void press_pad(int action, bool down) {
  JOYSTICK_INFO &j = joy[0];
  switch (action) {
    case ACT_LEFT: j.stick[0].axis[0].d1 = down; break;
    case ACT_RIGHT: j.stick[0].axis[0].d2 = down; break;
    case ACT_UP: j.stick[0].axis[1].d1 = down; break;
    case ACT_DOWN: j.stick[0].axis[1].d2 = down; break;
    case ACT_JUMP: j.button[0].b = down; break;
    case ACT_FIRE: j.button[1].b = down; break;
  }
}

TEST_F(Controls, AKeyThePadOrBothPressTheSamePortBit) {
  struct {
    int action, port, mask, key;
  } cases[] = {
      {ACT_LEFT, PORT_ARROWS, 0x10, KEY_LEFT},   {ACT_RIGHT, PORT_ARROWS, 0x80, KEY_RIGHT},
      {ACT_UP, PORT_ARROWS, 0x40, KEY_UP},       {ACT_DOWN, PORT_ARROWS, 0x20, KEY_DOWN},
      {ACT_JUMP, PORT_CTRL, 0x40, KEY_RCONTROL}, {ACT_JUMP, PORT_CTRL, 0x40, KEY_X},
      {ACT_FIRE, PORT_CTRL, 0x80, KEY_ALTGR},    {ACT_FIRE, PORT_CTRL, 0x80, KEY_Z},
  };
  for (auto &c : cases) {
    SCOPED_TRACE(c.action);
    ASSERT_EQ(bmGet8(c.port), 0xFF);
    key[c.key] = 1;
    unsigned char by_key = bmGet8(c.port);
    press_pad(c.action, true);
    unsigned char by_both = bmGet8(c.port);
    key[c.key] = 0;
    unsigned char by_pad = bmGet8(c.port);
    press_pad(c.action, false);
    EXPECT_EQ(by_key, 0xFF & ~c.mask);
    EXPECT_EQ(by_pad, by_key);
    EXPECT_EQ(by_both, by_key);
    EXPECT_EQ(bmGet8(c.port), 0xFF);
  }
  // Other buttons and the second joystick press nothing.
  joy[0].button[2].b = joy[1].button[0].b = 1;
  joy[1].stick[0].axis[0].d1 = 1;
  for (int p = 0; p < 12; p++) EXPECT_EQ(bmGet8(BM_KEYS + p), 0xFF) << p;
}

TEST_F(Controls, ThePadSteersThePlayerAsTheKeysDo) {
  add_charac(50, 50, K_PLAYER);
  key[KEY_LEFT] = 1;
  key[KEY_RCONTROL] = 1;
  think_charac(&C[0]);
  unsigned char by_keys = C[0].bits;
  memset((void *)key, 0, KEY_MAX);
  C[0].bits = 0;
  joy[0].stick[0].axis[0].d1 = 1;
  joy[0].button[0].b = 1;
  think_charac(&C[0]);
  EXPECT_EQ(C[0].bits, by_keys);
  EXPECT_EQ(C[0].bits, B_LEFT | B_JUMP);
  // The jump held on the pad is a held jump, as on the keys.
  think_charac(&C[0]);
  EXPECT_EQ(C[0].bits, B_LEFT | B_JUMP | B_JUMP_HELD);
}

TEST_F(Controls, KeysFromTheFileReplaceTheUsualOnesOfTheirActionOnly) {
  std::string log = start_with("jump = KEY_X KEY_SPACE\nfire = KEY_Q\nleft = KEY_NOPE\n");
  EXPECT_EQ(log, "keys.txt line 3: unknown key \"KEY_NOPE\"; line skipped\n");
  key[KEY_RCONTROL] = key[KEY_ALTGR] = key[KEY_Z] = 1;
  EXPECT_EQ(bmGet8(PORT_CTRL), 0xFF) << "the usual jump and fire keys no longer count";
  memset((void *)key, 0, KEY_MAX);
  key[KEY_SPACE] = 1;
  EXPECT_EQ(bmGet8(PORT_CTRL), 0xBF);
  key[KEY_SPACE] = 0;
  key[KEY_Q] = 1;
  EXPECT_EQ(bmGet8(PORT_CTRL), 0x7F);
  key[KEY_Q] = 0;
  joy[0].button[0].b = 1;  // the pad still jumps
  EXPECT_EQ(bmGet8(PORT_CTRL), 0xBF);
  joy[0].button[0].b = 0;
  key[KEY_LEFT] = 1;  // the line that can't be read left the arrow
  EXPECT_EQ(bmGet8(PORT_ARROWS), 0xEF);
  // Space on its own port still starts the game from the credits.
  key[KEY_SPACE] = 1;
  EXPECT_EQ(bmGet8(PORT_SPACE), 0x7F);
}

TEST_F(Controls, KeysTheGameReadsForOtherThingsCannotBeTaken) {
  std::string log = start_with("jump = KEY_ENTER\nfire = KEY_ESC\nup = KEY_RSHIFT\ndown = KEY_F1\n");
  EXPECT_EQ(log,
            "keys.txt line 1: KEY_ENTER is kept: it makes the mums follow the keys; line skipped\n"
            "keys.txt line 2: KEY_ESC is kept: it ends the game; line skipped\n"
            "keys.txt line 3: KEY_RSHIFT is kept: it makes only the mums follow the keys; line skipped\n"
            "keys.txt line 4: KEY_F1 is kept: it shows the keys; line skipped\n");
  std::vector<std::string> shown = keys_lines();
  controls_default();
  EXPECT_EQ(shown, keys_lines());
}

TEST_F(Controls, TheLinesShowTheKeysInForce) {
  std::vector<std::string> usual = keys_lines();
  ASSERT_GE(usual.size(), 6u);
  EXPECT_EQ(usual[0], "left       Left, pad left");
  EXPECT_EQ(usual[4], "jump       Right Ctrl, X, pad button 0");
  EXPECT_EQ(usual[5], "fire       AltGr, Z, pad button 1");
  start_with("jump = KEY_SPACE\nup = KEY_W KEY_UP\n");
  std::vector<std::string> chosen = keys_lines();
  EXPECT_EQ(chosen[2], "up         W, Up, pad up");
  EXPECT_EQ(chosen[4], "jump       Space, pad button 0");
  EXPECT_EQ(chosen[6], "door       W, Up at a door");
}

TEST(KeysLines, LongLinesGoOnBelowAfterTheColumn) {
  std::string line = "jump       Right Ctrl, X, pad button 0";
  std::vector<std::string> w = wrap_keys_line(line, 30);
  EXPECT_EQ(w, (std::vector<std::string>{"jump       Right Ctrl, X,", "           pad button 0"}));
  EXPECT_EQ(wrap_keys_line(line, 40), std::vector<std::string>{line});
  // No ", " to cut at: cut anywhere, every piece within the width.
  std::string solid = "fire       " + std::string(50, 'Z');
  for (const std::string &piece : wrap_keys_line(solid, 20)) EXPECT_LE(piece.size(), 20u) << piece;
}

TEST_F(Controls, TheKeysPageHoldsTheLinesInItsBitOnly) {
  bmp *pic = new_bmp(320, 240);
  for (int i = 0; i < 320 * 240; i++) pic->data[i] = (unsigned char)(i * 7 % 16);
  bmp *before = sub_bmp(pic, 0, 0, 320, 240);
  draw_keys_lines(pic, 4);
  int set = 0;
  for (int y = 0; y < 240; y++)
    for (int x = 0; x < 320; x++) {
      int p = pic->data[y * 320 + x], b = before->data[y * 320 + x];
      ASSERT_EQ(p & ~4, b & ~4) << "other pictures untouched at " << x << "," << y;
      bool inside = y >= KEYS_TOP && y < 240 - KEYS_FRAME - 1 && x > KEYS_FRAME && x < 320 - KEYS_FRAME - 1;
      if (!inside) {
        ASSERT_EQ(p, b) << "outside the page's text area at " << x << "," << y;
      } else if (p & 4) {
        set++;
      }
    }
  // Some text, far less than the old content's half of the area.
  EXPECT_GT(set, 500);
  EXPECT_LT(set, 8000);
  destroy_bmp(before);
  destroy_bmp(pic);
}

}  // namespace
