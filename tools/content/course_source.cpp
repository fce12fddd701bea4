// course_source.cpp -- the readable sources of both games' courses and levels
#include "course_source.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "tool.h"

// trailing
// True if the rest of a line holds more than a "# comment".
static bool trailing(std::istringstream &ss) {
  std::string extra;
  return (ss >> extra) && extra[0] != '#';
}

// int32_at
// An insertion coordinate or code; it must fit in 32 bits.
static int int32_at(const std::string &where, long long v) {
  if (v < INT32_MIN || v > INT32_MAX) stop(where, "number out of range");
  return (int)v;
}

// read_course_source
void read_course_source(const TileSet &set, const std::string &path, Map &m) {
  std::map<char, int> legend;
  for (const TileLine &t : set.tiles)
    if (t.ch) legend[t.ch] = t.index;
  SourceFile src(path);
  memset(&m, 0, sizeof m);
  std::vector<std::string> rows;
  std::map<std::pair<int, int>, std::pair<int, std::string>> cells;  // "tile" lines: index, place
  bool in_grid = false, had_grid = false, had_size = false;
  int size_w = 0, size_h = 0;
  while (src.next()) {
    std::string where = src.where();
    if (in_grid) {
      if (src.line == "end")
        in_grid = false;
      else
        rows.push_back(src.line);
      continue;
    }
    if (src.comment()) continue;
    std::string word;
    std::istringstream ss = src.words(word);
    if (word == "grid") {
      if (had_grid) stop(where, "second grid");
      in_grid = had_grid = true;
    } else if (word == "at" || word == "px") {
      long long a, b, code;
      if (!(ss >> a >> b >> code) || trailing(ss)) stop(where, "expected: " + word + " X Y CODE");
      if (m.n >= MAX_INSERTIONS) stop(where, "more than 256 insertions");
      Insertion &i = m.ins[m.n++];
      long long ts = set.tile_size;
      if (word == "at" && (a < -(1LL << 40) || a > (1LL << 40) || b < -(1LL << 40) || b > (1LL << 40)))
        stop(where, "number out of range");
      i.x = int32_at(where, word == "at" ? ts * a + ts / 2 : a);
      i.y = int32_at(where, word == "at" ? ts * b + ts / 2 : b);
      i.code = int32_at(where, code);
    } else if (word == "size") {
      if (had_size) stop(where, "second size");
      if (!(ss >> size_w >> size_h) || trailing(ss) || size_w < 0 || size_w > MAP_SIZE ||
          size_h < 0 || size_h > MAP_SIZE)
        stop(where, "expected: size W H (0 ... 256 each)");
      had_size = true;
    } else if (word == "tile") {
      int x, y, index;
      if (!(ss >> x >> y >> index) || trailing(ss) || index < 0 || index > 255)
        stop(where, "expected: tile X Y INDEX (0 ... 255)");
      if (!cells.emplace(std::make_pair(x, y), std::make_pair(index, where)).second)
        stop(where, "second tile line for one cell");
    } else {
      stop(where, "unknown line");
    }
  }
  if (in_grid) stop(path, "grid without end");
  if (had_size) {
    m.w = size_w;
    m.h = size_h;
    bool empty = m.w == 0 || m.h == 0;
    if (empty ? !rows.empty() : (int)rows.size() != m.h)
      stop(path, "the grid does not have the rows that size gives");
  } else {
    if (rows.empty()) stop(path, "no grid");
    if (rows.size() > 256 || rows[0].size() > 256) stop(path, "grid over 256");
    m.h = (int)rows.size();
    m.w = (int)rows[0].size();
  }
  for (int y = 0; y < (int)rows.size(); y++) {
    if ((int)rows[y].size() != m.w)
      stop(path, "row " + std::to_string(y) + " has another width");
    for (int x = 0; x < m.w; x++) {
      auto cell = cells.find({x, y});
      if (cell != cells.end()) {
        m.t[x][y] = (unsigned char)cell->second.first;
        continue;
      }
      auto it = legend.find(rows[y][x]);
      if (it == legend.end())
        stop(path, std::string("unknown tile character '") + rows[y][x] +
                     "' in row " + std::to_string(y));
      m.t[x][y] = (unsigned char)it->second;
    }
  }
  for (const auto &cell : cells) {
    int x = cell.first.first, y = cell.first.second;
    if (x < 0 || x >= m.w || y < 0 || y >= m.h) stop(cell.second.second, "cell outside the course");
  }
}
