// tile_list_test.cpp -- the tile list both games' pictures are drawn from,
// and the font's grid picture and small digits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphs.h"
#include "scratch.h"
#include "tile_list.h"
#include "tool.h"

namespace {

TEST(TileList, TilesAreReadAndSettingsPlainLinesAndCommentsPassedOver) {
  Scratch dir;
  std::string text =
      "# a comment\n"
      "tilesize 16\n"
      "bits Solid=0x01\n"
      "plain 200 Solid\n"
      "\n"
      "0 . - void\n"
      "255 # Solid|0x40 wall\n";
  ASSERT_TRUE(spit(dir.path("tiles.txt"), std::vector<unsigned char>(text.begin(), text.end())));
  std::vector<TileLine> tiles = read_tile_list(dir.path("tiles.txt"));
  ASSERT_EQ(tiles.size(), 2u);
  EXPECT_EQ(tiles[0].index, 0);
  EXPECT_EQ(tiles[0].ch, '.');
  EXPECT_EQ(tiles[0].name, "void");
  EXPECT_EQ(tiles[1].index, 255);
  EXPECT_EQ(tiles[1].attrs, "Solid|0x40");
  EXPECT_EQ(tiles[1].line, 7);
}

TEST(TileListDeathTest, AMalformedTileLineStopsTheToolWithItsPlace) {
  Scratch dir;
  tool_name = "test_tool";
  for (const char *bad : {"256 x - big\n", "12 xy - wide\n", "1x . - name\n", "7 . -\n",
                          "99999999999999999999 . - huge\n"}) {
    std::string text = std::string("# tiles\n") + bad;
    ASSERT_TRUE(spit(dir.path("t.txt"), std::vector<unsigned char>(text.begin(), text.end())));
    EXPECT_EXIT(read_tile_list(dir.path("t.txt")), ::testing::ExitedWithCode(1),
                "test_tool: .*t.txt:2: expected: index char attrs name")
        << bad;
  }
  EXPECT_EXIT(read_tile_list(dir.path("none.txt")), ::testing::ExitedWithCode(1), "can't open");
}

TEST(Glyphs, TheFontSheetFramesEveryGlyphAndTheDigitsRead) {
  Canvas sheet = font_sheet();
  EXPECT_EQ(sheet.get(0, 0), 255);  // the frame starts at the corner
  // 95 glyphs, ten to a row: 10 rows of cells 14 high with their frames
  EXPECT_EQ(sheet.h, 1 + 10 * (GLYPH_ROWS + 2));
  int ink = 0;
  for (unsigned char p : sheet.px) ink += p == 1;
  EXPECT_GT(ink, 95 * 10);
  // "10" in small digits: a one (middle column down) and a zero (ring).
  Canvas cv = make_canvas(7, 5);
  draw_small_number(cv, 0, 0, 10, 1);
  for (int y = 0; y < 5; y++) EXPECT_EQ(cv.get(1, y), 1) << y;
  EXPECT_EQ(cv.get(5, 2), 0);  // the hole of the zero
  EXPECT_EQ(cv.get(4, 2), 1);
  EXPECT_EQ(cv.get(6, 2), 1);
}

}  // namespace
