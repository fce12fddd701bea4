// scenery.cpp -- tiles that only decorate: wall furnishings of the castle,
// cave growths, tomb paintings and the outdoor sky, trees and fences
#include <cmath>

#include "tile_paint.h"

namespace tileart {

// ------------------------------------------------------------ castle

static void t_back_window(Canvas &t) {
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
  set_pixels(t, {{6, 5, ink::star}, {10, 10, ink::star_dim}});
}

static void t_back_torch(Canvas &t) {
  // bracket and stick
  hline(t, 6, 9, 11, ink::iron_light);
  hline(t, 6, 9, 12, ink::iron);
  t.set(7, 13, ink::iron);
  fill_box(t, 7, 6, 8, 10, ink::wood);
  t.set(7, 6, ink::wood_light);
  // flame
  draw_rows(t, 4, 0, "roy", {ink::fire_red, ink::fire_orange, ink::fire_yellow},
            {"...r....",
             "..ro....",
             "..roo...",
             ".royo...",
             ".ryyor..",
             "..oyo...",
             "..ooo..."});
}

static void t_back_pillar(Canvas &t) {
  for (int y = 0; y < TILE; y++) {
    t.set(4, y, ink::back_mortar);
    t.set(5, y, ink::stone_dark);
    for (int x = 6; x < 10; x++) t.set(x, y, x == 7 ? ink::stone_mortar : ink::stone_dark);
    t.set(10, y, ink::back_light);
    t.set(11, y, ink::back_mortar);
  }
  // fluting shadows and a drum joint
  for (int x = 5; x < 11; x++) t.set(x, 12, ink::back_mortar);
}

static void t_back_banner(Canvas &t) {
  hline(t, 2, 13, 1, ink::iron_light);
  set_pixels(t, {{2, 0, ink::iron}, {13, 0, ink::iron}});
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
}

static void t_back_crack(Canvas &t) {
  const int path[][2] = {{9, 0}, {9, 1}, {8, 2}, {8, 3}, {7, 4}, {7, 5}, {8, 6}, {6, 7}, {6, 8},
                         {5, 9}, {5, 10}, {6, 11}, {4, 12}, {4, 13}, {3, 14}, {10, 9}, {11, 10},
                         {9, 8}};
  for (auto &p : path) t.set(p[0], p[1], ink::black);
  set_pixels(t, {{5, 15, ink::back_light}, {7, 15, ink::back_light}});  // crumbs at the foot
}

static void t_back_moss(Canvas &t) {
  // moss grows along the mortar lines and hangs down from them in strands
  for (int x = 0; x < TILE; x++)
    for (int joint : {7, 15}) {
      if (hash01(x, joint, 101) < 0.25) continue;
      t.set(x, joint, ink::moss_dark);
      if (hash01(x, joint, 102) < 0.5) t.set(x, joint - 1, ink::moss);
      int hang = (int)(hash01(x, joint, 103) * 4) - 1;
      for (int k = 1; k <= hang; k++)
        t.set(x, (joint + k) % TILE, k == 1 ? ink::moss : ink::moss_dark);
      if (hash01(x, joint, 104) < 0.2) t.set(x, joint - 1, ink::moss_light);
    }
}

static void t_chain(Canvas &t) {
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
}

static void t_cobweb(Canvas &t) {
  // threads fanning out from the top-left corner, rings strung across them
  const int ends[][2] = {{15, 1}, {15, 8}, {12, 12}, {8, 15}, {1, 15}};
  for (auto &e : ends) line(t, 0, 0, e[0], e[1], ink::web);
  for (double f : {0.35, 0.7})
    for (int k = 0; k + 1 < 5; k++)
      line(t, (int)(ends[k][0] * f), (int)(ends[k][1] * f), (int)(ends[k + 1][0] * f),
                (int)(ends[k + 1][1] * f), ink::web);
}

static void t_sign(Canvas &t) {
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
}

static void t_bones(Canvas &t) {
  // a skull and bones, lit (L) along the top and the left
  draw_rows(t, 0, 7, "L#o", {ink::bone_light, ink::bone, ink::black},
            {"....LLLL........",
             "...LLLLLL.......",
             "...#o##o#.......",
             "...######.......",
             "....#..#.....#..",
             "...........#####",
             "..L#......###.#.",
             ".LL##....###....",
             "..L##########..."});
}

// ------------------------------------------------------------------- cave

static void t_cave_back_stones(Canvas &t) {
  const int stones[][3] = {{3, 4, 2}, {11, 10, 3}, {6, 13, 2}};
  for (auto &s : stones)
    for (int y = 0; y < s[2]; y++)
      for (int x = 0; x <= s[2]; x++)
        t.set(s[0] + x, s[1] + y, y == 0 ? ink::back_light : ink::back_face);
}

static void t_stalactites(Canvas &t) {
  const int drips[][2] = {{2, 11}, {7, 6}, {11, 14}, {14, 4}};  // column, length
  for (auto &d : drips)
    for (int y = 0; y < d[1]; y++) {
      int half = (d[1] - y) * 2 / d[1];
      for (int x = d[0] - half; x <= d[0] + half; x++)
        t.set(x, y, x < d[0] ? ink::stone_face2 : x == d[0] ? ink::stone_dark : ink::stone_mortar);
    }
}

static void t_crystals(Canvas &t) {
  // three prisms growing from the floor
  const int prism[][3] = {{4, 9, 2}, {8, 4, 2}, {12, 10, 1}};  // x, top, half width
  for (auto &p : prism)
    for (int y = p[1]; y < TILE; y++)
      for (int x = p[0] - p[2]; x <= p[0] + p[2]; x++) {
        if (y < p[1] + p[2] && std::abs(x - p[0]) > y - p[1]) continue;  // pointed tip
        int c = x < p[0] ? ink::crystal_light : x == p[0] ? ink::crystal : ink::crystal_dark;
        t.set(x, y, c);
      }
  set_pixels(t, {{8, 5, ink::crystal_shine}, {3, 11, ink::crystal_shine}});
}

static void t_mushrooms(Canvas &t) {
  // stems
  vline(t, 5, 10, 15, ink::shroom_stem);
  vline(t, 11, 12, 15, ink::shroom_stem);
  // caps
  draw_rows(t, 2, 6, "#LD", {ink::shroom_cap, ink::shroom_light, ink::shroom_dark},
            {"..####..", ".#LL###.", "#L#####D", "DDDDDDDD"});
  draw_rows(t, 9, 9, "#LD", {ink::shroom_cap, ink::shroom_light, ink::shroom_dark},
            {".###.", "#L##D", "DDDDD"});
}

// ------------------------------------------------------------------- tomb

static void t_tomb_glyphs(Canvas &t) {
  // small carvings on both courses: a circle, a wave, a bird, a column
  const int c = ink::tomb_carve;
  draw_rows(t, 0, 2, "owb|", {c, c, c, c},
            {".oo..w.w.w..|..", "o..o.ww.ww..|..", ".oo..........||"});
  draw_rows(t, 0, 10, "owb|", {c, c, c, c},
            {"..b.....oo..w..", ".bbbb..o..o.ww.", "..b.b...oo..w.."});
}

static void t_tomb_eye(Canvas &t) {
  draw_rows(t, 1, 3, "wb", {ink::paint_white, ink::paint_blue},
            {"....wwwwww....",
             "..ww......ww..",
             ".w....bb....w.",
             "w....bbbb....w",
             ".w....bb....w.",
             "..wwwwwwwwww..",
             "........w.....",
             "........ww..w.",
             ".........www.."});
}

static void t_urn(Canvas &t) {
  draw_rows(t, 2, 4, "LcDg", {ink::clay_light, ink::clay, ink::clay_dark, ink::gold_dark},
            {"....LLLL....",
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
             "...DDDDDD..."});
}

// --------------------------------------------------------------- outdoors

static void t_sky_stars(Canvas &t) {
  set_pixels(t, {{3, 4, ink::star_dim}, {13, 2, ink::star_dim}, {6, 13, ink::star_dim}});
  // one bright star with a small cross
  set_pixels(t, {{10, 9, ink::star}, {9, 9, ink::star_dim}, {11, 9, ink::star_dim},
                 {10, 8, ink::star_dim}, {10, 10, ink::star_dim}});
}

static void t_moon(Canvas &t) {
  each_pixel(t, [&](int x, int y) {
    double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
    double r = std::sqrt(dx * dx + dy * dy);
    if (r <= 6.2) t.set(x, y, dx + dy > 5 ? ink::moon_shade : ink::moon);
  });
  const int craters[][2] = {{6, 6}, {9, 10}, {10, 5}};
  for (auto &c : craters) {
    t.set(c[0], c[1], ink::moon_dark);
    t.set(c[0] + 1, c[1], ink::moon_dark);
  }
  t.set(5, 10, ink::moon_dark);
}

static void t_cloud(Canvas &t) {
  const int puffs[][3] = {{5, 9, 4}, {10, 8, 5}, {8, 6, 4}, {13, 10, 3}, {2, 11, 3}};
  for (int y = 0; y < TILE; y++)
    for (int x = 0; x < TILE; x++)
      for (auto &p : puffs) {
        double dx = x + 0.5 - p[0], dy = (y + 0.5 - p[1]) * 1.3;
        double r = std::sqrt(dx * dx + dy * dy);
        if (r <= p[2] && y <= 12) {
          int c = dy < -p[2] * 0.4  ? ink::cloud_light
                  : dy > p[2] * 0.3 ? ink::cloud_dark
                                    : ink::cloud;
          if (t.get(x, y) == ink::sky || c == ink::cloud_light) t.set(x, y, c);
        }
      }
}

static void t_tree_trunk(Canvas &t) {
  for (int y = 0; y < TILE; y++)
    for (int x = 5; x < 11; x++) {
      int c = x == 5 ? ink::bark_light : x == 10 ? ink::bark_dark : ink::bark;
      if ((x == 7 || x == 9) && (y + x) % 5 < 3) c = ink::bark_dark;  // furrows
      t.set(x, y, c);
    }
  set_pixels(t, {{4, 3, ink::bark}, {3, 2, ink::bark}});  // a stub of a branch
}

// leafy
// A round clump of leaves centred at (cx, cy): lit at the top left, with
// darker holes inside.
static void leafy(Canvas &t, double cx, double cy, double r, int seed) {
  each_pixel(t, [&](int x, int y) {
    double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
    double d = std::sqrt(dx * dx + dy * dy) + (hash01(x, y, seed) - 0.5) * 1.6;
    if (d > r) return;
    double lit = -(dx + dy) / r;
    int c = lit > 0.6    ? ink::leaf_shine
            : lit > 0.0  ? ink::leaf_light
            : lit > -0.7 ? ink::leaf
                         : ink::leaf_dark;
    if (hash01(x, y, seed + 1) < 0.12) c = ink::leaf_dark;
    t.set(x, y, c);
  });
}

static void t_tree_crown(Canvas &t) {
  fill_box(t, 6, 12, 9, 15, ink::bark);
  vline(t, 6, 12, 15, ink::bark_light);
  leafy(t, 8, 7.5, 8.2, 111);
}

static void t_bush(Canvas &t) {
  leafy(t, 5, 12, 5.5, 121);
  leafy(t, 11, 11.5, 6, 122);
  hline(t, 0, 15, 15, ink::leaf_dark);
}

static void t_flowers(Canvas &t) {
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
}

static void t_fence(Canvas &t) {
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
}

// The tile list's names of the decorations, and the background each lies
// over.
const std::vector<Scenery> SCENERY = {
    {"back_window", CASTLE, t_back_window},
    {"back_torch", CASTLE, t_back_torch},
    {"back_pillar", CASTLE, t_back_pillar},
    {"back_banner", CASTLE, t_back_banner},
    {"back_crack", CASTLE, t_back_crack},
    {"back_moss", CASTLE, t_back_moss},
    {"chain", CASTLE, t_chain},
    {"cobweb", CASTLE, t_cobweb},
    {"sign", CASTLE, t_sign},
    {"bones", CASTLE, t_bones},
    {"cave_back_stones", CAVE, t_cave_back_stones},
    {"stalactites", CAVE, t_stalactites},
    {"crystals", CAVE, t_crystals},
    {"mushrooms", CAVE, t_mushrooms},
    {"tomb_glyphs", TOMB, t_tomb_glyphs},
    {"tomb_eye", TOMB, t_tomb_eye},
    {"urn", TOMB, t_urn},
    {"sky_stars", SKY, t_sky_stars},
    {"moon", SKY, t_moon},
    {"cloud", SKY, t_cloud},
    {"tree_trunk", SKY, t_tree_trunk},
    {"tree_crown", SKY, t_tree_crown},
    {"bush", SKY, t_bush},
    {"flowers", SKY, t_flowers},
    {"fence", SKY, t_fence},
};

}  // namespace tileart
