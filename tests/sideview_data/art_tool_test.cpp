// art_tool_test.cpp -- the picture maker's own parts: the colour code chosen
// for a colour, the files it writes read back by the game's loader and by
// Allegro, the pixel-art reader's refusals, and the scene's placing of
// figures.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "bmp.h"
#include "canvas.h"
#include "codes.h"
#include "credits.h"
#include "pixelart.h"
#include "scene.h"
#include "scratch.h"
#include "sheets.h"

namespace {

typedef std::vector<unsigned char> Bytes;

// A canvas whose pixels run through many values, 0xC0 and above included
// (the values a run-length PCX must escape).
Canvas test_pattern(int w, int h) {
  Canvas cv = make_canvas(w, h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) cv.set(x, y, (x * 37 + y * 91) & 0xFF);
  return cv;
}

TEST(ArtCodes, NearestCodeShowsTheWantedColourAndIsNeverTransparent) {
  for (int c = 1; c < 256; c++) {
    Rgb want = shown_colour(c);
    EXPECT_EQ(shown_colour(nearest_code(want)), want) << "code " << c;
  }
  EXPECT_NE(nearest_code({0, 0, 0}), 0);
  EXPECT_EQ(shown_colour(nearest_code({0, 0, 0})), (Rgb{12, 12, 12}));  // the darkest grey
}

TEST(ArtFiles, BmpsReadBackThroughTheGamesLoader) {
  Scratch dir;
  // Widths that need row padding: 8-bit 6 (to 8), 4-bit 10 (5 bytes to 8).
  Canvas eight = test_pattern(6, 3), four = make_canvas(10, 3);
  for (int i = 0; i < 30; i++) four.set(i % 10, i / 10, i % 16);
  save_bytes(dir.path("eight.bmp"), bmp8_bytes(eight));
  save_bytes(dir.path("four.bmp"), bmp4_bytes(four, std::vector<Rgb>(16, Rgb{1, 2, 3}).data()));
  for (auto [name, cv] :
       {std::pair<const char *, Canvas *>{"eight.bmp", &eight}, {"four.bmp", &four}}) {
    bmp *b = load_bmp1(dir.path(name).c_str());
    ASSERT_EQ(b->w, cv->w) << name;
    ASSERT_EQ(b->h, cv->h) << name;
    for (int i = 0; i < b->w * b->h; i++)
      EXPECT_EQ(b->data[i], cv->px[i]) << name << " pixel " << i;
    destroy_bmp(b);
  }
  // The 8-bit palette shows every code as the machine does.
  Bytes file = slurp(dir.path("eight.bmp"));
  for (int c = 0; c < 256; c++) {
    Rgb s = shown_colour(c);
    EXPECT_EQ(file[54 + 4 * c], s.b);
    EXPECT_EQ(file[54 + 4 * c + 1], s.g);
    EXPECT_EQ(file[54 + 4 * c + 2], s.r);
  }
}

TEST(ArtFiles, PcxReadsBackThroughAllegro) {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  Scratch dir;
  // An odd width, long runs of one value (longer than a run can hold) and
  // single values of 0xC0 and above.
  Canvas cv = test_pattern(13, 5);
  fill_box(cv, 0, 1, 12, 1, 0xC5);
  Canvas wide = make_canvas(150, 2, 0xFF);
  Rgb pal[256];
  for (int c = 0; c < 256; c++) pal[c] = {c, 255 - c, (c * 4) & 0xFC};
  for (Canvas *p : {&cv, &wide}) {
    save_bytes(dir.path("p.pcx"), pcx8_bytes(*p, pal));
    PALETTE read;
    BITMAP *b = load_pcx(dir.path("p.pcx").c_str(), read);
    ASSERT_TRUE(b);
    ASSERT_EQ(b->w, p->w);
    ASSERT_EQ(b->h, p->h);
    for (int y = 0; y < p->h; y++)
      for (int x = 0; x < p->w; x++) ASSERT_EQ(getpixel(b, x, y), p->get(x, y)) << x << "," << y;
    destroy_bitmap(b);
    for (int c = 0; c < 256; c++) ASSERT_EQ(read[c].r, pal[c].r / 4) << c;
  }
}

TEST(ArtPixelArtDeathTest, RefusesRaggedRowsAndUnknownCharacters) {
  Scratch dir;
  std::string ragged = dir.path("ragged.txt"), unknown = dir.path("unknown.txt");
  std::string r = "colour a #ff0000 red\npicture p\naa\naaa\n",
              u = "colour a #ff0000 red\npicture p\nab\n";
  spit(ragged, Bytes(r.begin(), r.end()));
  spit(unknown, Bytes(u.begin(), u.end()));
  EXPECT_EXIT(read_pixel_art(ragged), ::testing::ExitedWithCode(1), "row 1 is 3 wide");
  EXPECT_EXIT(read_pixel_art(unknown), ::testing::ExitedWithCode(1), "'b' not in the legend");
}

TEST(ArtScene, FiguresStandOnTheFloorOrClimbTheLadder) {
  Scratch dir;
  std::string level = dir.path("level.txt");
  std::string src =
      "grid\n"
      ".....H\n"
      ".....H\n"
      "#####H\n"
      "end\n"
      "at 1 0 11\n"   // a player in the air above the floor
      "at 5 1 31\n";  // a mum on the ladder
  spit(level, Bytes(src.begin(), src.end()));
  std::string pictures = std::string(RUN_DIR) + "/sideview";
  Canvas scene =
      render_scene(std::string(SOURCE_DIR) + "/data/sideview/tiles.txt", level, pictures);
  Canvas sprites;
  ASSERT_TRUE(load_bmp8(pictures + "/sprites.bmp", sprites));
  // Each figure is drawn where the game would put its sprite: the player
  // fallen until its feet (16 below the centre) touch the floor at row 32,
  // the mum on the ladder in its climbing picture.
  struct Expect {
    const char *sprite;
    int left, top;
  } figures[] = {{"player_stand", 24 - 16, 16 - 16}, {"mum_ladder", 88 - 16, 24 - 17}};
  for (const Expect &e : figures) {
    const SpriteRect *r = nullptr;
    for (const SpriteRect &s : SPRITE_RECTS)
      if (std::string(s.name) == e.sprite) r = &s;
    ASSERT_TRUE(r);
    int shown = 0;
    for (int y = 0; y < r->h; y++)
      for (int x = 0; x < r->w; x++) {
        int c = sprites.get(r->x + x, r->y + y);
        if (!c || !scene.in(e.left + x, e.top + y)) continue;
        ASSERT_EQ(scene.get(e.left + x, e.top + y), c) << e.sprite << " at " << x << "," << y;
        shown++;
      }
    EXPECT_GT(shown, 200) << e.sprite;
  }
}

}  // namespace
