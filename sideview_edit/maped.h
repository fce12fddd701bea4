// maped.h -- sideview_edit: the level editor of sideview (tiles, the tile
// attributes, rows and columns, insertions, load and save) and the "-four"
// tool that merges the four credits pictures into "four.bmp"
#ifndef SIDEVIEW_EDIT_MAPED_H
#define SIDEVIEW_EDIT_MAPED_H

#include <allegro.h>

#include <string>

#include "bmp.h"
#include "editor.h"

// CT, CI, the file name, the keys screen and the dialogs' hooks are the
// shared editor's (editor.h).
extern int OX, OY;  // view origin in level pixels
extern BITMAP *buffer;  // the picture, 640x480 or 320x200 (F12, F11)
extern PALETTE pal;     // the palette of "pallette.pcx"

// Finds the folder with the editor's files and opens the log there, starts
// Allegro with keyboard, mouse and the click counter, loads the tile set
// and sets the window for the 640x480 8-bit picture. Anything missing ends
// the program with a message (status 1).
void init();

// Sets the window (or full screen) for 8-bit pictures of w x h, enlarged
// as the desktop allows, with the palette of "pallette.pcx", a new buffer
// of that size and the dialogs' text colour. If the mode can't be set the
// one before is set again; false then (and the program ends if even that
// fails).
bool set_video_mode(int w, int h);

// Copies a bitmap record onto dest at (x, y), every pixel opaque, clipped
// to dest. Nothing if either is null.
void draw_bmp(BITMAP *dest, bmp *b, int x, int y);

// The mouse's position in level pixels and its tile (an arithmetic shift:
// left of or above the level the tile is negative).
int mouse_level_x();
int mouse_level_y();
int mouse_tile_x();
int mouse_tile_y();
bool mouse_in();  // the mouse's tile lies on the level

// The text of the status band: the current tile and its attributes, or the
// selected insertion.
std::string status_text();

// Draws the editor screen into buffer only.
void draw_editor();

// Draws the editor screen and copies it to the screen.
void draw_all();

// Handles one readkey() value. Returns false when the editor should end.
bool maped_key(int k);

// Handles the mouse buttons once (painting, picking, Ctrl-click): every
// press counted by the click latch since the last call, or a button held.
// Returns true if a button acted.
bool maped_mouse();

// Starts editing the level in memory: no insertion selected, a fresh undo
// history, nothing unsaved.
void maped_start();

// The editor loop: keys, mouse and drawing until Esc (or the window's close
// button, which goes the way of Esc).
void maped_loop();

// Builds "four.bmp" from "red.bmp", "green.bmp", "blue.bmp" and "grey.bmp"
// in the working folder: the last one's 118-byte header, then the sums of
// the four files' 38400 pixel bytes. False, with a message on standard
// error naming the file and what it is, and no "four.bmp" written, if an
// input is missing, a folder, or not a 16-colour (4 bits per pixel)
// 320x240 BMP, or if the output can't be written.
bool four();

// Whether the editor may end now (Esc, or the window's close button): as
// editor_may_leave tells for the level and the tile set's attributes.
bool maped_may_leave();

// What a "-four" input is when it is not such a picture, from the first
// got bytes of the file (header) and its size; "" when it is.
std::string four_input_problem(const unsigned char *header, size_t got, long file_size);

// The screen mode setter (true on success), replaceable by tests.
extern bool (*maped_gfx_mode)(int w, int h);


#endif
