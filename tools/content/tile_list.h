// tile_list.h -- the tile lists both games' pictures and courses are made from
//
// A tile line is "index char attrs name"; '#' starts a comment line. A list
// may start with settings that serve a game other than topdown (topdown's
// are the defaults):
//   tilesize N                  tile side in pixels (32)
//   bits NAME=VALUE ...         the attribute names and their bits
//                               (NoWalk=0x01 Dry=0x02 ... Sharp=0x20)
//   unlisted ATTRS              attributes of indices not listed (Dry)
// and it may give attributes to indices that have no character of their own
// (and so no place in a grid or a picture):
//   plain INDEX ATTRS
// ATTRS are names joined by '|', numbers for bits without a name (0x40), or
// '-' for none.
#pragma once
#include <string>
#include <utility>
#include <vector>

struct TileLine {
  int index;  // 0..255
  char ch;    // 0 for a plain index
  std::string attrs, name;  // as written; a plain index has no name
  int attr;                 // the attribute byte
  int line;                 // in the file, from 1
};

// The settings of a tile list, its tiles, and its text (kept to write the
// list back with new attributes).
struct TileSet {
  int tile_size = 32;
  std::vector<std::pair<std::string, int>> bits = {
      {"NoWalk", 0x01}, {"Dry", 0x02},        {"Ice", 0x04},
      {"Slow", 0x08},   {"Restricted", 0x10}, {"Sharp", 0x20}};
  int unlisted = 0x02;
  std::vector<TileLine> tiles;
  std::vector<std::string> lines;
};

// Reads a tile list; stops the tool on a file it can't read, a malformed
// line, an unknown attribute or a tile given twice.
TileSet read_tile_set(const std::string &path);

// The tiles of a list that have a character (those the pictures draw).
std::vector<TileLine> read_tile_list(const std::string &path);
