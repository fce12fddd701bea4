// pixelart.h -- pictures kept as text: a colour legend and rows of characters
//
//   colour CHAR #rrggbb NAME...   CHAR stands for that colour
//   picture NAME                  rows of characters follow, up to a blank
//                                 line; '.' is colour code 0
// '#' at the start of a line begins a comment.
#pragma once
#include <map>
#include <string>

#include "picture.h"

struct PixelArt {
  std::map<std::string, Canvas> pictures;
  // The picture of that name, whatever its size; stops the tool with a
  // message naming `where` if there is none.
  const Canvas &find(const std::string &name, const std::string &where) const;
  // The picture of that name, which must have the given size; stops the
  // tool with a message naming the file otherwise.
  const Canvas &get(const std::string &name, int w, int h) const;
  std::string file;
};

// Reads a pixel-art file; stops the tool with file and line on any error
// (unknown character, ragged rows, a colour that is not #rrggbb).
PixelArt read_pixel_art(const std::string &path);
