// maped.h -- the course editor: tiles, attributes, selection and clipboard,
// rows and columns, insertions, three scales, load and save
#ifndef MAPED_H
#define MAPED_H

#include "question.h"

extern int CT;     // current tile for painting, 0 ... 255
extern int CI;     // selected insertion, -1 = none (tile mode)
extern int scale;  // one screen pixel covers scale course pixels: 1, 2, 4
extern bool selON;                // the selection outline is shown
extern int selL, selR, selU, selD;  // selection corners (not ordered)
extern int selW, selH;  // size of the last copied block, last minus first
extern unsigned char sel[256 * 256];  // clipboard, column * 256 + row
extern const char sy[];               // item marker letters by code mod 10

// The editor's file name: the selectors start from it, and they write the
// chosen name into it.
enum { MAPED_NAME_SIZE = 80 };
extern char maped_name[MAPED_NAME_SIZE];

// The keys screen is shown over the editor (F10): the next key only closes
// it, and the mouse does nothing meanwhile.
extern bool keys_shown;

// Runs the editor until Esc, first loading path if it is not null.
void maped_main(const char *path);

// Handles one readkey() value. Returns false when the editor should end.
bool maped_key(int k);

// Handles the mouse buttons once (painting, picking, Ctrl-click): every
// press counted by the click latch since the last call, or a button held.
// Returns true if a button acted.
bool maped_mouse();

// The editor's screen is redrawn at most this often.
enum { MAPED_REDRAWS_PER_SECOND = 60 };

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

// Insertions: add one with code at the mouse and select it (nothing when
// the course holds 256); delete the selected one.
void add_insertion(int code);
void delete_insertion();

// Whether the editor may end now (Esc, or the window's close button): at
// once when nothing is unsaved; otherwise it asks whether to save the
// changes (Save, Discard, Cancel). False keeps the editor open, with the
// work as it was: on Cancel, and when Save did not save everything.
bool maped_may_leave();

// The Allegro-facing parts, replaceable by tests: a file selector that
// fills name (size bytes) and returns true when confirmed, a message box,
// and a question, which returns the answer chosen (a button's index).
extern bool (*maped_select_file)(const char *title, char *name, int size);
extern void (*maped_alert)(const char *line1, const char *line2);
extern int (*maped_ask)(const Question &q);


#endif
