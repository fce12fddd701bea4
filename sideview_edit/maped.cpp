// maped.cpp -- sideview_edit: the level editor of sideview and the "-four"
// tool that merges the credits pictures
#include "maped.h"

#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

#include "click_hook.h"
#include "desktop.h"
#include "file_dialog.h"
#include "file_name.h"
#include "click_latch.h"
#include "course_file.h"
#include "edit_history.h"
#include "log.h"
#include "tile.h"

int OX = 0, OY = 0;
int CT = 0;
int CI = -1;
BITMAP *buffer = nullptr;
PALETTE pal;
char maped_name[MAPED_NAME_SIZE];

static const char *const PALETTE_FILE = "pallette.pcx";

// Palette slots of the editor's own marks: the background, the status text
// and the rings round insertions.
enum { COLOUR_BACKGROUND = 0, COLOUR_TEXT = 200, COLOUR_INSERTION = 211 };

static const char *const attr_names[5] = {"Solid-Top", "Solid-LRB", "Ladder", "Door",
                                          "Hurt"};

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

// Allegro's alert with Yes and No; Esc in it counts as No.
static bool allegro_confirm(const char *question) {
  int r = desktop_dialog([&] { return alert(question, nullptr, nullptr, "&Yes", "&No", 'y', 'n'); });
  click_latch_clear();
  return r == 1;
}

bool (*maped_gfx_mode)(int, int) = allegro_gfx_mode;
bool (*maped_select_file)(const char *, char *, int) = allegro_select_file;
void (*maped_alert)(const char *, const char *) = allegro_alert;
bool (*maped_confirm)(const char *) = allegro_confirm;

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
  fr = fopen("report.txt", "w");
  if (!fr) fail("Couldn't create \"report.txt\"");
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

static void mark_saved() {
  unsigned char a[256];
  attributes(a);
  history_mark_saved(map, a);
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

// Load: a file that cannot be opened leaves the level, and the name it is
// saved under by default, as they were. A level loaded starts a new
// history, with nothing unsaved.
static void load_key() {
  char old[MAPED_NAME_SIZE];
  memcpy(old, maped_name, sizeof old);
  if (maped_select_file("Load map:", maped_name, MAPED_NAME_SIZE)) {
    if (try_load_map(maped_name)) {
      reset_history();
    } else {
      maped_alert("Couldn't open file", maped_name);
      memcpy(maped_name, old, sizeof old);
    }
  }
  CI = -1;
}

// Save: the level, then "tileattr.wz". A failed save says so; the old files
// are still whole, and the work still counts as unsaved.
static void save_key() {
  if (!maped_select_file("Save map as:", maped_name, MAPED_NAME_SIZE)) return;
  if (save_map(maped_name))
    mark_saved();
  else
    maped_alert("Couldn't save the level (or tileattr.wz) as", maped_name);
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
// painted is ended first). Esc leaves at once when everything is saved;
// otherwise only if the user agrees to lose the changes.
bool maped_key(int k) {
  int sc = k >> 8, ch = k & 0xFF;
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
      if (unsaved() && !maped_confirm("Leave without saving?")) break;
      return false;
  }
  commit();
  return true;
}

// The left button: paints with CT, or with Ctrl adds an insertion with
// code 0 (tile mode only).
static void left_button() {
  if (CI >= 0) return;
  if (key[KEY_LCONTROL] || key[KEY_RCONTROL])
    add_insertion();
  else if (mouse_in())
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
// status text.
static void draw_status() {
  rectfill(buffer, 0, 0, view_w(), view_h() / 10, COLOUR_BACKGROUND);
  if (CI < 0 || CI >= map.n) draw_bmp(buffer, tiles[CT & 255].bitmap, 1, 1);
  textout_ex(buffer, font, status_text().c_str(), 31, 10, COLOUR_TEXT, -1);
}

// draw_editor
void draw_editor() {
  clear_to_color(buffer, COLOUR_BACKGROUND);
  draw_visible_tiles();
  for (int i = 0; i < map.n && i < MAX_INSERTIONS; i++) draw_insertion(map.ins[i]);
  draw_status();
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
  stroke = false;
  click_latch_clear();
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
  for (;;) {
    if (keypressed()) {
      if (!maped_key(readkey())) break;
      dirty = true;
    }
    if (desktop_close_requested()) {
      if (!maped_key(KEY_ESC << 8 | 27)) break;
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

// four
// Each input gives its 118-byte header (a BMP file header, an information
// header and a 16-entry palette) into one buffer, so the last one's is
// kept, and its 38400 pixel bytes (320 x 240 pixels of 4 bits) are added
// into the result. With pictures that use disjoint bits of the pixel
// values the sum is their union; nothing checks that.
bool four() {
  static const char *const names[4] = {"red.bmp", "green.bmp", "blue.bmp", "grey.bmp"};
  enum { HEADER = 118, PIXELS = 38400 };
  std::vector<unsigned char> out(HEADER + PIXELS, 0), pixels(PIXELS);
  for (const char *name : names) {
    FILE *f = fopen(name, "rb");
    if (!f) {
      fprintf(stderr, "Couldn't open file \"%s\"\n", name);
      return false;
    }
    bool whole = fread(out.data(), 1, HEADER, f) == HEADER &&
                 fread(pixels.data(), 1, PIXELS, f) == PIXELS;
    fclose(f);
    if (!whole) {
      fprintf(stderr, "\"%s\" is shorter than %d bytes: not a 320x240 16-colour picture\n",
              name, HEADER + PIXELS);
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
