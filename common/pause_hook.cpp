// pause_hook.cpp -- the Allegro side of a game's hold: focus, keys, label
#include "pause_hook.h"

#include "desktop.h"
#include "quiet_wait.h"

// How long a held game rests between two looks at the keys.
enum { HOLD_REST_MS = 100 };

// The key that closed the keys screen, while it may still be down; 0 once
// it was seen up.
static int closing_key;

// key[KEY_PAUSE] at the last poll. Allegro treats Pause as a toggle: the
// first press sets key[KEY_PAUSE] and reaches the keyboard buffer, the
// next one only clears key[KEY_PAUSE] again.
static int pause_was;

// Runs on Allegro's own thread when the window loses the focus: only sets
// the flag.
static void on_switch_out() { focus_lost = 1; }
END_OF_STATIC_FUNCTION(on_switch_out)

// hold_watch_focus
// SWITCH_BACKGROUND: the program is never stopped by the system while in
// the background; it pauses itself when it hears of the switch.
void hold_watch_focus() {
  LOCK_VARIABLE(focus_lost);
  LOCK_FUNCTION(on_switch_out);
  set_display_switch_mode(SWITCH_BACKGROUND);
  set_display_switch_callback(SWITCH_OUT, on_switch_out);
}

HoldEvent hold_key_event(int scancode, int keys_key) {
  if (scancode == KEY_P || scancode == KEY_PAUSE) return HOLD_PAUSE_KEY;
  if (scancode == keys_key) return HOLD_KEYS_KEY;
  if (scancode == KEY_ESC) return HOLD_ESC_KEY;
  return HOLD_OTHER_KEY;
}

// hold_key
// Pause never counts as a key still down: Allegro keeps it "down" until
// it is pressed again.
void hold_key(int scancode, int keys_key) {
  Hold was = hold_state();
  if (hold_event(hold_key_event(scancode, keys_key)) != HOLD_KEYS && was == HOLD_KEYS &&
      scancode != KEY_PAUSE)
    closing_key = scancode;
}

// hold_poll
bool hold_poll(int keys_key) {
  Hold before = hold_state();
  // Without a keyboard driver readkey takes nothing from the buffer.
  while (keyboard_driver && keypressed()) hold_key(readkey() >> 8, keys_key);
  int pause_now = key[KEY_PAUSE];
  if (pause_was && !pause_now) hold_event(HOLD_PAUSE_KEY);
  pause_was = pause_now;
  hold_take_focus();
  return hold_state() != before;
}

// True while the key that closed the keys screen is still down; forgets
// it once it is seen up.
static bool closing_held() {
  if (closing_key > 0 && closing_key < KEY_MAX && key[closing_key]) return true;
  closing_key = 0;
  return false;
}

bool hold_active() {
  bool closing = closing_held();
  return hold_state() != HOLD_NONE || closing;
}

bool hold_swallows(int scancode) {
  if (hold_state() == HOLD_KEYS) return true;
  return scancode == closing_key && closing_held();
}

// hold_rest
void hold_rest() {
  desktop_poll();
  quiet_pause_rest(HOLD_REST_MS);
}

// draw_paused_label
void draw_paused_label(BITMAP *b, FONT *f, int fg, int bg) {
  const char *text = "Paused";
  int w = text_length(f, text), h = text_height(f);
  int pad = h / 2 + 4;
  int x0 = (b->w - w) / 2 - pad, y0 = (b->h - h) / 2 - pad;
  int x1 = x0 + w + 2 * pad - 1, y1 = y0 + h + 2 * pad - 1;
  rectfill(b, x0, y0, x1, y1, bg);
  rect(b, x0, y0, x1, y1, fg);
  textout_ex(b, f, text, x0 + pad, y0 + pad, fg, -1);
}
