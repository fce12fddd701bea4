// pause.cpp -- a game held still: paused, or showing its keys screen
#include "pause.h"

volatile int focus_lost;

static Hold state = HOLD_NONE;
// What the keys screen goes back to when it closes.
static Hold under = HOLD_NONE;
// Esc was pressed in a pause.
static bool esc_in_pause;

void hold_reset() {
  state = under = HOLD_NONE;
  focus_lost = 0;
  esc_in_pause = false;
}

Hold hold_state() { return state; }

// hold_event
Hold hold_event(HoldEvent e) {
  if (state == HOLD_KEYS) {
    if (e == HOLD_FOCUS_LOST)
      under = HOLD_PAUSED;
    else
      state = under;
    return state;
  }
  switch (e) {
    case HOLD_PAUSE_KEY: state = state == HOLD_PAUSED ? HOLD_NONE : HOLD_PAUSED; break;
    case HOLD_KEYS_KEY:
      under = state;
      state = HOLD_KEYS;
      break;
    case HOLD_FOCUS_LOST: state = HOLD_PAUSED; break;
    case HOLD_ESC_KEY:
      if (state == HOLD_PAUSED) esc_in_pause = true;
      break;
    case HOLD_OTHER_KEY: break;
  }
  return state;
}

bool hold_take_esc() {
  bool taken = esc_in_pause;
  esc_in_pause = false;
  return taken;
}

// hold_take_focus
// The flag is cleared before it is acted on: a focus lost again meanwhile
// is another event, never a lost one.
bool hold_take_focus() {
  if (!focus_lost) return false;
  focus_lost = 0;
  hold_event(HOLD_FOCUS_LOST);
  return true;
}
