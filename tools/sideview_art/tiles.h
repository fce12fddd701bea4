// tiles.h -- the 16 x 16 tile pictures of sideview, chosen by the tile's name
#pragma once
#include <string>

#include "picture.h"

constexpr int TILE = 16;

// The picture of a named tile; false (and a plate showing the index) for a
// name without a drawing.
bool tile_picture(const std::string &name, int index, Canvas &out);
