// mapc.cpp -- the course compiler: readable course sources to course files,
// and back
//
//   mapc TILES SOURCE OUT                       compiles a course source
//   mapc --attributes TILES OUT                 writes the tile attribute table
//   mapc --decompile TILES MAP OUT              a course file back to a source
//   mapc --decompile-attributes TILES ATTR OUT  an attribute table back into
//                                               the tile set (OUT may be TILES)
//
// TILES is a tile list (tools/content/tile_list.h), SOURCE a course source
// (tools/content/course_source.h). Indices without a character of their own
// have no place in a grid; a course holds them through "tile" lines.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "course_file.h"
#include "course_source.h"
#include "tile_list.h"
#include "tool.h"

// format_attrs
// The attribute byte a as a tile list writes it: the names of its bits in
// the order of the "bits" setting, then any bits without a name as one
// number.
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

// write_attributes
// The 256 attribute bytes: each listed index's, the unlisted ones' for the rest.
static void write_attributes(const TileSet &set, const char *out) {
  std::vector<unsigned char> attr(256, (unsigned char)set.unlisted);
  for (const TileLine &t : set.tiles) attr[t.index] = (unsigned char)t.attr;
  save_file(out, attr);
}

// compile
static void compile(const TileSet &set, const char *src, const char *out) {
  static Map m;
  read_course_source(set, src, m);
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
  for (const TileLine &t : set.tiles)
    if (t.ch) {
      of[t.index] = t.ch;
      used.insert(t.ch);
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
  for (const TileLine &t : set.tiles) {
    listed.insert(t.index);
    std::string &line = set.lines[t.line - 1];
    if (!t.ch && attr[t.index] == set.unlisted)
      dropped[t.line - 1] = true;
    else
      line = replace_word(line, 2, format_attrs(set, attr[t.index]));
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
    write_attributes(read_tile_set(argv[2]), argv[3]);
    return 0;
  }
  if (argc == 5 && strcmp(argv[1], "--decompile") == 0) {
    decompile(read_tile_set(argv[2]), argv[3], argv[4]);
    return 0;
  }
  if (argc == 5 && strcmp(argv[1], "--decompile-attributes") == 0) {
    decompile_attributes(read_tile_set(argv[2]), argv[3], argv[4]);
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
  compile(read_tile_set(argv[1]), argv[2], argv[3]);
  return 0;
}
