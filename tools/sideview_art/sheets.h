// sheets.h -- the three pictures the game cuts up: tiles, sprites, status bar
#pragma once
#include <string>
#include <vector>

#include "picture.h"
#include "pixelart.h"
#include "tile_list.h"

// tiles.bmp: 256 x 64, tile r*16+c at (16c, 16r); tiles the table does not
// list (and names without a drawing, with a warning) show a numbered plate.
Canvas tile_sheet(const std::vector<TileLine> &table);

// Where each sprite lies in sprites.bmp (the game cuts the same rectangles).
struct SpriteRect {
  const char *name;
  int x, y, w, h;
};
extern const std::vector<SpriteRect> SPRITE_RECTS;

// sprites.bmp: every picture of the sprite art at its rectangle, 0 elsewhere.
Canvas sprite_sheet(const PixelArt &art);

// status.bmp: 320 x 20, the bar's background with its icons at the places
// the game cuts them from.
Canvas status_bar(const PixelArt &art);
