// tile_list.h -- the tile lists both games' pictures are drawn from
//
// A tile line is "index char attrs name"; '#' starts a comment line. Lines
// that start with a word are not tiles (settings such as "tilesize 16" and
// "plain INDEX ATTRS" lines, which the course compiler reads).
#pragma once
#include <string>
#include <vector>

struct TileLine {
  int index;  // 0..255
  char ch;
  std::string attrs, name;
  int line;  // in the file, from 1
};

// The tiles of a list; stops the tool on a file it can't read or a
// malformed tile line.
std::vector<TileLine> read_tile_list(const std::string &path);
