// main.cpp -- topdown_art TILES OUTDIR
//
// Draws every picture of topdown's data.dat into OUTDIR as 24-bit BMPs
// (the font as an 8-bit PCX grid), each named O<index>_<what> so that the
// packer's alphabetical order is the object order. TILES is the tile list
// ("index char attrs name" per line); the name chooses each tile's picture.
#include <cstdio>
#include <string>

#include "glyphs.h"
#include "picture_file.h"
#include "sprites.h"
#include "tile_list.h"
#include "tiles.h"
#include "title.h"
#include "tool.h"

static std::string out_dir;

// object_path
// OUTDIR/O<index>_<what>.<ext>
static std::string object_path(int index, const std::string &what, const char *ext) {
  char name[64];
  snprintf(name, sizeof name, "O%03d_%s.%s", index, what.c_str(), ext);
  return out_dir + "/" + name;
}

// write
// Saves one picture object as a 24-bit BMP, stopping on failure.
static void write(int index, const std::string &what, const Image &im) {
  save_file(object_path(index, what, "bmp"), bmp24_bytes(im));
}

// write_font
// Saves the font's grid picture as an 8-bit PCX: value 1 (ink) white, the
// frame (255) yellow, the rest black.
static void write_font(int index) {
  Rgb pal[256] = {};
  pal[1] = {255, 255, 255};
  pal[255] = {255, 255, 0};
  save_file(object_path(index, "font", "pcx"), pcx8_bytes(font_sheet(), pal));
}

int main(int argc, char **argv) {
  tool_name = "topdown_art";
  if (argc != 3) {
    fprintf(stderr, "usage: topdown_art TILES OUTDIR\n");
    return 2;
  }
  out_dir = argv[2];
  std::string names[256];  // indices not listed stay empty
  for (const TileLine &t : read_tile_list(argv[1])) {
    if (!tile_known(t.name))
      warn(std::string(argv[1]) + ":" + std::to_string(t.line) + ": no drawing for tile \"" +
           t.name + "\", using a plate");
    names[t.index] = t.name;
  }

  Image tiny = make_image(1, 1, {0, 0, 0});
  for (int unused : {0, 16, 18, 20}) write(unused, "unused", tiny);

  write(1, "shot_au", sprite_shot_au());
  write(2, "walker_rest", sprite_walker(0));
  write(3, "walker_step_late", sprite_walker(1));
  write(4, "walker_step_early", sprite_walker(-1));
  write(5, "walker_riding", sprite_walker_riding());
  write(6, "shot_usa", sprite_shot_usa());
  write(7, "boat", sprite_boat());
  write(8, "car", sprite_car());
  write(9, "bike_empty", sprite_bike(false));
  write(10, "bike", sprite_bike(true));
  write(11, "whirl", sprite_whirl());
  write(12, "item_access", sprite_item_access());
  write(13, "item_slowing", sprite_item_slowing());
  write(14, "item_boost", sprite_item_boost());

  write_font(15);

  write(17, "title", title_picture());

  for (int t = 0; t < 256; t++) {
    char what[16];
    snprintf(what, sizeof what, "t%03d", t);
    write(21 + t, what, tile_picture(names[t], t));
  }
  return 0;
}
