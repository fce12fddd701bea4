// tiles.cpp -- the 16 x 16 tile pictures of sideview, chosen by the tile's name
//
// Four looks: castle (grey stone), cave (brown rock), tomb (sandstone) and
// outdoors (night sky, grass). Backgrounds are dark and plain; what a player
// stands on is brighter and shaded; what hurts is bright and hot or steel.
// Every texture repeats every 16 pixels, so equal tiles join without a seam.
// Light falls from the top left.
#include "tiles.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "codes.h"

namespace {

// The tile palette, in the colours the machine shows: change one here to
// recolour every tile that uses it.
namespace ink {
const int black = 0;
const int void_dot = code_of("#0c0c0c");
// castle: grey stone
const int back_mortar = code_of("#0c0c0c"), back_face = code_of("#1c1c1c"),
          back_light = code_of("#2c2c2c"), back_glow = code_of("#69180c");
const int stone_mortar = code_of("#2c2c2c"), stone_dark = code_of("#4d4d4d"),
          stone_face = code_of("#7d7d7d"), stone_face2 = code_of("#6d6d6d"),
          stone_light = code_of("#aeaeae"), stone_shine = code_of("#cfcfcf");
const int brick_mortar = code_of("#3c3c3c"), brick_dark = code_of("#750800"),
          brick_face = code_of("#862c00"), brick_light = code_of("#a63400");
// wood
const int wood_dark = code_of("#691000"), wood = code_of("#862c00"), wood_mid = code_of("#963c00"),
          wood_light = code_of("#b65d00"), wood_shine = code_of("#c76d00");
const int iron = code_of("#3c3c3c"), iron_light = code_of("#6d6d6d");
const int gold = code_of("#ffba00"), gold_dark = code_of("#d77d00");
// steel and fire
const int steel_dark = code_of("#4d4d4d"), steel = code_of("#9e9e9e"),
          steel_light = code_of("#dfdfdf"), steel_shine = code_of("#efefef");
const int fire_red = code_of("#b64500"), fire_orange = code_of("#f79a00"),
          fire_yellow = code_of("#ffdb00"), fire_white = code_of("#ffffc0");
const int lava_dark = code_of("#860000"), lava_red = code_of("#b64500"),
          lava_orange = code_of("#e78e00"), lava_yellow = code_of("#ffcb00"),
          lava_glow = code_of("#590000");
const int girder_dark = code_of("#862000"), girder = code_of("#b64500"),
          girder_light = code_of("#e7751c");
// decoration
const int banner_dark = code_of("#69000c"), banner = code_of("#75001c"),
          banner_light = code_of("#86002c");
const int moss_dark = code_of("#005100"), moss = code_of("#006100"), moss_light = code_of("#2c5900");
const int bone = code_of("#bebebe"), bone_light = code_of("#dfdfdf");
const int chain = code_of("#5d5d5d"), chain_light = code_of("#8d8d8d");
const int web = code_of("#4d4d4d");
const int night = code_of("#00146d"), night_light = code_of("#00247d"),
          star = code_of("#efefef"), star_dim = code_of("#8d8d8d");
// cave
const int cave_dark = code_of("#000000"), cave_face = code_of("#0c0c0c"),
          cave_light = code_of("#1c1c1c");
const int rock_crack = code_of("#0c0c0c"), rock_dark = code_of("#751c00"),
          rock_face = code_of("#862c00"), rock_light = code_of("#963c00"),
          rock_shine = code_of("#a64d00");
const int crystal_dark = code_of("#3c28ae"), crystal = code_of("#5d49cf"),
          crystal_light = code_of("#9e86ff"), crystal_shine = code_of("#c7beff");
const int shroom_stem = code_of("#9e9e9e"), shroom_cap = code_of("#00aa4d"),
          shroom_light = code_of("#4dff7d"), shroom_dark = code_of("#006130");
// tomb
const int tomb_mortar = code_of("#0c0c0c"), tomb_face = code_of("#590000"),
          tomb_grain = code_of("#1c1c1c"),
          tomb_light = code_of("#69100c"), tomb_carve = code_of("#2c0000");
const int sand_mortar = code_of("#691000"), sand_dark = code_of("#a64d00"),
          sand_face = code_of("#c76d00"), sand_face2 = code_of("#b65d00"),
          sand_light = code_of("#e78e00"), sand_shine = code_of("#ffaa00");
const int paint_blue = code_of("#00458e"), paint_white = code_of("#bebebe");
const int clay_dark = code_of("#862000"), clay = code_of("#a63400"), clay_light = code_of("#c75500");
// outdoors
const int sky = code_of("#00146d");
const int moon = code_of("#dfdfdf"), moon_dark = code_of("#aeaeae"), moon_shade = code_of("#bebebe");
const int cloud_dark = code_of("#00247d"), cloud = code_of("#00348e"), cloud_light = code_of("#00458e");
const int grass_dark = code_of("#2c5900"), grass = code_of("#4d7900"), grass_light = code_of("#6d9a00"),
          grass_shine = code_of("#8daa1c");
const int dirt_dark = code_of("#691000"), dirt = code_of("#751c00"), dirt_light = code_of("#862c00"),
          pebble = code_of("#5d5d5d"), pebble_light = code_of("#8d8d8d");
const int leaf_dark = code_of("#005100"), leaf = code_of("#006d00"), leaf_light = code_of("#2c8600"),
          leaf_shine = code_of("#4da200");
const int bark_dark = code_of("#590000"), bark = code_of("#751c00"), bark_light = code_of("#963c00");
const int petal_pink = code_of("#f7719e"), petal_yellow = code_of("#ffdb00"), petal_white = code_of("#efefef");
const int rope = code_of("#a65d00");
}  // namespace ink

// The four backgrounds that the tiles with see-through parts lie over.
enum Back { CASTLE, CAVE, TOMB, SKY };

// plain
// A 16 x 16 tile of one colour.
Canvas plain(int c) { return make_canvas(TILE, TILE, c); }

// noise
// Smooth noise in [0, 1) that repeats every 16 pixels.
double noise(int x, int y, int cell, int seed) { return value_noise(x, y, cell, TILE, seed); }

// Blocks laid in courses, every other course shifted by half a block.
struct BlockStyle {
  int w, h;                               // block size with its mortar line
  int mortar, dark, face, face2, light;   // colours
  double varied;                          // share of face2 in the faces
  int seed;
};

// blocks
// Draws a wall of blocks: a mortar line right of and under each block, a
// lit top and left edge, a shaded bottom and right edge, faces mottled with
// a second tone.
void blocks(Canvas &t, const BlockStyle &s) {
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      int course = y / s.h, off = (course % 2) * (s.w / 2);
      int bx = wrap(x - off, s.w), by = y % s.h;
      int c;
      if (by == s.h - 1 || bx == s.w - 1) c = s.mortar;
      else if (by == 0 || bx == 0) c = s.light;
      else if (by == s.h - 2 || bx == s.w - 2) c = s.dark;
      else c = noise(x, y, 4, s.seed) < s.varied ? s.face2 : s.face;
      t.set(x, y, c);
    }
}

// castle_back
// The dark stone wall behind castle rooms.
Canvas castle_back() {
  Canvas t = plain(ink::back_face);
  blocks(t, {16, 8, ink::back_mortar, ink::back_face, ink::back_face, ink::back_face,
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
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      double n = noise(x, y, 8, 21) * 0.7 + noise(x, y, 4, 22) * 0.3;
      if (n < 0.3) t.set(x, y, ink::cave_dark);
      else if (n > 0.62) t.set(x, y, ink::cave_light);
    }
  return t;
}

// tomb_back
// Dark red sandstone behind tomb rooms: long blocks.
Canvas tomb_back() {
  Canvas t = plain(ink::tomb_face);
  blocks(t, {16, 8, ink::tomb_mortar, ink::tomb_face, ink::tomb_face, ink::tomb_face,
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

Canvas background(Back b) {
  switch (b) {
    case CASTLE: return castle_back();
    case CAVE: return cave_back();
    case TOMB: return tomb_back();
    default: return sky_back();
  }
}

// ------------------------------------------------------------ solid ground

Canvas t_void() {
  Canvas t = plain(ink::black);
  for (int y = 0; y < TILE; y += 4)
    for (int x = (y / 4 % 2) * 2; x < TILE; x += 4) t.set(x, y, ink::void_dot);
  return t;
}

Canvas t_stone_block() {
  Canvas t = plain(ink::stone_face);
  blocks(t, {16, 8, ink::stone_mortar, ink::stone_dark, ink::stone_face, ink::stone_face2,
             ink::stone_light, 0.4, 3});
  // chips and glints
  for (int i = 0; i < 5; i++) {
    int x = 2 + (int)(hash01(i, 0, 11) * 11), y = 2 + (int)(hash01(i, 1, 11) * 4) + 8 * (i % 2);
    t.set(x, y, i % 2 ? ink::stone_dark : ink::stone_shine);
  }
  return t;
}

Canvas t_brick() {
  Canvas t = plain(ink::brick_face);
  blocks(t, {8, 4, ink::brick_mortar, ink::brick_dark, ink::brick_face, ink::brick_dark,
             ink::brick_light, 0.25, 4});
  return t;
}

// rock_cells
// Boulders for the cave rock: each pixel belongs to the nearest of a grid
// of jittered points (two by two per tile, repeating); a crack runs where
// two boulders meet and each boulder is lit towards the top left.
Canvas rock_cells(int seed) {
  Canvas t = plain(ink::rock_face);
  const int cell = 8, n = TILE / cell;
  auto point = [&](int gx, int gy, double &px, double &py, int &id) {
    int wx = wrap(gx, n), wy = wrap(gy, n);
    px = (gx + 0.2 + 0.6 * hash01(wx, wy, seed)) * cell;
    py = (gy + 0.2 + 0.6 * hash01(wx, wy, seed + 1)) * cell;
    id = wy * n + wx;
  };
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      double d1 = 1e9, d2 = 1e9, bx = 0, by = 0;
      int id = 0;
      for (int j = -1; j <= 1; j++)
        for (int i = -1; i <= 1; i++) {
          double px, py;
          int pid;
          point(x / cell + i, y / cell + j, px, py, pid);
          double d = std::hypot(x + 0.5 - px, y + 0.5 - py);
          if (d < d1) d2 = d1, d1 = d, id = pid, bx = px, by = py;
          else if (d < d2) d2 = d;
        }
      double edge = d2 - d1;
      int c;
      if (edge < 1.0) c = ink::rock_crack;
      else {
        double lit = ((bx - (x + 0.5)) + (by - (y + 0.5))) / 8.0;  // > 0 up-left of centre
        bool grey = id == 1;  // one grey boulder among brown ones
        if (edge < 2.0 && lit < 0) c = grey ? ink::stone_mortar : ink::rock_dark;
        else if (lit > 0.45) c = grey ? ink::stone_face : ink::rock_shine;
        else if (lit > 0.1) c = grey ? ink::stone_face2 : ink::rock_light;
        else c = grey ? ink::stone_dark : id == 2 ? ink::rock_dark : ink::rock_face;
      }
      t.set(x, y, c);
    }
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
  Canvas t = plain(ink::sand_face);
  blocks(t, {16, 8, ink::sand_mortar, ink::sand_dark, ink::sand_face, ink::sand_face2,
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

// grass_ground
// Grass over earth: blades along the top rows, a dark root line, earth
// with pebbles below. `edge` -1 or +1 rounds the left or right end off.
Canvas grass_ground(int edge) {
  Canvas t = plain(ink::dirt);
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      double n = noise(x, y, 4, 41);
      if (n < 0.3) t.set(x, y, ink::dirt_dark);
      else if (n > 0.7) t.set(x, y, ink::dirt_light);
    }
  // pebbles
  const int stones[][2] = {{3, 9}, {10, 12}, {13, 7}, {6, 14}};
  for (auto &s : stones) {
    t.set(s[0], s[1], ink::pebble);
    t.set(s[0] + 1, s[1], ink::pebble);
    t.set(s[0], s[1] - 1, ink::pebble_light);
  }
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
  Canvas t = plain(ink::dirt);
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      double n = noise(x, y, 4, 41);
      if (n < 0.3) t.set(x, y, ink::dirt_dark);
      else if (n > 0.7) t.set(x, y, ink::dirt_light);
    }
  const int stones[][2] = {{2, 3}, {9, 6}, {13, 12}, {5, 11}};
  for (auto &s : stones) {
    t.set(s[0], s[1], ink::pebble);
    t.set(s[0] + 1, s[1], ink::pebble);
    t.set(s[0], s[1] - 1, ink::pebble_light);
  }
  return t;
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
  Canvas t = plain(ink::stone_face);
  blocks(t, {16, 8, ink::stone_mortar, ink::stone_dark, ink::stone_face, ink::stone_face2,
             ink::stone_light, 0.4, 3});
  // a crenel cut out of the upper course, the sky showing through it
  fill_box(t, 9, 0, 15, 4, ink::sky);
  hline(t, 9, 15, 5, ink::stone_light);
  vline(t, 8, 0, 5, ink::stone_dark);
  vline(t, 7, 0, 5, ink::stone_mortar);
  return t;
}

// ------------------------------------------------------- one-way platforms

Canvas t_plank() {
  Canvas t = castle_back();
  hline(t, 0, 15, 0, ink::wood_shine);
  for (int y = 1; y <= 3; y++)
    for (int x = 0; x < TILE; x++)
      t.set(x, y, hash01(x / 2, y, 61) < 0.3 ? ink::wood_mid : ink::wood_light);
  hline(t, 0, 15, 4, ink::wood_dark);
  // board joint and nails
  vline(t, 15, 1, 4, ink::wood_dark);
  t.set(2, 2, ink::iron);
  t.set(12, 2, ink::iron);
  // a bracket under the board
  t.set(6, 5, ink::iron_light);
  t.set(7, 5, ink::iron_light);
  t.set(7, 6, ink::iron);
  return t;
}

Canvas t_girder() {
  Canvas t = castle_back();
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
  return t;
}

Canvas t_rock_ledge() {
  Canvas t = cave_back();
  for (int x = 0; x < TILE; x++) {
    int bottom = 4 + (int)(hash01(x / 2, 0, 71) * 2.5);
    t.set(x, 0, ink::stone_light);
    for (int y = 1; y < bottom; y++) t.set(x, y, y < 2 ? ink::stone_face : ink::stone_face2);
    t.set(x, bottom, ink::stone_dark);
  }
  t.set(5, 2, ink::stone_dark);
  t.set(6, 3, ink::stone_dark);
  t.set(12, 1, ink::stone_shine);
  t.set(9, 3, ink::rock_face);
  return t;
}

Canvas t_bridge() {
  Canvas t = sky_back();
  for (int x = 0; x < TILE; x++) {
    bool gap = x % 4 == 3;
    t.set(x, 0, gap ? ink::wood_dark : ink::wood_shine);
    t.set(x, 1, gap ? ink::wood_dark : ink::wood_light);
    t.set(x, 2, gap ? ink::wood_dark : ink::wood_mid);
    t.set(x, 3, ink::wood_dark);
  }
  // the ropes that hold the planks, sagging a little
  for (int x = 0; x < TILE; x++) t.set(x, 4 + (x > 4 && x < 11), ink::rope);
  return t;
}

// ------------------------------------------------------------------ ladders

// ladder
// Two rails and rungs every four rows over a background; with top, the
// rails end in rounded caps in the top rows (the tile above a floor).
Canvas ladder(Back b, bool top) {
  Canvas t = background(b);
  int y0 = top ? 3 : 0;
  for (int y = y0; y < TILE; y++) {
    t.set(2, y, ink::wood_light);
    t.set(3, y, ink::wood_dark);
    t.set(12, y, ink::wood_light);
    t.set(13, y, ink::wood_dark);
  }
  if (top) {
    for (int x : {2, 12}) {
      t.set(x, 2, ink::wood_shine);
      t.set(x + 1, 2, ink::wood_mid);
    }
  }
  for (int y = 1; y < TILE; y += 4) {
    if (y < y0 + 2) continue;
    hline(t, 4, 11, y, ink::wood_mid);
    hline(t, 4, 11, y + 1, ink::wood_dark);
    t.set(4, y, ink::wood_light);
  }
  return t;
}

// --------------------------------------------------------------- hazards

// spikes
// Steel spikes on a base plate at the bottom of the tile, over a background;
// hanging turns them upside down (spikes under a ceiling).
Canvas spikes(Back b, bool hanging) {
  // one spike, four columns wide: lit on the left, dark on the right
  static const char *spike[] = {".s..", ".l..", ".lm.", ".lm.", "llm.", "llm.", "llmd", "llmd"};
  Canvas s = make_canvas(TILE, TILE, 255);
  for (int k = 0; k < 4; k++)
    for (int y = 0; y < 8; y++)
      for (int x = 0; x < 4; x++) {
        char ch = spike[y][x];
        int c = ch == 's' ? ink::steel_shine : ch == 'l' ? ink::steel_light
                : ch == 'm' ? ink::steel : ch == 'd' ? ink::steel_dark : 255;
        if (c != 255) s.set(4 * k + x, 6 + y, c);
      }
  hline(s, 0, 15, 14, ink::steel);
  hline(s, 0, 15, 15, ink::steel_dark);
  Canvas t = background(b);
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      int c = s.get(x, hanging ? TILE - 1 - y : y);
      if (c != 255) t.set(x, y, c);
    }
  return t;
}

Canvas t_fire() {
  Canvas t = castle_back();
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
  return t;
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
  t.set(3, 2, ink::fire_orange);
  t.set(11, 1, ink::lava_red);
  t.set(12, 3, ink::lava_red);
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
    t.set(4, 5, ink::gold);
    t.set(3, 6, ink::gold);
    t.set(5, 6, ink::gold_dark);
    t.set(4, 7, ink::gold_dark);
    // threshold
    hline(t, 0, 15, 15, ink::stone_dark);
  }
  return t;
}

// ------------------------------------------------------- castle background

Canvas t_back_window() {
  Canvas t = castle_back();
  for (int y = 2; y < 13; y++)
    for (int x = 4; x < 12; x++) {
      double dx = x + 0.5 - 8, dy = y + 0.5 - 6;
      if (y >= 6 || dx * dx + dy * dy <= 16) t.set(x, y, ink::night);
    }
  // frame shading: lit sill, dark inner edge
  for (int y = 2; y < 13; y++)
    for (int x = 3; x < 13; x++)
      if (t.get(x, y) != ink::night &&
          (t.get(x + 1, y) == ink::night || t.get(x - 1, y) == ink::night ||
           t.get(x, y + 1) == ink::night))
        t.set(x, y, ink::back_light);
  hline(t, 3, 12, 13, ink::stone_dark);
  hline(t, 3, 12, 14, ink::back_mortar);
  vline(t, 8, 3, 12, ink::back_face);  // mullion
  hline(t, 4, 11, 8, ink::back_face);
  t.set(6, 5, ink::star);
  t.set(10, 10, ink::star_dim);
  return t;
}

Canvas t_back_torch() {
  Canvas t = castle_back();
  // warm light on the nearest stones
  for (int y = 0; y < 9; y++)
    for (int x = 2; x < 14; x++)
      if ((x + y) % 2 == 0 && t.get(x, y) == ink::back_light) t.set(x, y, ink::back_glow);
  // bracket and stick
  hline(t, 6, 9, 11, ink::iron_light);
  hline(t, 6, 9, 12, ink::iron);
  t.set(7, 13, ink::iron);
  fill_box(t, 7, 6, 8, 10, ink::wood);
  t.set(7, 6, ink::wood_light);
  // flame
  const char *flame[] = {"...r....", "..ro....", "..roo...", ".royo...", ".ryyor..", "..oyo...", "..ooo..."};
  for (int y = 0; y < 7; y++)
    for (int x = 0; x < 8; x++) {
      char ch = flame[y][x];
      int c = ch == 'r' ? ink::fire_red : ch == 'o' ? ink::fire_orange
              : ch == 'y' ? ink::fire_yellow : -1;
      if (c >= 0) t.set(4 + x, y, c);
    }
  return t;
}

Canvas t_back_pillar() {
  Canvas t = castle_back();
  for (int y = 0; y < TILE; y++) {
    t.set(4, y, ink::back_mortar);
    t.set(5, y, ink::stone_dark);
    for (int x = 6; x < 10; x++) t.set(x, y, x == 7 ? ink::stone_mortar : ink::stone_dark);
    t.set(10, y, ink::back_light);
    t.set(11, y, ink::back_mortar);
  }
  // fluting shadows and a drum joint
  for (int x = 5; x < 11; x++) t.set(x, 12, ink::back_mortar);
  return t;
}

Canvas t_back_banner() {
  Canvas t = castle_back();
  hline(t, 2, 13, 1, ink::iron_light);
  t.set(2, 0, ink::iron);
  t.set(13, 0, ink::iron);
  for (int y = 2; y < TILE; y++)
    for (int x = 4; x < 12; x++) {
      int notch = y - 11;  // the tail is cut into a V
      if (notch > 0 && std::abs(x * 2 + 1 - 16) < notch * 2) continue;
      t.set(x, y, x == 4 ? ink::banner_light : x == 11 ? ink::banner_dark : ink::banner);
    }
  // emblem: a small gold diamond
  for (int d = 0; d < 3; d++) {
    t.set(8 - d, 5 + d, ink::gold_dark);
    t.set(7 + d, 5 + d, ink::gold_dark);
    t.set(8 - d, 9 - d, ink::gold_dark);
    t.set(7 + d, 9 - d, ink::gold_dark);
  }
  return t;
}

Canvas t_back_crack() {
  Canvas t = castle_back();
  const int path[][2] = {{9, 0}, {9, 1}, {8, 2}, {8, 3}, {7, 4}, {7, 5}, {8, 6}, {6, 7}, {6, 8},
                         {5, 9}, {5, 10}, {6, 11}, {4, 12}, {4, 13}, {3, 14}, {10, 9}, {11, 10}};
  for (auto &p : path) t.set(p[0], p[1], ink::black);
  t.set(9, 8, ink::black);
  t.set(5, 15, ink::back_light);  // crumbs at the foot
  t.set(7, 15, ink::back_light);
  return t;
}

Canvas t_back_moss() {
  Canvas t = castle_back();
  // moss grows along the mortar lines and hangs down from them in strands
  for (int x = 0; x < TILE; x++)
    for (int joint : {7, 15}) {
      if (hash01(x, joint, 101) < 0.25) continue;
      t.set(x, joint, ink::moss_dark);
      if (hash01(x, joint, 102) < 0.5) t.set(x, joint - 1, ink::moss);
      int hang = (int)(hash01(x, joint, 103) * 4) - 1;
      for (int k = 1; k <= hang; k++) t.set(x, (joint + k) % TILE, k == 1 ? ink::moss : ink::moss_dark);
      if (hash01(x, joint, 104) < 0.2) t.set(x, joint - 1, ink::moss_light);
    }
  return t;
}

Canvas t_chain() {
  Canvas t = castle_back();
  for (int y = 0; y < TILE; y++) {
    int k = y % 8;
    if (k < 5) {  // a link seen face on
      t.set(6, y, k == 0 || k == 4 ? ink::back_face : ink::chain_light);
      t.set(9, y, k == 0 || k == 4 ? ink::back_face : ink::chain);
      if (k == 0 || k == 4) {
        t.set(7, y, ink::chain_light);
        t.set(8, y, ink::chain);
      }
    } else {  // a link seen edge on
      t.set(7, y, ink::chain_light);
      t.set(8, y, ink::chain);
    }
  }
  return t;
}

// draw_line
// A one-pixel line between two points.
void draw_line(Canvas &t, int x0, int y0, int x1, int y1, int c) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
  for (;;) {
    t.set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

Canvas t_cobweb() {
  Canvas t = castle_back();
  // threads fanning out from the top-left corner, rings strung across them
  const int ends[][2] = {{15, 1}, {15, 8}, {12, 12}, {8, 15}, {1, 15}};
  for (auto &e : ends) draw_line(t, 0, 0, e[0], e[1], ink::web);
  for (double f : {0.35, 0.7})
    for (int k = 0; k + 1 < 5; k++)
      draw_line(t, (int)(ends[k][0] * f), (int)(ends[k][1] * f), (int)(ends[k + 1][0] * f),
                (int)(ends[k + 1][1] * f), ink::web);
  return t;
}

Canvas t_sign() {
  Canvas t = castle_back();
  fill_box(t, 7, 8, 8, 15, ink::wood);
  vline(t, 7, 8, 15, ink::wood_light);
  // an arrow-shaped board pointing on
  for (int y = 2; y < 8; y++)
    for (int x = 1; x < 15; x++) {
      int tip = 12 + (y < 5 ? y - 2 : 7 - y);
      if (x <= tip) t.set(x, y, y == 2 ? ink::wood_shine : ink::wood_light);
    }
  hline(t, 1, 12, 7, ink::wood_dark);
  hline(t, 3, 9, 4, ink::wood_dark);  // lettering
  t.set(10, 4, ink::wood_dark);
  hline(t, 3, 7, 5, ink::wood_dark);
  return t;
}

Canvas t_bones() {
  Canvas t = castle_back();
  const char *pic[] = {
      "....####........",
      "...######.......",
      "...#o##o#.......",
      "...######.......",
      "....#..#.....#..",
      "...........#####",
      "..##......###.#.",
      ".####....###....",
      "..###########...",
  };
  for (int y = 0; y < 9; y++)
    for (int x = 0; x < TILE; x++) {
      char ch = pic[y][x];
      if (ch == '#') t.set(x, 7 + y, y < 2 || x < 3 ? ink::bone_light : ink::bone);
      if (ch == 'o') t.set(x, 7 + y, ink::black);
    }
  return t;
}

// ------------------------------------------------------------------- cave

Canvas t_cave_back_stones() {
  Canvas t = cave_back();
  const int stones[][3] = {{3, 4, 2}, {11, 10, 3}, {6, 13, 2}};
  for (auto &s : stones)
    for (int y = 0; y < s[2]; y++)
      for (int x = 0; x <= s[2]; x++)
        t.set(s[0] + x, s[1] + y, y == 0 ? ink::back_light : ink::back_face);
  return t;
}

Canvas t_stalactites() {
  Canvas t = cave_back();
  const int drips[][2] = {{2, 11}, {7, 6}, {11, 14}, {14, 4}};  // column, length
  for (auto &d : drips)
    for (int y = 0; y < d[1]; y++) {
      int half = (d[1] - y) * 2 / d[1];
      for (int x = d[0] - half; x <= d[0] + half; x++)
        t.set(x, y, x < d[0] ? ink::stone_face2 : x == d[0] ? ink::stone_dark : ink::stone_mortar);
    }
  return t;
}

Canvas t_crystals() {
  Canvas t = cave_back();
  // three prisms growing from the floor
  const int prism[][3] = {{4, 9, 2}, {8, 4, 2}, {12, 10, 1}};  // x, top, half width
  for (auto &p : prism)
    for (int y = p[1]; y < TILE; y++)
      for (int x = p[0] - p[2]; x <= p[0] + p[2]; x++) {
        if (y < p[1] + p[2] && std::abs(x - p[0]) > y - p[1]) continue;  // pointed tip
        int c = x < p[0] ? ink::crystal_light : x == p[0] ? ink::crystal : ink::crystal_dark;
        t.set(x, y, c);
      }
  t.set(8, 5, ink::crystal_shine);
  t.set(3, 11, ink::crystal_shine);
  return t;
}

Canvas t_mushrooms() {
  Canvas t = cave_back();
  // stems
  vline(t, 5, 10, 15, ink::shroom_stem);
  vline(t, 11, 12, 15, ink::shroom_stem);
  // caps
  const char *big[] = {"..####..", ".#LL###.", "#L#####D", "DDDDDDDD"};
  const char *small[] = {".###.", "#L##D", "DDDDD"};
  auto cap = [&](const char *const *rows, int n, int w, int x0, int y0) {
    for (int y = 0; y < n; y++)
      for (int x = 0; x < w; x++) {
        char ch = rows[y][x];
        int c = ch == '#' ? ink::shroom_cap : ch == 'L' ? ink::shroom_light
                : ch == 'D' ? ink::shroom_dark : -1;
        if (c >= 0) t.set(x0 + x, y0 + y, c);
      }
  };
  cap(big, 4, 8, 2, 6);
  cap(small, 3, 5, 9, 9);
  return t;
}

// ------------------------------------------------------------------- tomb

Canvas t_tomb_glyphs() {
  Canvas t = tomb_back();
  // small carvings on both courses: a circle, a wave, a bird, a column
  const char *row1[] = {".oo..w.w.w..|..", "o..o.ww.ww..|..", ".oo..........||"};
  const char *row2[] = {"..b.....oo..w..", ".bbbb..o..o.ww.", "..b.b...oo..w.."};
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 15; x++) {
      if (row1[y][x] != '.') t.set(x, 2 + y, ink::tomb_carve);
      if (row2[y][x] != '.') t.set(x, 10 + y, ink::tomb_carve);
    }
  return t;
}

Canvas t_tomb_eye() {
  Canvas t = tomb_back();
  const char *eye[] = {
      "....wwwwww....",
      "..ww......ww..",
      ".w....bb....w.",
      "w....bbbb....w",
      ".w....bb....w.",
      "..wwwwwwwwww..",
      "........w.....",
      "........ww..w.",
      ".........www..",
  };
  for (int y = 0; y < 9; y++)
    for (int x = 0; x < 14; x++) {
      char ch = eye[y][x];
      if (ch == 'w') t.set(1 + x, 3 + y, ink::paint_white);
      if (ch == 'b') t.set(1 + x, 3 + y, ink::paint_blue);
    }
  return t;
}

Canvas t_urn() {
  Canvas t = tomb_back();
  const char *urn[] = {
      "....LLLL....",
      ".....ccD....",
      "....LccD....",
      "..LLccccDD..",
      ".LcccccccDD.",
      ".LggggggggD.",
      "LccccccccccD",
      "LcgcgcgcgccD",
      "LccccccccccD",
      ".LcccccccDD.",
      "..LcccccDD..",
      "...DDDDDD...",
  };
  for (int y = 0; y < 12; y++)
    for (int x = 0; x < 12; x++) {
      char ch = urn[y][x];
      int c = ch == 'L' ? ink::clay_light : ch == 'c' ? ink::clay
              : ch == 'D' ? ink::clay_dark : ch == 'g' ? ink::gold_dark : -1;
      if (c >= 0) t.set(2 + x, 4 + y, c);
    }
  return t;
}

// --------------------------------------------------------------- outdoors

Canvas t_sky_stars() {
  Canvas t = sky_back();
  t.set(3, 4, ink::star_dim);
  t.set(13, 2, ink::star_dim);
  t.set(6, 13, ink::star_dim);
  // one bright star with a small cross
  t.set(10, 9, ink::star);
  t.set(9, 9, ink::star_dim);
  t.set(11, 9, ink::star_dim);
  t.set(10, 8, ink::star_dim);
  t.set(10, 10, ink::star_dim);
  return t;
}

Canvas t_moon() {
  Canvas t = sky_back();
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
      double r = std::sqrt(dx * dx + dy * dy);
      if (r <= 6.2) t.set(x, y, dx + dy > 5 ? ink::moon_shade : ink::moon);
    }
  const int craters[][2] = {{6, 6}, {9, 10}, {10, 5}};
  for (auto &c : craters) {
    t.set(c[0], c[1], ink::moon_dark);
    t.set(c[0] + 1, c[1], ink::moon_dark);
  }
  t.set(5, 10, ink::moon_dark);
  return t;
}

Canvas t_cloud() {
  Canvas t = sky_back();
  const int puffs[][3] = {{5, 9, 4}, {10, 8, 5}, {8, 6, 4}, {13, 10, 3}, {2, 11, 3}};
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++)
      for (auto &p : puffs) {
        double dx = x + 0.5 - p[0], dy = (y + 0.5 - p[1]) * 1.3;
        double r = std::sqrt(dx * dx + dy * dy);
        if (r <= p[2] && y <= 12) {
          int c = dy < -p[2] * 0.4 ? ink::cloud_light : dy > p[2] * 0.3 ? ink::cloud_dark : ink::cloud;
          if (t.get(x, y) == ink::sky || c == ink::cloud_light) t.set(x, y, c);
        }
      }
  return t;
}

Canvas t_tree_trunk() {
  Canvas t = sky_back();
  for (int y = 0; y < TILE; y++)
    for (int x = 5; x < 11; x++) {
      int c = x == 5 ? ink::bark_light : x == 10 ? ink::bark_dark : ink::bark;
      if ((x == 7 || x == 9) && (y + x) % 5 < 3) c = ink::bark_dark;  // furrows
      t.set(x, y, c);
    }
  t.set(4, 3, ink::bark);  // a stub of a branch
  t.set(3, 2, ink::bark);
  return t;
}

// leafy
// A round clump of leaves centred at (cx, cy): lit at the top left, with
// darker holes inside.
void leafy(Canvas &t, double cx, double cy, double r, int seed) {
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      double d = std::sqrt(dx * dx + dy * dy) + (hash01(x, y, seed) - 0.5) * 1.6;
      if (d > r) continue;
      double lit = -(dx + dy) / r;
      int c = lit > 0.6 ? ink::leaf_shine : lit > 0.0 ? ink::leaf_light : lit > -0.7 ? ink::leaf : ink::leaf_dark;
      if (hash01(x, y, seed + 1) < 0.12) c = ink::leaf_dark;
      t.set(x, y, c);
    }
}

Canvas t_tree_crown() {
  Canvas t = sky_back();
  fill_box(t, 6, 12, 9, 15, ink::bark);
  vline(t, 6, 12, 15, ink::bark_light);
  leafy(t, 8, 7.5, 8.2, 111);
  return t;
}

Canvas t_bush() {
  Canvas t = sky_back();
  leafy(t, 5, 12, 5.5, 121);
  leafy(t, 11, 11.5, 6, 122);
  hline(t, 0, 15, 15, ink::leaf_dark);
  return t;
}

Canvas t_flowers() {
  Canvas t = sky_back();
  for (int x = 0; x < TILE; x++) {
    int h = 2 + (int)(hash01(x, 0, 131) * 4);
    for (int y = TILE - h; y < TILE; y++)
      t.set(x, y, y == TILE - h ? ink::grass_light : x % 2 ? ink::grass : ink::grass_dark);
  }
  const int flowers[][3] = {{3, 9, 0}, {8, 7, 1}, {13, 10, 2}};
  for (auto &f : flowers) {
    int c = f[2] == 0 ? ink::petal_pink : f[2] == 1 ? ink::petal_yellow : ink::petal_white;
    vline(t, f[0], f[1] + 1, 15, ink::grass_dark);
    t.set(f[0] - 1, f[1], c);
    t.set(f[0] + 1, f[1], c);
    t.set(f[0], f[1] - 1, c);
    t.set(f[0], f[1] + 1, c);
    t.set(f[0], f[1], ink::gold_dark);
  }
  return t;
}

Canvas t_fence() {
  Canvas t = sky_back();
  for (int px : {2, 10})
    for (int y = 3; y < TILE; y++) {
      int top = 3 + (px == 10);  // posts of slightly different height
      if (y < top) continue;
      t.set(px, y, y == top ? ink::wood_light : ink::wood_light);
      t.set(px + 1, y, y == top ? ink::wood_mid : ink::wood);
      t.set(px + 2, y, ink::wood_dark);
    }
  for (int ry : {6, 11}) {
    hline(t, 0, 15, ry, ink::wood_mid);
    hline(t, 0, 15, ry + 1, ink::wood_dark);
  }
  return t;
}

// plate
// The picture of a tile without a drawing: a grey plate with its index.
Canvas plate(int index) {
  Canvas t = plain(ink::stone_dark);
  static const char *digits[10] = {"###.#.#.#.#.###", ".#.##..#..#.###", "###..#####..###",
                                   "###..####..####", "#.##.####..#..#", "####..###..####",
                                   "####..####.####", "###..#..#..#..#", "####.#####.####",
                                   "####.####..####"};
  char s[8];
  snprintf(s, sizeof s, "%d", index);
  int x = 2;
  for (char *p = s; *p; p++, x += 4)
    for (int i = 0; i < 15; i++)
      if (digits[*p - '0'][i] == '#') t.set(x + i % 3, 5 + i / 3, ink::stone_shine);
  return t;
}

const std::map<std::string, std::function<Canvas()>> &drawers() {
  static const std::map<std::string, std::function<Canvas()>> d = {
      {"void", t_void},
      {"stone_block", t_stone_block},
      {"back_wall", castle_back},
      {"plank", t_plank},
      {"ladder", [] { return ladder(CASTLE, false); }},
      {"spikes", [] { return spikes(CASTLE, false); }},
      {"door", [] { return t_door(false); }},
      {"door_top", [] { return t_door(true); }},
      {"brick", t_brick},
      {"girder", t_girder},
      {"ladder_top", [] { return ladder(CASTLE, true); }},
      {"spikes_ceiling", [] { return spikes(CASTLE, true); }},
      {"fire", t_fire},
      {"lava_top", t_lava_top},
      {"lava", t_lava},
      {"crate", t_crate},
      {"back_window", t_back_window},
      {"back_torch", t_back_torch},
      {"back_pillar", t_back_pillar},
      {"back_banner", t_back_banner},
      {"back_crack", t_back_crack},
      {"back_moss", t_back_moss},
      {"chain", t_chain},
      {"cobweb", t_cobweb},
      {"sign", t_sign},
      {"bones", t_bones},
      {"rock", t_rock},
      {"rock_top", t_rock_top},
      {"cave_back", cave_back},
      {"cave_back_stones", t_cave_back_stones},
      {"stalactites", t_stalactites},
      {"crystals", t_crystals},
      {"rock_ledge", t_rock_ledge},
      {"mushrooms", t_mushrooms},
      {"cave_ladder", [] { return ladder(CAVE, false); }},
      {"cave_ladder_top", [] { return ladder(CAVE, true); }},
      {"cave_spikes", [] { return spikes(CAVE, false); }},
      {"sandstone", [] { return t_sandstone(false); }},
      {"tomb_back", tomb_back},
      {"tomb_glyphs", t_tomb_glyphs},
      {"tomb_eye", t_tomb_eye},
      {"urn", t_urn},
      {"tomb_ladder", [] { return ladder(TOMB, false); }},
      {"tomb_ladder_top", [] { return ladder(TOMB, true); }},
      {"tomb_spikes", [] { return spikes(TOMB, false); }},
      {"sandstone_carved", [] { return t_sandstone(true); }},
      {"sky", sky_back},
      {"sky_stars", t_sky_stars},
      {"moon", t_moon},
      {"cloud", t_cloud},
      {"grass", [] { return grass_ground(0); }},
      {"dirt", t_dirt},
      {"grass_left", [] { return grass_ground(-1); }},
      {"grass_right", [] { return grass_ground(1); }},
      {"sky_ladder", [] { return ladder(SKY, false); }},
      {"sky_ladder_top", [] { return ladder(SKY, true); }},
      {"sky_spikes", [] { return spikes(SKY, false); }},
      {"tree_trunk", t_tree_trunk},
      {"tree_crown", t_tree_crown},
      {"bush", t_bush},
      {"flowers", t_flowers},
      {"fence", t_fence},
      {"bridge", t_bridge},
      {"battlement", t_battlement},
  };
  return d;
}

}  // namespace

// tile_picture
bool tile_picture(const std::string &name, int index, Canvas &out) {
  auto it = drawers().find(name);
  if (it == drawers().end()) {
    out = plate(index);
    return false;
  }
  out = it->second();
  return true;
}
