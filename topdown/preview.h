// preview.h -- a small picture of a whole course, drawn from its tiles,
// with the player starts, the finish and the access passes marked; the
// main menu shows it beside the course number
#ifndef PREVIEW_H
#define PREVIEW_H

#include <allegro.h>

#include "course_file.h"

// Where the picture of a course of w x h tiles lies when it is fitted into
// a box of box_w x box_h pixels, as large as its shape allows, centred: its
// size and its offset in the box.
struct PreviewFit {
  int x, y, w, h;
};
PreviewFit preview_fit(int w, int h, int box_w, int box_h);

// The colour a tile shows in a preview: the mean of its picture (object
// OBJ_TILE0 + tile of the datafile D), as makecol gives it.
int preview_tile_colour(int tile);

// The marks' colours: player 1's start, player 2's, the access passes.
// The finish is chequered black and white in a red frame.
int preview_start_colour(int player);
int preview_pass_colour();

// Draws course m into dest, fitted into the box at (x, y) of box_w x box_h;
// the rest of the box is left as it is. A course with no tiles draws
// nothing.
void preview_draw(BITMAP *dest, int x, int y, int box_w, int box_h, const Map &m);

#endif
