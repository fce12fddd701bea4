// desktop.h -- the programs' window on the desktop: the picture drawn at its
// own size and shown k times larger in a window or over the whole screen,
// Alt+Enter (and F11 where a program leaves it free) to switch between the
// two, the pointer drawn and read through the same scale, dialogs shown
// enlarged, and the window's close button.
//
// A program draws each picture into a bitmap of its own size and hands it
// to desktop_present; it never draws on the screen itself. The screen's
// colour depth is the picture's, so a picture at k = 1 is shown exactly as
// a plain blit would show it, and at any k with the same colours.
//
// The options come from display_options (display_options.h). Without a
// display, desktop_open_headless shows the frames on a memory bitmap.
#ifndef DESKTOP_H
#define DESKTOP_H

#include <allegro.h>

// At start-up, after install_keyboard: the window's title, the close
// button, and the keys that switch between window and full screen (Alt+Enter,
// and F11 too when f11 is true). Those keys never reach the program's key
// buffer.
void desktop_setup(const char *title, bool f11);

// Sets the screen for pictures of w x h at depth bits: a window or the full
// screen as the options (or the last switch) say, with k as large as the
// desktop allows, or as --scale asks if that fits. Called again with
// another size (an editor's modes), it keeps to window or full screen.
// False, with allegro_error set, if no mode at all could be set.
bool desktop_open(int w, int h, int depth);

// The same without a display: frames are shown on a memory bitmap k times
// the picture's size (desktop_target), as in tests and benchmarks.
bool desktop_open_headless(int w, int h, int depth, int k);

// Frees the headless stand-in and the presenter's bitmaps.
void desktop_shut();

// Where frames are shown: the screen, the headless stand-in, or null.
BITMAP *desktop_target();

// The factor in use, and whether the picture fills the whole screen.
int desktop_scale();
bool desktop_fullscreen();

// Shows a picture of the size opened, with the pointer when it is on.
void desktop_present(BITMAP *picture);

// Sets the palette of an 8-bit screen and keeps it for new screen modes.
void desktop_set_palette(const PALETTE p);

// Draws the mouse pointer into every frame (the editors) or not.
void desktop_show_pointer(bool on);

// The pointer's position in picture pixels: the screen's pointer through
// the factor and the picture's place, kept on the picture.
int desktop_mouse_x();
int desktop_mouse_y();

// Carries out a switch asked for by Alt+Enter or F11 since the last call,
// and shows the last frame on the new screen. Every loop that waits calls
// it; while a dialog is open the switch waits for its end. Also draws again
// what another window uncovered. True if the screen changed.
bool desktop_poll();

// Switches between window and full screen now. False (and the screen as
// it was) if the new mode can't be set.
bool desktop_switch();

// The close button: whether it has been pressed and not yet refused. The
// callback only sets the flag; the program's loops read it and leave as on
// Esc. A program that asked and was told to stay calls desktop_close_refused.
bool desktop_close_requested();
void desktop_close_refused();

// Waits for a key, as readkey, while honouring switches; 0 when the close
// button is pressed first. For menus that wait for the next key.
int desktop_readkey();

// Dialogs (alert, file_select_ex, do_dialog ...) run between these two are
// drawn over the last frame, at the picture's size, shown enlarged with the
// pointer, and read the mouse through the scale. They nest. While one is
// open, a switch waits and a press of the close button is the dialog's.
void desktop_dialog_begin();
void desktop_dialog_end();

// Runs call() (a dialog) between desktop_dialog_begin and _end and returns
// what it returns: int r = desktop_dialog([&] { return alert(...); });
struct DesktopDialog {
  DesktopDialog() { desktop_dialog_begin(); }
  ~DesktopDialog() { desktop_dialog_end(); }
  DesktopDialog(const DesktopDialog &) = delete;
  DesktopDialog &operator=(const DesktopDialog &) = delete;
};
template <class Call>
auto desktop_dialog(Call call) -> decltype(call()) {
  DesktopDialog open;
  return call();
}

// Asks the window manager to show the window over the whole screen or not
// (desktop_x11.cpp); nothing happens without one.
void desktop_ask_fullscreen(bool on);

#endif
