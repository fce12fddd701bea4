// editor.cpp -- what the two editors do alike: state, dialogs, save and
// load, keys, mouse and the loop
#include "editor.h"

#include <allegro.h>

#include <chrono>
#include <cstring>
#include <string>

#include "click_hook.h"
#include "click_latch.h"
#include "desktop.h"
#include "edit_history.h"
#include "file_dialog.h"
#include "quiet_wait.h"
#include "file_name.h"
#include "question_dialog.h"
#include "status_note.h"

int CT = 0;
int CI = -1;
char maped_name[MAPED_NAME_SIZE];
bool keys_shown;

// Whether the left button has acted since the stroke was last committed.
static bool stroke;

// ---------------------------------------------------------------------------
// The Allegro-facing layer

// Allegro's file selector, fitting the choice into the editor's name.
static bool allegro_select_file(const char *title, char *name, int size) {
  return select_file_name(title, "map", name, size, maped_alert);
}

// The dialogs are shown at the picture's scale (desktop_dialog).
static void allegro_alert(const char *line1, const char *line2) {
  desktop_dialog([&] { return alert(line1, line2, nullptr, "&OK", nullptr, 'o', 0); });
  click_latch_clear();
}

bool (*maped_select_file)(const char *, char *, int) = allegro_select_file;
void (*maped_alert)(const char *, const char *) = allegro_alert;
int (*maped_ask)(const Question &) = ask_question;

// ---------------------------------------------------------------------------
// The undo history, over the map and the attribute table wherever the
// editor keeps it

static void commit(const Editor &e) {
  unsigned char a[256];
  e.attributes(a);
  history_commit(*e.map, a);
}

static bool unsaved(const Editor &e) {
  unsigned char a[256];
  e.attributes(a);
  return history_unsaved(*e.map, a);
}

// Undoes (or redoes) one step of the map and the attributes.
static void step_back(const Editor &e, bool redo) {
  unsigned char a[256];
  e.attributes(a);
  if (redo)
    history_redo(*e.map, a);
  else
    history_undo(*e.map, a);
  e.set_attributes(a);
}

// editor_start
void editor_start(const Editor &e) {
  CI = -1;
  keys_shown = false;
  stroke = false;
  note_clear();
  unsigned char a[256];
  e.attributes(a);
  history_reset(*e.map, a);
}

// ---------------------------------------------------------------------------
// Save and load

// save_as
// Writes the map and the attributes under name, unless name is refused
// (the attribute file, or a file that is not of the editor's kind) or is
// another map that the user chooses not to replace. A map written shows
// "Saved NAME" in the status band; an alert tells what was not written
// (the old file is then still whole, and the work still counts as
// unsaved). Returns how far it got.
static SaveResult save_as(const Editor &e, const char *name) {
  std::string why, base = file_base_name(name), what = e.what;
  switch (course_save_target(name, maped_name, &why)) {
    case SAVE_TARGET_REFUSED:
      maped_alert(("Not saved: " + base + " is not a " + what + ".").c_str(), why.c_str());
      return SAVE_FAILED;
    case SAVE_TARGET_OTHER:
      if (maped_ask(replace_question(name, e.what)) != REPLACE_YES) return SAVE_FAILED;
      break;
    case SAVE_TARGET_NEW:
    case SAVE_TARGET_SAME:
      break;
  }
  SaveResult r = e.save(name);
  if (r == SAVE_FAILED) {
    maped_alert(("Couldn't save the " + what + " as").c_str(), name);
    return r;
  }
  history_mark_course_saved(*e.map);
  if (r == SAVE_DONE) {
    unsigned char a[256];
    e.attributes(a);
    history_mark_attributes_saved(a);
  } else {
    maped_alert(("The " + what + " is saved as " + base + ",").c_str(),
                "but tileattr.wz couldn't be written.");
  }
  note_show("Saved " + base);
  return r;
}

// Save: the file selector, then save_as. The editor's file name becomes
// the one chosen once the map is written there.
static void save_key(const Editor &e) {
  char chosen[MAPED_NAME_SIZE];
  memcpy(chosen, maped_name, sizeof chosen);
  if (!maped_select_file("Save map as:", chosen, MAPED_NAME_SIZE)) return;
  if (save_as(e, chosen) != SAVE_FAILED) memcpy(maped_name, chosen, sizeof chosen);
}

// The editor the unsaved-work question is about: the question's Save
// (save_current) is called back without arguments.
static const Editor *asking;

// Save as the unsaved-work question means it: under the editor's file name,
// or through the selector when there is none yet. True only if nothing is
// left unsaved.
static bool save_current() {
  if (maped_name[0]) return save_as(*asking, maped_name) == SAVE_DONE;
  save_key(*asking);
  return !unsaved(*asking);
}

// Whether the work (all of it, or only the map when course_only) may be
// replaced or left, as unsaved_may_go tells.
static bool may_go(const Editor &e, bool course_only) {
  asking = &e;
  bool changed = course_only ? history_course_unsaved(*e.map) : unsaved(e);
  return unsaved_may_go(changed, maped_name, e.what, maped_ask, save_current);
}

// editor_may_leave
bool editor_may_leave(const Editor &e) { return may_go(e, false); }

// What a file about to be loaded is; a file of another kind is told in an
// alert.
static CourseCheck check_file(const Editor &e, const char *name) {
  std::string why;
  CourseCheck check = course_file_check(name, &why);
  if (check == COURSE_NOT_COURSE)
    maped_alert((file_base_name(name) + " is not a " + e.what + ":").c_str(), why.c_str());
  return check;
}

// Loads name; a file that can't be opened is told in an alert.
static bool load_file(const Editor &e, const char *name) {
  if (e.load(name)) return true;
  maped_alert("Couldn't open file", name);
  return false;
}

// editor_open
void editor_open(const Editor &e, const char *path) {
  if (!store_file_name(path, maped_name, MAPED_NAME_SIZE)) maped_name[0] = '\0';
  if (check_file(e, path) != COURSE_NOT_COURSE) load_file(e, path);
}

// Load: a file of another kind is refused before anything happens, and
// changes to the map are saved or given up first, as the user answers. A
// file that cannot be opened leaves the map, and the name it is saved
// under, as they were. A map loaded starts a new history, in which
// attribute changes not yet saved still count (a load reads none).
static void load_key(const Editor &e) {
  char chosen[MAPED_NAME_SIZE];
  memcpy(chosen, maped_name, sizeof chosen);
  CI = -1;
  if (!maped_select_file("Load map:", chosen, MAPED_NAME_SIZE)) return;
  CourseCheck check = check_file(e, chosen);
  if (check == COURSE_NOT_COURSE) return;
  if (check == COURSE_OK && !may_go(e, true)) return;
  if (!load_file(e, chosen)) return;
  memcpy(maped_name, chosen, sizeof chosen);
  unsigned char a[256];
  e.attributes(a);
  history_reset_course(*e.map, a);
}

// ---------------------------------------------------------------------------
// Keys

// editor_mouse_in
bool editor_mouse_in(const Editor &e) {
  int tx = e.tile_x(), ty = e.tile_y();
  return tx >= 0 && tx < e.map->w && ty >= 0 && ty < e.map->h;
}

// editor_add_insertion
void editor_add_insertion(const Editor &e, int code) {
  int i = course_add_insertion(*e.map, e.point_x(), e.point_y(), code);
  if (i >= 0) CI = i;
}

// Keys of tile mode: rows and columns change at the pointer, on the map
// only; the current tile steps by one or by a row of 16; then the editor's
// own keys.
static void tile_key(const Editor &e, int sc) {
  Map &m = *e.map;
  if (editor_mouse_in(e)) {
    int tx = e.tile_x(), ty = e.tile_y();
    switch (sc) {
      case KEY_INSERT:
        if (m.w < MAP_SIZE) course_insert_column(m, tx);
        break;
      case KEY_DEL:
        course_delete_column(m, tx);
        break;
      case KEY_HOME:
        if (m.h < MAP_SIZE) course_insert_row(m, ty);
        break;
      case KEY_END:
        course_delete_row(m, ty);
        break;
    }
  }
  switch (sc) {
    case KEY_MINUS: CT = (CT - 1) & 255; break;
    case KEY_EQUALS: CT = (CT + 1) & 255; break;
    case KEY_PGUP: CT = (CT - 16) & 255; break;
    case KEY_PGDN: CT = (CT + 16) & 255; break;
  }
  e.tile_key(sc);
}

// Keys that act on the selected insertion: digits type its code, Backspace
// drops the last digit, Del deletes it (the last one takes its slot), the
// arrows move it by 4 pixels.
static void insertion_key(const Editor &e, int sc, int ch) {
  Insertion &in = e.map->ins[CI];
  if (ch >= '0' && ch <= '9') code_append_digit(in.code, ch - '0');
  switch (sc) {
    case KEY_BACKSPACE: in.code /= 10; break;
    case KEY_DEL:
      if (course_delete_insertion(*e.map, CI)) CI = -1;
      break;
    case KEY_LEFT: coordinate_nudge(in.x, -4); break;
    case KEY_RIGHT: coordinate_nudge(in.x, 4); break;
    case KEY_UP: coordinate_nudge(in.y, -4); break;
    case KEY_DOWN: coordinate_nudge(in.y, 4); break;
  }
}

// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo. The key's character tells
// Ctrl with a letter (Ctrl+Z gives 26) even when Ctrl is already up again.
// Returns false for any other key.
static bool undo_key(const Editor &e, int sc, int ch) {
  if (sc != KEY_Z && sc != KEY_Y) return false;
  bool ctrl = ch == sc - KEY_A + 1 || key[KEY_LCONTROL] || key[KEY_RCONTROL];
  if (!ctrl) return false;
  bool shift = key[KEY_LSHIFT] || key[KEY_RSHIFT];
  step_back(e, sc == KEY_Y || shift);
  if (CI >= e.map->n) CI = -1;
  return true;
}

// editor_key
// A stroke still being painted is ended first, so it is a step of its own.
bool editor_key(const Editor &e, int k) {
  int sc = k >> 8, ch = k & 0xFF;
  if (keys_shown || sc == KEY_F10) {
    keys_shown = !keys_shown;
    return true;
  }
  commit(e);
  if (undo_key(e, sc, ch)) return true;
  if (CI >= e.map->n) CI = -1;
  if (CI < 0)
    tile_key(e, sc);
  else
    insertion_key(e, sc, ch);
  if (e.own_key) e.own_key(sc);

  switch (sc) {
    case KEY_L: load_key(e); break;
    case KEY_S: save_key(e); break;
    case KEY_TAB:
      CI++;
      if (CI >= e.map->n) CI = -1;
      break;
    case KEY_ESC:
      if (!editor_may_leave(e)) break;
      return false;
  }
  commit(e);
  return true;
}

// ---------------------------------------------------------------------------
// Mouse

// The right button: selects the insertion nearest the pointer (closer than
// 8 pixels; the first found wins a tie) and picks the tile under it.
static void right_button(const Editor &e) {
  CI = course_nearest_insertion(*e.map, e.point_x(), e.point_y(), 8);
  if (editor_mouse_in(e)) CT = e.map->t[e.tile_x()][e.tile_y()];
}

// editor_mouse
// Each press counted since the last pass acts once, however short it was;
// a button held alone acts on every pass, so holding the left one paints
// on.
bool editor_mouse(const Editor &e) {
  if (keys_shown) {  // a click on the keys screen is not an edit
    click_latch_clear();
    return false;
  }
  int b = mouse_b;
  int left = click_acts(click_latch_take(LATCH_LEFT), b == 1);
  int right = click_acts(click_latch_take(LATCH_RIGHT), b == 2);
  for (int i = 0; i < left; i++) e.left_button();
  for (int i = 0; i < right; i++) right_button(e);
  if (left) stroke = true;
  if (stroke && !(b & 1)) {
    commit(e);
    stroke = false;
  }
  return left || right;
}

// ---------------------------------------------------------------------------
// The loop

// How long the editor's loop rests between passes: the processor is left
// alone, and keys and clicks still answer at once (the click latch keeps
// every press).
enum { PASS_REST_MS = 10 };

// editor_loop
// The screen is drawn again only after a key, a mouse move or a click, and
// at most MAPED_REDRAWS_PER_SECOND times a second; between passes the
// processor is given up. The close button asks as Esc does; told to stay,
// the editor forgets it.
void editor_loop(const Editor &e) {
  using Clock = std::chrono::steady_clock;
  const Clock::duration gap = std::chrono::microseconds(1000000 / MAPED_REDRAWS_PER_SECOND);
  Clock::time_point drawn = Clock::now() - gap;
  bool dirty = true;
  int mx = mouse_x, my = mouse_y, mb = mouse_b;
  std::string note;
  for (;;) {
    if (keypressed()) {
      if (!editor_key(e, readkey())) break;
      dirty = true;
    }
    if (note_text() != note) {  // a note shown or its time over
      note = note_text();
      dirty = true;
    }
    if (desktop_close_requested()) {
      if (editor_may_leave(e)) break;
      desktop_close_refused();
      dirty = true;
    }
    if (desktop_poll()) dirty = true;
    if (editor_mouse(e)) dirty = true;
    if (mouse_x != mx || mouse_y != my || mouse_b != mb) {
      mx = mouse_x;
      my = mouse_y;
      mb = mouse_b;
      dirty = true;
    }
    Clock::time_point now = Clock::now();
    if (dirty && now - drawn >= gap) {
      e.draw();
      drawn = now;
      dirty = false;
    }
    quiet_rest(PASS_REST_MS);
  }
  desktop_show_pointer(false);
  click_hook_remove();
}
