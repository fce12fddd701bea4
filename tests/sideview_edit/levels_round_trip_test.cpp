// levels_round_trip_test.cpp -- a level opened and saved by the editor is
// byte for byte the level it was, and the decompiler turns a level the
// editor saved, and the attribute table, back into sources that compile to
// the same bytes: for every shipped level, and for an edited one holding
// what only an editor makes (tiles without a character, insertions off a
// tile's centre, attribute bits without a name).
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "scratch.h"
#include "tile.h"

namespace {

const std::string TILES = SOURCE_DIR "/data/sideview/tiles.txt";
const std::string LEVELS = SOURCE_DIR "/data/sideview/levels";

// Runs mapc with the words given (each quoted); true if it succeeded.
bool mapc(const std::vector<std::string> &words) {
  std::string cmd = "'" MAPC "'";
  for (const std::string &w : words) cmd += " '" + w + "'";
  return system((cmd + " 2>mapc_errors.txt").c_str()) == 0;
}

// The level sources in the levels folder: trNN.txt, in order.
std::vector<std::string> level_sources(bool &folder) {
  std::vector<std::string> found;
  DIR *d = opendir(LEVELS.c_str());
  folder = d != nullptr;
  if (!d) return found;
  while (dirent *e = readdir(d)) {
    std::string n = e->d_name;
    if (n.size() == 8 && n.compare(0, 2, "tr") == 0 && isdigit((unsigned char)n[2]) &&
        isdigit((unsigned char)n[3]) && n.compare(4, 4, ".txt") == 0)
      found.push_back(n);
  }
  closedir(d);
  std::sort(found.begin(), found.end());
  return found;
}

// The level file name, as the editor opens and saves it: the same bytes
// come back, and a source decompiled from them compiles to them again.
void expect_round_trip(const std::string &level) {
  ASSERT_TRUE(try_load_map(level.c_str())) << level;
  ASSERT_TRUE(save_map("saved.map"));
  EXPECT_EQ(slurp("saved.map"), slurp(level)) << level << ": not saved as it was loaded";
  ASSERT_TRUE(mapc({"--decompile", TILES, "saved.map", "back.txt"})) << level;
  ASSERT_TRUE(mapc({TILES, "back.txt", "again.map"})) << level;
  EXPECT_EQ(slurp("again.map"), slurp(level)) << level << ": the decompiled source differs";
}

class LevelsRoundTrip : public ::testing::Test {
 protected:
  Scratch scratch{true};
  void SetUp() override {
    ASSERT_TRUE(mapc({"--attributes", TILES, "tileattr.wz"}));
    unsigned char attr[256];
    ASSERT_EQ(attr_read("tileattr.wz", attr), 256);
    for (int i = 0; i < 256; i++) tiles[i].attribute = attr[i];
  }
};

TEST_F(LevelsRoundTrip, EveryShippedLevel) {
  bool folder;
  std::vector<std::string> sources = level_sources(folder);
  if (!folder) GTEST_SKIP() << "no levels folder yet: " << LEVELS;
  ASSERT_FALSE(sources.empty()) << "no level sources trNN.txt in " << LEVELS;
  for (const std::string &src : sources) {
    std::string level = src.substr(0, 4) + ".map";
    ASSERT_TRUE(mapc({TILES, LEVELS + "/" + src, level})) << src;
    expect_round_trip(level);
  }
}

TEST_F(LevelsRoundTrip, AnEditedLevelAndTheAttributes) {
  course_default(map);
  map.t[3][4] = 200;  // an index without a character
  map.t[0][0] = 63;
  delete_column(2);
  insert_row(7);
  map.ins[0] = {-5, 1000, 17};   // not at a tile's centre
  map.ins[1] = {24, 40, 11};     // at one
  map.ins[2] = {3, 3, -2000000000};
  map.n = 3;
  ASSERT_TRUE(save_map("edited.map"));
  expect_round_trip("edited.map");

  tiles[4].attribute = SOLID_TOP | HURT;  // a new attribute of a tile
  tiles[150].attribute = 0x80;            // one of an index without one
  ASSERT_TRUE(save_map("edited.map"));
  ASSERT_TRUE(mapc({"--decompile-attributes", TILES, "tileattr.wz", "tiles_back.txt"}));
  ASSERT_TRUE(mapc({"--attributes", "tiles_back.txt", "attr_back.wz"}));
  EXPECT_EQ(slurp("attr_back.wz"), slurp("tileattr.wz"));
  ASSERT_TRUE(mapc({"--decompile", "tiles_back.txt", "edited.map", "back.txt"}));
  ASSERT_TRUE(mapc({"tiles_back.txt", "back.txt", "again.map"}));
  EXPECT_EQ(slurp("again.map"), slurp("edited.map"));
}

}  // namespace
