// tile.h -- the level store of sideview: the level map, the tile set (an
// attribute byte and a 16x16 picture per tile index), and loading, saving
// and reshaping levels. sideview_edit links it unchanged.
#ifndef TILE_H
#define TILE_H

#include "bmp.h"
#include "course_file.h"

enum { TILE_SIZE = 16, N_TILE_PICTURES = 64 };

// Tile attribute bits.
enum {
  SOLID_TOP = 0x01,  // blocks downward movement only
  SOLID_LRB = 0x02,  // blocks leftward, rightward and upward movement
  LADDER = 0x04,     // climbable where an object's centre is
  DOOR = 0x08,       // Up here leaves the level
  HURT = 0x10,       // hurts an object whose centre is here
  SOLID = SOLID_TOP | SOLID_LRB,
};

struct tile {
  unsigned char attribute;
  bmp *bitmap;  // 16x16 colour codes, or null (drawn as tile 0)
};

extern Map map;          // the level in memory
extern tile tiles[256];  // the tile set

// Reads "tileattr.wz" and cuts the 64 pictures of "tiles.bmp"; sets up the
// default 25x25 level. A missing or too small file ends the program.
void tiles_init();
// Reads a level file into map; one that can't be opened ends the program.
void load_map(const char *name);
// The same for the editor: false, with the level kept, if name can't be
// opened (the log line is written and ended).
bool try_load_map(const char *name);
// Writes map to name, then the attribute bytes to "tileattr.wz"; each file
// is replaced only once written whole. SAVE_DONE, or how far it got.
SaveResult save_map(const char *name);
void insert_row(int r);
void delete_row(int r);
void insert_column(int c);
void delete_column(int c);

// The attribute byte of grid cell (tx, ty). Cells outside the 256x256 grid
// read as a solid block, so nothing can leave the level.
unsigned char tile_attr(int tx, int ty);

#endif
