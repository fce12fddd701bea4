// click_latch.cpp -- mouse button presses counted as they happen
#include "click_latch.h"

#include <atomic>

static std::atomic<int> presses[LATCH_BUTTONS];

void click_latch_press(int button) {
  if (button >= 0 && button < LATCH_BUTTONS) presses[button]++;
}

int click_latch_take(int button) {
  if (button < 0 || button >= LATCH_BUTTONS) return 0;
  return presses[button].exchange(0);
}

void click_latch_clear() {
  for (std::atomic<int> &p : presses) p = 0;
}

int click_acts(int presses, bool held) {
  if (presses > 0) return presses;
  return held ? 1 : 0;
}
