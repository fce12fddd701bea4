// art_tool_test.cpp -- the picture maker's own parts: the colour code chosen
// for a colour and the palette its files carry, the pixel-art reader's
// refusals, and the scene's placing of figures. (The file formats
// themselves are tested with the content library, tests/content.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codes.h"
#include "picture_file.h"
#include "pixelart.h"
#include "scene.h"
#include "scratch.h"
#include "sheets.h"

namespace {

typedef std::vector<unsigned char> Bytes;

TEST(ArtCodes, NearestCodeShowsTheWantedColourAndIsNeverTransparent) {
  for (int c = 1; c < 256; c++) {
    Rgb want = shown_colour(c);
    EXPECT_EQ(shown_colour(nearest_code(want)), want) << "code " << c;
  }
  EXPECT_NE(nearest_code({0, 0, 0}), 0);
  EXPECT_EQ(shown_colour(nearest_code({0, 0, 0})), (Rgb{12, 12, 12}));  // the darkest grey
}

TEST(ArtFiles, EightBitBmpsShowEveryCodeAsTheMachineDoes) {
  Bytes file = bmp8_bytes(make_canvas(6, 3), shown_palette());
  for (int c = 0; c < 256; c++) {
    Rgb s = shown_colour(c);
    EXPECT_EQ(file[54 + 4 * c], s.b);
    EXPECT_EQ(file[54 + 4 * c + 1], s.g);
    EXPECT_EQ(file[54 + 4 * c + 2], s.r);
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
  Canvas sprites = load_picture(pictures + "/sprites.bmp");
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
