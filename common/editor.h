// editor.h -- what topdown's course editor and sideview_edit do alike:
// their state, their dialogs, save and load with the unsaved-work question,
// undo keys, the keys of rows, columns, tiles and insertions, the mouse's
// clicks and strokes, and the loop that draws only when something changed
//
// An editor describes itself once in an Editor (its file's name for users,
// its map, how it reads and writes it, where its tile attributes live, how
// it sees the pointer, its own keys and its drawing) and hands that to the
// functions here. Each editor keeps only what is its own: the file format
// and attribute table behind save and load, the view and its scale, the
// keys only it has, and everything it draws.
//
// One editor at a time (a program has one); plain globals.
#ifndef EDITOR_H
#define EDITOR_H

#include "course_file.h"
#include "question.h"

struct Editor {
  const char *what;                      // "course" or "level": in questions and alerts
  Map *map;                              // the course or level in memory
  SaveResult (*save)(const char *name);  // writes it and "tileattr.wz", as far as it got
  bool (*load)(const char *name);        // reads it; false keeps it as it was
  void (*attributes)(unsigned char a[256]);            // copies the tile attributes out
  void (*set_attributes)(const unsigned char a[256]);  // and back in
  int (*point_x)(), (*point_y)();        // the pointer in map pixels
  int (*tile_x)(), (*tile_y)();          // and its tile (possibly off the map)
  void (*tile_key)(int sc);   // the editor's own keys in tile mode (beside the shared ones)
  void (*own_key)(int sc);    // its own keys in both modes (null: none)
  void (*left_button)();      // one act of the left button
  void (*draw)();             // draws the screen and shows it
};

extern int CT;  // current tile for painting, 0 ... 255
extern int CI;  // selected insertion, -1 = none (tile mode)

// The editor's file name: the selectors start from it, and they write the
// chosen name into it. It starts empty and keeps the last name chosen.
enum { MAPED_NAME_SIZE = 80 };
extern char maped_name[MAPED_NAME_SIZE];

// The keys screen is shown over the editor (F10): the next key only closes
// it, and the mouse does nothing meanwhile.
extern bool keys_shown;

// The editor's screen is redrawn at most this often.
enum { MAPED_REDRAWS_PER_SECOND = 60 };

// The Allegro-facing parts, replaceable by tests: a file selector that
// fills name (size bytes) and returns true when confirmed, a message box,
// and a question, which returns the answer chosen (a button's index).
extern bool (*maped_select_file)(const char *title, char *name, int size);
extern void (*maped_alert)(const char *line1, const char *line2);
extern int (*maped_ask)(const Question &q);

// Starts editing the map in memory: no insertion selected, no keys screen,
// no stroke or note, a fresh undo history with nothing unsaved.
void editor_start(const Editor &e);

// Takes path as the file name and loads it, as the editor's first file:
// a file of another kind, or one that can't be opened, is told in an alert
// and leaves the map in memory, to be saved under that name.
void editor_open(const Editor &e, const char *path);

// Handles one readkey() value: the keys screen (F10), undo and redo, the
// mode's keys, then those of both modes; each key is a step of its own in
// the history. Returns false when the editor should end (Esc, when
// editor_may_leave allows it).
bool editor_key(const Editor &e, int k);

// Handles the mouse buttons once: every press counted by the click latch
// since the last call, or a button held, acts; a stroke of the left button
// becomes one step of the history once the button is up. Returns true if
// a button acted.
bool editor_mouse(const Editor &e);

// Whether the editor may end now (Esc, or the window's close button): at
// once when nothing is unsaved; otherwise it asks whether to save the
// changes (Save, Discard, Cancel). False keeps the editor open, with the
// work as it was: on Cancel, and when Save did not save everything.
bool editor_may_leave(const Editor &e);

// The editor's loop: keys, mouse and drawing until it ends. The window's
// close button is taken as Esc. At the end the pointer is hidden and
// clicks are no longer counted.
void editor_loop(const Editor &e);

// Whether the pointer's tile lies on the map.
bool editor_mouse_in(const Editor &e);

// Adds an insertion with code at the pointer and selects it, so its code
// can be typed at once. A map full of insertions gets no more.
void editor_add_insertion(const Editor &e, int code);

#endif
