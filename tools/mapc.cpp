// mapc.cpp -- the course compiler: readable course sources to course files
//
//   mapc TILES SOURCE OUT          compiles a course source
//   mapc --attributes TILES OUT    writes the tile attribute table
//
// TILES lists the tile set: "index char attrs name" per line. It may start
// with settings that serve a game other than topdown (topdown's are the
// defaults):
//   tilesize N                  tile side in pixels (32)
//   bits NAME=VALUE ...         the attribute names and their bits
//                               (NoWalk=0x01 Dry=0x02 ... Sharp=0x20)
//   unlisted ATTRS              attributes of indices not listed (Dry)
// A course source holds a grid of tile characters between "grid" and "end"
// and insertion lines "at TX TY CODE" (centre of a tile) or
// "px X Y CODE" (exact course pixels). '#' starts a comment line.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "course_file.h"

struct TileDef {
  int index;
  char ch;
  int attr;
};

// The settings of a tile set and its tiles.
struct TileSet {
  int tile_size = 32;
  std::map<std::string, int> bits = {
      {"NoWalk", 0x01}, {"Dry", 0x02},        {"Ice", 0x04},
      {"Slow", 0x08},   {"Restricted", 0x10}, {"Sharp", 0x20}};
  int unlisted = 0x02;
  std::vector<TileDef> defs;
};

static void die(const std::string &where, const std::string &msg) {
  fprintf(stderr, "mapc: %s: %s\n", where.c_str(), msg.c_str());
  exit(1);
}

static int parse_attrs(const std::map<std::string, int> &bits, const std::string &s,
                       const std::string &where) {
  if (s == "-") return 0;
  int a = 0;
  std::stringstream ss(s);
  std::string part;
  while (std::getline(ss, part, '|')) {
    auto it = bits.find(part);
    if (it == bits.end()) die(where, "unknown attribute " + part);
    a |= it->second;
  }
  return a;
}

// read_setting
// One settings line of the tile set; false if the line is not one.
static bool read_setting(TileSet &set, const std::string &line, const std::string &where) {
  std::stringstream ss(line);
  std::string word;
  ss >> word;
  if (word == "tilesize") {
    if (!(ss >> set.tile_size) || set.tile_size < 1) die(where, "expected: tilesize N");
  } else if (word == "bits") {
    set.bits.clear();
    std::string pair;
    while (ss >> pair) {
      size_t eq = pair.find('=');
      if (eq == std::string::npos || eq == 0) die(where, "expected: bits NAME=VALUE ...");
      set.bits[pair.substr(0, eq)] = (int)strtol(pair.c_str() + eq + 1, nullptr, 0) & 0xFF;
    }
  } else if (word == "unlisted") {
    std::string attrs;
    if (!(ss >> attrs)) die(where, "expected: unlisted ATTRS");
    set.unlisted = parse_attrs(set.bits, attrs, where);
  } else {
    return false;
  }
  return true;
}

static TileSet read_tiles(const char *name) {
  std::ifstream in(name);
  if (!in) die(name, "can't open");
  TileSet set;
  std::string line;
  int lineno = 0;
  while (std::getline(in, line)) {
    lineno++;
    if (line.empty() || line[0] == '#') continue;
    std::string where = std::string(name) + ":" + std::to_string(lineno);
    if (read_setting(set, line, where)) continue;
    std::stringstream ss(line);
    TileDef d;
    std::string ch, attrs, tname;
    if (!(ss >> d.index >> ch >> attrs >> tname) || ch.size() != 1 ||
        d.index < 0 || d.index > 255)
      die(where, "expected: index char attrs name");
    d.ch = ch[0];
    d.attr = parse_attrs(set.bits, attrs, where);
    for (const TileDef &o : set.defs)
      if (o.ch == d.ch || o.index == d.index) die(where, "duplicate tile");
    set.defs.push_back(d);
  }
  return set;
}

static void write_attributes(const TileSet &set, const char *out) {
  unsigned char attr[256];
  for (int i = 0; i < 256; i++) attr[i] = (unsigned char)set.unlisted;
  for (const TileDef &d : set.defs) attr[d.index] = (unsigned char)d.attr;
  if (!write_file_atomic(out, attr, 256)) die(out, "can't write");
}

static void compile(const TileSet &set, const char *src, const char *out) {
  std::map<char, int> legend;
  for (const TileDef &d : set.defs) legend[d.ch] = d.index;
  std::ifstream in(src);
  if (!in) die(src, "can't open");
  static Map m;
  memset(&m, 0, sizeof m);
  std::vector<std::string> rows;
  bool in_grid = false, had_grid = false;
  std::string line;
  int lineno = 0;
  while (std::getline(in, line)) {
    lineno++;
    std::string where = std::string(src) + ":" + std::to_string(lineno);
    if (in_grid) {
      if (line == "end") {
        in_grid = false;
        continue;
      }
      rows.push_back(line);
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    std::stringstream ss(line);
    std::string word;
    ss >> word;
    if (word == "grid") {
      if (had_grid) die(where, "second grid");
      in_grid = had_grid = true;
    } else if (word == "at" || word == "px") {
      long a, b, code;
      if (!(ss >> a >> b >> code)) die(where, "expected: " + word + " X Y CODE");
      if (m.n >= MAX_INSERTIONS) die(where, "more than 256 insertions");
      Insertion &i = m.ins[m.n++];
      int ts = set.tile_size;
      i.x = (int)(word == "at" ? ts * a + ts / 2 : a);
      i.y = (int)(word == "at" ? ts * b + ts / 2 : b);
      i.code = (int)code;
    } else {
      die(where, "unknown line");
    }
  }
  if (in_grid) die(src, "grid without end");
  if (rows.empty()) die(src, "no grid");
  if (rows.size() > 256 || rows[0].size() > 256) die(src, "grid over 256");
  m.h = (int)rows.size();
  m.w = (int)rows[0].size();
  for (int y = 0; y < m.h; y++) {
    if ((int)rows[y].size() != m.w)
      die(src, "row " + std::to_string(y) + " has another width");
    for (int x = 0; x < m.w; x++) {
      auto it = legend.find(rows[y][x]);
      if (it == legend.end())
        die(src, std::string("unknown tile character '") + rows[y][x] +
                     "' in row " + std::to_string(y));
      m.t[x][y] = (unsigned char)it->second;
    }
  }
  if (!course_write(out, m)) die(out, "can't write");
}

int main(int argc, char **argv) {
  if (argc == 4 && strcmp(argv[1], "--attributes") == 0) {
    write_attributes(read_tiles(argv[2]), argv[3]);
    return 0;
  }
  if (argc != 4) {
    fprintf(stderr, "usage: mapc TILES SOURCE OUT | mapc --attributes TILES OUT\n");
    return 2;
  }
  compile(read_tiles(argv[1]), argv[2], argv[3]);
  return 0;
}
