// course_source.h -- the readable sources of both games' courses and levels
//
// A course source holds a grid of tile characters between "grid" and "end"
// and insertion lines "at TX TY CODE" (centre of a tile) or "px X Y CODE"
// (exact course pixels), in the order of the file; "# ..." after them is a
// comment. Two more lines let a source say anything a course file can hold:
//   size W H                    the size, when the grid can't tell it (a
//                               course 0 wide or high has an empty grid)
//   tile X Y INDEX              the tile index of one cell, whatever
//                               character the grid has there
// '#' starts a comment line.
#pragma once
#include <string>

#include "course_file.h"
#include "tile_list.h"

// Reads a course source into m with the characters and the tile size of a
// tile list; stops the tool with the place of any fault.
void read_course_source(const TileSet &set, const std::string &path, Map &m);
