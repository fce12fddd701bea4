// tiles.h -- the 32 x 32 tile pictures, chosen by the tile's name
#pragma once
#include <string>

#include "paint.h"

constexpr int TILE = 32;

// The picture of a named tile; an unknown or empty name gives a plain plate
// that shows the tile index.
Image tile_picture(const std::string &name, int index);

// True when tile_picture draws this name as a picture of its own.
bool tile_known(const std::string &name);
