// display_options.cpp -- the command line the three programs share and the
// choice of the enlargement for a desktop
#include "display_options.h"

#include <cctype>
#include <cstring>

DisplayOptions display_options;

static const char SCALE_OPTION[] = "--scale";

// The argument is the scale option, with its value or without.
static bool is_scale_option(const char *arg) {
  size_t n = sizeof SCALE_OPTION - 1;
  return strncmp(arg, SCALE_OPTION, n) == 0 && (arg[n] == '\0' || arg[n] == '=');
}

// The scale written as text: a whole number from 1 to DISPLAY_MAX_SCALE in
// plain digits, or -1.
static int scale_value(const char *text) {
  if (!*text || strlen(text) > 3) return -1;
  int k = 0;
  for (const char *c = text; *c; c++) {
    if (!isdigit((unsigned char)*c)) return -1;
    k = k * 10 + (*c - '0');
  }
  return k >= 1 && k <= DISPLAY_MAX_SCALE ? k : -1;
}

// read_display_options
// A mistyped scale is never passed over in silence, not even one that a
// later option would replace.
DisplayOptions read_display_options(int argc, char **argv, const char *program,
                                    const char *env_name, const char *env_value) {
  DisplayOptions o;
  const char *chosen = nullptr;
  for (int i = 1; i < argc; i++) {
    const char *a = argv[i];
    if (strncmp(a, "--", 2) != 0) continue;
    if (strcmp(a, "--window") == 0) {
      o.fullscreen = false;
    } else if (strcmp(a, "--fullscreen") == 0) {
      o.fullscreen = true;
    } else if (strcmp(a, "--help") == 0) {
      o.help = true;
    } else if (is_scale_option(a)) {
      const char *eq = strchr(a, '=');
      if (!eq || scale_value(eq + 1) < 0) {
        if (o.error.empty())
          o.error = std::string(program) + ": bad option \"" + a +
                    "\": the scale is a whole number from 1 to 8, as in --scale=2";
        continue;
      }
      chosen = eq + 1;
    } else {
      o.unknown.push_back(a);
    }
  }
  if (chosen) {
    o.scale = scale_value(chosen);
  } else if (env_name && env_value && *env_value) {
    o.scale = scale_value(env_value);
    if (o.scale < 0) {
      o.scale = 0;
      if (o.error.empty())
        o.error = std::string(program) + ": bad " + env_name + "=\"" + env_value +
                  "\": the scale is a whole number from 1 to 8, as in " + env_name + "=2";
    }
  }
  return o;
}

// display_scale_for
int display_scale_for(int pic_w, int pic_h, int desk_w, int desk_h, bool windowed) {
  if (pic_w <= 0 || pic_h <= 0) return 1;
  // Nine tenths of the height in a window, in whole pixels: k h <= 0.9 H.
  long room = windowed ? (long)desk_h * 9 / 10 : desk_h;
  int k = 1;
  while (k < DISPLAY_MAX_SCALE && (long)pic_w * (k + 1) <= desk_w && (long)pic_h * (k + 1) <= room)
    k++;
  return k;
}

// display_fit_scale
// An unknown desktop (0 x 0) takes the factor asked for as it is.
int display_fit_scale(int wanted, int pic_w, int pic_h, int desk_w, int desk_h, bool windowed,
                      const char *program, std::string &note) {
  note.clear();
  bool known = desk_w > 0 && desk_h > 0;
  if (wanted < 1 || wanted > DISPLAY_MAX_SCALE)
    return known ? display_scale_for(pic_w, pic_h, desk_w, desk_h, windowed) : 1;
  if (!known) return wanted;
  int most = display_scale_for(pic_w, pic_h, desk_w, desk_h, windowed);
  if (wanted <= most) return wanted;
  char line[256];
  snprintf(line, sizeof line,
           "%s: --scale=%d makes a %dx%d %s, larger than the %dx%d desktop; using --scale=%d",
           program, wanted, pic_w * wanted, pic_h * wanted, windowed ? "window" : "screen",
           desk_w, desk_h, most);
  note = line;
  return most;
}

static const char SHARED_HELP[] =
    "  --window      show the picture in a window (the default)\n"
    "  --fullscreen  show it over the whole screen, black around it\n"
    "  --scale=N     show every pixel N times larger (1 to 8); by default as large\n"
    "                as the desktop has room for\n"
    "  --help        show this help and end\n"
    "Alt+Enter switches between the window and the full screen at any moment.\n";

// take_display_options
int take_display_options(int argc, char **argv, const char *program, const char *usage,
                         FILE *out, FILE *err, const char *env_name, const char *env_value) {
  DisplayOptions o = read_display_options(argc, argv, program, env_name, env_value);
  if (o.help) {
    fprintf(out, "%s%s", usage, SHARED_HELP);
    return 0;
  }
  if (!o.error.empty()) {
    fprintf(err, "%s\n", o.error.c_str());
    return 1;
  }
  for (const std::string &u : o.unknown)
    fprintf(err, "%s: unknown option \"%s\" (%s --help lists the options)\n", program, u.c_str(),
            program);
  display_options = o;
  return -1;
}
