// click_latch_test.cpp -- presses counted between two passes of an editor
#include <gtest/gtest.h>

#include <allegro.h>

#include <thread>

#include "click_hook.h"
#include "click_latch.h"

TEST(ClickLatch, EveryPressActsOnceAndAHeldButtonActsEachPass) {
  click_latch_clear();
  // Allegro's events as its input thread delivers them.
  click_hook_flags(MOUSE_FLAG_LEFT_DOWN | MOUSE_FLAG_MOVE);
  click_hook_flags(MOUSE_FLAG_LEFT_UP);
  click_hook_flags(MOUSE_FLAG_LEFT_DOWN);
  click_hook_flags(MOUSE_FLAG_RIGHT_DOWN);
  click_hook_flags(MOUSE_FLAG_MOVE | MOUSE_FLAG_RIGHT_UP | MOUSE_FLAG_MIDDLE_UP);
  // Two quick left clicks and a right one, all between two passes.
  EXPECT_EQ(click_acts(click_latch_take(LATCH_LEFT), false), 2);
  EXPECT_EQ(click_acts(click_latch_take(LATCH_RIGHT), false), 1);
  EXPECT_EQ(click_acts(click_latch_take(LATCH_MIDDLE), false), 0);
  // The next pass: nothing new, the left button still held.
  EXPECT_EQ(click_acts(click_latch_take(LATCH_LEFT), true), 1);
  EXPECT_EQ(click_acts(click_latch_take(LATCH_RIGHT), false), 0);
  // A press still held at the pass it was counted in acts once, not twice.
  click_latch_press(LATCH_LEFT);
  EXPECT_EQ(click_acts(click_latch_take(LATCH_LEFT), true), 1);
  click_latch_press(LATCH_MIDDLE);
  click_latch_press(7);  // no such button: ignored
  click_latch_clear();
  EXPECT_EQ(click_latch_take(LATCH_MIDDLE), 0);
  EXPECT_EQ(click_latch_take(-1), 0);
}

TEST(ClickLatch, NoPressIsLostToTheOtherThread) {
  click_latch_clear();
  std::thread input([] {
    for (int i = 0; i < 100000; i++) click_latch_press(LATCH_LEFT);
  });
  long taken = 0;
  for (int pass = 0; pass < 1000; pass++) taken += click_latch_take(LATCH_LEFT);
  input.join();
  taken += click_latch_take(LATCH_LEFT);
  EXPECT_EQ(taken, 100000);
}
