// datafile_test.cpp -- what the build puts in topdown's run folder
#include <gtest/gtest.h>

#include <dirent.h>

#include <cstdio>
#include <string>
#include <vector>

#include "scratch.h"
#include "share.h"

namespace {

const std::string RUN = std::string(RUN_DIR) + "/topdown/";

TEST(DataFile, HoldsEveryObjectAtItsIndex) {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(16);
  DATAFILE *d = load_datafile((RUN + "data.dat").c_str());
  ASSERT_TRUE(d) << "no data.dat in " << RUN;
  int n = 0;
  while (d[n].type != DAT_END) n++;
  EXPECT_EQ(n, N_OBJECTS);
  EXPECT_EQ(check_datafile(d), nullptr);
  for (int i = 1; i <= 14; i++) EXPECT_EQ(d[i].type, DAT_BITMAP) << i;
  EXPECT_EQ(d[OBJ_FONT].type, DAT_FONT);
  EXPECT_EQ(d[OBJ_MUSIC].type, DAT_MIDI);
  BITMAP *title = (BITMAP *)d[OBJ_TITLE].dat;
  EXPECT_GE(title->w, 640);
  EXPECT_GE(title->h, 200);
  for (int t = 0; t < 256; t++) {
    BITMAP *b = (BITMAP *)d[OBJ_TILE0 + t].dat;
    ASSERT_EQ(d[OBJ_TILE0 + t].type, DAT_BITMAP) << t;
    EXPECT_EQ(b->w, 32) << t;
    EXPECT_EQ(b->h, 32) << t;
  }
  // The text font is a mono font, so text can be drawn in any colour.
  FONT *f = (FONT *)d[OBJ_FONT].dat;
  EXPECT_FALSE(is_color_font(f));
  EXPECT_GT(text_height(f), 7);
  unload_datafile(d);
}

// A reader of its own, so that a fault in the programs' reader can't hide
// a fault in the shipped files.
TEST(Courses, EveryShippedCourseIsWhole) {
  std::vector<std::string> names;
  DIR *dir = opendir(RUN.c_str());
  ASSERT_TRUE(dir);
  while (dirent *e = readdir(dir)) {
    std::string s = e->d_name;
    if (s.size() == 7 && s[0] == 'm' && s.substr(3) == ".map") names.push_back(s);
  }
  closedir(dir);
  ASSERT_GE(names.size(), 3u);
  for (const std::string &name : names) {
    SCOPED_TRACE(name);
    std::vector<unsigned char> v = slurp(RUN + name);
    ASSERT_GE(v.size(), 6u);
    size_t w = v[0] * 256 + v[1], h = v[2] * 256 + v[3], n = v[4] * 256 + v[5];
    EXPECT_GE(w, 1u);
    EXPECT_LE(w, 256u);
    EXPECT_LE(h, 256u);
    EXPECT_LE(n, 256u);
    ASSERT_EQ(v.size(), 6 + w * h + 12 * n);
    bool finish = false;
    for (size_t i = 0; i < w * h; i++) finish |= v[6 + i] == 240;
    EXPECT_TRUE(finish) << "no finish tile";
    bool p1 = false, p2 = false;
    for (size_t i = 0; i < n; i++) {
      const unsigned char *c = &v[6 + w * h + 12 * i + 8];
      int code = (int)((unsigned)c[0] << 24 | c[1] << 16 | c[2] << 8 | c[3]);
      p1 |= code == 11;
      p2 |= code == 12;
    }
    EXPECT_TRUE(p1) << "no player 1 start";
    EXPECT_TRUE(p2) << "no player 2 start";
  }
}

TEST(Courses, TheFirstCoursesAreUnbroken) {
  // The menu counts the unbroken run m01.map, m02.map, ...
  for (const char *name : {"m01.map", "m02.map", "m03.map"})
    EXPECT_FALSE(slurp(RUN + name).empty()) << name;
}

TEST(TileAttributes, MatchTheTileSet) {
  std::vector<unsigned char> a = slurp(RUN + "tileattr.wz");
  ASSERT_EQ(a.size(), 256u);
  // Read the tile list the build compiled them from, and spot-check that
  // the kinds the game rules depend on carry the right bits.
  EXPECT_EQ(a[1] & (NoWalk | Dry), NoWalk | Dry);  // the default border
  EXPECT_EQ(a[2], Dry);                            // grass
  EXPECT_EQ(a[240] & Dry, Dry);                    // the finish
  int water = 0, restricted = 0, ice = 0, slow = 0;
  for (int i = 0; i < 256; i++) {
    if ((a[i] & (NoWalk | Dry)) == NoWalk) water++;
    if (a[i] & Restricted) restricted++;
    if (a[i] & Ice) ice++;
    if (a[i] & Slow) slow++;
  }
  EXPECT_GE(water, 1);
  EXPECT_GE(restricted, 1);
  EXPECT_GE(ice, 1);
  EXPECT_GE(slow, 1);
}

}  // namespace
