// maped.cpp -- sideview_edit: the level editor of sideview and the "-four"
// tool that merges the credits pictures
#include "maped.h"

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
#include "click_latch.h"
#include "course_file.h"
#include "data_folder.h"
#include "edit_keys.h"
#include "log.h"
#include "status_note.h"
#include "tile.h"

int OX = 0, OY = 0;
BITMAP *buffer = nullptr;
PALETTE pal;

static const char *const PALETTE_FILE = "pallette.pcx";

// Palette slots of the editor's own marks: the background, the status text
// and the rings round insertions.
enum { COLOUR_BACKGROUND = 0, COLOUR_TEXT = 200, COLOUR_INSERTION = 211 };

static const char *const attr_names[5] = {"Solid-Top", "Solid-LRB", "Ladder", "Door",
                                          "Hurt"};

// The level editor as the shared editor sees it (defined below).
extern const Editor LEVEL_EDITOR;

// ---------------------------------------------------------------------------
// The Allegro-facing layer

// The window (or full screen) for pictures of w x h, enlarged as the
// desktop allows.
static bool allegro_gfx_mode(int w, int h) { return desktop_open(w, h, 8); }

bool (*maped_gfx_mode)(int, int) = allegro_gfx_mode;

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
bool mouse_in() { return editor_mouse_in(LEVEL_EDITOR); }

// The attribute bytes of the tile set as one table, and back.
static void attributes(unsigned char a[256]) {
  for (int i = 0; i < 256; i++) a[i] = tiles[i].attribute;
}

static void set_attributes(const unsigned char a[256]) {
  for (int i = 0; i < 256; i++) tiles[i].attribute = a[i];
}

// ---------------------------------------------------------------------------
// Keys and mouse

// Keys of tile mode beside the shared ones: the attributes of the current
// tile, and scrolling.
static void tile_key(int sc) {
  switch (sc) {
    case KEY_F1: case KEY_F2: case KEY_F3: case KEY_F4: case KEY_F5:
      tiles[CT].attribute ^= 1 << (sc - KEY_F1);
      break;
    case KEY_F8: tiles[CT].attribute = 0; break;
    case KEY_LEFT: OX -= 4; break;
    case KEY_RIGHT: OX += 4; break;
    case KEY_UP: OY -= 4; break;
    case KEY_DOWN: OY += 4; break;
  }
}

// F11 and F12: a screen of another size, or the one before if that can't
// be set.
static void mode_key(int w, int h) {
  if (set_video_mode(w, h)) return;
  char size[32];
  snprintf(size, sizeof size, "%d x %d", w, h);
  maped_alert("Couldn't set a screen of", size);
}

// Keys of both modes beside the shared ones: the two screen sizes.
static void screen_key(int sc) {
  switch (sc) {
    case KEY_F11: mode_key(320, 200); break;
    case KEY_F12: mode_key(640, 480); break;
  }
}

// maped_may_leave
bool maped_may_leave() { return editor_may_leave(LEVEL_EDITOR); }

// maped_key
bool maped_key(int k) { return editor_key(LEVEL_EDITOR, k); }

// The left button, on the level only and in tile mode: paints with CT, or
// with Ctrl adds an insertion with code 0.
static void left_button() {
  if (CI >= 0 || !mouse_in()) return;
  if (key[KEY_LCONTROL] || key[KEY_RCONTROL])
    editor_add_insertion(LEVEL_EDITOR, 0);
  else
    map.t[mouse_tile_x()][mouse_tile_y()] = CT;
}

// maped_mouse
bool maped_mouse() { return editor_mouse(LEVEL_EDITOR); }

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
  course_clip(map, x0, y0, x1, y1);
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

const Editor LEVEL_EDITOR = {
    "level",       &map,          save_map,     try_load_map, attributes, set_attributes,
    mouse_level_x, mouse_level_y, mouse_tile_x, mouse_tile_y,
    tile_key,      screen_key,    left_button,  draw_all,
};

// maped_start
void maped_start() {
  click_latch_clear();
  editor_start(LEVEL_EDITOR);
}

// maped_loop
void maped_loop() {
  maped_start();
  editor_loop(LEVEL_EDITOR);
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
