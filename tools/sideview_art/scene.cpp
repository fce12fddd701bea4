// scene.cpp -- a level drawn as the game would show it, for looking at the art
#include "scene.h"

#include <algorithm>
#include <cstdio>

#include "bmp.h"
#include "course_source.h"
#include "sheets.h"
#include "tool.h"

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
// The level as the course compiler reads it; the tiles' attribute names
// tell floors and ladders.
Canvas render_scene(const std::string &tiles, const std::string &level,
                    const std::string &pictures) {
  TileSet set = read_tile_set(tiles);
  std::string attrs[256];
  for (const TileLine &t : set.tiles) attrs[t.index] = t.attrs;
  static Map lv;
  read_course_source(set, level, lv);
  Canvas tile_pics = load_picture(pictures + "/tiles.bmp"),
         sprites = load_picture(pictures + "/sprites.bmp"),
         status = load_picture(pictures + "/status.bmp");
  int tw = lv.w, th = lv.h;
  // whether the tile at a pixel has an attribute (none outside the level)
  auto has = [&](int px, int py, const char *attr) {
    int tx = px >> 4, ty = py >> 4;
    if (tx < 0 || ty < 0 || tx >= tw || ty >= th) return false;
    return attrs[lv.t[tx][ty]].find(attr) != std::string::npos;
  };

  int w = std::max(16 * tw, status.w), h = 16 * th + status.h;
  Canvas cv = make_canvas(w, h);
  for (int ty = 0; ty < th; ty++)
    for (int tx = 0; tx < tw; tx++) {
      int t = lv.t[tx][ty];
      paste(cut(tile_pics, 16 * (t % 16), 16 * (t / 16), 16, 16), cv, 16 * tx, 16 * ty);
    }

  auto sprite = [&](const char *name) {
    for (const SpriteRect &r : SPRITE_RECTS)
      if (std::string(r.name) == name) return cut(sprites, r.x, r.y, r.w, r.h);
    return Canvas{};
  };
  for (int i = 0; i < lv.n; i++) {
    const Insertion &p = lv.ins[i];
    int kind = p.code / 10, x = p.x, y = p.y;
    const char *name = nullptr;
    if (kind == 1 || kind == 3) {
      bool player = kind == 1;
      if (has(x, y, "Ladder")) {
        name = player ? "player_ladder" : "mum_ladder";
      } else {
        // fall until the feet, 16 pixels below the centre, meet a floor
        while (y < 16 * th && !has(x, y + 16, "Solid-Top")) y++;
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
