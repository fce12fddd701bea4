// tile.cpp -- the level store: level map, tile set, level files
#include "tile.h"

#include <cstring>

#include "log.h"

Map map;
tile tiles[256];

static const char *ATTR_FILE = "tileattr.wz";
static const char *TILES_FILE = "tiles.bmp";

// tiles_init
// Attribute bytes into the tile records, then tile r * 16 + c cut from
// (16c, 16r) of the picture; tiles 64..255 have no picture.
void tiles_init() {
  unsigned char attr[256];
  int got = attr_read(ATTR_FILE, attr);
  if (got < 0) fail_open(ATTR_FILE);
  if (got < 256 && fr)
    fprintf(fr, "\"%s\" holds %d of 256 bytes; the rest are 0\n", ATTR_FILE, got);
  for (int i = 0; i < 256; i++) tiles[i].attribute = attr[i];

  bmp *all = load_bmp1(TILES_FILE);
  if (all->w < 16 * TILE_SIZE || all->h < 4 * TILE_SIZE)
    fail("\"%s\" is %d x %d pixels; it must be at least 256 x 64", TILES_FILE, all->w, all->h);
  for (int i = 0; i < 256; i++) {
    destroy_bmp(tiles[i].bitmap);
    tiles[i].bitmap = NULL;
  }
  for (int i = 0; i < N_TILE_PICTURES; i++)
    tiles[i].bitmap = sub_bmp(all, TILE_SIZE * (i % 16), TILE_SIZE * (i / 16), TILE_SIZE, TILE_SIZE);
  destroy_bmp(all);
  course_default(map);
}

// load_map
void load_map(const char *name) {
  if (!course_load(name, map)) fail_open(name);
}

// try_load_map
// The program goes on after a failure, so the log line is ended for
// whatever the log says next.
bool try_load_map(const char *name) {
  if (course_load(name, map)) return true;
  log_open_failure(name);
  if (fr) fputc('\n', fr);
  return false;
}

// save_map
// The level, then the attribute table, which is rewritten every time.
SaveResult save_map(const char *name) {
  unsigned char attr[256];
  for (int i = 0; i < 256; i++) attr[i] = tiles[i].attribute;
  return course_save(name, map, attr, ATTR_FILE);
}

void insert_row(int r) { course_insert_row(map, r); }
void delete_row(int r) { course_delete_row(map, r); }
void insert_column(int c) { course_insert_column(map, c); }
void delete_column(int c) { course_delete_column(map, c); }

// tile_attr
unsigned char tile_attr(int tx, int ty) {
  if (tx < 0 || ty < 0 || tx >= MAP_SIZE || ty >= MAP_SIZE) return SOLID;
  return tiles[map.t[tx][ty]].attribute;
}
