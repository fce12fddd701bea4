// share_test.cpp -- course store on disk, tile drawing, colours, start-up
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "headless_test.h"
#include "scratch.h"
#include "share.h"

namespace {

// Allegro without a display, 16-bit memory bitmaps and the stand-in
// datafile, in a scratch folder.
class ShareTest : public HeadlessTest {
 protected:
  static void touch(const char *name) { fclose(fopen(name, "wb")); }
  static std::string log_text() {
    fflush(fr);
    std::vector<unsigned char> v = slurp("report.txt");
    return std::string(v.begin(), v.end());
  }
  // The tile index whose picture is at buf pixel (x, y), or -1 for none.
  static int tile_at(int x, int y) {
    int i = object_at(buf, x, y);
    return i < OBJ_TILE0 ? -1 : i - OBJ_TILE0;
  }
};

TEST_F(ShareTest, CountMapsStopsAtFirstGap) {
  count_maps();
  EXPECT_EQ(n_maps, 0);
  touch("m01.map");
  touch("m02.map");
  touch("m04.map");
  count_maps();
  EXPECT_EQ(n_maps, 2);
  for (int i = 1; i <= 100; i++) {
    char name[16];
    snprintf(name, sizeof name, "m%02d.map", i);
    touch(name);
  }
  count_maps();
  EXPECT_EQ(n_maps, 99);
}

TEST_F(ShareTest, TilesInitWithShortAttributeFile) {
  tiles_init();  // no file at all
  EXPECT_EQ(tile_attr[0], 0);
  EXPECT_EQ(map.w, 25);
  EXPECT_EQ(map.n, 0);
  EXPECT_EQ(map.t[0][7], 1);
  EXPECT_EQ(map.t[7][7], 2);
  FILE *f = fopen("tileattr.wz", "wb");
  fputc(0x11, f);
  fputc(0x22, f);
  fclose(f);
  tile_attr[2] = 0x99;
  tiles_init();
  EXPECT_EQ(tile_attr[1], 0x22);
  EXPECT_EQ(tile_attr[2], 0);
  EXPECT_NE(log_text().find("holds 2 of 256 bytes"), std::string::npos);
}

TEST_F(ShareTest, SaveWritesCourseAndAttributes) {
  tiles_init();
  tile_attr[240] = Dry;
  ASSERT_TRUE(save_map("m07.map"));
  struct stat st;
  ASSERT_EQ(0, stat("m07.map", &st));
  EXPECT_EQ(st.st_size, 631);
  ASSERT_EQ(0, stat("tileattr.wz", &st));
  EXPECT_EQ(st.st_size, 256);
  tile_attr[240] = 0;
  tiles_init();
  EXPECT_EQ(tile_attr[240], Dry);

  // A save that can't write the attribute table reports failure and leaves
  // the old table.
  ASSERT_EQ(0, mkdir("tileattr.wz.tmp", 0755));
  tile_attr[240] = Ice;
  EXPECT_EQ(save_map("m07.map"), SAVE_COURSE_ONLY);  // the course itself was written
  tiles_init();
  EXPECT_EQ(tile_attr[240], Dry);
  EXPECT_NE(log_text().find("Couldn't write file \"tileattr.wz\""),
            std::string::npos);
}

TEST_F(ShareTest, FailedLoadKeepsCourseOrEndsProgram) {
  tiles_init();
  map.t[3][3] = 99;
  EXPECT_FALSE(try_load_map("m42.map"));
  EXPECT_EQ(map.t[3][3], 99);
  EXPECT_EQ(map.w, 25);
  std::string log = log_text();
  EXPECT_EQ(log.substr(log.size() - 29), "Couldn't open file \"m42.map\"\n");
  EXPECT_EXIT(load_map("m42.map"), ::testing::ExitedWithCode(1),
              "Couldn't open file \"m42.map\"");
}

TEST_F(ShareTest, DrawTilesAlignedOrigin) {
  tiles_init();
  map.w = map.h = 30;
  for (int x = 0; x < 30; x++)
    for (int y = 0; y < 30; y++) map.t[x][y] = (unsigned char)(x + 10 * (y % 3));
  clear_to_color(buf, col_black);
  draw_tiles();
  EXPECT_EQ(tile_at(0, 0), 0);
  EXPECT_EQ(tile_at(639, 0), 19);
  EXPECT_EQ(tile_at(639, 479), 19 + 10 * (14 % 3));
  EXPECT_EQ(tile_at(33, 32), 1 + 10);
}

TEST_F(ShareTest, DrawTilesNegativeAndUnalignedOrigins) {
  tiles_init();
  map.w = map.h = 30;
  for (int x = 0; x < 30; x++)
    for (int y = 0; y < 30; y++) map.t[x][y] = (unsigned char)x;

  OX = 16;
  clear_to_color(buf, col_black);
  draw_tiles();
  EXPECT_EQ(tile_at(0, 5), 0);     // right half of cell 0
  EXPECT_EQ(tile_at(15, 5), 0);
  EXPECT_EQ(tile_at(16, 5), 1);
  EXPECT_EQ(tile_at(624, 5), 20);  // left half of cell 20
  EXPECT_EQ(tile_at(639, 5), 20);

  OX = -16;  // the first 16 columns show no tile
  clear_to_color(buf, col_black);
  draw_tiles();
  EXPECT_EQ(tile_at(15, 5), -1);
  EXPECT_EQ(tile_at(16, 5), 0);
  EXPECT_EQ(tile_at(639, 5), 19);

  OX = 0;
  OY = -40;  // y0 = -1 - 1 = -2
  clear_to_color(buf, col_black);
  draw_tiles();
  EXPECT_EQ(tile_at(100, 39), -1);
  EXPECT_EQ(tile_at(100, 40), 3);
  EXPECT_EQ(tile_at(0, 479), 0);
}

TEST_F(ShareTest, DrawTilesHalfWidthAndEmptyCourse) {
  tiles_init();
  map.w = map.h = 30;
  for (int x = 0; x < 30; x++)
    for (int y = 0; y < 30; y++) map.t[x][y] = (unsigned char)x;
  destroy_bitmap(buf);
  buf = create_bitmap(320, 480);
  OX = 40;
  clear_to_color(buf, col_black);
  draw_tiles();
  EXPECT_EQ(tile_at(319, 0), (320 + 40 - 1) / 32);

  map.w = -257;  // a file cut short in its header
  clear_to_color(buf, col_black);
  draw_tiles();
  EXPECT_EQ(tile_at(100, 100), -1);
}

TEST(Colours, GoldIsDarkOrange) {
  headless_datafile();
  EXPECT_EQ(col_gold, makecol(128, 64, 0));
  EXPECT_EQ(col_grey, makecol(128, 128, 128));
  EXPECT_NE(col_gold, col_yellow);
}

}  // namespace
