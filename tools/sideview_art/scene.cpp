// scene.cpp -- a level drawn as the game would show it, for looking at the art
#include "scene.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "bmp.h"
#include "sheets.h"
#include "tool.h"

namespace {


struct Placed {
  int x, y, code;
};

struct Level {
  std::vector<std::string> rows;
  std::vector<Placed> ins;
};

// read_level
// The grid and insertions of a level source; tile centres for "at".
Level read_level(const std::string &path) {
  std::ifstream in(path);
  if (!in) stop(path, "can't open");
  Level lv;
  std::string line;
  bool grid = false;
  int lineno = 0;
  while (std::getline(in, line)) {
    lineno++;
    std::string where = path + ":" + std::to_string(lineno);
    if (grid) {
      if (line == "end")
        grid = false;
      else
        lv.rows.push_back(line);
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    std::stringstream ss(line);
    std::string word;
    long a, b, code;
    ss >> word;
    if (word == "grid")
      grid = true;
    else if ((word == "at" || word == "px") && ss >> a >> b >> code)
      lv.ins.push_back(word == "at" ? Placed{(int)(16 * a + 8), (int)(16 * b + 8), (int)code}
                                    : Placed{(int)a, (int)b, (int)code});
    else
      stop(where, "unknown line");
  }
  if (lv.rows.empty()) stop(path, "no grid");
  for (const std::string &r : lv.rows)
    if (r.size() != lv.rows[0].size()) stop(path, "rows of different widths");
  return lv;
}

// Attribute names the scene needs from the tile table's third column.
struct TileInfo {
  int index = 0;
  bool floor = false, ladder = false;
};

std::map<char, TileInfo> read_tile_info(const std::string &path) {
  std::map<char, TileInfo> info;
  for (const TileLine &t : read_tile_list(path))
    info[t.ch] = {t.index, t.attrs.find("Solid-Top") != std::string::npos,
                  t.attrs.find("Ladder") != std::string::npos};
  if (info.empty()) stop(path, "no tiles");
  return info;
}

}  // namespace

// load_picture
// Read by the game's own loader.
Canvas load_picture(const std::string &path) {
  FILE *f = fopen(path.c_str(), "rb");
  if (!f) stop(path, "can't open");
  int w, h;
  bmp *b = read_bmp1(f, w, h);
  fclose(f);
  if (!b) stop(path, "not a picture the game can read");
  Canvas cv = make_canvas(b->w, b->h);
  cv.px.assign(b->data, b->data + (size_t)b->w * b->h);
  destroy_bmp(b);
  return cv;
}

// render_scene
Canvas render_scene(const std::string &tiles, const std::string &level,
                    const std::string &pictures) {
  std::map<char, TileInfo> info = read_tile_info(tiles);
  Level lv = read_level(level);
  Canvas tile_pics = load_picture(pictures + "/tiles.bmp"),
         sprites = load_picture(pictures + "/sprites.bmp"),
         status = load_picture(pictures + "/status.bmp");
  int tw = (int)lv.rows[0].size(), th = (int)lv.rows.size();
  auto at = [&](int px, int py) -> TileInfo {
    int tx = px >> 4, ty = py >> 4;
    if (tx < 0 || ty < 0 || tx >= tw || ty >= th) return TileInfo{};
    auto it = info.find(lv.rows[ty][tx]);
    if (it == info.end())
      stop(level, std::string("unknown tile character '") + lv.rows[ty][tx] + "'");
    return it->second;
  };

  int w = std::max(16 * tw, status.w), h = 16 * th + status.h;
  Canvas cv = make_canvas(w, h);
  for (int ty = 0; ty < th; ty++)
    for (int tx = 0; tx < tw; tx++) {
      int t = at(16 * tx, 16 * ty).index;
      paste(cut(tile_pics, 16 * (t % 16), 16 * (t / 16), 16, 16), cv, 16 * tx, 16 * ty);
    }

  auto sprite = [&](const char *name) {
    for (const SpriteRect &r : SPRITE_RECTS)
      if (std::string(r.name) == name) return cut(sprites, r.x, r.y, r.w, r.h);
    return Canvas{};
  };
  for (const Placed &p : lv.ins) {
    int kind = p.code / 10, x = p.x, y = p.y;
    const char *name = nullptr;
    if (kind == 1 || kind == 3) {
      bool player = kind == 1;
      if (at(x, y).ladder) {
        name = player ? "player_ladder" : "mum_ladder";
      } else {
        // fall until the feet, 16 pixels below the centre, meet a floor
        while (y < 16 * th && !at(x, y + 16).floor) y++;
        name = player ? "player_stand" : "mum_stand";
      }
    } else if (p.code == 41) {
      name = "health";
    } else if (p.code == 42) {
      name = "ammo";
    } else if (kind == 5) {
      name = "item";
    }
    if (!name) continue;
    Canvas s = sprite(name);
    paste(s, cv, x - s.w / 2, y - s.h / 2, true);
  }
  paste(status, cv, 0, 16 * th);
  return cv;
}
