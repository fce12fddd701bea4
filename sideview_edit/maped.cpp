// maped.cpp -- sideview_edit: the level editor of sideview and the "-four"
// tool that merges the credits pictures
#include "maped.h"

#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include <vector>

#include "click_hook.h"
#include "desktop.h"
#include "file_dialog.h"
#include "file_name.h"
#include "click_latch.h"
#include "course_file.h"
#include "data_folder.h"
#include "edit_history.h"
#include "edit_keys.h"
#include "log.h"
#include "question_dialog.h"
#include "status_note.h"
#include "tile.h"

int OX = 0, OY = 0;
int CT = 0;
int CI = -1;
BITMAP *buffer = nullptr;
PALETTE pal;
char maped_name[MAPED_NAME_SIZE];
bool keys_shown;

static const char *const PALETTE_FILE = "pallette.pcx";

// Palette slots of the editor's own marks: the background, the status text
// and the rings round insertions.
enum { COLOUR_BACKGROUND = 0, COLOUR_TEXT = 200, COLOUR_INSERTION = 211 };

static const char *const attr_names[5] = {"Solid-Top", "Solid-LRB", "Ladder", "Door",
                                          "Hurt"};

// What the editor's questions and messages call the file it edits.
static const char *const WHAT = "level";

// ---------------------------------------------------------------------------
// The Allegro-facing layer

// The window (or full screen) for pictures of w x h, enlarged as the
// desktop allows.
static bool allegro_gfx_mode(int w, int h) { return desktop_open(w, h, 8); }

// Allegro's file selector, fitting the choice into the editor's name.
static bool allegro_select_file(const char *title, char *name, int size) {
  return select_file_name(title, "map", name, size, maped_alert);
}

// The dialogs are shown at the picture's scale (desktop_dialog).
static void allegro_alert(const char *line1, const char *line2) {
  desktop_dialog([&] { return alert(line1, line2, nullptr, "&OK", nullptr, 'o', 0); });
  click_latch_clear();
}

bool (*maped_gfx_mode)(int, int) = allegro_gfx_mode;
bool (*maped_select_file)(const char *, char *, int) = allegro_select_file;
void (*maped_alert)(const char *, const char *) = allegro_alert;
int (*maped_ask)(const Question &) = ask_question;

// The mode now set (0 x 0 before the first), to go back to when another
// can't be set.
static int mode_w, mode_h;
static bool palette_loaded;

// Reads the palette of "pallette.pcx" into pal (the picture itself is not
// kept). Without it at start the editor can't show its colours and ends;
// later, the palette read before stays.
static void load_palette() {
  PALETTE p;
  BITMAP *image = load_pcx(PALETTE_FILE, p);
  if (!image) {
    if (!palette_loaded) fail_open(PALETTE_FILE);
    log_open_failure(PALETTE_FILE);
    if (fr) fputc('\n', fr);
    return;
  }
  destroy_bitmap(image);
  memcpy(pal, p, sizeof(PALETTE));
  palette_loaded = true;
}

// set_video_mode
bool set_video_mode(int w, int h) {
  bool ok = true;
  if (!maped_gfx_mode(w, h)) {
    if (mode_w == 0 || !maped_gfx_mode(mode_w, mode_h))
      fail("Couldn't set the %dx%d 8-bit screen mode: %s", w, h, allegro_error);
    w = mode_w;
    h = mode_h;
    ok = false;
  }
  mode_w = w;
  mode_h = h;
  load_palette();
  desktop_set_palette(pal);
  if (buffer) destroy_bitmap(buffer);
  buffer = create_bitmap(w, h);
  if (!buffer) fail("Couldn't create the %dx%d screen buffer", w, h);
  gui_fg_color = COLOUR_INSERTION;  // the file selector's text; a new mode resets it
  return ok;
}

// init
void init() {
  start_in_data_folder("sideview_edit", {"tileattr.wz", "tiles.bmp", PALETTE_FILE});
  if (allegro_init() != 0) fail("Couldn't start Allegro (is there a display?)");
  if (install_timer() != 0) fail("Couldn't install the timer");
  if (install_keyboard() != 0) fail("Couldn't install the keyboard");
  if (install_mouse() < 0) fail("Couldn't install the mouse");
  desktop_setup("sideview_edit", false);  // F11 is the small screen here
  tiles_init();
  set_color_depth(8);
  set_video_mode(640, 480);
  desktop_show_pointer(true);
  click_hook_install();
}

// ---------------------------------------------------------------------------
// Mouse position

// The view's size: the buffer's, which is the picture's.
static int view_w() { return buffer ? buffer->w : 640; }
static int view_h() { return buffer ? buffer->h : 480; }

// The pointer in picture pixels, whatever the window's enlargement.
int mouse_level_x() { return desktop_mouse_x() + OX; }
int mouse_level_y() { return desktop_mouse_y() + OY; }
int mouse_tile_x() { return mouse_level_x() >> 4; }
int mouse_tile_y() { return mouse_level_y() >> 4; }

// mouse_in
bool mouse_in() {
  int tx = mouse_tile_x(), ty = mouse_tile_y();
  return tx >= 0 && tx < map.w && ty >= 0 && ty < map.h;
}

// ---------------------------------------------------------------------------
// Undo history over the level and the attribute bytes of the tile set

// The attribute bytes of the tile set as one table.
static void attributes(unsigned char a[256]) {
  for (int i = 0; i < 256; i++) a[i] = tiles[i].attribute;
}

static void set_attributes(const unsigned char a[256]) {
  for (int i = 0; i < 256; i++) tiles[i].attribute = a[i];
}

static void commit() {
  unsigned char a[256];
  attributes(a);
  history_commit(map, a);
}

static void reset_history() {
  unsigned char a[256];
  attributes(a);
  history_reset(map, a);
}

// After a load: a new history, with attribute changes not yet saved still
// counting (a load reads no attributes).
static void reset_course_history() {
  unsigned char a[256];
  attributes(a);
  history_reset_course(map, a);
}

static void mark_attributes_saved() {
  unsigned char a[256];
  attributes(a);
  history_mark_attributes_saved(a);
}

static bool unsaved() {
  unsigned char a[256];
  attributes(a);
  return history_unsaved(map, a);
}

// Undoes (or redoes) one step of the level and the attributes.
static void step_back(bool redo) {
  unsigned char a[256];
  attributes(a);
  if (redo)
    history_redo(map, a);
  else
    history_undo(map, a);
  set_attributes(a);
}

// ---------------------------------------------------------------------------
// Insertions

// Adds an insertion with code 0 at the mouse and selects it, so its code
// can be typed at once. A level full of insertions gets no more.
static void add_insertion() {
  int i = course_add_insertion(map, mouse_level_x(), mouse_level_y(), 0);
  if (i >= 0) CI = i;
}

// Removes the selected insertion; the last one takes its slot.
static void delete_insertion() {
  if (course_delete_insertion(map, CI)) CI = -1;
}

// ---------------------------------------------------------------------------
// Keys and mouse

// Keys that act on tiles, the attributes and the view (no insertion
// selected). Rows and columns change at the mouse, on the level only.
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
    case KEY_F1: case KEY_F2: case KEY_F3: case KEY_F4: case KEY_F5:
      tiles[CT].attribute ^= 1 << (sc - KEY_F1);
      break;
    case KEY_F8: tiles[CT].attribute = 0; break;
    case KEY_MINUS: CT = (CT - 1) & 255; break;
    case KEY_EQUALS: CT = (CT + 1) & 255; break;
    case KEY_PGUP: CT = (CT - 16) & 255; break;
    case KEY_PGDN: CT = (CT + 16) & 255; break;
    case KEY_LEFT: OX -= 4; break;
    case KEY_RIGHT: OX += 4; break;
    case KEY_UP: OY -= 4; break;
    case KEY_DOWN: OY += 4; break;
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
// Writes the level, then "tileattr.wz", under name, unless name is refused
// (the attribute file, or a file that is not a level) or is another level
// that the user chooses not to replace. A level written shows "Saved NAME"
// in the status band; an alert tells what was not written (the old file is
// then still whole, and the work still counts as unsaved). Returns how far
// it got.
static SaveResult save_as(const char *name) {
  std::string why, base = file_base_name(name);
  switch (course_save_target(name, maped_name, &why)) {
    case SAVE_TARGET_REFUSED:
      maped_alert(("Not saved: " + base + " is not a level.").c_str(), why.c_str());
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
    maped_alert("Couldn't save the level as", name);
    return r;
  }
  history_mark_course_saved(map);
  if (r == SAVE_DONE)
    mark_attributes_saved();
  else
    maped_alert(("The level is saved as " + base + ",").c_str(),
                "but tileattr.wz couldn't be written.");
  note_show("Saved " + base);
  return r;
}

// Save: the file selector, then save_as. The editor's file name becomes
// the one chosen once the level is written there.
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
  return !unsaved();
}

// maped_may_leave
bool maped_may_leave() {
  return unsaved_may_go(unsaved(), maped_name, WHAT, maped_ask, save_current);
}

// Load: a file that is not a level is refused before anything happens,
// and changes to the level are saved or given up first, as the user
// answers. A file that cannot be opened leaves the level, and the name it
// is saved under, as they were. A level loaded starts a new history, in
// which attribute changes not yet saved still count.
static void load_key() {
  char chosen[MAPED_NAME_SIZE];
  memcpy(chosen, maped_name, sizeof chosen);
  CI = -1;
  if (!maped_select_file("Load map:", chosen, MAPED_NAME_SIZE)) return;
  std::string why;
  CourseCheck check = course_file_check(chosen, &why);
  if (check == COURSE_NOT_COURSE) {
    maped_alert((file_base_name(chosen) + " is not a level:").c_str(), why.c_str());
    return;
  }
  if (check == COURSE_OK &&
      !unsaved_may_go(history_course_unsaved(map), maped_name, WHAT, maped_ask, save_current))
    return;
  if (!try_load_map(chosen)) {
    maped_alert("Couldn't open file", chosen);
    return;
  }
  memcpy(maped_name, chosen, sizeof chosen);
  reset_course_history();
}

// F11 and F12: a screen of another size, or the one before if that can't
// be set.
static void mode_key(int w, int h) {
  if (set_video_mode(w, h)) return;
  char size[32];
  snprintf(size, sizeof size, "%d x %d", w, h);
  maped_alert("Couldn't set a screen of", size);
}

// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo. The key's character tells
// Ctrl with a letter (Ctrl+Z gives 26) even when Ctrl is already up again.
// Returns false for any other key.
static bool undo_key(int sc, int ch) {
  if (sc != KEY_Z && sc != KEY_Y) return false;
  bool ctrl = ch == sc - KEY_A + 1 || key[KEY_LCONTROL] || key[KEY_RCONTROL];
  if (!ctrl) return false;
  bool shift = key[KEY_LSHIFT] || key[KEY_RSHIFT];
  step_back(sc == KEY_Y || shift);
  if (CI >= map.n) CI = -1;
  return true;
}

// maped_key
// One key: undo and redo, then the mode's own keys, then those of both
// modes. Each key is a step of its own in the history (a stroke still being
// painted is ended first). Esc leaves when maped_may_leave allows it.
bool maped_key(int k) {
  int sc = k >> 8, ch = k & 0xFF;
  if (keys_shown || sc == KEY_F10) {
    keys_shown = !keys_shown;
    return true;
  }
  commit();
  if (undo_key(sc, ch)) return true;
  if (CI >= map.n) CI = -1;
  if (CI < 0)
    tile_key(sc);
  else
    insertion_key(sc, ch);

  switch (sc) {
    case KEY_L: load_key(); break;
    case KEY_S: save_key(); break;
    case KEY_F11: mode_key(320, 200); break;
    case KEY_F12: mode_key(640, 480); break;
    case KEY_TAB:
      CI++;
      if (CI >= map.n) CI = -1;
      break;
    case KEY_ESC:
      if (!maped_may_leave()) break;
      return false;
  }
  commit();
  return true;
}

// The left button, on the level only and in tile mode: paints with CT, or
// with Ctrl adds an insertion with code 0.
static void left_button() {
  if (CI >= 0 || !mouse_in()) return;
  if (key[KEY_LCONTROL] || key[KEY_RCONTROL])
    add_insertion();
  else
    map.t[mouse_tile_x()][mouse_tile_y()] = CT;
}

// The right button: selects the insertion nearest the pointer (closer than
// 8 pixels; the first found wins a tie) and picks the tile under it.
static void right_button() {
  CI = course_nearest_insertion(map, mouse_level_x(), mouse_level_y(), 8);
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
    commit();
    stroke = false;
  }
  return left || right;
}

// ---------------------------------------------------------------------------
// Drawing

// draw_bmp
// 8-bit memory bitmaps (the buffer) take whole clipped rows; any other
// bitmap pixel by pixel.
void draw_bmp(BITMAP *dest, bmp *b, int x, int y) {
  if (!dest || !b || !b->data) return;
  int c0 = dest->cl - x, c1 = dest->cr - x, r0 = dest->ct - y, r1 = dest->cb - y;
  if (c0 < 0) c0 = 0;
  if (r0 < 0) r0 = 0;
  if (c1 > b->w) c1 = b->w;
  if (r1 > b->h) r1 = b->h;
  if (c0 >= c1 || r0 >= r1) return;
  bool rows = is_memory_bitmap(dest) && bitmap_color_depth(dest) == 8;
  for (int r = r0; r < r1; r++) {
    const unsigned char *src = b->data + (long)b->w * r;
    if (rows) {
      memcpy(dest->line[y + r] + x + c0, src + c0, c1 - c0);
    } else {
      for (int c = c0; c < c1; c++) putpixel(dest, x + c, y + r, src[c]);
    }
  }
}

// The visible tiles; indices without a picture (64 ... 255) leave their
// square as it was.
static void draw_visible_tiles() {
  int x0 = OX / TILE_SIZE, x1 = (OX + view_w()) / TILE_SIZE;
  int y0 = OY / TILE_SIZE, y1 = (OY + view_h()) / TILE_SIZE;
  if (x0 < 0) x0 = 0;
  if (y0 < 0) y0 = 0;
  if (x1 > map.w - 1) x1 = map.w - 1;
  if (y1 > map.h - 1) y1 = map.h - 1;
  for (int x = x0; x <= x1; x++)
    for (int y = y0; y <= y1; y++)
      draw_bmp(buffer, tiles[map.t[x][y]].bitmap, x * TILE_SIZE - OX, y * TILE_SIZE - OY);
}

// A ring round each insertion's place: filled with the background, its
// edge in the insertion colour.
static void draw_insertion(const Insertion &in) {
  // Worked out in 64 bits: a loaded level may hold any coordinates. Rings
  // far off the screen are skipped so the drawing calls get sane numbers.
  long long lx = (long long)in.x - OX, ly = (long long)in.y - OY;
  if (lx < -8 || ly < -8 || lx > view_w() + 8 || ly > view_h() + 8) return;
  circlefill(buffer, (int)lx, (int)ly, 2, COLOUR_BACKGROUND);
  circle(buffer, (int)lx, (int)ly, 2, COLOUR_INSERTION);
}

// status_text
std::string status_text() {
  char s[160];
  if (CI < 0 || CI >= map.n) {
    const char *a[5];
    for (int i = 0; i < 5; i++) a[i] = tiles[CT & 255].attribute & (1 << i) ? attr_names[i] : "";
    snprintf(s, sizeof s, "Current tile: %d   Attributes: %s %s %s %s %s", CT, a[0], a[1],
             a[2], a[3], a[4]);
  } else {
    const Insertion &in = map.ins[CI];
    snprintf(s, sizeof s, "Insertion #%d: %d at (%d,%d)", CI, in.code, in.x, in.y);
  }
  return s;
}

// The band at the top: the current tile's picture (tile mode) and the
// status text, and a note such as "Saved tr07.map" while it lasts: below
// the text where the band has room, else in its place.
enum { NOTE_Y = 28 };
static void draw_status() {
  int band = view_h() / 10;
  rectfill(buffer, 0, 0, view_w(), band, COLOUR_BACKGROUND);
  if (CI < 0 || CI >= map.n) draw_bmp(buffer, tiles[CT & 255].bitmap, 1, 1);
  std::string note = note_text();
  bool below = band >= NOTE_Y + 10;
  textout_ex(buffer, font, (note.empty() || below ? status_text() : note).c_str(), 31, 10,
             COLOUR_TEXT, -1);
  if (!note.empty() && below) textout_ex(buffer, font, note.c_str(), 31, NOTE_Y, COLOUR_TEXT, -1);
}

// draw_editor
void draw_editor() {
  clear_to_color(buffer, COLOUR_BACKGROUND);
  draw_visible_tiles();
  for (int i = 0; i < map.n && i < MAX_INSERTIONS; i++) draw_insertion(map.ins[i]);
  draw_status();
  if (keys_shown) draw_key_screen(buffer, sideview_edit_keys(), COLOUR_TEXT, COLOUR_BACKGROUND);
}

// draw_all
// The desktop shows the picture enlarged, with the pointer.
void draw_all() {
  draw_editor();
  desktop_present(buffer);
}

// ---------------------------------------------------------------------------
// The editor loop

// maped_start
void maped_start() {
  CI = -1;
  keys_shown = false;
  stroke = false;
  click_latch_clear();
  note_clear();
  reset_history();
}

// How long the editor's loop rests between passes: the processor is left
// alone, and keys and clicks still answer at once (the click latch keeps
// every press).
enum { PASS_REST_MS = 10 };

// maped_loop
// The screen is drawn again only after a key, a mouse move or a click, and
// at most MAPED_REDRAWS_PER_SECOND times a second; between passes the
// processor is given up. The window's close button is taken as Esc,
// question included; told to stay, the editor forgets it.
void maped_loop() {
  maped_start();
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

// ---------------------------------------------------------------------------
// The four-colour merge

// Little-endian fields of a BMP header (the 32-bit ones signed: a height
// below 0 means rows top first).
static long le32(const unsigned char *p) {
  return (long)(int32_t)((uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 |
                         (uint32_t)p[3] << 24);
}
static int le16(const unsigned char *p) { return p[0] | p[1] << 8; }

// four_input_problem
// What the input is, when it is not the picture the merge needs: a BMP
// with the plain 40-byte information header, 320 x 240 pixels (bottom row
// first) of 4 bits, uncompressed, its 16-entry palette and then its pixels
// from byte 118 on; "" when it is. header holds the file's first bytes,
// got of them.
std::string four_input_problem(const unsigned char *header, size_t got, long file_size) {
  enum { INFO = 40, W = 320, H = 240, BITS = 4, PIXELS_AT = 118, PIXELS = 38400 };
  if (got < 54 || header[0] != 'B' || header[1] != 'M') return "it is not a BMP picture";
  long info = le32(header + 14), w = le32(header + 18), h = le32(header + 22);
  int bits = le16(header + 28);
  long compression = le32(header + 30), at = le32(header + 10);
  if (info != INFO)
    return "it is a BMP with a header of " + std::to_string(info) + " bytes, not the plain one of 40";
  if (bits != BITS || w != W || h != H) {
    std::string depth = bits == 1   ? "2-colour (1 bit per pixel)"
                        : bits >= 2 && bits <= 8 ? std::to_string(1 << bits) + "-colour (" +
                                          std::to_string(bits) + " bits per pixel)"
                                    : std::to_string(bits) + "-bit";
    return "it is a " + depth + " " + std::to_string(w) + "x" + std::to_string(h) + " picture";
  }
  if (compression != 0) return "it is compressed";
  if (at != PIXELS_AT)
    return "its pixels start at byte " + std::to_string(at) + ", not 118 (after 16 colours)";
  if (file_size < PIXELS_AT + PIXELS)
    return "it is cut short: " + std::to_string(file_size) + " bytes, not " +
           std::to_string(PIXELS_AT + PIXELS);
  return "";
}

// four
// Each input gives its 118-byte header (a BMP file header, an information
// header and a 16-entry palette) into one buffer, so the last one's is
// kept, and its 38400 pixel bytes (320 x 240 pixels of 4 bits) are added
// into the result. With pictures that use disjoint bits of the pixel
// values the sum is their union; nothing checks that. Every input is
// checked to be such a picture before anything is written.
bool four() {
  static const char *const names[4] = {"red.bmp", "green.bmp", "blue.bmp", "grey.bmp"};
  enum { HEADER = 118, PIXELS = 38400 };
  std::vector<unsigned char> out(HEADER + PIXELS, 0), pixels(PIXELS);
  for (const char *name : names) {
    struct stat st;
    if (stat(name, &st) == 0 && S_ISDIR(st.st_mode)) {
      fprintf(stderr, "\"%s\" is a folder, not a 16-colour (4 bits per pixel) 320x240 BMP\n",
              name);
      return false;
    }
    FILE *f = fopen(name, "rb");
    if (!f) {
      fprintf(stderr, "Couldn't open file \"%s\"\n", name);
      return false;
    }
    size_t got = fread(out.data(), 1, HEADER, f);
    bool whole = got == HEADER && fread(pixels.data(), 1, PIXELS, f) == PIXELS;
    long size = fseek(f, 0, SEEK_END) == 0 ? ftell(f) : -1;
    fclose(f);
    std::string problem = four_input_problem(out.data(), got, whole ? HEADER + PIXELS : size);
    if (!problem.empty()) {
      fprintf(stderr, "\"%s\" is not a 16-colour (4 bits per pixel) 320x240 BMP: %s\n", name,
              problem.c_str());
      return false;
    }
    for (int i = 0; i < PIXELS; i++) out[HEADER + i] = (unsigned char)(out[HEADER + i] + pixels[i]);
  }
  if (!write_file_atomic("four.bmp", out.data(), out.size())) {
    fprintf(stderr, "Couldn't write file \"four.bmp\"\n");
    return false;
  }
  return true;
}
