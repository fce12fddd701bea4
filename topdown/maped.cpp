// maped.cpp -- the course editor: tiles, attributes, selection and clipboard,
// rows and columns, insertions, three scales, load and save
#include "maped.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "click_hook.h"
#include "desktop.h"
#include "edit_history.h"
#include "keys.h"
#include "share.h"
#include "status_note.h"

int scale = 1;
bool selON = false;
int selL, selR, selU, selD;
int selW, selH;
unsigned char sel[256 * 256];
const char sy[] = "0+-PM";

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

// The course editor as the shared editor sees it (defined below).
extern const Editor COURSE_EDITOR;

// ---------------------------------------------------------------------------
// The Allegro-facing layer

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
bool mouse_in() { return editor_mouse_in(COURSE_EDITOR); }

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

// copy_selection
// Stores the selected tiles, clipped to the course, in the clipboard. A
// selection set the wrong way round copies nothing and leaves a negative
// size, so that a later paste does nothing.
void copy_selection() {
  int l = selL, u = selU, r = selR, d = selD;
  course_clip(map, l, u, r, d);
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
  if (!course_clip(map, l, u, r, d)) return;
  for (int x = l; x <= r; x++)
    for (int y = u; y <= d; y++) map.t[x][y] = sel[(x - l) * 256 + (y - u)];
}

// ---------------------------------------------------------------------------
// Keys and mouse

// Puts a corner of the selection (x, y) on the pointer's tile and shows
// the outline; nothing off the course.
static void set_corner(int &x, int &y) {
  if (!mouse_in()) return;
  x = mouse_tile_x();
  y = mouse_tile_y();
  selON = true;
}

// Keys of tile mode beside the shared ones: the scale, the attributes of
// the current tile, the selection and clipboard, and scrolling.
static void tile_key(int sc) {
  switch (sc) {
    case KEY_Z: set_scale(1); break;
    case KEY_A: set_scale(2); break;
    case KEY_Q: set_scale(4); break;
    case KEY_F1: case KEY_F2: case KEY_F3:
    case KEY_F4: case KEY_F5: case KEY_F6:
      tile_attr[CT] ^= 1 << (sc - KEY_F1);
      break;
    case KEY_F9: tile_attr[CT] = Dry; break;
    case KEY_OPENBRACE: set_corner(selL, selU); break;
    case KEY_CLOSEBRACE: set_corner(selR, selD); break;
    case KEY_SPACE: selON = false; break;
    case KEY_C: copy_selection(); break;
    case KEY_V: paste_selection(mouse_tile_x(), mouse_tile_y()); break;
    case KEY_LEFT: OX -= 16 * scale; break;
    case KEY_RIGHT: OX += 16 * scale; break;
    case KEY_UP: OY -= 16 * scale; break;
    case KEY_DOWN: OY += 16 * scale; break;
  }
}

// Keys of both modes: in tile mode, each adds an insertion of its kind at
// the pointer and selects it.
static void insertion_adding_key(int sc) {
  if (CI != -1) return;
  switch (sc) {
    case KEY_1: editor_add_insertion(COURSE_EDITOR, CODE_PLAYER1); break;
    case KEY_2: editor_add_insertion(COURSE_EDITOR, CODE_PLAYER2); break;
    case KEY_R: editor_add_insertion(COURSE_EDITOR, CODE_CAR); break;
    case KEY_K: editor_add_insertion(COURSE_EDITOR, CODE_BIKE); break;
    case KEY_O: editor_add_insertion(COURSE_EDITOR, CODE_BOAT); break;
    case KEY_P: editor_add_insertion(COURSE_EDITOR, CODE_ACCESS); break;
  }
}

// maped_may_leave
bool maped_may_leave() { return editor_may_leave(COURSE_EDITOR); }

// maped_key
bool maped_key(int k) { return editor_key(COURSE_EDITOR, k); }

// The left button: paints with CT, or with Ctrl adds an insertion with
// code 0 (tile mode only).
static void left_button() {
  bool ctrl = key[KEY_LCONTROL] || key[KEY_RCONTROL];
  if (CI >= 0) return;
  if (ctrl)
    editor_add_insertion(COURSE_EDITOR, 0);
  else if (mouse_in())
    map.t[mouse_tile_x()][mouse_tile_y()] = CT;
}

// maped_mouse
bool maped_mouse() { return editor_mouse(COURSE_EDITOR); }

// ---------------------------------------------------------------------------
// Drawing

static BITMAP *tile_picture(int t) {
  return (BITMAP *)D[OBJ_TILE0 + (t & 255)].dat;
}

// The visible tiles, scaled: 32, 16 or 8 pixels a tile.
static void draw_visible_tiles() {
  int x0 = OX / 32, x1 = (OX + view_w() * scale) / 32;
  int y0 = OY / 32, y1 = (OY + view_h() * scale) / 32;
  course_clip(map, x0, y0, x1, y1);
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
// The editor as the shared editor sees it

static void copy_attributes(unsigned char a[256]) { memcpy(a, tile_attr, 256); }
static void set_attributes(const unsigned char a[256]) { memcpy(tile_attr, a, 256); }

const Editor COURSE_EDITOR = {
    "course",       &map,           save_map,     try_load_map, copy_attributes, set_attributes,
    mouse_course_x, mouse_course_y, mouse_tile_x, mouse_tile_y,
    tile_key,       insertion_adding_key,         left_button,  draw_all,
};

// maped_main
// Runs the editor on path (or on the course in memory when path is null)
// until Esc. A file that cannot be opened leaves the course in memory to
// edit, under that name.
void maped_main(const char *path) {
  fprintf(fr, "Starting maped (%s)\n", path ? path : "(null)");
  init();
  if (path)
    editor_open(COURSE_EDITOR, path);
  else
    maped_name[0] = '\0';
  editor_start(COURSE_EDITOR);
  // The attribute table stays in memory between visits: changes given up
  // when the editor was last left still differ from "tileattr.wz".
  history_mark_attributes_from_file(ATTR_FILE_NAME);
  editor_loop(COURSE_EDITOR);
}
