// pictures_test.cpp -- what the build puts in sideview's run folder, read the
// way the game and the editor read it: sizes, sprites inside their boxes,
// status bar slots that icons and blanks fill without leftovers, credits
// pictures of one bit each and their merge, the attribute table against the
// tile list, and the editor's palette against the machine's.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bm.h"
#include "bmp.h"
#include "machine_palette.h"
#include "scratch.h"

namespace {

const std::string RUN = std::string(RUN_DIR) + "/sideview/";
const std::string TILES_TXT = std::string(SOURCE_DIR) + "/data/sideview/tiles.txt";

// A picture loaded with the game's own loader.
struct Picture {
  bmp *b = nullptr;
  explicit Picture(const std::string &name) : b(load_bmp1((RUN + name).c_str())) {}
  ~Picture() { destroy_bmp(b); }
  Picture(const Picture &) = delete;
  Picture &operator=(const Picture &) = delete;
  int at(int x, int y) const { return b->data[y * b->w + x]; }
};

// Brightness of a code as the machine shows it (0..63 scale, eye-weighted).
double luma(int code) {
  RGB c = bmCodeColour((code + 10) & 0xFF);
  return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
}

// The tile list, read on its own: name -> (index, attribute byte).
struct TileList {
  std::map<std::string, int> index, attr;
  int unlisted = 0;
};

TileList read_tile_list() {
  TileList t;
  std::map<std::string, int> bits;
  std::ifstream in(TILES_TXT);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream ss(line);
    std::string first, ch, attrs, name;
    ss >> first;
    if (first == "tilesize") continue;
    if (first == "bits") {
      std::string pair;
      while (ss >> pair)
        bits[pair.substr(0, pair.find('='))] =
            (int)strtol(pair.c_str() + pair.find('=') + 1, nullptr, 0);
      continue;
    }
    auto parse = [&](const std::string &s) {
      int a = 0;
      std::stringstream parts(s);
      std::string p;
      while (std::getline(parts, p, '|'))
        if (p != "-") a |= bits.at(p);
      return a;
    };
    if (first == "unlisted") {
      ss >> attrs;
      t.unlisted = parse(attrs);
      continue;
    }
    ss >> ch >> attrs >> name;
    t.index[name] = atoi(first.c_str());
    t.attr[name] = parse(attrs);
  }
  return t;
}

// Mean brightness of tile t of tiles.bmp.
double tile_luma(const Picture &tiles, int t) {
  double sum = 0;
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 16; x++) sum += luma(tiles.at(16 * (t % 16) + x, 16 * (t / 16) + y));
  return sum / 256;
}

TEST(SideviewTiles, SheetAndAttributesMatchTheTileList) {
  Picture tiles("tiles.bmp");
  EXPECT_EQ(tiles.b->w, 256);
  EXPECT_EQ(tiles.b->h, 64);

  TileList list = read_tile_list();
  EXPECT_EQ(list.index.size(), 64u) << "every tile of the sheet has a line";
  std::vector<unsigned char> attr = slurp(RUN + "tileattr.wz");
  ASSERT_EQ(attr.size(), 256u);
  std::vector<int> want(256, list.unlisted);
  for (auto &e : list.index) want[e.second] = list.attr[e.first];
  for (int i = 0; i < 256; i++) EXPECT_EQ(attr[i], want[i]) << "tile " << i;
  // The default map of the level store: tile 1 on the border, tile 2 inside.
  EXPECT_EQ(attr[1], 0x03) << "tile 1 is a solid wall";
  EXPECT_EQ(attr[2], 0x00) << "tile 2 is a background";
}

TEST(SideviewTiles, BackgroundsAreDarkerThanWhatIsSolidOrHurts) {
  Picture tiles("tiles.bmp");
  TileList list = read_tile_list();
  double brightest_back = 0;
  for (const char *name : {"void", "back_wall", "cave_back", "tomb_back", "sky"})
    brightest_back = std::max(brightest_back, tile_luma(tiles, list.index.at(name)));
  for (auto &e : list.attr) {
    bool solid = (e.second & 0x03) == 0x03, hurts = (e.second & 0x10) != 0;
    if (solid || hurts) {
      EXPECT_GT(tile_luma(tiles, list.index.at(e.first)), brightest_back + 4) << e.first;
    }
  }
}

// The sprite table of the game: rectangle and, for figures, the box.
struct SpriteRect {
  const char *what;
  int x, y, w, h;
};
const SpriteRect SPRITES[] = {
    {"player standing", 0, 0, 32, 32},   {"player walking", 32, 0, 32, 32},
    {"mum standing", 64, 0, 32, 32},     {"mum walking", 96, 0, 32, 32},
    {"mum on a ladder", 128, 0, 32, 34}, {"player on a ladder", 160, 0, 32, 32},
    {"health", 0, 32, 16, 16},           {"ammo", 16, 32, 16, 16},
    {"bullet", 32, 32, 16, 16},          {"item", 0, 48, 48, 32},
};

// Opaque pixels of a sprite inside and outside a box (x0..x1-1, y0..y1-1
// in sprite coordinates); holes are transparent pixels walled in on all
// four sides, which would show the playfield through a figure.
struct Coverage {
  int inside = 0, outside = 0, holes = 0;
  bool row_reached[40] = {};
};

Coverage coverage(const Picture &sheet, const SpriteRect &r, int x0, int y0, int x1, int y1) {
  Coverage c;
  auto opaque = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < r.w && y < r.h && sheet.at(r.x + x, r.y + y) != 0;
  };
  for (int y = 0; y < r.h; y++)
    for (int x = 0; x < r.w; x++) {
      if (!opaque(x, y)) {
        if (opaque(x - 1, y) && opaque(x + 1, y) && opaque(x, y - 1) && opaque(x, y + 1)) c.holes++;
        continue;
      }
      c.row_reached[y] = true;
      (x >= x0 && x < x1 && y >= y0 && y < y1 ? c.inside : c.outside)++;
    }
  return c;
}

TEST(SideviewSprites, EveryFigureFillsItsBoxAndLittleElse) {
  Picture sheet("sprites.bmp");
  EXPECT_EQ(sheet.b->w % 4, 0);
  for (const SpriteRect &r : SPRITES) {
    ASSERT_LE(r.x + r.w, sheet.b->w) << r.what;
    ASSERT_LE(r.y + r.h, sheet.b->h) << r.what;
  }
  // Player and mum: 14 x 32 boxes centred in 32 x 32; the 34-row ladder
  // mum is drawn one row higher, so its box is rows 1..32.
  for (int i = 0; i < 6; i++) {
    const SpriteRect &r = SPRITES[i];
    int top = r.h == 34 ? 1 : 0;
    Coverage c = coverage(sheet, r, 9, top, 23, top + 32);
    EXPECT_GT(c.inside, 200) << r.what;
    EXPECT_LT(c.outside, c.inside / 6) << r.what << ": too much outside the box";
    EXPECT_TRUE(c.row_reached[top + 31]) << r.what << ": feet don't reach the box's bottom";
    EXPECT_EQ(c.holes, 0) << r.what;
  }
  struct Box {
    int sprite, x0, y0, x1, y1;
  } boxes[] = {{6, 2, 2, 14, 14}, {7, 1, 3, 15, 13}, {9, 8, 0, 40, 32}};  // health, ammo, item
  for (const Box &b : boxes) {
    const SpriteRect &r = SPRITES[b.sprite];
    Coverage c = coverage(sheet, r, b.x0 - 1, b.y0 - 1, b.x1 + 1, b.y1 + 1);
    EXPECT_GT(c.inside, (b.x1 - b.x0) * (b.y1 - b.y0) / 2) << r.what;
    EXPECT_LT(c.outside, c.inside / 10) << r.what;
    EXPECT_EQ(c.holes, 0) << r.what;
  }
  // The bullet's box is 2 x 2 round the centre: the shot must show there.
  const SpriteRect &shot = SPRITES[8];
  for (int y = 7; y <= 8; y++)
    for (int x = 7; x <= 8; x++) EXPECT_NE(sheet.at(shot.x + x, shot.y + y), 0);
  Coverage c = coverage(sheet, shot, 4, 5, 12, 11);
  EXPECT_EQ(c.outside, 0) << "the bullet is small and centred";
}

TEST(SideviewStatusBar, IconsAndBlanksFillTheirSlotsWithoutLeftovers) {
  Picture bar("status.bmp");
  ASSERT_EQ(bar.b->w, 320);
  ASSERT_EQ(bar.b->h, 20);
  // "blank", cut at (270, 2), 14 x 16: one colour, and that colour is 0 so
  // that the item icon is see-through where the win sequence draws it as
  // a sprite.
  int blank = bar.at(270, 2);
  EXPECT_EQ(blank, 0);
  for (int y = 2; y < 18; y++)
    for (int x = 270; x < 284; x++) ASSERT_EQ(bar.at(x, y), blank) << x << "," << y;
  // Everything the game draws over (hearts at 30 + 14i, bullets at
  // 130 + 12i, rows 3..18 with blanks; items at 230 + 22i, rows 2..17)
  // is blank, except the three icons where the game cuts them out, and
  // those lie inside the first slot's area, so drawing covers them.
  struct Rect {
    int x0, y0, x1, y1;  // x1, y1 excluded
    bool has(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
  };
  const Rect slots[] = {
      {30, 3, 30 + 14 * 5, 19}, {130, 3, 130 + 12 * 4 + 14, 19}, {230, 2, 320, 18}};
  const Rect icons[] = {{31, 3, 45, 17}, {130, 3, 142, 15}, {230, 2, 252, 18}};
  for (int k = 0; k < 3; k++) {
    int drawn = 0;
    for (int y = icons[k].y0; y < icons[k].y1; y++)
      for (int x = icons[k].x0; x < icons[k].x1; x++) drawn += bar.at(x, y) != blank;
    EXPECT_GT(drawn, 20) << "icon " << k;
    for (int y = 0; y < 20; y++)
      for (int x = 0; x < 320; x++)
        if (slots[k].has(x, y) && !icons[k].has(x, y)) {
          ASSERT_EQ(bar.at(x, y), blank) << x << "," << y;
        }
  }
}

// The 4-bit pixel values of a credits file and its bytes.
struct Credits {
  std::vector<unsigned char> bytes;
  std::vector<int> values;
  explicit Credits(const std::string &name) : bytes(slurp(RUN + name)) {
    Picture p(name);
    values.assign(p.b->data, p.b->data + p.b->w * p.b->h);
    EXPECT_EQ(p.b->w, 320) << name;
    EXPECT_EQ(p.b->h, 240) << name;
  }
};

TEST(SideviewCredits, FourOneBitPicturesAndTheirMerge) {
  const char *names[] = {"red.bmp", "green.bmp", "blue.bmp", "grey.bmp"};
  std::vector<Credits> pics;
  for (const char *n : names) pics.emplace_back(n);
  for (int i = 0; i < 4; i++) {
    const std::vector<unsigned char> &b = pics[i].bytes;
    ASSERT_EQ(b.size(), 118u + 38400u) << names[i];
    EXPECT_EQ(b[28], 4) << names[i] << ": 16 colours";
    EXPECT_EQ(b[10] | b[11] << 8, 118) << names[i] << ": pixels right after the palette";
    EXPECT_EQ(b[30], 0) << names[i] << ": not compressed";
    int lit = 0;
    for (int v : pics[i].values) {
      ASSERT_TRUE(v == 0 || v == 1 << i) << names[i] << " uses value " << v;
      lit += v != 0;
    }
    EXPECT_GT(lit, 1500) << names[i] << " is nearly empty";
  }
  // four.bmp: grey.bmp's header, then the byte sums, which with disjoint
  // bits is the union of the four pictures.
  Credits four("four.bmp");
  ASSERT_EQ(four.bytes.size(), 118u + 38400u);
  for (size_t i = 0; i < 118; i++) ASSERT_EQ(four.bytes[i], pics[3].bytes[i]) << i;
  for (size_t i = 118; i < four.bytes.size(); i++)
    ASSERT_EQ(four.bytes[i], (unsigned char)(pics[0].bytes[i] + pics[1].bytes[i] +
                                             pics[2].bytes[i] + pics[3].bytes[i]))
        << i;
  for (size_t i = 0; i < four.values.size(); i++)
    ASSERT_EQ(four.values[i],
              pics[0].values[i] | pics[1].values[i] | pics[2].values[i] | pics[3].values[i]);
}

TEST(SideviewEditorPalette, IsTheMachinesAndKeepsTheEditorReadable) {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  PALETTE pal;
  BITMAP *image = load_pcx((RUN + "pallette.pcx").c_str(), pal);
  ASSERT_TRUE(image);
  destroy_bitmap(image);
  ASSERT_TRUE(codes_shifted_by_ten(pal, bmCodeColour));
  // The editor clears to 0, writes its text in 200 and marks insertions
  // in 211: both must stand out from the background.
  auto bright = [&](int s) { return 0.3 * pal[s].r + 0.59 * pal[s].g + 0.11 * pal[s].b; };
  EXPECT_GT(bright(200) - bright(0), 30);
  EXPECT_GT(bright(211) - bright(0), 30);
}

}  // namespace
