// scene.h -- a level drawn as the game would show it, for looking at the art
#pragma once
#include <string>

#include "picture.h"

// Draws the level source LEVEL (a character grid between "grid" and "end",
// insertions "at TX TY CODE" or "px X Y CODE", as the course compiler
// reads them) with the tile characters of the tile table TILES and the
// pictures tiles.bmp, sprites.bmp and status.bmp from PICTURES, with the
// status bar under it. Players (codes 10..19) and mums (30..39) drop to
// the floor below them and climb where they stand on a ladder; pickups
// (41, 42) and items (50..59) stay where they are put. Stops the tool on
// a malformed source or a missing picture.
Canvas render_scene(const std::string &tiles, const std::string &level,
                    const std::string &pictures);

// A 4- or 8-bit BMP as the game reads it; stops the tool if it can't.
Canvas load_picture(const std::string &path);
