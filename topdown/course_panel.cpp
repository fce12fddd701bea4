// course_panel.cpp -- the selected course's picture and best run in the menu
#include "course_panel.h"

#include <cstdio>

#include "preview.h"
#include "share.h"

// The course the panel shows, read from its file at each drawing (the menu
// is drawn once a key), apart from the course being played or edited.
static Map shown;

std::string best_run_label(ReplayStatus status) {
  switch (status) {
    case REPLAY_USABLE: return "Best run kept";
    case REPLAY_CHANGED: return "Course changed since its best run";
    default: return "";
  }
}

// A key to the marks under the picture: a dot and a word for each.
static void draw_key(BITMAP *bmp, int x, int y, int ink) {
  struct Entry {
    int colour;
    const char *word;
  } entries[] = {{preview_start_colour(1), "start"},
                 {makecol(230, 0, 0), "finish"},
                 {preview_pass_colour(), "pass"}};
  for (const Entry &e : entries) {
    circlefill(bmp, x + 3, y + 3, 3, makecol(0, 0, 0));
    circlefill(bmp, x + 3, y + 3, 2, e.colour);
    textout_ex(bmp, font, e.word, x + 9, y, ink, -1);
    x += 9 + text_length(font, e.word) + 8;
  }
}

// course_panel_draw
// The picture in a thin frame, the key under it, then the best run's line
// (in two lines where it is too long for the box).
void course_panel_draw(BITMAP *bmp, int course, int players) {
  int x = bmp->w - PANEL_W - PANEL_MARGIN, y = PANEL_MARGIN;
  int ink = makecol(0, 0, 0);
  char name[16];
  snprintf(name, sizeof name, "m%02d.map", course);
  shown.w = shown.h = shown.n = 0;
  if (!course_load(name, shown)) return;
  rect(bmp, x - 1, y - 1, x + PANEL_W, y + PANEL_H, makecol(128, 128, 128));
  preview_draw(bmp, x, y, PANEL_W, PANEL_H, shown);
  draw_key(bmp, x, y + PANEL_H + 4, ink);
  Replay r;
  std::string label =
      best_run_label(replay_load(course, players, course_check(shown, tile_attr), r, false));
  int ly = y + PANEL_H + 16;
  size_t cut = label.find(" since");
  if (text_length(font, label.c_str()) > PANEL_W && cut != std::string::npos) {
    textout_ex(bmp, font, label.substr(0, cut).c_str(), x, ly, ink, -1);
    textout_ex(bmp, font, label.substr(cut + 1).c_str(), x, ly + 10, ink, -1);
  } else {
    textout_ex(bmp, font, label.c_str(), x, ly, ink, -1);
  }
}
