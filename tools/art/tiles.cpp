// tiles.cpp -- the 32 x 32 tile pictures, chosen by the tile's name
//
// Every texture here repeats every 32 pixels (noise lattices, brick bonds,
// pebble cells and stripes all divide 32, shapes wrap round the edges), so
// a field of equal tiles shows no seam. Light falls from the top left.
#include "tiles.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>

#include "glyphs.h"

// The tile palette: change a colour here to recolour a tile.
namespace pal {
const Rgb void_dark = {14, 16, 26}, void_light = {34, 38, 58};
const Rgb stone_dark = {92, 92, 100}, stone_light = {150, 148, 150};
const Rgb mortar = {58, 54, 56};
const Rgb grass_dark = {52, 112, 40}, grass_light = {98, 160, 60};
const Rgb blade_dark = {34, 84, 30}, blade_light = {140, 190, 80};
const Rgb asphalt_dark = {62, 62, 68}, asphalt_light = {92, 92, 98};
const Rgb paint_white = {232, 232, 220}, paint_yellow = {240, 200, 40};
const Rgb sand_dark = {196, 164, 100}, sand_light = {234, 206, 142};
const Rgb ice_dark = {150, 200, 228}, ice_light = {214, 240, 252};
const Rgb deep_dark = {18, 48, 120}, deep_light = {36, 84, 170};
const Rgb wave = {120, 170, 230};
const Rgb shallow_dark = {40, 132, 160}, shallow_light = {88, 184, 196};
const Rgb wood_dark = {110, 70, 36}, wood_light = {170, 118, 62};
const Rgb brick_dark = {140, 50, 36}, brick_light = {184, 76, 52};
const Rgb brick_mortar = {170, 160, 146};
const Rgb roof_dark = {58, 66, 88}, roof_light = {118, 130, 158};
const Rgb ground_dark = {138, 128, 100}, ground_light = {168, 158, 126};
const Rgb wire = {196, 200, 206}, wire_shadow = {96, 90, 74};
const Rgb leaf_dark = {22, 70, 30}, leaf_light = {70, 140, 56};
const Rgb dirt_dark = {104, 72, 42}, dirt_light = {146, 104, 62};
const Rgb mud_dark = {58, 40, 24}, mud_light = {92, 66, 40};
const Rgb snow_dark = {178, 198, 228}, snow_light = {252, 252, 255};
const Rgb slab_dark = {150, 150, 146}, slab_light = {190, 188, 180};
const Rgb rock_dark = {96, 92, 88}, rock_light = {160, 154, 144};
const Rgb oil_dark = {6, 6, 10}, oil_light = {30, 28, 40};
const Rgb beach_dark = {220, 198, 150}, beach_light = {246, 232, 190};
const Rgb gravel_dark = {110, 104, 96}, gravel_light = {176, 168, 156};
const Rgb hedge_dark = {20, 78, 28}, hedge_light = {64, 128, 44};
const Rgb reed_dark = {70, 96, 30}, reed_light = {150, 170, 70}, reed_head = {96, 58, 30};
const Rgb plank_dark = {128, 84, 44}, plank_light = {184, 134, 80};
const Rgb plate_dark = {96, 100, 108}, plate_light = {136, 140, 148};
const Rgb barrier_red = {206, 30, 30};
const Rgb black = {0, 0, 0}, white = {255, 255, 255};
} // namespace pal

// scatter
// Calls draw(i, x, y) for `count` points spread over the tile by the hash
// of `seed` (its rows `row` and row + 1 give x and y).
template <class Draw> static void scatter(int count, int row, int seed, Draw draw) {
  for (int i = 0; i < count; i++)
    draw(i, (int)(hash01(i, row, seed) * TILE), (int)(hash01(i, row + 1, seed) * TILE));
}

// speckled
// The base of most ground tiles: cloudy noise between two colours plus a
// fine grain of single pixels.
static Image speckled(Rgb dark, Rgb light, int seed, int grain) {
  Image im = make_image(TILE, TILE, dark);
  each_pixel(im, [&](int x, int y) {
    double n = tile_noise(x, y, seed);
    Rgb c = mix(dark, light, n);
    int g = (int)((hash01(x, y, seed + 99) - 0.5) * 2 * grain);
    im.set(x, y, add(c, g));
  });
  return im;
}

// pebble_at
// The pebble cell of pixel (x, y): one random point in every `cell`-pixel
// square, the pattern repeating every 32.
static Cell pebble_at(int x, int y, int cell, int seed) {
  return cell_at(x, y, cell, TILE, 0.15, 0.7, seed);
}

// pebbles
// Lays rounded stones of the given size over the picture: each stone has
// its own tone, a bright upper-left rim and a dark gap round it. Stones are
// drawn where a cell's random value is below `cover`.
static void pebbles(Image &im, int cell, int seed, Rgb dark, Rgb light, double cover, double gap) {
  each_pixel(im, [&](int x, int y) {
    Cell p = pebble_at(x, y, cell, seed);
    if (hash01(p.id, 7, seed) >= cover) return;
    double edge = p.d2 - p.d1;
    if (edge < gap) {
      blend(im, x, y, pal::black, 0.45);
      return;
    }
    Rgb c = mix(dark, light, hash01(p.id, 3, seed));
    // lit from the top left: compare with the neighbour up-left
    Cell q = pebble_at(wrap(x - 1, TILE), wrap(y - 1, TILE), cell, seed);
    if (q.id != p.id || q.d2 - q.d1 < gap) c = scale(c, 1.25);
    Cell r = pebble_at(wrap(x + 1, TILE), wrap(y + 1, TILE), cell, seed);
    if (r.id != p.id || r.d2 - r.d1 < gap) c = scale(c, 0.75);
    im.set(x, y, add(c, (int)((hash01(x, y, seed + 5) - 0.5) * 16)));
  });
}

// lay_blocks
// A wall of bw x bh blocks over the picture, each block with a one-pixel
// joint on its right and bottom, every other row shifted by `shift`. Joints
// take mortar(x, y); a block's pixels take face(their colour, the block's
// number); then the blocks are bevelled as one shape that repeats.
template <class Mortar, class Face>
static void lay_blocks(Image &im, int bw, int bh, int shift, Mortar mortar, Face face, int depth,
                       double light, double dark) {
  std::vector<bool> mask(TILE * TILE);
  each_pixel(im, [&](int x, int y) {
    int row = y / bh, xs = wrap(x + (row % 2) * shift, TILE);
    bool joint = y % bh == bh - 1 || xs % bw == bw - 1;
    mask[y * TILE + x] = !joint;
    im.set(x, y, joint ? mortar(x, y) : face(im.get(x, y), row * (TILE / bw) + xs / bw));
  });
  bevel(im, mask, depth, light, dark, true);
}

// asphalt
// Dark road surface with a little grit.
static Image asphalt(int seed = 30) {
  Image im = speckled(pal::asphalt_dark, pal::asphalt_light, seed, 10);
  scatter(18, 1, seed, [&](int i, int x, int y) {
    im.set(x, y, add(im.get(x, y), hash01(i, 3, seed) < 0.5 ? 28 : -22));
  });
  return im;
}

// worn_paint
// Paints pixel (x, y) with road paint that is a little worn.
static void worn_paint(Image &im, int x, int y, Rgb paint, int seed) {
  double w = hash01(x, y, seed);
  if (w < 0.03) return;
  blend(im, x, y, paint, w < 0.15 ? 0.7 : 0.95);
}

// t_void
// Outside the course: deep dark ground with a faint diamond weave.
static Image t_void() {
  Image im = speckled(pal::void_dark, pal::void_light, 10, 4);
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++)
      if ((x + y) % 8 == 0 || wrap(x - y, 8) == 0) im.set(x, y, scale(im.get(x, y), 0.7));
  return im;
}

// t_wall
// Top of a dry-stone wall: big grey blocks in an offset bond.
static Image t_wall() {
  Image im = speckled(pal::stone_dark, pal::stone_light, 20, 12);
  lay_blocks(im, 16, 16, 8, [](int, int) { return pal::mortar; },
             [](Rgb c, int block) { return add(c, (int)((hash01(block, 0, 21) - 0.5) * 30)); }, 3,
             0.25, 0.35);
  return im;
}

// t_grass
// Meadow: cloudy green with short blades of lighter and darker grass.
static Image t_grass() {
  Image im = speckled(pal::grass_dark, pal::grass_light, 40, 8);
  scatter(70, 1, 41, [&](int i, int x, int y) {
    bool light = hash01(i, 3, 41) < 0.55;
    Rgb c = light ? pal::blade_light : pal::blade_dark;
    int len = 2 + (int)(hash01(i, 4, 41) * 2);
    int lean = hash01(i, 5, 41) < 0.5 ? -1 : 1;
    for (int k = 0; k < len; k++)
      blend_wrap(im, x + (k == len - 1 ? lean : 0), y - k, c, light ? 0.7 : 0.6);
  });
  // a few flowers
  const Rgb petals[] = {{250, 240, 120}, {250, 250, 250}};
  scatter(2, 8, 42, [&](int i, int x, int y) {
    plot_wrap(im, x, y, petals[i]);
  });
  return im;
}

// t_road
// Plain asphalt.
static Image t_road() { return asphalt(); }

// t_road_lane
// Asphalt with a dashed centre line, across (horizontal) or along.
static Image t_road_lane(bool horizontal) {
  Image im = asphalt();
  for (int a = 8; a < 24; a++)
    for (int b = 15; b <= 16; b++) {
      if (horizontal)
        worn_paint(im, a, b, pal::paint_white, 31);
      else
        worn_paint(im, b, a, pal::paint_white, 31);
    }
  return im;
}

// t_road_cross
// A junction: a yellow box with criss-cross hatching.
static Image t_road_cross() {
  Image im = asphalt();
  for (int y = 3; y <= 28; y++)
    for (int x = 3; x <= 28; x++) {
      bool border = x <= 4 || x >= 27 || y <= 4 || y >= 27;
      bool hatch = wrap(x - y, 11) == 0 || wrap(x + y, 11) == 0;
      if (border || hatch) worn_paint(im, x, y, pal::paint_yellow, 32);
    }
  return im;
}

// t_sand
// Sand with wind ripples.
static Image t_sand() {
  Image im = speckled(pal::sand_dark, pal::sand_light, 70, 10);
  each_pixel(im, [&](int x, int y) {
    double warp = 1.2 * value_noise(x, y, 8, 32, 71);
    double s = std::sin(2 * M_PI * (x + 3 * y) / 32.0 * 1.0 + warp * 3);
    if (s > 0.82) im.set(x, y, scale(im.get(x, y), 1.08));
    if (s < -0.9) im.set(x, y, scale(im.get(x, y), 0.9));
  });
  return im;
}

// t_ice
// Smooth pale ice with diagonal shine and thin white cracks.
static Image t_ice() {
  Image im = speckled(pal::ice_dark, pal::ice_light, 80, 3);
  each_pixel(im, [&](int x, int y) {
    double s = std::sin(2 * M_PI * (x + y) / 32.0);
    if (s > 0.7) im.set(x, y, mix(im.get(x, y), pal::white, (s - 0.7) * 1.4));
  });
  int x = 4, y = 9;
  for (int i = 0; i < 26; i++) {
    blend_wrap(im, x, y, pal::white, 0.8);
    blend_wrap(im, x + 1, y + 1, pal::ice_dark, 0.4);
    x += 1;
    y += hash01(i, 0, 81) < 0.4 ? 1 : (hash01(i, 1, 81) < 0.3 ? -1 : 0);
  }
  x = 20;
  y = 20;
  for (int i = 0; i < 9; i++) {
    blend_wrap(im, x, y, pal::white, 0.7);
    x += hash01(i, 2, 81) < 0.5 ? 1 : 0;
    y += 1;
  }
  return im;
}

// t_deep_water
// Deep water: dark blue with small wave crests.
static Image t_deep_water() {
  Image im = speckled(pal::deep_dark, pal::deep_light, 90, 3);
  scatter(7, 1, 91, [&](int i, int x, int y) {
    int len = 4 + (int)(hash01(i, 3, 91) * 3);
    for (int k = 0; k < len; k++) {
      int dy = (k == 0 || k == len - 1) ? 1 : 0;
      blend_wrap(im, x + k, y + dy, pal::wave, 0.85);
      blend_wrap(im, x + k, y + dy + 1, pal::deep_dark, 0.5);
    }
  });
  return im;
}

// t_shallow_water
// Shallow water over a sandy bed, with rings of light from the ripples.
static Image t_shallow_water() {
  Image im = speckled(pal::shallow_dark, pal::shallow_light, 100, 3);
  each_pixel(im, [&](int x, int y) {
    double n = tile_noise(x, y, 101) * 3;
    double ring = n - std::floor(n);
    if (ring < 0.06) im.set(x, y, mix(im.get(x, y), {196, 238, 234}, 0.6));
    else if (ring < 0.12) im.set(x, y, mix(im.get(x, y), {150, 214, 216}, 0.3));
  });
  return im;
}

// wood_grain
// A board's colour at (x, y): grain lines along the board.
static Rgb wood_grain(int along, int across, int board, int seed, Rgb dark, Rgb light) {
  double tone = hash01(board, 0, seed);
  double grain = value_noise(along * 0.25, across * 2.0 + board * 7, 4, 32, seed + 1);
  Rgb c = mix(dark, light, 0.35 + 0.4 * tone);
  return scale(c, 0.85 + 0.3 * grain);
}

// t_bridge
// A timber bridge deck; boards lie across the way of travel.
static Image t_bridge(bool horizontal) {
  Image im = make_image(TILE, TILE, pal::wood_dark);
  each_pixel(im, [&](int x, int y) {
    int along = horizontal ? x : y;   // across the boards
    int across = horizontal ? y : x;  // along a board
    int board = along / 8;
    Rgb c = wood_grain(across, along, board, 110, pal::wood_dark, pal::wood_light);
    int pos = along % 8;
    if (pos == 7) c = scale(pal::wood_dark, 0.45);   // gap between boards
    if (pos == 0) c = scale(c, 1.18);                // lit edge
    if (pos == 6) c = scale(c, 0.8);                 // shaded edge
    // nails where the boards cross the joists
    if ((across % 16 == 3 || across % 16 == 4) && (pos == 3))
      c = {60, 56, 52};
    im.set(x, y, c);
  });
  return im;
}

// t_brick_wall
// Red bricks in a running bond with pale mortar.
static Image t_brick_wall() {
  Image im = speckled(pal::brick_dark, pal::brick_light, 130, 10);
  auto mortar = [](int x, int y) {
    return add(pal::brick_mortar, (int)((hash01(x, y, 131) - 0.5) * 20));
  };
  lay_blocks(im, 16, 8, 8, mortar,
             [](Rgb c, int brick) { return scale(c, 0.85 + 0.3 * hash01(brick, 0, 132)); }, 1, 0.2,
             0.3);
  return im;
}

// t_roof
// Clay roof tiles in overlapping rows, each row shading its lower edge.
static Image t_roof() {
  Image im = make_image(TILE, TILE, pal::roof_dark);
  each_pixel(im, [&](int x, int y) {
    int row = y / 8, pos = y % 8;
    int xs = wrap(x + (row % 2) * 4, TILE);
    int tile = row * 4 + xs / 8;
    double t = hash01(tile, 0, 140);
    Rgb c = mix(pal::roof_dark, pal::roof_light, 0.45 + 0.35 * t);
    // rounded profile across each tile: bright on the left, dark right
    double u = (xs % 8 + 0.5) / 8.0;
    c = scale(c, 1.15 - 0.35 * u);
    // a row's bottom lies in the shadow of the row above's overlap
    if (pos == 0) c = scale(c, 0.55);
    else if (pos == 1) c = scale(c, 0.8);
    else if (pos == 7) c = scale(c, 1.12);
    if (xs % 8 == 7) c = scale(c, 0.6);
    im.set(x, y, add(c, (int)((hash01(x, y, 141) - 0.5) * 12)));
  });
  return im;
}

// fenced_base
// Trodden pale ground inside a compound.
static Image fenced_base() { return speckled(pal::ground_dark, pal::ground_light, 150, 8); }

// t_fenced_ground
// Restricted ground seen through a chain-link fence.
static Image t_fenced_ground() {
  Image im = fenced_base();
  each_pixel(im, [&](int x, int y) {
    bool on = wrap(x + y, 8) == 0 || wrap(x - y, 8) == 0;
    bool under = wrap(x + y - 1, 8) == 0 || wrap(x - y + 1, 8) == 0;
    if (on) im.set(x, y, pal::wire);
    else if (under) blend(im, x, y, pal::wire_shadow, 0.45);
  });
  return im;
}

// t_trees
// A wood seen from above: overlapping round crowns, each lit from the top
// left, over dark shade.
static Image t_trees() {
  Image im = speckled(scale(pal::leaf_dark, 0.6), pal::leaf_dark, 160, 4);
  struct Crown {
    double x, y, r;
  };
  const Crown crowns[] = {{7, 7, 8.5}, {23, 5, 8}, {15, 18, 9}, {31, 19, 8}, {5, 28, 7.5}, {22, 30, 7.5}};
  for (const Crown &c : crowns)
    for (int y = (int)(c.y - c.r - 1); y <= (int)(c.y + c.r + 1); y++)
      for (int x = (int)(c.x - c.r - 1); x <= (int)(c.x + c.r + 1); x++) {
        double dx = x + 0.5 - c.x, dy = y + 0.5 - c.y;
        double d = std::hypot(dx, dy) / c.r;
        double bump = 0.12 * value_noise(x, y, 4, 32, 161);
        if (d > 1.0 - bump) continue;
        // light from the top left across a dome
        double lit = 0.55 - 0.45 * (dx + dy) / (c.r * 1.6);
        lit += 0.35 * (value_noise(x, y, 2, 32, 162) - 0.5);
        if (d > 0.85 - bump) lit -= 0.25;
        Rgb col = mix(pal::leaf_dark, pal::leaf_light, std::clamp(lit, 0.0, 1.0));
        plot_wrap(im, x, y, col);
      }
  return im;
}

// t_dirt
// Bare brown earth with small stones.
static Image t_dirt() {
  Image im = speckled(pal::dirt_dark, pal::dirt_light, 170, 12);
  scatter(10, 1, 171, [&](int i, int x, int y) {
    Rgb c = mix(pal::rock_dark, pal::rock_light, hash01(i, 3, 171));
    plot_wrap(im, x, y, scale(c, 1.15));
    plot_wrap(im, x + 1, y, c);
    plot_wrap(im, x, y + 1, scale(c, 0.85));
    plot_wrap(im, x + 1, y + 1, scale(pal::dirt_dark, 0.7));
  });
  return im;
}

// t_mud
// Dark wet mud: glossy wet patches and a few still puddles, whose
// lower-right banks catch the light.
static Image t_mud() {
  Image im = speckled(pal::mud_dark, pal::mud_light, 180, 8);
  auto puddle = [](int x, int y) { return tile_noise(wrap(x, TILE), wrap(y, TILE), 181) > 0.66; };
  each_pixel(im, [&](int x, int y) {
    if (value_noise(x, y, 4, 32, 184) > 0.72) blend(im, x, y, {150, 120, 90}, 0.35);
    if (!puddle(x, y)) return;
    Rgb c = mix({38, 28, 20}, {70, 58, 50}, value_noise(x, y, 4, 32, 183));
    if (!puddle(x + 1, y + 1)) c = {120, 98, 74};
    im.set(x, y, c);
  });
  scatter(8, 1, 182, [&](int, int x, int y) {
    blend_wrap(im, x, y, {30, 20, 12}, 0.6);
  });
  return im;
}

// t_snow
// Fresh snow: soft drifts with blue shadows and a few sparkles.
static Image t_snow() {
  Image im = speckled(pal::snow_dark, pal::snow_light, 190, 3);
  each_pixel(im, [&](int x, int y) {
    double warp = 2.5 * value_noise(x, y, 8, 32, 192);
    double s = std::sin(2 * M_PI * (2 * x + y) / 32.0 + warp);
    if (s > 0.75) im.set(x, y, scale(im.get(x, y), 0.93));
  });
  scatter(12, 1, 191, [&](int, int x, int y) {
    plot_wrap(im, x, y, pal::white);
  });
  scatter(8, 3, 191, [&](int, int x, int y) {
    blend_wrap(im, x, y, {140, 164, 210}, 0.5);
  });
  return im;
}

// t_pavement
// Square paving slabs with dark joints.
static Image t_pavement() {
  Image im = speckled(pal::slab_dark, pal::slab_light, 200, 8);
  lay_blocks(im, 16, 16, 0, [](int, int) { return Rgb{96, 94, 90}; },
             [](Rgb c, int slab) { return add(c, (int)((hash01(slab, 0, 201) - 0.5) * 18)); }, 1,
             0.1, 0.15);
  return im;
}

// t_rubble
// Broken stones of many sizes over dirt.
static Image t_rubble() {
  Image im = speckled(pal::dirt_dark, pal::dirt_light, 210, 10);
  pebbles(im, 8, 211, pal::rock_dark, pal::rock_light, 0.55, 1.2);
  pebbles(im, 4, 212, pal::rock_dark, {180, 172, 160}, 0.25, 0.9);
  return im;
}

// t_gate
// A red and white barrier boom across the compound's ground.
static Image t_gate() {
  Image im = fenced_base();
  // shadow, then the boom itself
  for (int x = 0; x < TILE; x++) {
    blend(im, x, 19, pal::black, 0.35);
    blend(im, x, 20, pal::black, 0.25);
    for (int y = 13; y <= 18; y++) {
      bool red = wrap(x + (y - 13), 8) < 4;
      Rgb c = red ? pal::barrier_red : pal::white;
      if (y == 13) c = scale(c, 1.1);
      if (y >= 17) c = scale(c, 0.75);
      im.set(x, y, c);
    }
  }
  // the posts that carry it
  for (int side = 0; side < 2; side++) {
    int cx = side ? 28 : 3;
    fill_ellipse(im, cx + 1.5, 17.5, 4, 4, {50, 50, 56});
    fill_ellipse(im, cx, 16, 4, 4, {120, 124, 132});
    fill_ellipse(im, cx - 1, 15, 2, 2, {180, 184, 190});
  }
  return im;
}

// t_oil
// An oil slick on asphalt: black with glossy streaks and a rainbow rim.
static Image t_oil() {
  Image im = asphalt(230);
  const Rgb rim[] = {{150, 70, 170}, {40, 130, 180}, {70, 170, 100}, {200, 180, 70}};
  each_pixel(im, [&](int x, int y) {
    double n = tile_noise(x, y, 231);
    if (n < 0.36) return;
    Rgb c = mix(pal::oil_dark, pal::oil_light, value_noise(x, y, 8, 32, 232));
    if (n < 0.40) {
      double u = (n - 0.36) / 0.04 * 3;
      int i = std::min(2, (int)u);
      c = mix(rim[i], rim[i + 1], u - i);
    } else if (value_noise(x, y, 8, 32, 233) > 0.8) {
      c = mix(c, {150, 150, 190}, 0.4);  // gloss
    }
    im.set(x, y, c);
  });
  return im;
}

// t_beach
// Pale beach sand with shells and pebbles.
static Image t_beach() {
  Image im = speckled(pal::beach_dark, pal::beach_light, 240, 8);
  scatter(4, 1, 241, [&](int i, int x, int y) {
    Rgb shell = i % 2 ? Rgb{250, 236, 220} : Rgb{236, 170, 150};
    plot_wrap(im, x, y, shell);
    plot_wrap(im, x + 1, y, shell);
    plot_wrap(im, x - 1, y + 1, scale(shell, 0.8));
    plot_wrap(im, x, y + 1, scale(shell, 0.9));
    plot_wrap(im, x + 1, y + 1, scale(shell, 0.8));
    plot_wrap(im, x + 2, y + 1, scale(shell, 0.75));
  });
  scatter(8, 3, 241, [&](int i, int x, int y) {
    plot_wrap(im, x, y, mix(pal::rock_dark, pal::rock_light, hash01(i, 5, 241)));
  });
  return im;
}

// t_gravel
// Tightly packed small grey pebbles.
static Image t_gravel() {
  Image im = speckled(scale(pal::gravel_dark, 0.6), pal::gravel_dark, 250, 6);
  pebbles(im, 4, 251, pal::gravel_dark, pal::gravel_light, 1.0, 0.7);
  return im;
}

// t_hedge
// A clipped hedge: dense clusters of small leaves.
static Image t_hedge() {
  Image im = make_image(TILE, TILE, pal::hedge_dark);
  each_pixel(im, [&](int x, int y) {
    Cell p = pebble_at(x, y, 4, 260);
    double edge = p.d2 - p.d1;
    double lit = 0.55 + 0.3 * (hash01(p.id, 1, 260) - 0.5);
    Cell q = pebble_at(wrap(x - 1, TILE), wrap(y - 1, TILE), 4, 260);
    if (q.id != p.id) lit += 0.25;
    if (edge < 0.8) lit -= 0.4;
    lit += 0.25 * (tile_noise(x, y, 261) - 0.5);
    im.set(x, y, mix(scale(pal::hedge_dark, 0.7), pal::hedge_light, std::clamp(lit, 0.0, 1.0)));
  });
  return im;
}

// t_reeds
// Reeds standing in shallow water: tufts of stalks with brown heads.
static Image t_reeds() {
  Image im = t_shallow_water();
  const int tufts[][2] = {{6, 10}, {22, 6}, {14, 24}, {28, 22}, {4, 29}};
  int k = 0;
  for (auto &t : tufts) {
    for (int s = 0; s < 5; s++, k++) {
      int lean = (int)((hash01(k, 1, 270) - 0.5) * 8);
      int len = 6 + (int)(hash01(k, 2, 270) * 5);
      int x0 = t[0] + s - 2, y0 = t[1];
      Rgb c = mix(pal::reed_dark, pal::reed_light, hash01(k, 3, 270));
      line_wrap(im, x0, y0, x0 + lean, y0 - len, c);
      blend_wrap(im, x0 + 1, y0, pal::black, 0.3);
      if (s % 2 == 0) {
        plot_wrap(im, x0 + lean, y0 - len, pal::reed_head);
        plot_wrap(im, x0 + lean, y0 - len + 1, pal::reed_head);
      }
    }
  }
  return im;
}

// t_planks
// A floor of boards running across, their ends staggered.
static Image t_planks() {
  Image im = make_image(TILE, TILE, pal::plank_dark);
  const int ends[4] = {5, 21, 13, 29};
  each_pixel(im, [&](int x, int y) {
    int row = y / 8, pos = y % 8;
    int board = row * 2 + (wrap(x - ends[row], TILE) < 16 ? 0 : 1);
    Rgb c = wood_grain(x, y, board, 280, pal::plank_dark, pal::plank_light);
    if (pos == 7) c = scale(pal::plank_dark, 0.45);
    else if (pos == 0) c = scale(c, 1.15);
    else if (pos == 6) c = scale(c, 0.85);
    int e = wrap(x - ends[row], 16);
    if (e == 0 && pos != 7) c = scale(pal::plank_dark, 0.5);
    if ((e == 2 || e == 14) && (pos == 2 || pos == 5)) c = {70, 64, 60};
    im.set(x, y, c);
  });
  return im;
}

// t_arrow
// Asphalt with a painted arrow; dir 0 right, 1 left, 2 up, 3 down.
static Image t_arrow(int dir) {
  Image im = asphalt();
  auto in_arrow = [](int x, int y) {
    double px = x + 0.5, py = y + 0.5 - 16;   // pointing right
    if (px >= 5 && px <= 18 && std::fabs(py) <= 3.5) return true;  // shaft
    double head = 27 - px;                                          // head
    return px >= 16 && head >= 0 && std::fabs(py) <= head * 0.9;
  };
  each_pixel(im, [&](int x, int y) {
    int ax = x, ay = y;
    if (dir == 1) ax = 31 - x;
    if (dir == 2) ax = 31 - y, ay = x;
    if (dir == 3) ax = y, ay = x;
    if (in_arrow(ax, ay)) worn_paint(im, x, y, pal::paint_white, 290);
  });
  return im;
}

// t_finish
// The finish: a checkerboard of black and white squares.
static Image t_finish() {
  Image im = make_image(TILE, TILE, pal::white);
  each_pixel(im, [&](int x, int y) {
    bool dark = ((x / 8) + (y / 8)) % 2 == 1;
    Rgb c = dark ? Rgb{24, 24, 28} : Rgb{236, 236, 232};
    im.set(x, y, add(c, (int)((hash01(x, y, 300) - 0.5) * 14)));
  });
  return im;
}

// t_plate
// A spare tile: a grey riveted plate showing its index.
static Image t_plate(int index) {
  Image im = speckled(pal::plate_dark, pal::plate_light, 310, 4);
  std::vector<bool> mask(TILE * TILE);  // all but the rim
  each_pixel(im, [&](int x, int y) {
    mask[y * TILE + x] = x > 0 && y > 0 && x < TILE - 1 && y < TILE - 1;
  });
  bevel(im, mask, 2, 0.25, 0.3);
  // the rim: light along the top and the left, dark along the bottom and
  // the right but for the corners the light edges reach
  hline(im, 0, TILE - 1, TILE - 1, {56, 58, 62});
  vline(im, TILE - 1, 0, TILE - 1, {56, 58, 62});
  hline(im, 0, TILE - 1, 0, {70, 72, 78});
  vline(im, 0, 0, TILE - 1, {70, 72, 78});
  const int rivets[4][2] = {{4, 4}, {27, 4}, {4, 27}, {27, 27}};
  for (auto &r : rivets) {
    im.set(r[0], r[1], {200, 204, 210});
    im.set(r[0] + 1, r[1] + 1, {60, 62, 66});
  }
  int digits = (int)std::to_string(index).size();
  int w = digits * 4 - 1;
  int x = (TILE - w) / 2, y = 13;
  draw_small_number(im, x + 1, y + 1, index, {50, 52, 58});
  draw_small_number(im, x, y, index, {230, 232, 236});
  return im;
}

// The drawing of every named tile.
static const std::map<std::string, std::function<Image()>> &drawers() {
  static const std::map<std::string, std::function<Image()>> table = {
      {"void", t_void},
      {"wall", t_wall},
      {"grass", t_grass},
      {"road", t_road},
      {"road_cross", t_road_cross},
      {"sand", t_sand},
      {"ice", t_ice},
      {"deep_water", t_deep_water},
      {"shallow_water", t_shallow_water},
      {"brick_wall", t_brick_wall},
      {"roof", t_roof},
      {"fenced_ground", t_fenced_ground},
      {"trees", t_trees},
      {"dirt", t_dirt},
      {"mud", t_mud},
      {"snow", t_snow},
      {"pavement", t_pavement},
      {"rubble", t_rubble},
      {"gate", t_gate},
      {"oil", t_oil},
      {"beach", t_beach},
      {"gravel", t_gravel},
      {"hedge", t_hedge},
      {"reeds", t_reeds},
      {"planks", t_planks},
      {"finish", t_finish},
      // the tiles drawn in two directions or four
      {"road_lane_h", [] { return t_road_lane(true); }},
      {"road_lane_v", [] { return t_road_lane(false); }},
      {"bridge_h", [] { return t_bridge(true); }},
      {"bridge_v", [] { return t_bridge(false); }},
      {"arrow_right", [] { return t_arrow(0); }},
      {"arrow_left", [] { return t_arrow(1); }},
      {"arrow_up", [] { return t_arrow(2); }},
      {"arrow_down", [] { return t_arrow(3); }},
  };
  return table;
}

// tile_known
// Whether a tile name has a drawing of its own.
bool tile_known(const std::string &name) { return drawers().count(name) != 0; }

// tile_picture
// The picture for a tile by its name, or the numbered plate.
Image tile_picture(const std::string &name, int index) {
  auto it = drawers().find(name);
  if (it == drawers().end()) return t_plate(index);
  return it->second();
}
