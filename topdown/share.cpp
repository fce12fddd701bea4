// share.cpp -- start-up, shared resources, the course store and tile drawing
#include "share.h"

#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

#include "controls.h"
#include "data_folder.h"
#include "pause_hook.h"
#include "quiet_sound.h"
#include "desktop.h"

DATAFILE *D;
BITMAP *buf;
int col_red, col_blue, col_white, col_green, col_black, col_yellow, col_cyan,
    col_magenta, col_grey, col_gold;

Map map;
unsigned char tile_attr[256];
int n_maps;
int OX, OY;

static const char *ATTR_FILE = "tileattr.wz";

// ---------------------------------------------------------------------------
// Course store

// tiles_init
// Reads the attribute table and sets up the default course.
void tiles_init() {
  int got = attr_read(ATTR_FILE, tile_attr);
  if (got < 256 && fr)
    fprintf(fr, "\"%s\" holds %d of 256 bytes; the rest are 0\n", ATTR_FILE,
            got < 0 ? 0 : got);
  course_default(map);
}

// Reads the course file name into map; false if it can't be opened.
static bool read_course_file(const char *name) {
  FILE *f = fopen(name, "rb");
  if (!f) return false;
  course_read(f, map);
  fclose(f);
  return true;
}

// try_load_map
// Replaces the course in memory by the file name; on failure logs the
// standard line and keeps the course. The program goes on, so the line is
// ended for whatever the log says next.
bool try_load_map(const char *name) {
  if (read_course_file(name)) return true;
  log_open_failure(name);
  if (fr) fputc('\n', fr);
  return false;
}

// read_map
CourseRead read_map(const char *name) {
  CourseRead got = course_load_whole(name, map);
  if (got == COURSE_UNOPENED) {
    log_open_failure(name);
    if (fr) fputc('\n', fr);
  }
  return got;
}

// load_map
// Replaces the course in memory by the file name; a file that can't be
// opened ends the program after the standard log line.
void load_map(const char *name) {
  if (!read_course_file(name)) fail_open(name);
}

// save_map
// Writes the course, then the attribute table; neither replaces its old
// file unless it was written whole.
SaveResult save_map(const char *name) { return course_save(name, map, tile_attr, ATTR_FILE); }

void insert_row(int r) { course_insert_row(map, r); }
void delete_row(int r) { course_delete_row(map, r); }
void insert_column(int c) { course_insert_column(map, c); }
void delete_column(int c) { course_delete_column(map, c); }

// count_maps
// n_maps = length of the unbroken run m01.map, m02.map, ... (at most 99).
void count_maps() {
  n_maps = 0;
  for (int i = 1; i <= 99; i++) {
    char name[16];
    snprintf(name, sizeof name, "m%02d.map", i);
    if (!exists(name)) break;
    n_maps = i;
  }
}

// ---------------------------------------------------------------------------
// Tile drawing

// draw_tile
// Draws cell (x, y) into buf through the view origin, if it is on the course.
void draw_tile(int x, int y) {
  if (x < 0 || x >= map.w || y < 0 || y >= map.h) return;
  draw_sprite(buf, (BITMAP *)D[OBJ_TILE0 + map.t[x][y]].dat, 32 * x - OX,
              32 * y - OY);
}

// draw_tiles
// Draws every cell that can overlap buf; the extra column and row on the
// top-left cover negative and unaligned origins (division truncates).
void draw_tiles() {
  int x0 = OX / 32 - 1, x1 = (buf->w + OX) / 32;
  int y0 = OY / 32 - 1, y1 = (buf->h + OY) / 32;
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) draw_tile(x, y);
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

void make_colours() {
  col_red = makecol(255, 0, 0);
  col_white = makecol(255, 255, 255);
  col_black = makecol(0, 0, 0);
  col_green = makecol(0, 255, 0);
  col_blue = makecol(0, 0, 255);
  col_cyan = makecol(0, 255, 255);
  col_magenta = makecol(255, 0, 255);
  col_yellow = makecol(255, 255, 0);
  col_grey = makecol(128, 128, 128);
  col_gold = makecol(128, 64, 0);
}

const char *check_datafile(DATAFILE *d) {
  static char msg[128];
  int n = 0;
  while (d[n].type != DAT_END) n++;
  if (n < N_OBJECTS) {
    snprintf(msg, sizeof msg, "it holds %d objects, %d needed", n, N_OBJECTS);
    return msg;
  }
  for (int i = 1; i < N_OBJECTS; i++) {
    int want = DAT_BITMAP;
    if (i == 0 || i == 16 || i == 18 || i == 20) continue;
    if (i == OBJ_FONT) want = DAT_FONT;
    if (i == OBJ_MUSIC) want = DAT_MIDI;
    if (d[i].type != want) {
      snprintf(msg, sizeof msg, "object %d has the wrong type", i);
      return msg;
    }
  }
  return nullptr;
}

// Points Allegro's software MIDI synthesiser at the instrument patches the
// build puts beside the program, when they are there. Through the override
// settings, which Allegro never writes back: a setting changed in its
// ordinary configuration is saved at exit as "allegro.cfg" in the
// program's folder, which may be an install's.
static void use_local_patches() {
  if (!exists("patches/default.cfg")) return;
  char *cwd = getcwd(nullptr, 0);
  if (!cwd) return;
  std::string settings = "[sound]\npatches = " + std::string(cwd) + "/patches/\n";
  free(cwd);
  override_config_data(settings.c_str(), (int)settings.size());
}

// share_init
// Finds the folder with the program's files and opens the log there, then
// brings up Allegro, the window (or full screen) showing the 640x480
// picture enlarged, the datafile and its music, the course store and the
// colours. Anything missing ends the program with a message
// (status 1).
void share_init() {
  start_in_data_folder("topdown", {"data.dat"});
  srand(time(NULL));
  if (allegro_init() != 0) fail("Couldn't start Allegro (is there a display?)");
  if (install_timer() != 0) fail("Couldn't install the timer");
  if (install_keyboard() != 0) fail("Couldn't install the keyboard");
  desktop_setup("topdown", true);
  printf("Initialising joystick...");
  install_joystick(JOY_TYPE_AUTODETECT);
  printf(" done.\n");
  controls_init();
  reserve_voices(4, 4);
  use_local_patches();
  if (install_sound_quietly(DIGI_AUTODETECT, MIDI_AUTODETECT) != 0)
    install_sound_quietly(DIGI_AUTODETECT, MIDI_NONE);
  report_sound();
  if (!desktop_open(PICTURE_W, PICTURE_H, 16))
    fail("Couldn't set the 640x480 16-bit graphics mode: %s", allegro_error);
  hold_watch_focus();
  buf = create_bitmap(PICTURE_W, PICTURE_H);
  if (!buf) fail("Couldn't create the composition bitmap");
  std::string why;
  D = load_checked_datafile("data.dat", why);
  if (!D && why.empty()) fail("Couldn't open file \"data.dat\"");
  if (!D) fail("data.dat is damaged: %s", why.c_str());
  if (const char *wrong = check_datafile(D)) fail("data.dat is damaged: %s", wrong);
  play_midi((MIDI *)D[OBJ_MUSIC].dat, TRUE);
  midi_seek(rand() % 880 + 2);
  tiles_init();
  count_maps();
  make_colours();
}

// share_cleanup
void share_cleanup() {
  fclose(fr);
  fr = nullptr;
  destroy_bitmap(buf);
  buf = nullptr;
  unload_datafile(D);
  D = nullptr;
}
