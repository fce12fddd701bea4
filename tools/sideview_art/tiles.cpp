// tiles.cpp -- the 16 x 16 tile pictures of sideview, chosen by the tile's name:
// backgrounds, ground, platforms, ladders, hazards and doors (decoration is
// in scenery.cpp)
//
// Four looks: castle (grey stone), cave (brown rock), tomb (sandstone) and
// outdoors (night sky, grass). Backgrounds are dark and plain; what a player
// stands on is brighter and shaded; what hurts is bright and hot or steel.
// Every texture repeats every 16 pixels, so equal tiles join without a seam.
// Light falls from the top left.
#include "tiles.h"

#include <cmath>
#include <functional>
#include <map>

#include "glyphs.h"
#include "tile_paint.h"

namespace tileart {

// plain
Canvas plain(int c) { return make_canvas(TILE, TILE, c); }

// noise
double noise(int x, int y, int cell, int seed) { return value_noise(x, y, cell, TILE, seed); }

// Blocks laid in courses, every other course shifted by half a block.
struct BlockStyle {
  int w, h;                               // block size with its mortar line
  int mortar, dark, face, face2, light;   // colours
  double varied;                          // share of face2 in the faces
  int seed;
};

// blocks
// A wall of blocks: a mortar line right of and under each block, a lit top
// and left edge, a shaded bottom and right edge, faces mottled with a
// second tone.
Canvas blocks(const BlockStyle &s) {
  Canvas t = plain(s.face);
  each_pixel(t, [&](int x, int y) {
    int course = y / s.h, off = (course % 2) * (s.w / 2);
    int bx = wrap(x - off, s.w), by = y % s.h;
    int c;
    if (by == s.h - 1 || bx == s.w - 1) c = s.mortar;
    else if (by == 0 || bx == 0) c = s.light;
    else if (by == s.h - 2 || bx == s.w - 2) c = s.dark;
    else c = noise(x, y, 4, s.seed) < s.varied ? s.face2 : s.face;
    t.set(x, y, c);
  });
  return t;
}

// stone_wall
// The grey stone blocks of castle floors and walls.
Canvas stone_wall() {
  return blocks({16, 8, ink::stone_mortar, ink::stone_dark, ink::stone_face, ink::stone_face2,
                 ink::stone_light, 0.4, 3});
}

// castle_back
// The dark stone wall behind castle rooms.
Canvas castle_back() {
  Canvas t = blocks({16, 8, ink::back_mortar, ink::back_face, ink::back_face, ink::back_face,
                     ink::back_light, 0.0, 1});
  // a few worn pits keep large walls from looking printed
  for (int i = 0; i < 3; i++) {
    int x = 2 + (int)(hash01(i, 0, 7) * 12), y = 1 + (int)(hash01(i, 1, 7) * 5) + 8 * (i % 2);
    t.set(x, y, ink::back_mortar);
  }
  return t;
}

// cave_back
// Dark rock behind caves: blotches of three near-black tones.
Canvas cave_back() {
  Canvas t = plain(ink::cave_face);
  each_pixel(t, [&](int x, int y) {
    double n = noise(x, y, 8, 21) * 0.7 + noise(x, y, 4, 22) * 0.3;
    if (n < 0.3) t.set(x, y, ink::cave_dark);
    else if (n > 0.62) t.set(x, y, ink::cave_light);
  });
  return t;
}

// tomb_back
// Dark red sandstone behind tomb rooms: long blocks.
Canvas tomb_back() {
  Canvas t = blocks({16, 8, ink::tomb_mortar, ink::tomb_face, ink::tomb_face, ink::tomb_face,
                     ink::tomb_light, 0.0, 2});
  // darken the faces with a fine grain so the wall stays behind the blocks
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++)
      if (t.get(x, y) == ink::tomb_face && (x + y) % 2 == 0) t.set(x, y, ink::tomb_grain);
  return t;
}

// sky_back
// Plain night sky.
Canvas sky_back() { return plain(ink::sky); }

// background
Canvas background(Back b) {
  switch (b) {
    case CASTLE: return castle_back();
    case CAVE: return cave_back();
    case TOMB: return tomb_back();
    default: return sky_back();
  }
}

// over
// A tile drawn over a background: the background, then draw on it.
std::function<Canvas()> over(Back b, void (*draw)(Canvas &t)) {
  return [b, draw] {
    Canvas t = background(b);
    draw(t);
    return t;
  };
}

// ------------------------------------------------------------ solid ground

Canvas t_void() {
  Canvas t = plain(ink::black);
  for (int y = 0; y < TILE; y += 4)
    for (int x = (y / 4 % 2) * 2; x < TILE; x += 4) t.set(x, y, ink::void_dot);
  return t;
}

Canvas t_stone_block() {
  Canvas t = stone_wall();
  // chips and glints
  for (int i = 0; i < 5; i++) {
    int x = 2 + (int)(hash01(i, 0, 11) * 11), y = 2 + (int)(hash01(i, 1, 11) * 4) + 8 * (i % 2);
    t.set(x, y, i % 2 ? ink::stone_dark : ink::stone_shine);
  }
  return t;
}

Canvas t_brick() {
  return blocks({8, 4, ink::brick_mortar, ink::brick_dark, ink::brick_face, ink::brick_dark,
                 ink::brick_light, 0.25, 4});
}

// rock_cells
// Boulders for the cave rock: each pixel belongs to the nearest of a grid
// of jittered points (two by two per tile, repeating); a crack runs where
// two boulders meet and each boulder is lit towards the top left.
Canvas rock_cells(int seed) {
  Canvas t = plain(ink::rock_face);
  each_pixel(t, [&](int x, int y) {
    Cell b = cell_at(x, y, 8, TILE, 0.2, 0.6, seed);
    double edge = b.d2 - b.d1;
    int c;
    if (edge < 1.0) c = ink::rock_crack;
    else {
      double lit = ((b.px - (x + 0.5)) + (b.py - (y + 0.5))) / 8.0;  // > 0 up-left of centre
      bool grey = b.id == 1;  // one grey boulder among brown ones
      if (edge < 2.0 && lit < 0) c = grey ? ink::stone_mortar : ink::rock_dark;
      else if (lit > 0.45) c = grey ? ink::stone_face : ink::rock_shine;
      else if (lit > 0.1) c = grey ? ink::stone_face2 : ink::rock_light;
      else c = grey ? ink::stone_dark : b.id == 2 ? ink::rock_dark : ink::rock_face;
    }
    t.set(x, y, c);
  });
  return t;
}

Canvas t_rock() { return rock_cells(31); }

Canvas t_rock_top() {
  Canvas t = rock_cells(31);
  // the walked-on surface: flat stones of both tones, lit from above
  for (int x = 0; x < TILE; x++) {
    bool grey = hash01(x / 3, 0, 32) < 0.4;
    t.set(x, 0, grey ? ink::stone_light : ink::rock_shine);
    t.set(x, 1, grey ? ink::stone_face : ink::rock_light);
    if (x % 3 == 2 || hash01(x, 2, 32) < 0.3) t.set(x, 2, ink::rock_crack);
  }
  for (int x : {3, 4, 11}) t.set(x, 0, ink::moss_light);  // tufts of moss
  return t;
}

Canvas t_sandstone(bool carved) {
  Canvas t = blocks({16, 8, ink::sand_mortar, ink::sand_dark, ink::sand_face, ink::sand_face2,
                     ink::sand_light, 0.35, 5});
  for (int i = 0; i < 4; i++) {
    int x = 2 + (int)(hash01(i, 0, 13) * 11), y = 2 + (int)(hash01(i, 1, 13) * 4) + 8 * (i % 2);
    t.set(x, y, ink::sand_shine);
  }
  if (carved) {
    // a band of carved zigzags across the upper block
    for (int x = 0; x < TILE; x++) {
      int y = 2 + (x % 4 < 2 ? x % 4 : 4 - x % 4);
      t.set(x, y, ink::sand_mortar);
      t.set(x, y + 1, ink::sand_light);
    }
  }
  return t;
}

// earth
// Mottled earth with four pebbles, each two pixels wide under a lit one.
Canvas earth(const int stones[4][2]) {
  Canvas t = plain(ink::dirt);
  each_pixel(t, [&](int x, int y) {
    double n = noise(x, y, 4, 41);
    if (n < 0.3) t.set(x, y, ink::dirt_dark);
    else if (n > 0.7) t.set(x, y, ink::dirt_light);
  });
  for (int i = 0; i < 4; i++) {
    const int *s = stones[i];
    t.set(s[0], s[1], ink::pebble);
    t.set(s[0] + 1, s[1], ink::pebble);
    t.set(s[0], s[1] - 1, ink::pebble_light);
  }
  return t;
}

// grass_ground
// Grass over earth: blades along the top rows, a dark root line, earth
// with pebbles below. `edge` -1 or +1 rounds the left or right end off.
Canvas grass_ground(int edge) {
  const int stones[4][2] = {{3, 9}, {10, 12}, {13, 7}, {6, 14}};
  Canvas t = earth(stones);
  // grass: full rows 1..3, blades standing in row 0, tufts hanging to row 5
  for (int x = 0; x < TILE; x++) {
    bool tip = hash01(x, 3, 42) < 0.55;
    t.set(x, 0, tip ? ink::grass_shine : ink::sky);
    t.set(x, 1, ink::grass_light);
    t.set(x, 2, hash01(x, 4, 42) < 0.5 ? ink::grass_light : ink::grass);
    t.set(x, 3, ink::grass);
    int hang = 4 + (int)(hash01(x, 5, 42) * 2.2);
    for (int y = 4; y < hang; y++) t.set(x, y, ink::grass_dark);
    t.set(x, hang, ink::dirt_dark);
  }
  if (edge) {
    // the rounded end: sky in the corner, the side in shadow
    for (int y = 0; y < TILE; y++) {
      int side = edge < 0 ? 0 : TILE - 1, in = edge < 0 ? 1 : -1;
      if (y <= 1) {
        t.set(side, y, ink::sky);
        if (y == 0) t.set(side + in, y, ink::sky);
      } else if (y >= 4) {
        t.set(side, y, ink::dirt_dark);
      } else {
        t.set(side, y, ink::grass_dark);
      }
    }
  }
  return t;
}

Canvas t_dirt() {
  const int stones[4][2] = {{2, 3}, {9, 6}, {13, 12}, {5, 11}};
  return earth(stones);
}

Canvas t_crate() {
  Canvas t = plain(ink::wood);
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++)
      if ((y / 5) % 2 == 0 && hash01(x / 3, y, 51) < 0.3) t.set(x, y, ink::wood_mid);
  // boards between the frame
  for (int y = 3; y < 13; y++)
    if (y % 5 == 2) hline(t, 2, 13, y, ink::wood_dark);
  // frame and brace
  fill_box(t, 0, 0, 15, 1, ink::wood_light);
  fill_box(t, 0, 14, 15, 15, ink::wood_dark);
  fill_box(t, 0, 0, 1, 15, ink::wood_light);
  fill_box(t, 14, 0, 15, 15, ink::wood_dark);
  hline(t, 0, 15, 1, ink::wood_mid);
  vline(t, 1, 1, 14, ink::wood_mid);
  for (int i = 2; i < 14; i++) {
    t.set(i, 15 - i, ink::wood_light);
    t.set(i + 1, 15 - i, ink::wood_mid);
    t.set(i - 1, 15 - i, ink::wood_dark);
  }
  // outline so that stacked crates stay apart, nails in the corners
  hline(t, 0, 15, 15, ink::iron);
  vline(t, 15, 0, 15, ink::iron);
  for (int p : {2, 13})
    for (int q : {2, 13}) t.set(p, q, ink::iron_light);
  return t;
}

Canvas t_battlement() {
  Canvas t = stone_wall();
  // a crenel cut out of the upper course, the sky showing through it
  fill_box(t, 9, 0, 15, 4, ink::sky);
  hline(t, 9, 15, 5, ink::stone_light);
  vline(t, 8, 0, 5, ink::stone_dark);
  vline(t, 7, 0, 5, ink::stone_mortar);
  return t;
}

// ------------------------------------------------------- one-way platforms

void t_plank(Canvas &t) {
  hline(t, 0, 15, 0, ink::wood_shine);
  for (int y = 1; y <= 3; y++)
    for (int x = 0; x < TILE; x++)
      t.set(x, y, hash01(x / 2, y, 61) < 0.3 ? ink::wood_mid : ink::wood_light);
  hline(t, 0, 15, 4, ink::wood_dark);
  // board joint and nails
  vline(t, 15, 1, 4, ink::wood_dark);
  set_pixels(t, {{2, 2, ink::iron}, {12, 2, ink::iron}});
  // a bracket under the board
  set_pixels(t, {{6, 5, ink::iron_light}, {7, 5, ink::iron_light}, {7, 6, ink::iron}});
}

void t_girder(Canvas &t) {
  hline(t, 0, 15, 0, ink::girder_light);
  hline(t, 0, 15, 1, ink::girder);
  hline(t, 0, 15, 6, ink::girder);
  hline(t, 0, 15, 7, ink::girder_dark);
  // the web: a zigzag truss between the flanges
  for (int x = 0; x < TILE; x++) {
    int k = x % 8, y = 2 + (k < 4 ? k : 7 - k);
    t.set(x, y, ink::girder);
    t.set(x, y + 1 > 5 ? 5 : y + 1, ink::girder_dark);
  }
  for (int x : {0, 8}) {
    t.set(x + 3, 0, ink::girder);  // rivets
    t.set(x + 3, 1, ink::girder_dark);
  }
}

void t_rock_ledge(Canvas &t) {
  for (int x = 0; x < TILE; x++) {
    int bottom = 4 + (int)(hash01(x / 2, 0, 71) * 2.5);
    t.set(x, 0, ink::stone_light);
    for (int y = 1; y < bottom; y++) t.set(x, y, y < 2 ? ink::stone_face : ink::stone_face2);
    t.set(x, bottom, ink::stone_dark);
  }
  set_pixels(t, {{5, 2, ink::stone_dark}, {6, 3, ink::stone_dark}, {12, 1, ink::stone_shine},
                 {9, 3, ink::rock_face}});
}

void t_bridge(Canvas &t) {
  for (int x = 0; x < TILE; x++) {
    bool gap = x % 4 == 3;
    t.set(x, 0, gap ? ink::wood_dark : ink::wood_shine);
    t.set(x, 1, gap ? ink::wood_dark : ink::wood_light);
    t.set(x, 2, gap ? ink::wood_dark : ink::wood_mid);
    t.set(x, 3, ink::wood_dark);
  }
  // the ropes that hold the planks, sagging a little
  for (int x = 0; x < TILE; x++) t.set(x, 4 + (x > 4 && x < 11), ink::rope);
}

// ------------------------------------------------------------------ ladders

// ladder
// Two rails and rungs every four rows; with top, the rails end in rounded
// caps in the top rows (the tile above a floor).
void ladder(Canvas &t, bool top) {
  int y0 = top ? 3 : 0;
  for (int x : {2, 12}) {
    vline(t, x, y0, TILE - 1, ink::wood_light);
    vline(t, x + 1, y0, TILE - 1, ink::wood_dark);
    if (top) set_pixels(t, {{x, 2, ink::wood_shine}, {x + 1, 2, ink::wood_mid}});
  }
  for (int y = 1; y < TILE; y += 4) {
    if (y < y0 + 2) continue;
    hline(t, 4, 11, y, ink::wood_mid);
    hline(t, 4, 11, y + 1, ink::wood_dark);
    t.set(4, y, ink::wood_light);
  }
}

// --------------------------------------------------------------- hazards

// spikes
// Steel spikes on a base plate at the bottom of the tile; hanging turns
// them upside down (spikes under a ceiling).
void spikes(Canvas &t, bool hanging) {
  // one spike, four columns wide: lit on the left, dark on the right
  Canvas s = make_canvas(TILE, TILE, 255);
  for (int k = 0; k < 4; k++)
    draw_rows(s, 4 * k, 6, "slmd",
              {ink::steel_shine, ink::steel_light, ink::steel, ink::steel_dark},
              {".s..", ".l..", ".lm.", ".lm.", "llm.", "llm.", "llmd", "llmd"});
  hline(s, 0, 15, 14, ink::steel);
  hline(s, 0, 15, 15, ink::steel_dark);
  each_pixel(t, [&](int x, int y) {
    int c = s.get(x, hanging ? TILE - 1 - y : y);
    if (c != 255) t.set(x, y, c);
  });
}

void t_fire(Canvas &t) {
  // flame height per column: tongues that repeat across the tile
  for (int x = 0; x < TILE; x++) {
    double h = 7 + 4 * std::sin((x + 0.5) * 2 * M_PI / 8) + 2 * std::sin((x + 2.5) * 2 * M_PI / 16);
    int top = TILE - 2 - (int)h;
    for (int y = top; y < TILE - 2; y++) {
      double d = (y - top) / h;  // 0 at the tip, 1 at the base
      int c = d < 0.2 ? ink::fire_red : d < 0.45 ? ink::fire_orange
              : d < 0.8 ? ink::fire_yellow : ink::fire_white;
      if (d < 0.2 && hash01(x, y, 81) < 0.3) c = ink::fire_orange;
      t.set(x, y, c);
    }
  }
  // embers on the floor
  for (int x = 0; x < TILE; x++) {
    t.set(x, 14, x % 3 ? ink::fire_red : ink::fire_orange);
    t.set(x, 15, x % 4 ? ink::lava_dark : ink::fire_red);
  }
}

// lava_body
// Molten rock: warm noise with bright veins.
void lava_body(Canvas &t, int y0) {
  for (int y = y0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      double n = noise(x, y, 8, 91) * 0.6 + noise(x, y, 4, 92) * 0.4;
      int c = n < 0.38 ? ink::lava_dark : n < 0.62 ? ink::lava_red
              : n < 0.78 ? ink::lava_orange : ink::lava_yellow;
      t.set(x, y, c);
    }
}

Canvas t_lava_top() {
  Canvas t = plain(ink::lava_glow);
  lava_body(t, 4);
  // the surface: a bright wavy crest, dark heat haze and sparks above it
  for (int x = 0; x < TILE; x++) {
    int y = 4 + (x % 8 < 4 ? 0 : 1);
    for (int k = 4; k < y; k++) t.set(x, k, ink::lava_glow);
    t.set(x, y, ink::lava_yellow);
    t.set(x, y + 1, ink::fire_orange);
    if (x % 8 == 5) t.set(x, y - 1, ink::lava_red);
  }
  set_pixels(t, {{3, 2, ink::fire_orange}, {11, 1, ink::lava_red}, {12, 3, ink::lava_red}});
  return t;
}

Canvas t_lava() {
  Canvas t = plain(ink::lava_red);
  lava_body(t, 0);
  return t;
}

// ------------------------------------------------------------------ doors

Canvas t_door(bool upper) {
  Canvas t = plain(ink::wood);
  // planks
  for (int y = 0; y < TILE; y++)
    for (int x = 2; x < 14; x++) {
      int c = (x - 2) % 4 == 3 ? ink::wood_dark : (x - 2) % 4 == 0 ? ink::wood_mid : ink::wood;
      t.set(x, y, c);
    }
  // stone frame on both sides
  for (int y = 0; y < TILE; y++) {
    t.set(0, y, ink::stone_light);
    t.set(1, y, y % 8 == 7 ? ink::stone_mortar : ink::stone_face);
    t.set(14, y, y % 8 == 7 ? ink::stone_mortar : ink::stone_face);
    t.set(15, y, ink::stone_dark);
  }
  if (upper) {
    // round arch: stone above the curve, a keystone in the middle
    for (int y = 0; y < 8; y++)
      for (int x = 2; x < 14; x++) {
        double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
        double r = std::sqrt(dx * dx + dy * dy);
        if (r > 6.0) t.set(x, y, r < 7.0 ? ink::stone_dark : ink::stone_face);
      }
    fill_box(t, 7, 0, 8, 1, ink::stone_light);
    hline(t, 0, 15, 0, ink::stone_light);
    t.set(11, 8, ink::iron);  // upper hinge band
    hline(t, 2, 13, 10, ink::iron);
  } else {
    hline(t, 2, 13, 10, ink::iron);
    hline(t, 2, 13, 11, ink::iron_light);
    // ring handle
    set_pixels(t, {{4, 5, ink::gold}, {3, 6, ink::gold}, {5, 6, ink::gold_dark},
                   {4, 7, ink::gold_dark}});
    // threshold
    hline(t, 0, 15, 15, ink::stone_dark);
  }
  return t;
}

// plate
// The picture of a tile without a drawing: a grey plate with its index.
Canvas plate(int index) {
  Canvas t = plain(ink::stone_dark);
  draw_small_number(t, 2, 5, index, ink::stone_shine);
  return t;
}

// drawers
// The drawing of every named tile.
const std::map<std::string, std::function<Canvas()>> &drawers() {
  static const std::map<std::string, std::function<Canvas()>> d = [] {
    std::map<std::string, std::function<Canvas()>> d = {
        {"void", t_void},
        {"stone_block", t_stone_block},
        {"back_wall", castle_back},
        {"plank", over(CASTLE, t_plank)},
        {"door", [] { return t_door(false); }},
        {"door_top", [] { return t_door(true); }},
        {"brick", t_brick},
        {"girder", over(CASTLE, t_girder)},
        {"spikes_ceiling", over(CASTLE, [](Canvas &t) { spikes(t, true); })},
        {"fire", over(CASTLE, t_fire)},
        {"lava_top", t_lava_top},
        {"lava", t_lava},
        {"crate", t_crate},
        {"rock", t_rock},
        {"rock_top", t_rock_top},
        {"cave_back", cave_back},
        {"rock_ledge", over(CAVE, t_rock_ledge)},
        {"sandstone", [] { return t_sandstone(false); }},
        {"tomb_back", tomb_back},
        {"sandstone_carved", [] { return t_sandstone(true); }},
        {"sky", sky_back},
        {"grass", [] { return grass_ground(0); }},
        {"dirt", t_dirt},
        {"grass_left", [] { return grass_ground(-1); }},
        {"grass_right", [] { return grass_ground(1); }},
        {"bridge", over(SKY, t_bridge)},
        {"battlement", t_battlement},
    };
    for (const Scenery &s : SCENERY) d[s.name] = over(s.back, s.draw);
    // every look has its ladder, the ladder's top and spikes
    const char *const looks[] = {"", "cave_", "tomb_", "sky_"};  // in the order of Back
    for (Back b : {CASTLE, CAVE, TOMB, SKY}) {
      std::string look = looks[b];
      d[look + "ladder"] = over(b, [](Canvas &t) { ladder(t, false); });
      d[look + "ladder_top"] = over(b, [](Canvas &t) { ladder(t, true); });
      d[look + "spikes"] = over(b, [](Canvas &t) { spikes(t, false); });
    }
    return d;
  }();
  return d;
}

}  // namespace tileart

// tile_picture
bool tile_picture(const std::string &name, int index, Canvas &out) {
  auto it = tileart::drawers().find(name);
  if (it == tileart::drawers().end()) {
    out = tileart::plate(index);
    return false;
  }
  out = it->second();
  return true;
}
