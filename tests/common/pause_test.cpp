// A game held still: P and Pause pause and resume it, a lost focus pauses
// it until P, the keys screen goes on any key back to what it covered, and
// a key that closed it does not reach the game while it is still down.
#include <gtest/gtest.h>

#include <allegro.h>

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

TEST(KeyScreen, LayoutFitsTheScreen) {
  // 320x200: 18 lines in one column; more take two.
  EXPECT_EQ(key_screen_layout(18, 200).columns, 1);
  EXPECT_EQ(key_screen_layout(19, 200).columns, 2);
  EXPECT_EQ(key_screen_layout(19, 200).rows, 10);
  EXPECT_EQ(key_screen_layout(40, 480).columns, 1);
  EXPECT_EQ(key_screen_layout(3, 10).rows, 1);  // too small a picture: never 0
}

}  // namespace
