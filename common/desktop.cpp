// desktop.cpp -- the programs' window: screen modes, window and full
// screen, the pointer, dialogs, the close button
#include "desktop.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "display_options.h"
#include "present.h"
#include "quiet_wait.h"

// What the program said at start-up.
static std::string title = "program";
static bool switch_by_f11;

// The pictures shown: their size and depth; whether the screen (or the
// headless stand-in) is set; window or full screen.
static int pic_w, pic_h, pic_depth;
static bool opened, full;
static BITMAP *stand_in;

// The palette of an 8-bit screen, set again after every new mode.
static PALETTE palette;
static bool have_palette;

// The pointer: Allegro's own arrow, kept at the screen's depth and drawn
// into the frames by the presenter, and a blank sprite that Allegro draws
// wherever it shows the mouse itself (the dialogs), so that only the one
// at the right scale is seen.
static bool pointer_on;
static BITMAP *arrow, *blank;
static int arrow_fx, arrow_fy;

// Set on Allegro's input thread, read on the program's own.
static std::atomic<bool> switch_wanted, close_wanted;

// Open dialogs: how deep, the picture they are drawn on, and what their
// opening changed.
static int dialog_depth;
static BITMAP *canvas;
static bool close_before_dialog, pointer_before_dialog;
static int (*old_mouse_x)(), (*old_mouse_y)(), (*old_mouse_b)();
static int old_driver_w, old_driver_h;
static std::chrono::steady_clock::time_point dialog_shown;

// How often a dialog's picture is shown while it is open, how long a pass
// of a dialog's loop rests, and how long a menu waiting for a key rests
// between looks.
enum { DIALOG_FRAME_MS = 20, DIALOG_REST_MS = 4, KEY_WAIT_MS = 10 };

// ---------------------------------------------------------------------------
// Keys and the close button (Allegro's input thread)

// Whether Enter and F11 are down, to switch once per press, not on repeats.
static volatile bool enter_down, f11_down;

static bool alt_held() { return key[KEY_ALT] || key[KEY_ALTGR]; }

// Every press and release: Alt+Enter, and F11 where it is the program's
// switch, ask for a switch.
static void key_edge(int scancode) {
  bool up = scancode & 0x80;
  int sc = scancode & 0x7F;
  if (sc == KEY_ENTER || sc == KEY_ENTER_PAD) {
    if (!up && !enter_down && alt_held()) switch_wanted = true;
    enter_down = !up;
  } else if (sc == KEY_F11 && switch_by_f11) {
    if (!up && !f11_down) switch_wanted = true;
    f11_down = !up;
  }
}
END_OF_STATIC_FUNCTION(key_edge)

// Every key on its way to the key buffer: the switching keys are dropped,
// so a menu never takes Alt+Enter for Enter.
static int key_filter(int k) {
  int sc = k >> 8;
  if ((sc == KEY_ENTER || sc == KEY_ENTER_PAD) && alt_held()) return 0;
  if (sc == KEY_F11 && switch_by_f11) return 0;
  return k;
}
END_OF_STATIC_FUNCTION(key_filter)

static void close_pressed() { close_wanted = true; }
END_OF_STATIC_FUNCTION(close_pressed)

// desktop_setup
void desktop_setup(const char *name, bool f11) {
  title = name;
  switch_by_f11 = f11;
  set_window_title(name);
  LOCK_FUNCTION(key_edge);
  LOCK_FUNCTION(key_filter);
  LOCK_FUNCTION(close_pressed);
  keyboard_lowlevel_callback = key_edge;
  keyboard_callback = key_filter;
  set_close_button_callback(close_pressed);
}

bool desktop_close_requested() { return close_wanted; }
void desktop_close_refused() { close_wanted = false; }

// ---------------------------------------------------------------------------
// Screen modes

// Black, or on an 8-bit screen the darkest colour of its palette (makecol
// never picks slot 0, which is black in many palettes).
static int black() {
  if (bitmap_color_depth(screen) != 8) return makecol(0, 0, 0);
  PALETTE p;
  get_palette(p);
  int best = 0;
  for (int i = 1; i < 256; i++)
    if (p[i].r + p[i].g + p[i].b < p[best].r + p[best].g + p[best].b) best = i;
  return best;
}

// Black around the picture of a full screen.
static void clear_borders() {
  if (!opened || stand_in || !screen) return;
  int k = present_scale(), x0 = present_left(), y0 = present_top();
  int x1 = x0 + k * pic_w, y1 = y0 + k * pic_h, black = ::black();
  if (y0 > 0) rectfill(screen, 0, 0, SCREEN_W - 1, y0 - 1, black);
  if (y1 < SCREEN_H) rectfill(screen, 0, y1, SCREEN_W - 1, SCREEN_H - 1, black);
  if (x0 > 0) rectfill(screen, 0, y0, x0 - 1, y1 - 1, black);
  if (x1 < SCREEN_W) rectfill(screen, x1, y0, SCREEN_W - 1, y1 - 1, black);
}

// Notes the pictures now shown, on a screen or its headless stand-in.
static void picture_opened(int w, int h, int depth, bool fullscreen) {
  pic_w = w;
  pic_h = h;
  pic_depth = depth;
  full = fullscreen;
  opened = true;
}

// One attempt at a screen for pictures of w x h at depth, full or in a
// window, with everything a new mode resets set again. The desktop's size
// is read before the mode is set; it is 0 x 0 where it is not known.
static bool set_mode(int w, int h, int depth, bool fullscreen) {
  int dw = 0, dh = 0;
  if (get_desktop_resolution(&dw, &dh) != 0 || dw <= 0 || dh <= 0) dw = dh = 0;
  std::string note;
  int k = display_fit_scale(display_options.scale, w, h, dw, dh, !fullscreen, title.c_str(), note);
  static bool told;  // the player hears of a lowered --scale once, not at every switch
  if (!note.empty() && !told) {
    fprintf(stderr, "%s\n", note.c_str());
    told = true;
  }
  // A switch between window and full screen keeps the dialogs' colours;
  // a first mode, or one of another depth, takes the library's own for it
  // (black on white), as a plain set_gfx_mode does.
  bool keep_colours = opened && depth == pic_depth;
  int fg = gui_fg_color, bg = gui_bg_color, mg = gui_mg_color;
  present_let_go();
  set_color_depth(depth);
  bool ok = false;
  if (fullscreen) {
    // A window as large as the desktop, shown full by the window manager;
    // Allegro's own full screen where there is no such window.
    int sw = dw ? dw : k * w, sh = dh ? dh : k * h;
    ok = set_gfx_mode(GFX_AUTODETECT_WINDOWED, sw, sh, 0, 0) == 0 ||
         set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, sw, sh, 0, 0) == 0;
  } else {
    // The window at k, or smaller if the system refuses it; a full-screen
    // mode of the picture's size where there are no windows at all.
    for (; k >= 1 && !ok; k--) ok = set_gfx_mode(GFX_AUTODETECT_WINDOWED, k * w, k * h, 0, 0) == 0;
    k++;
    if (!ok) ok = set_gfx_mode(GFX_AUTODETECT, w, h, 0, 0) == 0;
  }
  if (!ok) return false;
  if (keep_colours) {
    gui_fg_color = fg;
    gui_bg_color = bg;
    gui_mg_color = mg;
  }
  if (k * w > SCREEN_W || k * h > SCREEN_H) k = 1;
  if (!present_start(screen, w, h, depth, k, (SCREEN_W - k * w) / 2, (SCREEN_H - k * h) / 2))
    return false;
  picture_opened(w, h, depth, fullscreen);
  desktop_ask_fullscreen(fullscreen);
  set_close_button_callback(close_pressed);
  if (have_palette && depth == 8) set_palette(palette);
  if (blank) set_mouse_sprite(blank);
  clear_to_color(screen, black());
  return true;
}

// desktop_open
// The first screen is a window unless --fullscreen is given; a full screen
// that can't be set falls back to a window.
bool desktop_open(int w, int h, int depth) {
  if (stand_in) desktop_shut();
  bool fullscreen = opened ? full : display_options.fullscreen;
  if (set_mode(w, h, depth, fullscreen)) return true;
  return fullscreen && set_mode(w, h, depth, false);
}

// desktop_open_headless
bool desktop_open_headless(int w, int h, int depth, int k) {
  desktop_shut();
  if (k < 1) k = 1;
  stand_in = create_bitmap_ex(depth, w * k, h * k);
  if (!stand_in) return false;
  clear_to_color(stand_in, 0);
  if (!present_start(stand_in, w, h, depth, k, 0, 0)) {
    desktop_shut();
    return false;
  }
  picture_opened(w, h, depth, false);
  return true;
}

// desktop_shut
void desktop_shut() {
  present_stop();
  if (stand_in) destroy_bitmap(stand_in);
  stand_in = nullptr;
  opened = false;
}

BITMAP *desktop_target() { return !opened ? nullptr : stand_in ? stand_in : screen; }
int desktop_scale() { return opened ? present_scale() : 1; }
bool desktop_fullscreen() { return opened && full; }

// desktop_switch
// The last frame is shown again on the new screen; timers, sound and the
// program's own state are untouched by a new mode.
bool desktop_switch() {
  if (!opened || stand_in) return false;
  bool was = full;
  if (!set_mode(pic_w, pic_h, pic_depth, !was)) {
    if (!set_mode(pic_w, pic_h, pic_depth, was)) return false;
    clear_borders();
    present_again();
    return false;
  }
  clear_borders();
  present_again();
  // Key releases that came while the window was made anew went to the old
  // one: the switching keys count as up again, so that a later Enter is
  // not taken for another Alt+Enter.
  key[KEY_ALT] = key[KEY_ALTGR] = key[KEY_ENTER] = key[KEY_ENTER_PAD] = key[KEY_F11] = 0;
  enter_down = f11_down = false;
  return true;
}

// desktop_poll
// Also draws again what another window uncovered: where the X server
// enlarges the picture, nothing else would until the next frame.
bool desktop_poll() {
  present_tend();
  if (dialog_depth > 0 || !switch_wanted) return false;
  switch_wanted = false;
  return desktop_switch();
}

// desktop_readkey
int desktop_readkey() {
  for (;;) {
    if (keypressed()) return readkey();
    if (close_wanted) return 0;
    desktop_poll();
    quiet_rest(KEY_WAIT_MS);
  }
}

// desktop_set_palette
void desktop_set_palette(const PALETTE p) {
  memcpy(palette, p, sizeof(PALETTE));
  have_palette = true;
  if (opened && !stand_in) {
    set_palette(palette);
    clear_borders();
  }
}

// ---------------------------------------------------------------------------
// The pointer and the picture

// Takes Allegro's arrow for the frames and gives Allegro a blank one, once
// the mouse is there.
static void take_pointer() {
  if (arrow || !mouse_driver || !opened || stand_in) return;
  set_mouse_sprite(nullptr);
  if (!mouse_sprite) return;
  arrow = create_bitmap_ex(bitmap_color_depth(mouse_sprite), mouse_sprite->w, mouse_sprite->h);
  blank = create_bitmap_ex(pic_depth, 1, 1);
  if (!arrow || !blank) return;
  blit(mouse_sprite, arrow, 0, 0, 0, 0, arrow->w, arrow->h);
  arrow_fx = mouse_x_focus;
  arrow_fy = mouse_y_focus;
  clear_to_color(blank, bitmap_mask_color(blank));
  set_mouse_sprite(blank);
}

void desktop_show_pointer(bool on) {
  pointer_on = on;
  if (on) take_pointer();
}

// desktop_mouse_x / _y
// Before any screen is set the pointer is taken as it is.
int desktop_mouse_x() {
  int w = present_width();
  if (w <= 0) return mouse_x;
  int x = (mouse_x - present_left()) / present_scale();
  return mouse_x < present_left() ? 0 : x >= w ? w - 1 : x;
}

int desktop_mouse_y() {
  int h = present_height();
  if (h <= 0) return mouse_y;
  int y = (mouse_y - present_top()) / present_scale();
  return mouse_y < present_top() ? 0 : y >= h ? h - 1 : y;
}

// desktop_present
void desktop_present(BITMAP *picture) {
  if (!opened) return;
  bool pointer = pointer_on && arrow;
  present_frame(picture, pointer ? arrow : nullptr, arrow_fx, arrow_fy, desktop_mouse_x(),
                desktop_mouse_y());
}

// ---------------------------------------------------------------------------
// Dialogs
//
// Allegro's dialogs draw on gui_get_screen() and centre themselves on
// SCREEN_W x SCREEN_H. While one is open, it draws on a picture-sized copy
// of the last frame, the graphics driver reports the picture's size, and
// the GUI's mouse hooks read the pointer through the scale. The dialog
// loop calls those hooks all the time, so they also show its picture every
// DIALOG_FRAME_MS, on the program's own thread (no other thread ever
// draws), and rest a moment on each pass instead of spinning.

static void show_dialog_picture() {
  auto now = std::chrono::steady_clock::now();
  if (now - dialog_shown < std::chrono::milliseconds(DIALOG_FRAME_MS)) return;
  dialog_shown = now;
  desktop_present(canvas);
}

static int dialog_mouse_x() {
  show_dialog_picture();
  return desktop_mouse_x();
}

static int dialog_mouse_y() { return desktop_mouse_y(); }

static int dialog_mouse_b() {
  desktop_poll();
  quiet_rest(DIALOG_REST_MS);
  return mouse_b;
}

// desktop_dialog_begin
// Without a screen (tests with stand-ins for the dialogs) only the
// counting and the close flag are kept.
void desktop_dialog_begin() {
  if (dialog_depth++ > 0) return;
  close_before_dialog = close_wanted;
  if (!opened || stand_in) return;
  canvas = create_bitmap_ex(pic_depth, pic_w, pic_h);
  if (!canvas) return;
  if (!present_last(canvas)) clear_to_color(canvas, 0);
  take_pointer();
  pointer_before_dialog = pointer_on;
  pointer_on = true;
  old_mouse_x = gui_mouse_x;
  old_mouse_y = gui_mouse_y;
  old_mouse_b = gui_mouse_b;
  gui_mouse_x = dialog_mouse_x;
  gui_mouse_y = dialog_mouse_y;
  gui_mouse_b = dialog_mouse_b;
  gui_set_screen(canvas);
  if (gfx_driver) {
    old_driver_w = gfx_driver->w;
    old_driver_h = gfx_driver->h;
    gfx_driver->w = pic_w;
    gfx_driver->h = pic_h;
  }
  dialog_shown = std::chrono::steady_clock::now() - std::chrono::milliseconds(DIALOG_FRAME_MS);
}

// desktop_dialog_end
// The picture as the dialog left it is shown once more; a press of the
// close button made while the dialog was open was answered by the dialog.
void desktop_dialog_end() {
  if (dialog_depth <= 0 || --dialog_depth > 0) return;
  if (!close_before_dialog) close_wanted = false;
  if (!canvas) return;
  if (gfx_driver) {
    gfx_driver->w = old_driver_w;
    gfx_driver->h = old_driver_h;
  }
  gui_set_screen(nullptr);
  gui_mouse_x = old_mouse_x;
  gui_mouse_y = old_mouse_y;
  gui_mouse_b = old_mouse_b;
  pointer_on = pointer_before_dialog;
  desktop_present(canvas);
  show_mouse(nullptr);  // the GUI may have left Allegro's own on the canvas
  destroy_bitmap(canvas);
  canvas = nullptr;
}
