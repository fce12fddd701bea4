// display_options.h -- the command line the three programs share (window or
// full screen, how many times the picture is enlarged, help) and the choice
// of that factor for a desktop
//
// Every program draws its picture at its own size and shows each pixel as a
// k x k block. This part needs no display: it reads the options and works
// out k; the Allegro-facing side that sets the screen is desktop.h.
#ifndef DISPLAY_OPTIONS_H
#define DISPLAY_OPTIONS_H

#include <cstdio>
#include <string>
#include <vector>

enum { DISPLAY_MAX_SCALE = 8 };

// What the command line asks of the display.
struct DisplayOptions {
  bool fullscreen = false;  // --fullscreen; --window (the default) turns it off
  int scale = 0;            // --scale=N, 1 ... 8; 0: as large as the desktop allows
  bool help = false;        // --help
  std::vector<std::string> unknown;  // other arguments starting with "--"
  std::string error;        // a bad scale, said for the player; empty if none
};

// The options in force: set by take_display_options, read when the screen
// is set. A program that takes no command line gets the defaults.
extern DisplayOptions display_options;

// Reads argv[1 ...]: "--window", "--fullscreen" (the last of the two wins),
// "--scale=N" (the last wins, but every one must be sound) and "--help".
// Arguments not starting with "--" are left to the program. When no
// --scale is given, env_value (the value of the variable env_name, null or
// empty when unset) may name the scale. program names the messages.
DisplayOptions read_display_options(int argc, char **argv, const char *program,
                                    const char *env_name = nullptr,
                                    const char *env_value = nullptr);

// The largest k (1 ... DISPLAY_MAX_SCALE) for which a picture of pic_w x
// pic_h enlarged k times fits a desktop of desk_w x desk_h: the whole
// desktop for a full screen; in a window its whole width but only nine
// tenths of its height, for the window's frame and the desktop's panels.
// 1 when even that does not fit, or the desktop's size is not known (0).
int display_scale_for(int pic_w, int pic_h, int desk_w, int desk_h, bool windowed);

// The factor to use when wanted (0: the largest that fits) is asked for: a
// factor too large for the desktop is lowered to the largest that fits,
// and note then holds one line saying so (else it is left empty).
int display_fit_scale(int wanted, int pic_w, int pic_h, int desk_w, int desk_h,
                      bool windowed, const char *program, std::string &note);

// Takes the command line for program: with --help, writes usage (the
// program's own lines) and the shared options to out and returns 0; a bad
// scale is written to err and returns 1; each unknown "--" option gets one
// line on err naming it and pointing to --help, and the options are stored
// in display_options: -1, the program goes on.
int take_display_options(int argc, char **argv, const char *program, const char *usage,
                         FILE *out, FILE *err, const char *env_name = nullptr,
                         const char *env_value = nullptr);

#endif
