// pause_test.cpp -- a held race: no logic step, no frame, its clock not
// owed the time it was held, so a finish counts only the steps played; the
// held picture; the keys screens of the race and the editor.
#include <gtest/gtest.h>

#include <string>

#include "game_helpers.h"
#include "keys.h"
#include "maped.h"
#include "pause_hook.h"
#include "scratch.h"
#include "times.h"

namespace {

// Runs passes until the logic has caught up and the frame is drawn.
void catch_up(BITMAP *dest) {
  for (int i = 0; i < 1000 && play_pass(dest) != PASS_WAIT; i++) {
  }
}

TEST(HeldRace, NoStepsWhileHeldAndTheTimeHeldIsNotOwed) {
  Scratch scratch(true);  // "times.txt"
  times_load();
  fresh_game();
  hold_reset();
  make_game_bitmaps();
  BITMAP *dest = create_bitmap(640, 480);
  spawn(300, 300, KIND_WALKER);
  t1 = 31;
  catch_up(dest);
  EXPECT_EQ(t2, 31);

  hold_event(HOLD_PAUSE_KEY);
  int frames = fts;
  for (int i = 0; i < 500; i++) {
    t1 = t1 + 1;  // ticks that come before the game's tick is taken away
    EXPECT_EQ(play_pass(dest), PASS_HELD);
  }
  EXPECT_EQ(t2, 31);
  EXPECT_EQ(fts, frames);

  hold_event(HOLD_PAUSE_KEY);  // P again: the clock goes on where it stood
  restart_clock();
  t1 = t1 + 1;
  EXPECT_EQ(play_pass(dest), PASS_STEP);
  EXPECT_EQ(play_pass(dest), PASS_FRAME);
  EXPECT_EQ(play_pass(dest), PASS_WAIT);
  EXPECT_EQ(t2, 32);

  // The walker finishes in the step after 39 played: the record is those
  // 39 steps, not the 539 ticks since the start.
  t1 = 39;
  catch_up(dest);
  paint(9, 9, 9, 9, FINISH_TILE);
  t1 = 40;
  catch_up(dest);
  note_finishes(3);
  EXPECT_TRUE(C[0].finished);
  EXPECT_EQ(C[0].finish_time, 39);
  EXPECT_EQ(best_time(3, 1), 39);

  free_game_bitmaps();
  destroy_bitmap(dest);
}

TEST(HeldRace, TheHeldPictureIsTheLastFrameWithTheLabelOrTheKeys) {
  fresh_game();
  hold_reset();
  make_game_bitmaps();
  BITMAP *frame = create_bitmap(640, 480), *held = create_bitmap(640, 480);
  spawn(300, 300, KIND_WALKER);
  catch_up(frame);
  int frames = fts;
  hold_event(HOLD_PAUSE_KEY);
  draw_held(held);
  EXPECT_EQ(fts, frames);  // not a frame of the game
  // Equal to the frame but for the label in the middle.
  int differ = 0, outside = 0;
  for (int y = 0; y < 480; y++)
    for (int x = 0; x < 640; x++)
      if (getpixel(frame, x, y) != getpixel(held, x, y)) {
        differ++;
        outside += x < 240 || x > 400 || y < 200 || y > 280;
      }
  EXPECT_GT(differ, 500);
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(getpixel(held, 320, 240 - 4 - 8), col_white);  // the label's frame

  hold_event(HOLD_KEYS_KEY);
  draw_held(held);
  EXPECT_EQ(getpixel(held, 320, 240), col_black);  // inside the keys' box
  EXPECT_NE(getpixel(held, 320, 240), getpixel(frame, 320, 240));
  hold_reset();
  free_game_bitmaps();
  destroy_bitmap(frame);
  destroy_bitmap(held);
}

// Every line of a list fits the width of the screen it is shown on.
void expect_fits(const std::vector<KeyHelp> &lines, int w, int h) {
  KeyScreenLayout lay = key_screen_layout((int)lines.size(), h);
  EXPECT_EQ(lay.columns, 1) << "more lines than " << h << " pixels hold";
  size_t keys = 0, action = 0;
  for (const KeyHelp &l : lines) {
    if (l.keys.empty()) continue;
    keys = std::max(keys, l.keys.size());
    action = std::max(action, l.action.size());
  }
  EXPECT_LE(8 * (keys + action) + 16 + 2 * 9, (size_t)w);
}

TEST(KeysScreens, ListsFitTheScreen) {
  expect_fits(topdown_keys(false), 640, 480);
  expect_fits(topdown_keys(true), 640, 480);
  // What the race's screen names, the race reads.
  bool pause = false, esc = false;
  for (const KeyHelp &l : topdown_keys(false)) {
    pause = pause || l.keys == "P, Pause";
    esc = esc || l.keys == "Esc";
  }
  EXPECT_TRUE(pause);
  EXPECT_TRUE(esc);
}

}  // namespace
