// click_hook.cpp -- feeds the click latch from Allegro's mouse_callback
#include "click_hook.h"

#include <allegro.h>

#include "click_latch.h"

// click_hook_flags
// Runs on Allegro's input thread at every mouse event: only counts.
void click_hook_flags(int flags) {
  if (flags & MOUSE_FLAG_LEFT_DOWN) click_latch_press(LATCH_LEFT);
  if (flags & MOUSE_FLAG_RIGHT_DOWN) click_latch_press(LATCH_RIGHT);
  if (flags & MOUSE_FLAG_MIDDLE_DOWN) click_latch_press(LATCH_MIDDLE);
}
END_OF_FUNCTION(click_hook_flags)

void click_hook_install() {
  LOCK_FUNCTION(click_hook_flags);
  click_latch_clear();
  mouse_callback = click_hook_flags;
}

void click_hook_remove() { mouse_callback = nullptr; }
