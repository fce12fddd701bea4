// course_panel.h -- the main menu's panel for the selected course: a
// picture of the whole course (preview.h) with a key to its marks, and the
// state of the course's best run
#ifndef COURSE_PANEL_H
#define COURSE_PANEL_H

#include <allegro.h>

#include <string>

#include "replay.h"

// The panel's box in the menu bitmap: right-aligned at the top.
enum { PANEL_W = 160, PANEL_H = 104, PANEL_MARGIN = 8 };

// What the panel says about the best run: "Best run kept", "Course changed
// since its best run", or "" (none, or one too damaged to use).
std::string best_run_label(ReplayStatus status);

// Draws the panel of course (file "m%02d.map") for players into bmp, the
// menu bitmap. A course file that can't be read shows no picture.
void course_panel_draw(BITMAP *bmp, int course, int players);

#endif
