// share.h -- start-up, shared resources, the course store and tile drawing
#ifndef SHARE_H
#define SHARE_H

#include <allegro.h>
#include <cstdio>
#include <string>

#include "course_file.h"
#include "log.h"

// Tile attribute bits (tile_attr).
enum {
  NoWalk = 0x01,
  Dry = 0x02,
  Ice = 0x04,
  Slow = 0x08,
  Restricted = 0x10,
  Sharp = 0x20,
};

// The picture the program draws, whatever size the window shows it at.
enum { PICTURE_W = 640, PICTURE_H = 480 };

// The finish tile: reaching it ends a player's clock.
enum { FINISH_TILE = 240 };

// Datafile object indices.
enum {
  OBJ_SHOT_AU = 1,
  OBJ_WALKER = 2,
  OBJ_WALKER_STEP_LATE = 3,
  OBJ_WALKER_STEP_EARLY = 4,
  OBJ_WALKER_RIDING = 5,
  OBJ_SHOT_US = 6,
  OBJ_BOAT = 7,
  OBJ_CAR = 8,
  OBJ_BIKE_EMPTY = 9,
  OBJ_BIKE = 10,
  OBJ_WHIRL = 11,
  OBJ_ITEM_PASS = 12,
  OBJ_ITEM_2 = 13,
  OBJ_ITEM_1 = 14,
  OBJ_FONT = 15,
  OBJ_TITLE = 17,
  OBJ_MUSIC = 19,
  OBJ_TILE0 = 21,
  N_OBJECTS = 277,
};

extern DATAFILE *D;     // "data.dat"
extern BITMAP *buf;     // off-screen composition bitmap, the picture's size
extern int col_red, col_blue, col_white, col_green, col_black, col_yellow,
    col_cyan, col_magenta, col_grey, col_gold;

extern Map map;                   // the one course in memory
extern unsigned char tile_attr[256];
extern int n_maps;                // consecutive course files m01.map ...
extern int OX, OY;                // course pixel at the top-left of buf

// Course store.
void tiles_init();
void load_map(const char *name);      // ends the program if name can't be opened
bool try_load_map(const char *name);  // false (course kept, log line ended) instead
// The course in memory replaced by the file name as far as it can be read
// (kept when it can't be opened: the log line is written and ended).
CourseRead read_map(const char *name);
SaveResult save_map(const char *name);  // SAVE_DONE, or how far it got
void insert_row(int r);
void delete_row(int r);
void insert_column(int c);
void delete_column(int c);
void count_maps();

// Tile drawing through the view origin.
void draw_tile(int x, int y);
void draw_tiles();

// Start-up and shut-down.
void share_init();
void share_cleanup();

// Sets the ten shared colours with makecol for the current colour depth.
void make_colours();

// Checks that a loaded datafile has every object the program uses, with the
// right type. Returns nullptr when it is fine, else a description.
const char *check_datafile(DATAFILE *d);

// Checks the bytes of a whole datafile before Allegro may read them: the
// header, every object's properties, kind and lengths, the contents of
// pictures, fonts and tunes as far as the loader and the MIDI player act on
// them, and the object count and kinds this program needs. Returns "" for
// a sound file, else what is wrong with it.
std::string datafile_damage(const unsigned char *data, size_t size);

// Reads the file name, checks it with datafile_damage and only then loads
// it with Allegro. Null when it can't: why is "" if the file can't be
// opened, else what is wrong with it.
DATAFILE *load_checked_datafile(const char *name, std::string &why);

#endif
