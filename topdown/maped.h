// maped.h -- the course editor: tiles, attributes, selection and clipboard,
// rows and columns, insertions, three scales, load and save
#ifndef MAPED_H
#define MAPED_H

#include "editor.h"

// CT, CI, the file name, the keys screen and the dialogs' hooks are the
// shared editor's (editor.h).
extern int scale;  // one screen pixel covers scale course pixels: 1, 2, 4
extern bool selON;                // the selection outline is shown
extern int selL, selR, selU, selD;  // selection corners (not ordered)
extern int selW, selH;  // size of the last copied block, last minus first
extern unsigned char sel[256 * 256];  // clipboard, column * 256 + row
extern const char sy[];               // item marker letters by code mod 10

// Runs the editor until Esc, first loading path if it is not null.
void maped_main(const char *path);

// Handles one readkey() value. Returns false when the editor should end.
bool maped_key(int k);

// Handles the mouse buttons once (painting, picking, Ctrl-click): every
// press counted by the click latch since the last call, or a button held.
// Returns true if a button acted.
bool maped_mouse();

// Draws the whole editor screen into buf and copies it to the screen.
void draw_all();

// Draws the editor screen into buf only.
void draw_editor();

// The mouse's position in course pixels and its tile.
int mouse_course_x();
int mouse_course_y();
int mouse_tile_x();
int mouse_tile_y();
bool mouse_in();  // the mouse's tile lies on the course

// Changes the scale, keeping the course point at the view's centre in place.
void set_scale(int s);

// Selection and clipboard.
void copy_selection();
void paste_selection(int tx, int ty);

// Whether the editor may end now (Esc, or the window's close button): as
// editor_may_leave tells for the course and the attribute table.
bool maped_may_leave();

#endif
