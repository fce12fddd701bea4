// Level store: the tile set from its files, the default level, loading and
// saving levels and "tileattr.wz", reshaping, look-ups off the grid, and
// the level links of "hops.txt".
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "log_capture.h"
#include "scratch.h"
#include "world.h"

namespace {

// Writes the tile set files into the working directory: attribute byte i
// for tile i, and a sheet whose pixel (x, y) is tile_pixel of the tile
// there.
void write_tile_files(int w = 256, int h = 64) {
  std::vector<unsigned char> attr(256);
  for (int i = 0; i < 256; i++) attr[i] = (unsigned char)(i * 7);
  ASSERT_TRUE(spit("tileattr.wz", attr));
  bmp *sheet = new_bmp(w, h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      sheet->data[y * w + x] = tile_pixel((y / 16) * 16 + x / 16, x % 16, y % 16);
  ASSERT_TRUE(write_bmp8("tiles.bmp", sheet));
  destroy_bmp(sheet);
}

TEST(TileSet, CutsSixtyFourTilesAndSetsTheDefaultLevel) {
  Scratch s(true);
  write_tile_files();
  tiles_init();
  for (int i : {0, 1, 17, 63}) {
    ASSERT_NE(tiles[i].bitmap, nullptr);
    ASSERT_EQ(tiles[i].bitmap->w, 16);
    for (int y = 0; y < 16; y += 5)
      for (int x = 0; x < 16; x += 5)
        EXPECT_EQ(tiles[i].bitmap->data[y * 16 + x], tile_pixel(i, x, y)) << "tile " << i;
  }
  for (int i = 64; i < 256; i++) EXPECT_EQ(tiles[i].bitmap, nullptr);
  EXPECT_EQ(tiles[200].attribute, (unsigned char)(200 * 7));
  EXPECT_EQ(map.w, 25);
  EXPECT_EQ(map.h, 25);
  EXPECT_EQ(map.n, 0);
  EXPECT_EQ(map.t[0][12], 1);
  EXPECT_EQ(map.t[24][24], 1);
  EXPECT_EQ(map.t[12][0], 1);
  EXPECT_EQ(map.t[1][1], 2);
  EXPECT_EQ(map.t[23][23], 2);
}

TEST(TileSetDeathTest, MissingOrSmallFilesEndTheProgramWithAMessage) {
  Scratch s(true);
  EXPECT_EXIT(tiles_init(), ::testing::ExitedWithCode(1), "Couldn't open file \"tileattr.wz\"");
  write_tile_files(128, 64);
  EXPECT_EXIT(tiles_init(), ::testing::ExitedWithCode(1), "tiles.bmp.*128 x 64");
  write_tile_files();
  remove("tiles.bmp");
  EXPECT_EXIT(tiles_init(), ::testing::ExitedWithCode(1), "Couldn't open file \"tiles.bmp\"");
}

TEST(LevelFiles, SaveWritesTheLevelAndAlwaysTheAttributes) {
  Scratch s(true);
  fr = nullptr;
  course_default(map);
  map.t[3][4] = 200;
  map.ins[0] = Insertion{-5, 70000, 31};
  map.n = 1;
  for (int i = 0; i < 256; i++) tiles[i].attribute = (unsigned char)(255 - i);
  ASSERT_TRUE(save_map("tr07.map"));
  std::vector<unsigned char> attr = slurp("tileattr.wz");
  ASSERT_EQ(attr.size(), 256u);
  EXPECT_EQ(attr[0], 255);
  EXPECT_EQ(attr[255], 0);
  // Saving again rewrites the attributes even though none changed.
  ASSERT_TRUE(spit("tileattr.wz", {1, 2, 3}));
  ASSERT_TRUE(save_map("tr07.map"));
  EXPECT_EQ(slurp("tileattr.wz"), attr);
  EXPECT_TRUE(slurp("tileattr.wz.tmp").empty());

  Map saved = map;
  course_default(map);
  load_map("tr07.map");
  EXPECT_EQ(map.t[3][4], 200);
  EXPECT_EQ(map.ins[0].x, -5);
  EXPECT_EQ(map.ins[0].y, 70000);
  EXPECT_EQ(map.ins[0].code, 31);
  EXPECT_EQ(memcmp(map.t, saved.t, sizeof map.t), 0);
}

TEST(LevelFiles, AFailedLoadOrSaveKeepsTheLevelAndTheOldFile) {
  Scratch s(true);
  LogCapture log;
  course_default(map);
  map.t[5][5] = 9;
  EXPECT_FALSE(try_load_map("missing.map"));
  EXPECT_EQ(map.t[5][5], 9);
  EXPECT_EQ(map.w, 25);
  // A save into a folder that does not exist fails and says so.
  EXPECT_FALSE(save_map("no/such/folder/tr01.map"));
  std::string text = log.text();
  EXPECT_NE(text.find("Couldn't open file \"missing.map\"\n"), std::string::npos);
  EXPECT_NE(text.find("Couldn't write file \"no/such/folder/tr01.map\""), std::string::npos);
}

TEST(LevelFilesDeathTest, ALevelThatCanNotBeOpenedEndsTheGame) {
  Scratch s(true);
  EXPECT_EXIT(load_map("tr99.map"), ::testing::ExitedWithCode(1), "Couldn't open file \"tr99.map\"");
}

TEST(LevelShape, RowsAndColumnsGoInAndOut) {
  memset(&map, 0, sizeof map);
  map.w = 6;
  map.h = 10;
  for (int x = 0; x < 6; x++)
    for (int y = 0; y < 10; y++) map.t[x][y] = (unsigned char)(10 * x + y);
  Map before = map;
  insert_row(3);
  EXPECT_EQ(map.h, 11);
  EXPECT_EQ(map.t[2][3], map.t[2][4]);
  EXPECT_EQ(map.t[2][10], 29);
  delete_row(3);
  insert_column(0);
  EXPECT_EQ(map.w, 7);
  EXPECT_EQ(map.t[0][7], map.t[1][7]);
  delete_column(0);
  EXPECT_EQ(map.w, before.w);
  EXPECT_EQ(map.h, before.h);
  for (int x = 0; x < 6; x++)
    for (int y = 0; y < 10; y++) EXPECT_EQ(map.t[x][y], before.t[x][y]);
}

TEST(LevelShape, CellsOffTheGridAreSolidBlocks) {
  memset(&map, 0, sizeof map);
  for (int i = 0; i < 256; i++) tiles[i].attribute = 0;
  tiles[0].attribute = LADDER;
  EXPECT_EQ(tile_attr(0, 0), LADDER);
  EXPECT_EQ(tile_attr(255, 255), LADDER);
  for (auto p : {std::make_pair(-1, 0), std::make_pair(0, -1), std::make_pair(256, 3),
                 std::make_pair(3, 256), std::make_pair(-100000, 100000)})
    EXPECT_EQ(tile_attr(p.first, p.second), SOLID) << p.first << "," << p.second;
}

// "hops.txt" with the given text, and the log read back after f.
std::string hops_log(const std::string &text, const std::function<void()> &f) {
  if (!text.empty()) spit("hops.txt", std::vector<unsigned char>(text.begin(), text.end()));
  LogCapture log;
  f();
  return log.text();
}

TEST(LevelLinks, PairsAreLookedUpInOrder) {
  Scratch s(true);
  std::string log = hops_log("0 11\n15 22\n\n\n29 0\n15 33\n", [] {
    EXPECT_EQ(HoPs(0), 11);
    EXPECT_EQ(HoPs(15), 22);  // the first of two lines for 15 wins
    EXPECT_EQ(HoPs(29), 0);
    EXPECT_EQ(HoPs(12), 0);
  });
  EXPECT_EQ(log, "Couldn't find one for 29\nCouldn't find one for 12\n");
  // A last pair without a line break, and other white space.
  hops_log("0 11\t 21   34", [] { EXPECT_EQ(HoPs(21), 34); });
}

TEST(LevelLinks, ReadingStopsAtTextThatIsNotNumbers) {
  Scratch s(true);
  hops_log("0 11\n15 x\n21 34\n", [] {
    EXPECT_EQ(HoPs(0), 11);
    EXPECT_EQ(HoPs(21), 0);
  });
  hops_log("7 99999999999999999999\n-3 +4\n", [] {
    EXPECT_EQ(HoPs(7), INT_MAX);
    EXPECT_EQ(HoPs(-3), 4);
  });
  hops_log("1 2 3", [] { EXPECT_EQ(HoPs(3), 0); });
}

TEST(LevelLinks, AMissingTableMeansNoLinks) {
  Scratch s(true);
  std::string log = hops_log("", [] { EXPECT_EQ(HoPs(0), 0); });
  EXPECT_EQ(log, "Couldn't open file \"hops.txt\"\nCouldn't find one for 0\n");
}

}  // namespace
