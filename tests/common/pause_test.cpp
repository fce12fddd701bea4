// A game held still: P and Pause pause and resume it, a lost focus pauses
// it until P, the keys screen goes on any key back to what it covered, and
// a key that closed it does not reach the game while it is still down.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "key_screen.h"
#include "pause_hook.h"

namespace {

void headless() {
  if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
  memset((void *)key, 0, KEY_MAX);
  hold_reset();
}

TEST(Hold, PauseKeysAndFocus) {
  headless();
  EXPECT_EQ(hold_event(HOLD_OTHER_KEY), HOLD_NONE);
  EXPECT_EQ(hold_event(HOLD_PAUSE_KEY), HOLD_PAUSED);
  EXPECT_EQ(hold_event(HOLD_OTHER_KEY), HOLD_PAUSED);  // only P goes on
  EXPECT_EQ(hold_event(HOLD_FOCUS_LOST), HOLD_PAUSED);
  EXPECT_EQ(hold_event(HOLD_PAUSE_KEY), HOLD_NONE);
  // A focus lost pauses; coming back is not enough, P is.
  EXPECT_EQ(hold_event(HOLD_FOCUS_LOST), HOLD_PAUSED);
  EXPECT_EQ(hold_event(HOLD_PAUSE_KEY), HOLD_NONE);
}

TEST(Hold, TheKeysScreenGoesBackToWhatItCovered) {
  headless();
  EXPECT_EQ(hold_event(HOLD_KEYS_KEY), HOLD_KEYS);
  EXPECT_EQ(hold_event(HOLD_PAUSE_KEY), HOLD_NONE);  // any key, P too, only closes it
  hold_event(HOLD_PAUSE_KEY);
  EXPECT_EQ(hold_event(HOLD_KEYS_KEY), HOLD_KEYS);
  EXPECT_EQ(hold_event(HOLD_KEYS_KEY), HOLD_PAUSED);  // over a pause, back to it
  hold_event(HOLD_PAUSE_KEY);
  // The focus lost while the keys show: closing them leaves the game paused.
  hold_event(HOLD_KEYS_KEY);
  EXPECT_EQ(hold_event(HOLD_FOCUS_LOST), HOLD_KEYS);
  EXPECT_EQ(hold_event(HOLD_OTHER_KEY), HOLD_PAUSED);
}

TEST(Hold, EscInAPauseIsKeptForTheGame) {
  headless();
  hold_event(HOLD_ESC_KEY);  // running: the game sees Esc itself
  EXPECT_FALSE(hold_take_esc());
  hold_event(HOLD_KEYS_KEY);
  hold_event(HOLD_ESC_KEY);  // only closes the keys screen
  EXPECT_EQ(hold_state(), HOLD_NONE);
  EXPECT_FALSE(hold_take_esc());
  hold_event(HOLD_PAUSE_KEY);
  EXPECT_EQ(hold_event(HOLD_ESC_KEY), HOLD_PAUSED);
  EXPECT_TRUE(hold_take_esc());
  EXPECT_FALSE(hold_take_esc());  // once
  hold_event(HOLD_ESC_KEY);
  hold_reset();  // the next game starts afresh
  EXPECT_FALSE(hold_take_esc());
}

TEST(Hold, FocusFlagAndResetAtANewGame) {
  headless();
  EXPECT_FALSE(hold_take_focus());
  focus_lost = 1;  // as the display-switch callback does
  EXPECT_TRUE(hold_take_focus());
  EXPECT_EQ(hold_state(), HOLD_PAUSED);
  EXPECT_EQ(focus_lost, 0);
  EXPECT_FALSE(hold_poll(KEY_F1));  // handed on once only
  focus_lost = 1;
  hold_reset();  // a focus lost in the menu does not pause the next game
  EXPECT_EQ(hold_state(), HOLD_NONE);
  EXPECT_FALSE(hold_take_focus());
  focus_lost = 1;
  EXPECT_TRUE(hold_poll(KEY_F1));
  EXPECT_TRUE(hold_active());
}

TEST(Hold, KeysOfTheBuffer) {
  EXPECT_EQ(hold_key_event(KEY_P, KEY_F1), HOLD_PAUSE_KEY);
  EXPECT_EQ(hold_key_event(KEY_PAUSE, KEY_F1), HOLD_PAUSE_KEY);
  EXPECT_EQ(hold_key_event(KEY_F1, KEY_F1), HOLD_KEYS_KEY);
  EXPECT_EQ(hold_key_event(KEY_F1, KEY_F10), HOLD_OTHER_KEY);
  EXPECT_EQ(hold_key_event(KEY_ESC, KEY_F1), HOLD_ESC_KEY);
  EXPECT_EQ(hold_key_event(KEY_SPACE, KEY_F1), HOLD_OTHER_KEY);
}

TEST(Hold, TheKeyThatClosesTheKeysScreenStaysOutOfTheGame) {
  headless();
  hold_key(KEY_F1, KEY_F1);
  EXPECT_TRUE(hold_swallows(KEY_ESC));  // Esc already down shows in key[] first
  key[KEY_ESC] = 1;
  hold_key(KEY_ESC, KEY_F1);
  EXPECT_EQ(hold_state(), HOLD_NONE);
  EXPECT_TRUE(hold_active());  // still down: the game waits
  EXPECT_TRUE(hold_swallows(KEY_ESC));
  EXPECT_FALSE(hold_swallows(KEY_SPACE));
  key[KEY_ESC] = 0;
  EXPECT_FALSE(hold_active());
  key[KEY_ESC] = 1;  // a new press of Esc is the game's again
  EXPECT_FALSE(hold_swallows(KEY_ESC));
  EXPECT_FALSE(hold_active());
  key[KEY_ESC] = 0;
  // Esc while paused is the game's: it ends the game.
  hold_key(KEY_P, KEY_F1);
  key[KEY_ESC] = 1;
  EXPECT_FALSE(hold_swallows(KEY_ESC));
  key[KEY_ESC] = 0;
}

TEST(Hold, PauseIsAToggleInAllegro) {
  headless();
  // The first press reaches the buffer and sets key[KEY_PAUSE]; the second
  // only clears it again.
  key[KEY_PAUSE] = -1;
  hold_key(KEY_PAUSE, KEY_F1);
  hold_poll(KEY_F1);
  EXPECT_EQ(hold_state(), HOLD_PAUSED);
  EXPECT_FALSE(hold_poll(KEY_F1));
  key[KEY_PAUSE] = 0;
  EXPECT_TRUE(hold_poll(KEY_F1));
  EXPECT_EQ(hold_state(), HOLD_NONE);
  EXPECT_FALSE(hold_active());  // Pause "down" never holds the game
  // Closing the keys screen with Pause does not keep the game waiting.
  hold_key(KEY_F1, KEY_F1);
  key[KEY_PAUSE] = -1;
  hold_key(KEY_PAUSE, KEY_F1);
  hold_poll(KEY_F1);
  EXPECT_EQ(hold_state(), HOLD_NONE);
  EXPECT_FALSE(hold_active());
  key[KEY_PAUSE] = 0;
  hold_poll(KEY_F1);
  hold_reset();
}

// The rectangle of b's pixels that are not the colour of the picture
// underneath, and how many of its inner pixels are of colour c.
struct Box {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, inner = 0;
};
Box box_over(BITMAP *b, int picture, int c) {
  Box r;
  for (int y = 0; y < b->h; y++)
    for (int x = 0; x < b->w; x++)
      if (getpixel(b, x, y) != picture) {
        r.left = std::min(r.left, x);
        r.right = std::max(r.right, x);
        r.top = std::min(r.top, y);
        r.bottom = std::max(r.bottom, y);
      }
  for (int y = r.top + 1; y < r.bottom; y++)
    for (int x = r.left + 1; x < r.right; x++) r.inner += getpixel(b, x, y) == c;
  return r;
}

// A framed box in the middle of b with text inside.
void expect_framed_box(BITMAP *b, const Box &r, int fg, int bg) {
  ASSERT_LE(r.left, r.right);
  EXPECT_LE(std::abs(r.left - (b->w - 1 - r.right)), 1);
  EXPECT_LE(std::abs(r.top - (b->h - 1 - r.bottom)), 1);
  EXPECT_EQ(getpixel(b, r.left, r.top), fg);
  EXPECT_EQ(getpixel(b, r.right, r.bottom), fg);
  EXPECT_EQ(getpixel(b, r.left + 1, r.top + 1), bg);
  EXPECT_GT(r.inner, 30);  // the text
}

TEST(Hold, PausedLabelInTheMiddle) {
  headless();
  set_color_depth(8);
  BITMAP *b = create_bitmap(320, 240);
  clear_to_color(b, 3);
  draw_paused_label(b, font, 15, 0);
  Box r = box_over(b, 3, 15);
  expect_framed_box(b, r, 15, 0);
  EXPECT_LT(r.right - r.left, 100);  // a label, not a screen
  destroy_bitmap(b);
}

TEST(KeyScreen, LayoutFitsTheScreen) {
  // 320x200: 18 lines in one column; more take two.
  EXPECT_EQ(key_screen_layout(18, 200).columns, 1);
  EXPECT_EQ(key_screen_layout(19, 200).columns, 2);
  EXPECT_EQ(key_screen_layout(19, 200).rows, 10);
  EXPECT_EQ(key_screen_layout(40, 480).columns, 1);
  EXPECT_EQ(key_screen_layout(3, 10).rows, 1);  // too small a picture: never 0
}

TEST(KeyScreen, DrawnInsideAFramedBox) {
  headless();
  set_color_depth(8);
  BITMAP *b = create_bitmap(320, 200);
  clear_to_color(b, 3);
  std::vector<KeyHelp> lines = {{"", "Heading"}, {"F1", "these keys"}, {"Esc", "leave"}};
  draw_key_screen(b, lines, 15, 0);
  Box r = box_over(b, 3, 15);
  expect_framed_box(b, r, 15, 0);
  // Three lines and the footer below a blank one, in 9-pixel lines.
  EXPECT_GE(r.bottom - r.top, 5 * 9);
  EXPECT_LT(r.bottom - r.top, 5 * 9 + 20);
  destroy_bitmap(b);
}

}  // namespace
