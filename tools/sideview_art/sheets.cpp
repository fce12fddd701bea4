// sheets.cpp -- the three pictures the game cuts up: tiles, sprites, status bar
#include "sheets.h"

#include "codes.h"
#include "tiles.h"
#include "tool.h"

// tile_sheet
Canvas tile_sheet(const std::vector<TileLine> &table) {
  Canvas sheet = make_canvas(16 * TILE, 4 * TILE);
  std::string names[64];
  for (const TileLine &e : table)
    if (e.index < 64) names[e.index] = e.name;
  for (int i = 0; i < 64; i++) {
    Canvas t;
    if (!tile_picture(names[i], i, t) && !names[i].empty())
      warn("no drawing for tile \"" + names[i] + "\", using a plate");
    paste(t, sheet, TILE * (i % 16), TILE * (i / 16));
  }
  return sheet;
}

const std::vector<SpriteRect> SPRITE_RECTS = {
    {"player_stand", 0, 0, 32, 32}, {"player_walk", 32, 0, 32, 32},
    {"mum_stand", 64, 0, 32, 32},   {"mum_walk", 96, 0, 32, 32},
    {"mum_ladder", 128, 0, 32, 34}, {"player_ladder", 160, 0, 32, 32},
    {"health", 0, 32, 16, 16},      {"ammo", 16, 32, 16, 16},
    {"bullet", 32, 32, 16, 16},     {"item", 0, 48, 48, 32},
};

// sprite_sheet
Canvas sprite_sheet(const PixelArt &art) {
  Canvas sheet = make_canvas(192, 80);
  for (const SpriteRect &r : SPRITE_RECTS) paste(art.get(r.name, r.w, r.h), sheet, r.x, r.y);
  return sheet;
}

// Status bar layout: the slots the game draws its icons into. Every slot
// is black, like the empty "blank" picture the game cuts at (270, 2).
namespace bar {
const int W = 320, H = 20;
struct Slot {
  int x0, y0, x1, y1;  // the black inside, corners included
};
const Slot hearts = {29, 2, 100, 18};    // hearts and blanks at 30 + 14i, rows 3..18
const Slot bullets = {129, 2, 192, 18};  // bullets at 130 + 12i, blanks reach 191
const Slot items = {229, 1, 319, 18};    // items at 230 + 22i, rows 2..17, up to the edge
}  // namespace bar

// sunken
// A black slot let into the bar: shadow above and left, light below and right.
static void sunken(Canvas &cv, const bar::Slot &s, int shadow, int light) {
  fill_box(cv, s.x0 - 1, s.y0 - 1, s.x1 + 1, s.y1 + 1, light);
  hline(cv, s.x0 - 1, s.x1, s.y0 - 1, shadow);
  vline(cv, s.x0 - 1, s.y0 - 1, s.y1, shadow);
  fill_box(cv, s.x0, s.y0, s.x1, s.y1, 0);
}

// label
// A word of the status art with a dark shadow one pixel down and right.
static void label(Canvas &cv, const Canvas &word, int x, int y, int shadow) {
  each_pixel(word, [&](int i, int j) {
    if (word.get(i, j)) cv.set(x + i + 1, y + j + 1, shadow);
  });
  paste(word, cv, x, y, true);
}

// status_bar
// A dark stone strip with three black slots and gold labels; the first
// heart, bullet and item icons stand where the game cuts them out.
Canvas status_bar(const PixelArt &art) {
  const int face = code_of("#3c3c3c"), top = code_of("#6d6d6d"), bottom = code_of("#1c1c1c"),
            shadow = code_of("#0c0c0c");
  Canvas cv = make_canvas(bar::W, bar::H, face);
  hline(cv, 0, bar::W - 1, 0, top);
  hline(cv, 0, bar::W - 1, bar::H - 1, bottom);
  sunken(cv, bar::hearts, shadow, top);
  sunken(cv, bar::bullets, shadow, top);
  sunken(cv, bar::items, shadow, top);
  label(cv, art.get("label_life", 21, 7), 4, 6, shadow);
  label(cv, art.get("label_ammo", 23, 7), 103, 6, shadow);
  label(cv, art.get("label_loot", 23, 7), 199, 6, shadow);
  paste(art.get("heart_icon", 14, 14), cv, 31, 3);
  paste(art.get("bullet_icon", 12, 12), cv, 130, 3);
  paste(art.get("item_icon", 22, 16), cv, 230, 2);
  return cv;
}
