// maped.cpp -- the course editor: tiles, attributes, selection and clipboard,
// rows and columns, insertions, three scales, load and save
#include "maped.h"

#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "click_hook.h"
#include "desktop.h"
#include "file_dialog.h"
#include "file_name.h"
#include "click_latch.h"
#include "edit_history.h"
#include "question_dialog.h"
#include "keys.h"
#include "share.h"
#include "status_note.h"

int CT = 0;
int CI = -1;
int scale = 1;
bool selON = false;
int selL, selR, selU, selD;
int selW, selH;
unsigned char sel[256 * 256];
const char sy[] = "0+-PM";
char maped_name[MAPED_NAME_SIZE];
bool keys_shown;

// The insertion codes that the adding keys place.
enum {
  CODE_PLAYER1 = 11,
  CODE_PLAYER2 = 12,
  CODE_CAR = 20,
  CODE_BIKE = 30,
  CODE_BOAT = 40,
  CODE_ACCESS = 53,
};

static const char *const attr_names[6] = {"NoWalk", "Dry",        "Ice",
                                          "Slow",   "Restricted", "Sharp"};

// What the editor's questions and messages call the file it edits.
static const char *const WHAT = "course";

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

// init
// Shows the mouse pointer, counts every click from now on, and sets the
// file selector's text colour.
static void init() {
  install_mouse();
  click_hook_install();
  desktop_show_pointer(true);
  gui_fg_color = 211;
}

// ---------------------------------------------------------------------------
// Mouse position

// The view's size: the composition bitmap, which is the picture's size.
static int view_w() { return buf ? buf->w : PICTURE_W; }
static int view_h() { return buf ? buf->h : PICTURE_H; }

// The pointer in picture pixels, whatever the window's enlargement.
int mouse_course_x() { return desktop_mouse_x() * scale + OX; }
int mouse_course_y() { return desktop_mouse_y() * scale + OY; }
int mouse_tile_x() { return mouse_course_x() / 32; }
int mouse_tile_y() { return mouse_course_y() / 32; }

// mouse_in
// Whether the mouse's tile lies on the course. Division truncates toward
// zero, so the 31 course pixels left of (or above) the course count as on it.
bool mouse_in() {
  int tx = mouse_tile_x(), ty = mouse_tile_y();
  return tx >= 0 && tx < map.w && ty >= 0 && ty < map.h;
}

// set_scale
// Changes the scale, keeping the course point at the view's centre in place.
void set_scale(int s) {
  int cx = OX + (scale * view_w()) / 2;
  int cy = OY + (scale * view_h()) / 2;
  scale = s;
  OX = cx - (s * view_w()) / 2;
  OY = cy - (s * view_h()) / 2;
}

// ---------------------------------------------------------------------------
// Selection and clipboard

// Clips the rectangle l..r, u..d to the course. Returns false if nothing is
// left (including rectangles given the wrong way round).
static bool clip_to_course(int &l, int &u, int &r, int &d) {
  if (l < 0) l = 0;
  if (u < 0) u = 0;
  if (r > map.w - 1) r = map.w - 1;
  if (d > map.h - 1) d = map.h - 1;
  return l <= r && u <= d;
}

// copy_selection
// Stores the selected tiles, clipped to the course, in the clipboard. A
// selection set the wrong way round copies nothing and leaves a negative
// size, so that a later paste does nothing.
void copy_selection() {
  int l = selL, u = selU, r = selR, d = selD;
  if (l < 0) l = 0;
  if (u < 0) u = 0;
  if (r > map.w - 1) r = map.w - 1;
  if (d > map.h - 1) d = map.h - 1;
  for (int x = l; x <= r; x++)
    for (int y = u; y <= d; y++) sel[(x - l) * 256 + (y - u)] = map.t[x][y];
  selW = r - l;
  selH = d - u;
}

// paste_selection
// Pastes the clipboard with its top-left at tile (tx, ty), clipped to the
// course. The clipboard's corner follows the clipped target's corner.
void paste_selection(int tx, int ty) {
  if (selW < 0 || selH < 0) return;
  int l = tx, u = ty, r = tx + selW, d = ty + selH;
  if (!clip_to_course(l, u, r, d)) return;
  for (int x = l; x <= r; x++)
    for (int y = u; y <= d; y++) map.t[x][y] = sel[(x - l) * 256 + (y - u)];
}

// ---------------------------------------------------------------------------
// Insertions

// add_insertion
// Adds an insertion with code at the mouse and selects it, so its code can
// be typed at once. A course full of insertions gets no more.
void add_insertion(int code) {
  int i = course_add_insertion(map, mouse_course_x(), mouse_course_y(), code);
  if (i >= 0) CI = i;
}

// delete_insertion
// Removes the selected insertion; the last one takes its slot.
void delete_insertion() {
  if (course_delete_insertion(map, CI)) CI = -1;
}

// ---------------------------------------------------------------------------
// Keys and mouse

// Keys that act on tiles, the view, the selection and the attributes
// (no insertion selected).
static void tile_key(int sc) {
  if (mouse_in()) {
    int tx = mouse_tile_x(), ty = mouse_tile_y();
    switch (sc) {
      case KEY_INSERT:
        if (map.w < MAP_SIZE) insert_column(tx);
        break;
      case KEY_DEL:
        delete_column(tx);
        break;
      case KEY_HOME:
        if (map.h < MAP_SIZE) insert_row(ty);
        break;
      case KEY_END:
        delete_row(ty);
        break;
    }
  }
  switch (sc) {
    case KEY_Z: set_scale(1); break;
    case KEY_A: set_scale(2); break;
    case KEY_Q: set_scale(4); break;
    case KEY_F1: case KEY_F2: case KEY_F3:
    case KEY_F4: case KEY_F5: case KEY_F6:
      tile_attr[CT] ^= 1 << (sc - KEY_F1);
      break;
    case KEY_F9: tile_attr[CT] = Dry; break;
    case KEY_MINUS: CT = (CT - 1) & 255; break;
    case KEY_EQUALS: CT = (CT + 1) & 255; break;
    case KEY_PGUP: CT = (CT - 16) & 255; break;
    case KEY_PGDN: CT = (CT + 16) & 255; break;
    case KEY_OPENBRACE:
      if (mouse_in()) {
        selL = mouse_tile_x();
        selU = mouse_tile_y();
        selON = true;
      }
      break;
    case KEY_CLOSEBRACE:
      if (mouse_in()) {
        selR = mouse_tile_x();
        selD = mouse_tile_y();
        selON = true;
      }
      break;
    case KEY_SPACE: selON = false; break;
    case KEY_C: copy_selection(); break;
    case KEY_V: paste_selection(mouse_tile_x(), mouse_tile_y()); break;
    case KEY_LEFT: OX -= 16 * scale; break;
    case KEY_RIGHT: OX += 16 * scale; break;
    case KEY_UP: OY -= 16 * scale; break;
    case KEY_DOWN: OY += 16 * scale; break;
  }
}

// Keys that act on the selected insertion: digits type its code, Backspace
// drops the last digit, Del deletes it, the arrows move it by 4 pixels.
static void insertion_key(int sc, int ch) {
  Insertion &in = map.ins[CI];
  if (ch >= '0' && ch <= '9') code_append_digit(in.code, ch - '0');
  switch (sc) {
    case KEY_BACKSPACE: in.code /= 10; break;
    case KEY_DEL: delete_insertion(); break;
    case KEY_LEFT: coordinate_nudge(in.x, -4); break;
    case KEY_RIGHT: coordinate_nudge(in.x, 4); break;
    case KEY_UP: coordinate_nudge(in.y, -4); break;
    case KEY_DOWN: coordinate_nudge(in.y, 4); break;
  }
}

// save_as
// Writes the course and the attributes under name, unless name is refused
// (the attribute file, or a file that is not a course) or is another
// course that the user chooses not to replace. A course written shows
// "Saved NAME" in the status band; an alert tells what was not written
// (the old file is then still whole, and the work still counts as
// unsaved). Returns how far it got.
static SaveResult save_as(const char *name) {
  std::string why, base = file_base_name(name);
  switch (course_save_target(name, maped_name, &why)) {
    case SAVE_TARGET_REFUSED:
      maped_alert(("Not saved: " + base + " is not a course.").c_str(), why.c_str());
      return SAVE_FAILED;
    case SAVE_TARGET_OTHER:
      if (maped_ask(replace_question(name, WHAT)) != REPLACE_YES) return SAVE_FAILED;
      break;
    case SAVE_TARGET_NEW:
    case SAVE_TARGET_SAME:
      break;
  }
  SaveResult r = save_map(name);
  if (r == SAVE_FAILED) {
    maped_alert("Couldn't save the course as", name);
    return r;
  }
  history_mark_course_saved(map);
  if (r == SAVE_DONE)
    history_mark_attributes_saved(tile_attr);
  else
    maped_alert(("The course is saved as " + base + ",").c_str(),
                "but tileattr.wz couldn't be written.");
  note_show("Saved " + base);
  return r;
}

// Save: the file selector, then save_as. The editor's file name becomes
// the one chosen once the course is written there.
static void save_key() {
  char chosen[MAPED_NAME_SIZE];
  memcpy(chosen, maped_name, sizeof chosen);
  if (!maped_select_file("Save map as:", chosen, MAPED_NAME_SIZE)) return;
  if (save_as(chosen) != SAVE_FAILED) memcpy(maped_name, chosen, sizeof chosen);
}

// Save as the unsaved-work question means it: under the editor's file name,
// or through the selector when there is none yet. True only if nothing is
// left unsaved.
static bool save_current() {
  if (maped_name[0]) return save_as(maped_name) == SAVE_DONE;
  save_key();
  return !history_unsaved(map, tile_attr);
}

// maped_may_leave
bool maped_may_leave() {
  return unsaved_may_go(history_unsaved(map, tile_attr), maped_name, WHAT, maped_ask,
                        save_current);
}

// Load: a file that is not a course is refused before anything happens,
// and changes to the course are saved or given up first, as the user
// answers. A file that cannot be opened leaves the course, and the name it
// is saved under, as they were. A course loaded starts a new history, in
// which attribute changes not yet saved still count.
static void load_key() {
  char chosen[MAPED_NAME_SIZE];
  memcpy(chosen, maped_name, sizeof chosen);
  CI = -1;
  if (!maped_select_file("Load map:", chosen, MAPED_NAME_SIZE)) return;
  std::string why;
  CourseCheck check = course_file_check(chosen, &why);
  if (check == COURSE_NOT_COURSE) {
    maped_alert((file_base_name(chosen) + " is not a course:").c_str(), why.c_str());
    return;
  }
  if (check == COURSE_OK && !unsaved_may_go(history_course_unsaved(map), maped_name, WHAT,
                                            maped_ask, save_current))
    return;
  if (!try_load_map(chosen)) {
    maped_alert("Couldn't open file", chosen);
    return;
  }
  memcpy(maped_name, chosen, sizeof chosen);
  history_reset_course(map, tile_attr);
}

// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo. The key's character tells
// Ctrl with a letter (Ctrl+Z gives 26) even when Ctrl is already up again.
// Returns false for any other key.
static bool undo_key(int sc, int ch) {
  if (sc != KEY_Z && sc != KEY_Y) return false;
  bool ctrl = ch == sc - KEY_A + 1 || key[KEY_LCONTROL] || key[KEY_RCONTROL];
  if (!ctrl) return false;
  bool shift = key[KEY_LSHIFT] || key[KEY_RSHIFT];
  if (sc == KEY_Y || shift)
    history_redo(map, tile_attr);
  else
    history_undo(map, tile_attr);
  if (CI >= map.n) CI = -1;
  return true;
}

// maped_key
// One key: undo and redo, then the mode's own keys, then those of both
// modes. Each key is a step of its own in the history (a stroke still being
// painted is ended first).
bool maped_key(int k) {
  int sc = k >> 8, ch = k & 0xFF;
  if (keys_shown || sc == KEY_F10) {
    keys_shown = !keys_shown;
    return true;
  }
  history_commit(map, tile_attr);
  if (undo_key(sc, ch)) return true;
  if (CI >= map.n) CI = -1;
  if (CI < 0)
    tile_key(sc);
  else
    insertion_key(sc, ch);

  switch (sc) {
    case KEY_1: if (CI == -1) add_insertion(CODE_PLAYER1); break;
    case KEY_2: if (CI == -1) add_insertion(CODE_PLAYER2); break;
    case KEY_R: if (CI == -1) add_insertion(CODE_CAR); break;
    case KEY_K: if (CI == -1) add_insertion(CODE_BIKE); break;
    case KEY_O: if (CI == -1) add_insertion(CODE_BOAT); break;
    case KEY_P: if (CI == -1) add_insertion(CODE_ACCESS); break;
    case KEY_L: load_key(); break;
    case KEY_S: save_key(); break;
    case KEY_TAB:
      CI++;
      if (CI >= map.n) CI = -1;
      break;
    case KEY_ESC:
      if (!maped_may_leave()) break;
      return false;
  }
  history_commit(map, tile_attr);
  return true;
}

// The left button: paints with CT, or with Ctrl adds an insertion with
// code 0 (tile mode only).
static void left_button() {
  bool ctrl = key[KEY_LCONTROL] || key[KEY_RCONTROL];
  if (CI >= 0) return;
  if (ctrl)
    add_insertion(0);
  else if (mouse_in())
    map.t[mouse_tile_x()][mouse_tile_y()] = CT;
}

// The right button: selects the insertion nearest the pointer (closer than
// 8 pixels) and picks the tile under it.
static void right_button() {
  CI = course_nearest_insertion(map, mouse_course_x(), mouse_course_y(), 8);
  if (mouse_in()) CT = map.t[mouse_tile_x()][mouse_tile_y()];
}

// Whether the left button has acted since the stroke was last committed.
static bool stroke;

// maped_mouse
// Each press counted since the last pass acts once, however short it was;
// a button held alone acts on every pass, so holding the left one paints
// on. A stroke becomes one step of the history once the button is up.
bool maped_mouse() {
  if (keys_shown) {  // a click on the keys screen is not an edit
    click_latch_clear();
    return false;
  }
  int b = mouse_b;
  int left = click_acts(click_latch_take(LATCH_LEFT), b == 1);
  int right = click_acts(click_latch_take(LATCH_RIGHT), b == 2);
  for (int i = 0; i < left; i++) left_button();
  for (int i = 0; i < right; i++) right_button();
  if (left) stroke = true;
  if (stroke && !(b & 1)) {
    history_commit(map, tile_attr);
    stroke = false;
  }
  return left || right;
}

// ---------------------------------------------------------------------------
// Drawing

static BITMAP *tile_picture(int t) {
  return (BITMAP *)D[OBJ_TILE0 + (t & 255)].dat;
}

// The visible tiles, scaled: 32, 16 or 8 pixels a tile.
static void draw_visible_tiles() {
  int x0 = OX / 32, x1 = (OX + view_w() * scale) / 32;
  int y0 = OY / 32, y1 = (OY + view_h() * scale) / 32;
  if (x0 < 0) x0 = 0;
  if (y0 < 0) y0 = 0;
  if (x1 > map.w - 1) x1 = map.w - 1;
  if (y1 > map.h - 1) y1 = map.h - 1;
  int size = 32 / scale;
  for (int x = x0; x <= x1; x++)
    for (int y = y0; y <= y1; y++) {
      BITMAP *b = tile_picture(map.t[x][y]);
      int sx = (x * 32 - OX) / scale, sy_ = (y * 32 - OY) / scale;
      if (scale == 1)
        draw_sprite(buf, b, sx, sy_);
      else
        stretch_sprite(buf, b, sx, sy_, size, size);
    }
}

// One dot of the selection outline on tile (x, y), if that tile lies on the
// course (tiles are drawn only there, and so is the outline).
static void selection_dot(int x, int y, int colour) {
  if (x < 0 || x >= map.w || y < 0 || y >= map.h) return;
  circlefill(buf, (x * 32 - OX + 8) / scale, (y * 32 - OY + 8) / scale,
             4 / scale + 2, colour);
}

// The selection outline: green dots along the top and bottom edges, magenta
// along the left and right (drawn last, so the corners are magenta).
static void draw_selection() {
  for (int x = selL; x <= selR; x++) {
    selection_dot(x, selU, col_green);
    selection_dot(x, selD, col_green);
  }
  for (int y = selU; y <= selD; y++) {
    selection_dot(selL, y, col_magenta);
    selection_dot(selR, y, col_magenta);
  }
}

// A dot for one insertion, coloured by what it places (code / 10): players
// green with their number, cars white, bikes magenta, boats cyan, items
// blue with their letter, anything else black.
static void draw_marker(const Insertion &in) {
  // Worked out in 64 bits: a loaded course may hold any coordinates. Markers
  // far off the screen are skipped so the drawing calls get sane numbers.
  long long lx = ((long long)in.x - OX) / scale;
  long long ly = ((long long)in.y - OY) / scale;
  if (lx < -16 || ly < -16 || lx > view_w() + 16 || ly > view_h() + 16) return;
  int cx = (int)lx, cy = (int)ly;
  int kind = in.code / 10, variant = in.code % 10;
  if (kind == 1) {
    circlefill(buf, cx, cy, 5, col_green);
    if (scale == 1)
      textprintf_ex(buf, font, cx - 4, cy - 4, col_red, -1, "%d", variant);
    return;
  }
  int colour = col_black;
  switch (kind) {
    case 2: colour = col_white; break;
    case 3: colour = col_magenta; break;
    case 4: colour = col_cyan; break;
    case 5: colour = col_blue; break;
  }
  if (scale == 1) {
    circlefill(buf, cx, cy, 5, colour);
    circle(buf, cx, cy, 5, col_black);
    if (kind == 5 && variant < 5)
      textprintf_ex(buf, font, cx - 4, cy - 4, col_white, -1, "%c",
                    sy[variant]);
  } else if (scale == 2) {
    circlefill(buf, cx, cy, 3, colour);
  }
}

// The band at the top: the current tile and its attributes, or the
// selected insertion; below that line, a note such as "Saved m07.map"
// while it lasts.
enum { NOTE_Y = 28 };
static void draw_status() {
  rectfill(buf, 0, 0, view_w(), view_h() / 10, col_black);
  if (CI < 0 || CI >= map.n) {
    draw_sprite(buf, tile_picture(CT), 1, 1);
    const char *a[6];
    for (int i = 0; i < 6; i++)
      a[i] = tile_attr[CT & 255] & (1 << i) ? attr_names[i] : "";
    textprintf_ex(buf, font, 31, 10, col_blue, -1,
                  "Current tile: %d   Attributes: %s %s %s %s %s %s", CT,
                  a[0], a[1], a[2], a[3], a[4], a[5]);
  } else {
    const Insertion &in = map.ins[CI];
    textprintf_ex(buf, font, 31, 10, col_blue, -1,
                  "Insertion #%d: %d at (%d,%d)", CI, in.code, in.x, in.y);
  }
  std::string note = note_text();
  if (!note.empty()) textout_ex(buf, font, note.c_str(), 31, NOTE_Y, col_green, -1);
}

// draw_editor
// The editor screen in buf: tiles, selection, insertion markers, status.
void draw_editor() {
  clear_to_color(buf, 0);
  draw_visible_tiles();
  if (selON) draw_selection();
  for (int i = 0; i < map.n && i < MAX_INSERTIONS; i++)
    draw_marker(map.ins[i]);
  draw_status();
  if (keys_shown) draw_key_screen(buf, topdown_keys(true), col_white, col_black);
}

// draw_all
// Draws the editor screen and shows it with the pointer.
void draw_all() {
  draw_editor();
  desktop_present(buf);
}

// ---------------------------------------------------------------------------

// How long the editor's loop rests between passes: the processor is left
// alone, and keys and clicks still answer at once (the click latch keeps
// every press).
enum { PASS_REST_MS = 10 };

// maped_main
// Runs the editor on path (or on the course in memory when path is null)
// until Esc. A file that cannot be opened leaves the course in memory to
// edit, under that name. The screen is drawn again only after a key, a
// mouse move or a click, and at most MAPED_REDRAWS_PER_SECOND times a
// second; between passes the processor is given up. The window's close
// button is taken as Esc, question included; told to stay, the editor
// forgets it.
void maped_main(const char *path) {
  fprintf(fr, "Starting maped (%s)\n", path ? path : "(null)");
  init();
  if (path) {
    if (!store_file_name(path, maped_name, MAPED_NAME_SIZE))
      maped_name[0] = '\0';
    std::string why;
    if (course_file_check(path, &why) == COURSE_NOT_COURSE)
      maped_alert((file_base_name(path) + " is not a course:").c_str(), why.c_str());
    else if (!try_load_map(path))
      maped_alert("Couldn't open file", path);
  } else {
    maped_name[0] = '\0';
  }
  CI = -1;
  stroke = false;
  note_clear();
  keys_shown = false;
  // The attribute table stays in memory between visits: changes given up
  // when the editor was last left still differ from "tileattr.wz".
  history_reset(map, tile_attr);
  history_mark_attributes_from_file(ATTR_FILE_NAME);

  using Clock = std::chrono::steady_clock;
  const Clock::duration gap = std::chrono::microseconds(1000000 / MAPED_REDRAWS_PER_SECOND);
  Clock::time_point drawn = Clock::now() - gap;
  bool dirty = true;
  int mx = mouse_x, my = mouse_y, mb = mouse_b;
  std::string note;
  for (;;) {
    if (keypressed()) {
      if (!maped_key(readkey())) break;
      dirty = true;
    }
    if (note_text() != note) {  // a note shown or its time over
      note = note_text();
      dirty = true;
    }
    if (desktop_close_requested()) {
      if (maped_may_leave()) break;
      desktop_close_refused();
      dirty = true;
    }
    if (desktop_poll()) dirty = true;
    if (maped_mouse()) dirty = true;
    if (mouse_x != mx || mouse_y != my || mouse_b != mb) {
      mx = mouse_x;
      my = mouse_y;
      mb = mouse_b;
      dirty = true;
    }
    Clock::time_point now = Clock::now();
    if (dirty && now - drawn >= gap) {
      draw_all();
      drawn = now;
      dirty = false;
    }
    rest(PASS_REST_MS);
  }
  desktop_show_pointer(false);
  click_hook_remove();
}
