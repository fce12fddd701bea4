// key_screen.cpp -- a program's keys shown over its picture
#include "key_screen.h"

#include "desktop.h"
#include "quiet_wait.h"

#include <algorithm>

enum {
  MARGIN = 4,   // between the box and the picture's edge
  PAD = 5,      // between the frame and the text
  LINE_H = 9,   // Allegro's font is 8 pixels high
  GAP = 16,     // between the keys and the actions, and between columns
};

static const char *const FOOTER = "Press any key";

// key_screen_layout
// The footer takes a line and a blank one under the list.
KeyScreenLayout key_screen_layout(int lines, int h) {
  int room = (h - 2 * (MARGIN + PAD)) / LINE_H - 2;
  if (room < 1) room = 1;
  int columns = lines <= room ? 1 : (lines + room - 1) / room;
  int rows = lines <= room ? lines : (lines + columns - 1) / columns;
  return {rows < 1 ? 1 : rows, columns};
}

// draw_key_screen
// Everything is clipped to b: a list too large for it loses its edges,
// never its place.
void draw_key_screen(BITMAP *b, const std::vector<KeyHelp> &lines, int fg, int bg) {
  int n = (int)lines.size();
  KeyScreenLayout lay = key_screen_layout(n, b->h);
  int keys_w = 0, action_w = 0;
  for (const KeyHelp &l : lines) {
    if (l.keys.empty()) continue;
    keys_w = std::max(keys_w, text_length(font, l.keys.c_str()));
    action_w = std::max(action_w, text_length(font, l.action.c_str()));
  }
  int column_w = keys_w + GAP + action_w;
  for (const KeyHelp &l : lines)
    if (l.keys.empty()) column_w = std::max(column_w, text_length(font, l.action.c_str()));
  int w = lay.columns * column_w + (lay.columns - 1) * GAP;
  w = std::max(w, text_length(font, FOOTER));
  int h = (lay.rows + 2) * LINE_H;
  int x0 = std::max((int)MARGIN, (b->w - w) / 2 - PAD);
  int y0 = std::max((int)MARGIN, (b->h - h) / 2 - PAD);
  rectfill(b, x0, y0, x0 + w + 2 * PAD - 1, y0 + h + 2 * PAD - 1, bg);
  rect(b, x0, y0, x0 + w + 2 * PAD - 1, y0 + h + 2 * PAD - 1, fg);
  for (int i = 0; i < n; i++) {
    int x = x0 + PAD + (i / lay.rows) * (column_w + GAP);
    int y = y0 + PAD + (i % lay.rows) * LINE_H;
    const KeyHelp &l = lines[i];
    if (l.keys.empty()) {
      textout_ex(b, font, l.action.c_str(), x, y, fg, -1);
    } else {
      textout_ex(b, font, l.keys.c_str(), x, y, fg, -1);
      textout_ex(b, font, l.action.c_str(), x + keys_w + GAP, y, fg, -1);
    }
  }
  textout_centre_ex(b, font, FOOTER, x0 + PAD + w / 2, y0 + PAD + (lay.rows + 1) * LINE_H, fg, -1);
}

// wait_for_any_key
void wait_for_any_key() {
  while (!keypressed() && !desktop_close_requested()) {
    desktop_poll();
    quiet_rest(20);
  }
  if (keypressed()) readkey();
}
