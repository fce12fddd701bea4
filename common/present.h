// present.h -- a picture shown k times larger: every pixel a k x k block on
// the screen (or on a memory bitmap standing in for it), with the pointer
// drawn at the same scale, and only what changed since the last frame sent
//
// Sending pixels to the screen is what costs: under X11 each one is
// converted to the display's format and copied to the server, k x k times
// over. So every frame is compared row by row with the one shown before;
// each run of changed rows is enlarged and sent as one rectangle, only as
// wide as its changed columns.
//
// Needs no display: a memory bitmap is a target like the screen, so all of
// this runs headless in tests.
#ifndef PRESENT_H
#define PRESENT_H

#include <allegro.h>

// Copies columns x0 ... x1 - 1 of rows y0 ... y1 - 1 of src into dst, pixel
// (x, y) becoming the k x k block at (dx + k x, dy + k y). Both bitmaps are
// memory bitmaps of the same depth; the area must lie inside both.
void enlarge_area(BITMAP *src, BITMAP *dst, int k, int x0, int y0, int x1, int y1, int dx,
                  int dy);

// Whether row y differs between a and b (same size and depth); if so the
// first and one past the last column that differ, in x0 and x1.
bool row_change(BITMAP *a, BITMAP *b, int y, int &x0, int &x1);

// Starts showing pictures of w x h at depth bits on target (the screen or a
// memory bitmap of that depth), enlarged k times with the picture's top-left
// at (ox, oy). The first frame is sent whole. False if memory runs out.
bool present_start(BITMAP *target, int w, int h, int depth, int k, int ox, int oy);

// Frees what present_start made; nothing is shown until it is called again.
void present_stop();

// Shows picture (w x h) and, when sprite is not null, the pointer: sprite
// with its hot spot (fx, fy) at picture pixel (px, py). The pointer is
// drawn into the picture only for the time of the call.
void present_frame(BITMAP *picture, BITMAP *sprite, int fx, int fy, int px, int py);

// Sends the whole of the last frame again (a new screen mode shows nothing).
void present_again();

// Before the screen is set anew: lets go of what was made on the old one
// (the X server's window inside Allegro's goes before Allegro changes its
// own). The last frame is kept for present_again.
void present_let_go();

// Draws again what another window uncovered, where the X server keeps the
// picture (nothing else would until the next frame). For loops that wait.
void present_tend();

// Copies the last frame shown, without the pointer, into dest (w x h): the
// picture a dialog is drawn over. False if nothing has been shown.
bool present_last(BITMAP *dest);

// What was asked of present_start, for the mouse's mapping: the factor and
// the picture's top-left on the target; the picture's size.
int present_scale();
int present_left();
int present_top();
int present_width();
int present_height();

#endif
