// tile_list.cpp -- the tile lists both games' pictures and courses are made from
#include "tile_list.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "tool.h"

// to_number
// A whole number from s (decimal, or hex with 0x); false if s is not one or
// it lies outside lo ... hi.
static bool to_number(const std::string &s, long long lo, long long hi, long long &v) {
  if (s.empty()) return false;
  char *end;
  errno = 0;
  v = strtoll(s.c_str(), &end, 0);
  return *end == '\0' && errno == 0 && v >= lo && v <= hi;
}

// parse_attrs
// The attribute byte of an ATTRS field.
static int parse_attrs(const TileSet &set, const std::string &s, const std::string &where) {
  if (s == "-") return 0;
  int a = 0;
  std::stringstream ss(s);
  std::string part;
  while (std::getline(ss, part, '|')) {
    long long v;
    bool found = false;
    for (const auto &b : set.bits)
      if (b.first == part) {
        a |= b.second;
        found = true;
      }
    if (!found) {
      if (!to_number(part, 0, 255, v)) stop(where, "unknown attribute " + part);
      a |= (int)v;
    }
  }
  return a;
}

// read_setting
// One settings line of the tile list; false if the line is not one.
static bool read_setting(TileSet &set, const std::string &line, const std::string &where) {
  std::stringstream ss(line);
  std::string word;
  ss >> word;
  if (word == "tilesize") {
    if (!(ss >> set.tile_size) || set.tile_size < 1 || set.tile_size > 4096)
      stop(where, "expected: tilesize N");
  } else if (word == "bits") {
    set.bits.clear();
    std::string pair;
    while (ss >> pair) {
      size_t eq = pair.find('=');
      long long v;
      if (eq == std::string::npos || eq == 0 || !to_number(pair.substr(eq + 1), 1, 255, v))
        stop(where, "expected: bits NAME=VALUE ...");
      set.bits.push_back({pair.substr(0, eq), (int)v});
    }
  } else if (word == "unlisted") {
    std::string attrs;
    if (!(ss >> attrs)) stop(where, "expected: unlisted ATTRS");
    set.unlisted = parse_attrs(set, attrs, where);
  } else {
    return false;
  }
  return true;
}

// read_tile_set
TileSet read_tile_set(const std::string &path) {
  SourceFile src(path);
  TileSet set;
  while (src.next()) {
    set.lines.push_back(src.line);
    if (src.comment()) continue;
    std::string where = src.where();
    if (read_setting(set, src.line, where)) continue;
    std::stringstream ss(src.line);
    TileLine t;
    t.line = src.lineno;
    std::string first, ch;
    ss >> first;
    if (first == "plain") {
      if (!(ss >> t.index >> t.attrs) || t.index < 0 || t.index > 255)
        stop(where, "expected: plain INDEX ATTRS");
      t.ch = 0;
    } else {
      // the index: one to three digits, no sign
      if (!(ss >> ch >> t.attrs >> t.name) || ch.size() != 1 || first.empty() ||
          first.find_first_not_of("0123456789") != std::string::npos || first.size() > 3 ||
          (t.index = std::stoi(first)) > 255)
        stop(where, "expected: index char attrs name");
      t.ch = ch[0];
    }
    t.attr = parse_attrs(set, t.attrs, where);
    for (const TileLine &o : set.tiles)
      if ((t.ch && o.ch == t.ch) || o.index == t.index) stop(where, "duplicate tile");
    set.tiles.push_back(t);
  }
  return set;
}

// read_tile_list
std::vector<TileLine> read_tile_list(const std::string &path) {
  std::vector<TileLine> tiles;
  for (const TileLine &t : read_tile_set(path).tiles)
    if (t.ch) tiles.push_back(t);
  return tiles;
}
