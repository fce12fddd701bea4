// question_dialog.cpp -- an editor's question as an Allegro dialog
#include "question_dialog.h"

#include "desktop.h"

#include <allegro.h>

#include "click_latch.h"

// The dialog being shown: its question, the answer a key gave, and its
// default button.
static const Question *shown;
static int key_answer;
static DIALOG *default_button;

// A line of text centred in the object's width.
static int line_proc(int msg, DIALOG *d, int) {
  if (msg == MSG_DRAW)
    textout_centre_ex(gui_get_screen(), font, (const char *)d->dp, d->x + d->w / 2, d->y,
                      d->fg, -1);
  return D_O_K;
}

// A button that answers clicks only: it takes neither the focus nor keys
// (keys_proc answers every key). The default one has a second frame.
static int button_proc(int msg, DIALOG *d, int c) {
  if (msg == MSG_WANTFOCUS || msg == MSG_KEY || msg == MSG_CHAR) return D_O_K;
  int r = d_button_proc(msg, d, c);
  if (msg == MSG_DRAW && d == default_button)
    rect(gui_get_screen(), d->x - 2, d->y - 2, d->x + d->w + 1, d->y + d->h + 1, d->fg);
  return r;
}

// An invisible object that hears every key the dialog gets (Allegro
// offers each key to all objects before its own handling of Enter, Space
// and Esc) and closes the dialog on one that answers the question.
static int keys_proc(int msg, DIALOG *, int c) {
  if (msg != MSG_XCHAR) return D_O_K;
  int a = question_key_answer(*shown, c & 0xFF);
  if (a < 0) return D_O_K;
  key_answer = a;
  return D_CLOSE | D_USED_CHAR;
}

// ask_question
// The one place the question's dialog runs.
int ask_question(const Question &q) {
  enum { BOX, LINE1, LINE2, BUTTON0 };
  int n = q.count < 1 ? 1 : q.count > QUESTION_MAX_BUTTONS ? QUESTION_MAX_BUTTONS : q.count;
  int keys = BUTTON0 + n;
  DIALOG d[BUTTON0 + QUESTION_MAX_BUTTONS + 3] = {};

  int th = text_height(font);
  int bw = 56;
  for (int i = 0; i < n; i++)
    if (gui_strlen(q.buttons[i].c_str()) + 24 > bw) bw = gui_strlen(q.buttons[i].c_str()) + 24;
  int row_w = n * bw + (n - 1) * 16;
  int w = text_length(font, q.line1.c_str());
  if (text_length(font, q.line2.c_str()) > w) w = text_length(font, q.line2.c_str());
  if (row_w > w) w = row_w;
  w += 32;
  int line2_y = 12 + th + 6;
  int button_y = (q.line2.empty() ? 12 + th : line2_y + th) + 14;
  int bh = th + 10;

  d[BOX] = {d_shadow_box_proc, 0, 0, w, button_y + bh + 12, 0, 0, 0, 0, 0, 0,
            nullptr, nullptr, nullptr};
  d[LINE1] = {line_proc, 0, 12, w, th, 0, 0, 0, 0, 0, 0,
              (void *)q.line1.c_str(), nullptr, nullptr};
  d[LINE2] = {line_proc, 0, line2_y, w, th, 0, 0, 0, q.line2.empty() ? D_HIDDEN : 0, 0, 0,
              (void *)q.line2.c_str(), nullptr, nullptr};
  for (int i = 0; i < n; i++)
    d[BUTTON0 + i] = {button_proc, (w - row_w) / 2 + i * (bw + 16), button_y, bw, bh,
                      0, 0, 0, D_EXIT, 0, 0, (void *)q.buttons[i].c_str(), nullptr, nullptr};
  d[keys] = {keys_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr};
  d[keys + 1] = {d_yield_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr};
  set_dialog_color(d, gui_fg_color, gui_bg_color);
  // Shown at the picture's scale; centred on the picture, not the window.
  DesktopDialog open;
  centre_dialog(d);

  shown = &q;
  key_answer = q.cancel_answer;
  default_button = q.default_answer >= 0 && q.default_answer < n ? &d[BUTTON0 + q.default_answer]
                                                                 : nullptr;
  int closed = popup_dialog(d, -1);
  shown = nullptr;
  default_button = nullptr;
  click_latch_clear();
  if (closed == keys) return key_answer;
  if (closed >= BUTTON0 && closed < BUTTON0 + n) return closed - BUTTON0;
  return q.cancel_answer;
}
