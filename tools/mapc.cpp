// mapc.cpp -- the course compiler: readable course sources to course files,
// and back
//
//   mapc TILES SOURCE OUT                       compiles a course source
//   mapc --attributes TILES OUT                 writes the tile attribute table
//   mapc --decompile TILES MAP OUT              a course file back to a source
//   mapc --decompile-attributes TILES ATTR OUT  an attribute table back into
//                                               the tile set (OUT may be TILES)
//
// TILES lists the tile set: "index char attrs name" per line. It may start
// with settings that serve a game other than topdown (topdown's are the
// defaults):
//   tilesize N                  tile side in pixels (32)
//   bits NAME=VALUE ...         the attribute names and their bits
//                               (NoWalk=0x01 Dry=0x02 ... Sharp=0x20)
//   unlisted ATTRS              attributes of indices not listed (Dry)
// and it may give attributes to indices that have no character of their own
// (and so no place in a grid; a course holds them through "tile" lines):
//   plain INDEX ATTRS
// ATTRS are names joined by '|', numbers for bits without a name (0x40), or
// '-' for none.
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
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "course_file.h"
#include "tool.h"

struct TileDef {
  int index;
  char ch;  // 0 for a plain index
  int attr;
  int line;  // where it is in the tile set's text (0-based)
};

// The settings of a tile set, its tiles, and its text (kept to write the set
// back with new attributes).
struct TileSet {
  int tile_size = 32;
  std::vector<std::pair<std::string, int>> bits = {
      {"NoWalk", 0x01}, {"Dry", 0x02},        {"Ice", 0x04},
      {"Slow", 0x08},   {"Restricted", 0x10}, {"Sharp", 0x20}};
  int unlisted = 0x02;
  std::vector<TileDef> defs;
  std::vector<std::string> lines;
};

// A whole number from s (decimal, or hex with 0x); false if s is not one or
// it lies outside lo ... hi.
static bool to_number(const std::string &s, long long lo, long long hi, long long &v) {
  if (s.empty()) return false;
  char *end;
  errno = 0;
  v = strtoll(s.c_str(), &end, 0);
  return *end == '\0' && errno == 0 && v >= lo && v <= hi;
}

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

// format_attrs
// The attribute byte a as a tile set writes it: the names of its bits in the
// order of the "bits" setting, then any bits without a name as one number.
static std::string format_attrs(const TileSet &set, int a) {
  if (a == 0) return "-";
  std::string s;
  int left = a;
  for (int bit = 1; bit < 256; bit <<= 1) {
    if (!(a & bit)) continue;
    for (const auto &b : set.bits)
      if (b.second == bit) {
        s += (s.empty() ? "" : "|") + b.first;
        left &= ~bit;
        break;
      }
  }
  if (left) {
    char hex[8];
    snprintf(hex, sizeof hex, "0x%02X", left);
    s += (s.empty() ? "" : "|") + std::string(hex);
  }
  return s;
}

// read_setting
// One settings line of the tile set; false if the line is not one.
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

static TileSet read_tiles(const char *name) {
  std::ifstream in(name);
  if (!in) stop(name, "can't open");
  TileSet set;
  std::string line;
  while (std::getline(in, line)) {
    set.lines.push_back(line);
    if (line.empty() || line[0] == '#') continue;
    std::string where = std::string(name) + ":" + std::to_string(set.lines.size());
    if (read_setting(set, line, where)) continue;
    std::stringstream ss(line);
    TileDef d;
    d.line = (int)set.lines.size() - 1;
    std::string first, ch, attrs, tname;
    ss >> first;
    if (first == "plain") {
      if (!(ss >> d.index >> attrs) || d.index < 0 || d.index > 255)
        stop(where, "expected: plain INDEX ATTRS");
      d.ch = 0;
    } else {
      ss.clear();
      ss.str(line);
      if (!(ss >> d.index >> ch >> attrs >> tname) || ch.size() != 1 ||
          d.index < 0 || d.index > 255)
        stop(where, "expected: index char attrs name");
      d.ch = ch[0];
    }
    d.attr = parse_attrs(set, attrs, where);
    for (const TileDef &o : set.defs)
      if ((d.ch && o.ch == d.ch) || o.index == d.index) stop(where, "duplicate tile");
    set.defs.push_back(d);
  }
  return set;
}

static void attribute_table(const TileSet &set, unsigned char attr[256]) {
  for (int i = 0; i < 256; i++) attr[i] = (unsigned char)set.unlisted;
  for (const TileDef &d : set.defs) attr[d.index] = (unsigned char)d.attr;
}

static void write_attributes(const TileSet &set, const char *out) {
  unsigned char attr[256];
  attribute_table(set, attr);
  save_file(out, std::vector<unsigned char>(attr, attr + 256));
}

// ---------------------------------------------------------------------------
// Compiling

// True if the rest of a line holds more than a "# comment".
static bool trailing(std::stringstream &ss) {
  std::string extra;
  return (ss >> extra) && extra[0] != '#';
}

// Reads an insertion coordinate or code; it must fit in 32 bits.
static int int32_at(const std::string &where, long long v) {
  if (v < INT32_MIN || v > INT32_MAX) stop(where, "number out of range");
  return (int)v;
}

static void compile(const TileSet &set, const char *src, const char *out) {
  std::map<char, int> legend;
  for (const TileDef &d : set.defs)
    if (d.ch) legend[d.ch] = d.index;
  std::ifstream in(src);
  if (!in) stop(src, "can't open");
  static Map m;
  memset(&m, 0, sizeof m);
  std::vector<std::string> rows;
  std::map<std::pair<int, int>, int> cells;  // "tile" lines
  std::vector<std::string> cell_where;
  bool in_grid = false, had_grid = false, had_size = false;
  int size_w = 0, size_h = 0;
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
      if (!cells.emplace(std::make_pair(x, y), index).second)
        stop(where, "second tile line for one cell");
      cell_where.push_back(where);
    } else {
      stop(where, "unknown line");
    }
  }
  if (in_grid) stop(src, "grid without end");
  if (had_size) {
    m.w = size_w;
    m.h = size_h;
    bool empty = m.w == 0 || m.h == 0;
    if (empty ? !rows.empty() : (int)rows.size() != m.h)
      stop(src, "the grid does not have the rows that size gives");
  } else {
    if (rows.empty()) stop(src, "no grid");
    if (rows.size() > 256 || rows[0].size() > 256) stop(src, "grid over 256");
    m.h = (int)rows.size();
    m.w = (int)rows[0].size();
  }
  for (int y = 0; y < (int)rows.size(); y++) {
    if ((int)rows[y].size() != m.w)
      stop(src, "row " + std::to_string(y) + " has another width");
    for (int x = 0; x < m.w; x++) {
      auto cell = cells.find({x, y});
      if (cell != cells.end()) {
        m.t[x][y] = (unsigned char)cell->second;
        continue;
      }
      auto it = legend.find(rows[y][x]);
      if (it == legend.end())
        stop(src, std::string("unknown tile character '") + rows[y][x] +
                     "' in row " + std::to_string(y));
      m.t[x][y] = (unsigned char)it->second;
    }
  }
  int k = 0;
  for (const auto &cell : cells) {
    int x = cell.first.first, y = cell.first.second;
    if (x < 0 || x >= m.w || y < 0 || y >= m.h) stop(cell_where[k], "cell outside the course");
    k++;
  }
  if (!course_write(out, m)) stop(out, "can't write");
}

// ---------------------------------------------------------------------------
// Decompiling

// read_course_exactly
// Reads a course file that must be whole: a header within the store's
// limits and every byte it announces. Bytes after the course are not part
// of it (no reader looks at them); they are left out with a warning.
static void read_course_exactly(const char *name, Map &m) {
  FILE *f = fopen(name, "rb");
  if (!f) stop(name, "can't open");
  unsigned char head[6];
  size_t got = fread(head, 1, 6, f);
  fseek(f, 0, SEEK_END);
  long size = ftell(f);
  rewind(f);
  if (got < 6) stop(name, "too short for a course file");
  long w = head[0] * 256 + head[1], h = head[2] * 256 + head[3], n = head[4] * 256 + head[5];
  if (w > MAP_SIZE || h > MAP_SIZE || n > MAX_INSERTIONS)
    stop(name, "header over 256 columns, rows or insertions");
  long want = 6 + w * h + 12 * n;
  if (size < want)
    stop(name, "cut short: " + std::to_string(size) + " of " + std::to_string(want) + " bytes");
  if (size > want)
    fprintf(stderr, "mapc: %s: warning: the %ld bytes after the course are left out\n", name,
            size - want);
  memset(&m, 0, sizeof m);
  course_read(f, m);
  fclose(f);
}

// The tile x of an "at" line whose pixel is v, if there is one.
static bool tile_centre(long long v, int ts, long long &tile) {
  long long d = v - ts / 2;
  tile = d >= 0 ? d / ts : -((-d + ts - 1) / ts);
  return tile * ts + ts / 2 == v;
}

static void decompile(const TileSet &set, const char *in, const char *out) {
  static Map m;
  read_course_exactly(in, m);
  char of[256] = {0};  // the character of each index (0: none)
  std::set<char> used;
  for (const TileDef &d : set.defs)
    if (d.ch) {
      of[d.index] = d.ch;
      used.insert(d.ch);
    }
  // Cells whose index has no character hold a stand-in the tile set does
  // not use, and a "tile" line gives their index.
  char stand_in = '?';
  for (char c = '!'; used.count(stand_in) && c <= '~'; c++) stand_in = c;

  std::string s = "# Decompiled from " + std::string(in) + " by mapc.\n";
  if (m.w == 0 || m.h == 0) s += "size " + std::to_string(m.w) + " " + std::to_string(m.h) + "\n";
  std::vector<std::pair<int, int>> plain;
  if (m.w > 0 && m.h > 0) {
    s += "grid\n";
    for (int y = 0; y < m.h; y++) {
      std::string row;
      for (int x = 0; x < m.w; x++) {
        char c = of[m.t[x][y]];
        if (!c) {
          c = stand_in;
          plain.push_back({x, y});
        }
        row += c;
      }
      if (row == "end") {  // would end the grid: the first cell by a tile line
        row[0] = stand_in;
        plain.push_back({0, y});
      }
      s += row + "\n";
    }
    s += "end\n";
  }
  for (const auto &c : plain)
    s += "tile " + std::to_string(c.first) + " " + std::to_string(c.second) + " " +
         std::to_string(m.t[c.first][c.second]) + "\n";
  for (int i = 0; i < m.n; i++) {
    const Insertion &ins = m.ins[i];
    long long tx, ty;
    char line[96];
    if (tile_centre(ins.x, set.tile_size, tx) && tile_centre(ins.y, set.tile_size, ty))
      snprintf(line, sizeof line, "at %lld %lld %d\n", tx, ty, ins.code);
    else
      snprintf(line, sizeof line, "px %d %d %d\n", ins.x, ins.y, ins.code);
    s += line;
  }
  save_file(out, std::vector<unsigned char>(s.begin(), s.end()));
}

// The line with its attrs field (the field-th word) replaced by attrs,
// keeping the columns after it where they were when it fits.
static std::string replace_word(const std::string &line, int field, const std::string &attrs) {
  size_t p = 0;
  for (int k = 0;; k++) {
    while (p < line.size() && (line[p] == ' ' || line[p] == '\t')) p++;
    size_t end = p;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') end++;
    if (k == field) {
      size_t next = end;
      while (next < line.size() && (line[next] == ' ' || line[next] == '\t')) next++;
      std::string rest = line.substr(next);
      size_t room = next - p;
      std::string word = attrs;
      if (rest.empty()) return line.substr(0, p) + word;
      word += std::string(word.size() < room ? room - word.size() : 1, ' ');
      return line.substr(0, p) + word + rest;
    }
    p = end;
  }
}

// decompile_attributes
// Puts the bytes of an attribute table into the tile set: every listed tile
// takes its byte, "plain" lines follow the bytes of other indices, and
// indices whose byte differs from the unlisted attributes get a "plain"
// line at the end. Compiling the result gives the same 256 bytes.
static void decompile_attributes(TileSet set, const char *attr_file, const char *out) {
  unsigned char attr[256];
  int got = attr_read(attr_file, attr);
  if (got < 0) stop(attr_file, "can't open");
  if (got < 256) stop(attr_file, "holds " + std::to_string(got) + " of 256 bytes");
  std::set<int> listed;
  std::vector<bool> dropped(set.lines.size(), false);
  for (const TileDef &d : set.defs) {
    listed.insert(d.index);
    std::string &line = set.lines[d.line];
    if (!d.ch && attr[d.index] == set.unlisted)
      dropped[d.line] = true;
    else
      line = replace_word(line, 2, format_attrs(set, attr[d.index]));
  }
  std::string s;
  for (size_t i = 0; i < set.lines.size(); i++)
    if (!dropped[i]) s += set.lines[i] + "\n";
  bool heading = false;
  for (int i = 0; i < 256; i++) {
    if (listed.count(i) || attr[i] == set.unlisted) continue;
    if (!heading) {
      s += "# Indices without a character of their own, with other attributes.\n";
      heading = true;
    }
    s += "plain " + std::to_string(i) + " " + format_attrs(set, attr[i]) + "\n";
  }
  save_file(out, std::vector<unsigned char>(s.begin(), s.end()));
}

int main(int argc, char **argv) {
  tool_name = "mapc";
  if (argc == 4 && strcmp(argv[1], "--attributes") == 0) {
    write_attributes(read_tiles(argv[2]), argv[3]);
    return 0;
  }
  if (argc == 5 && strcmp(argv[1], "--decompile") == 0) {
    decompile(read_tiles(argv[2]), argv[3], argv[4]);
    return 0;
  }
  if (argc == 5 && strcmp(argv[1], "--decompile-attributes") == 0) {
    decompile_attributes(read_tiles(argv[2]), argv[3], argv[4]);
    return 0;
  }
  if (argc != 4 || argv[1][0] == '-') {
    fprintf(stderr,
            "usage: mapc TILES SOURCE OUT\n"
            "       mapc --attributes TILES OUT\n"
            "       mapc --decompile TILES MAP OUT\n"
            "       mapc --decompile-attributes TILES ATTR OUT\n");
    return 2;
  }
  compile(read_tiles(argv[1]), argv[2], argv[3]);
  return 0;
}
