// pixelart.cpp -- pictures kept as text: a colour legend and rows of characters
#include "pixelart.h"

#include <sstream>
#include <vector>

#include "codes.h"
#include "tool.h"

// finish_picture
// Turns the collected rows of a picture into colour codes.
static void finish_picture(PixelArt &art, const std::string &name,
                           const std::vector<std::string> &rows, const std::map<char, int> &legend,
                           const std::string &where) {
  if (rows.empty()) stop(where, "picture " + name + " has no rows");
  Canvas cv = make_canvas((int)rows[0].size(), (int)rows.size());
  for (int y = 0; y < cv.h; y++) {
    if ((int)rows[y].size() != cv.w)
      stop(where, "picture " + name + ": row " + std::to_string(y) + " is " +
                      std::to_string(rows[y].size()) + " wide, not " + std::to_string(cv.w));
    for (int x = 0; x < cv.w; x++) {
      char ch = rows[y][x];
      if (ch == '.') continue;
      auto it = legend.find(ch);
      if (it == legend.end())
        stop(where,
             "picture " + name + ": character '" + std::string(1, ch) + "' not in the legend");
      cv.set(x, y, it->second);
    }
  }
  if (art.pictures.count(name)) stop(where, "picture " + name + " twice");
  art.pictures[name] = cv;
}

// read_pixel_art
PixelArt read_pixel_art(const std::string &path) {
  SourceFile src(path);
  PixelArt art;
  art.file = path;
  std::map<char, int> legend;
  std::string name, where;
  std::vector<std::string> rows;
  bool in_picture = false;
  while (src.next()) {
    std::string here = src.where();
    if (in_picture) {
      if (src.line.find_first_not_of(" \t\r") != std::string::npos) {
        rows.push_back(src.line);
        continue;
      }
      finish_picture(art, name, rows, legend, where);
      in_picture = false;
      continue;
    }
    if (src.comment()) continue;
    std::string word;
    std::istringstream ss = src.words(word);
    if (word == "colour") {
      std::string ch, hex;
      if (!(ss >> ch >> hex) || ch.size() != 1 || ch == ".")
        stop(here, "expected: colour CHAR #rrggbb NAME");
      legend[ch[0]] = nearest_code(parse_hex(hex, here));
    } else if (word == "picture") {
      if (!(ss >> name)) stop(here, "expected: picture NAME");
      rows.clear();
      in_picture = true;
      where = here;
    } else if (!word.empty()) {
      stop(here, "unknown line");
    }
  }
  if (in_picture) finish_picture(art, name, rows, legend, where);
  return art;
}

// PixelArt::find
const Canvas &PixelArt::find(const std::string &name, const std::string &where) const {
  auto it = pictures.find(name);
  if (it == pictures.end()) stop(where, "no picture " + name);
  return it->second;
}

// PixelArt::get
const Canvas &PixelArt::get(const std::string &name, int w, int h) const {
  const Canvas &p = find(name, file);
  if (p.w != w || p.h != h)
    stop(file, "picture " + name + " is " + std::to_string(p.w) + " x " + std::to_string(p.h) +
                   ", not " + std::to_string(w) + " x " + std::to_string(h));
  return p;
}
