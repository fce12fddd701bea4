// tile_list.cpp -- the tile lists both games' pictures are drawn from
#include "tile_list.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "tool.h"

// read_tile_list
std::vector<TileLine> read_tile_list(const std::string &path) {
  std::ifstream in(path);
  if (!in) stop(path, "can't open");
  std::vector<TileLine> tiles;
  std::string line;
  int lineno = 0;
  while (std::getline(in, line)) {
    lineno++;
    if (line.empty() || line[0] == '#' || isalpha((unsigned char)line[0])) continue;
    std::stringstream ss(line);
    std::string first, ch;
    TileLine t;
    t.line = lineno;
    if (!(ss >> first >> ch >> t.attrs >> t.name) || ch.size() != 1 ||
        first.find_first_not_of("0123456789") != std::string::npos || first.size() > 3 ||
        (t.index = std::stoi(first)) > 255)
      stop(path + ":" + std::to_string(lineno), "expected: index char attrs name");
    t.ch = ch[0];
    tiles.push_back(t);
  }
  return tiles;
}
