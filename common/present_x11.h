// present_x11.h -- pictures enlarged by the X server
//
// Enlarging on our side means writing k x k times as many pixels every
// frame, converting them to the display's format (Allegro does that for an
// 8- or 16-bit screen on a 24-bit desktop) and copying them to the server:
// at k = 4 a scrolling picture is five megabytes a frame. The X server's
// Render extension can enlarge a picture itself. So the picture is kept at
// its own size in a pixmap on the server, only its changed areas are sent
// (converted here, one pixel per pixel), and each is drawn enlarged into a
// window of our own that covers Allegro's: Allegro's window keeps the
// keyboard, the mouse, the focus and the close button (our window takes no
// input, so all of it reaches Allegro's), but what it draws is hidden.
//
// The window is drawn through a connection to the X server of our own, so
// Allegro's input thread and this never share one. Exposed areas are drawn
// again from the pixmap on the next frame.
//
// Where there is no Render extension, no 24-bit true-colour window or no
// X11 window at all, x11_scale_start says no and the caller enlarges the
// picture itself.
#ifndef PRESENT_X11_H
#define PRESENT_X11_H

#include <allegro.h>

// Starts drawing pictures of w x h at depth bits (8, 15, 16, 24 or 32, in
// Allegro's memory formats) into Allegro's window of SCREEN_W x SCREEN_H,
// enlarged k times with the picture's top-left at (ox, oy); black around.
// False where it can't (see above); then nothing was left open.
bool x11_scale_start(int w, int h, int depth, int k, int ox, int oy);

// Closes our window and everything on the server; before Allegro changes
// its window (a new screen mode), so that ours never outlives its parent.
void x11_scale_stop();

bool x11_scale_on();

// For an 8-bit picture: whether Allegro's palette changed since the last
// frame sent (then every pixel must be sent again). Takes the new one.
bool x11_scale_palette_changed();

// Converts columns x0 ... x1 - 1 of rows y0 ... y1 - 1 of picture (the size
// and depth given to start) and sends them, to be drawn enlarged.
void x11_scale_send(BITMAP *picture, int x0, int y0, int x1, int y1);

// The end of a frame: draws again what was exposed since the last frame,
// and sends what is waiting to the server.
void x11_scale_flush();

#endif
