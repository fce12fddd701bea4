// mapc_test.cpp -- course sources to course files and back: every shipped
// course, courses with anything a file can hold, and the attribute table
#include <gtest/gtest.h>

#include <dirent.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "course_file.h"
#include "scratch.h"

namespace {

const std::string TILES = SOURCE_DIR "/data/topdown/tiles.txt";

// Runs mapc with the arguments; its exit status, its standard error in err.
int mapc(const std::string &args, std::string *err = nullptr) {
  Scratch out;
  int rc = system((std::string(MAPC) + " " + args + " 2>" + out.path("err")).c_str());
  if (err) {
    std::vector<unsigned char> v = slurp(out.path("err"));
    err->assign(v.begin(), v.end());
  }
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

std::string text_of(const std::string &name) {
  std::vector<unsigned char> v = slurp(name);
  return std::string(v.begin(), v.end());
}

void write_text(const std::string &name, const std::string &s) {
  spit(name, std::vector<unsigned char>(s.begin(), s.end()));
}

// Decompiles the course file, compiles the source again, and tells whether
// the bytes came back the same.
::testing::AssertionResult round_trip(const std::string &tiles, const std::string &map,
                                      const Scratch &s) {
  std::string src = s.path("back.txt"), again = s.path("again.map"), err;
  if (mapc("--decompile " + tiles + " " + map + " " + src, &err) != 0)
    return ::testing::AssertionFailure() << "decompile: " << err;
  if (mapc(tiles + " " + src + " " + again, &err) != 0)
    return ::testing::AssertionFailure() << "compile: " << err << text_of(src);
  if (slurp(map) != slurp(again))
    return ::testing::AssertionFailure() << "bytes differ; source:\n" << text_of(src);
  return ::testing::AssertionSuccess();
}

TEST(Mapc, EveryShippedCourseComesBackExactly) {
  Scratch s;
  std::string dir = SOURCE_DIR "/data/topdown/courses/";
  DIR *d = opendir(dir.c_str());
  ASSERT_TRUE(d);
  int courses = 0;
  while (dirent *e = readdir(d)) {
    std::string name = e->d_name;
    if (name.size() != 7 || name[0] != 'm' || name.substr(3) != ".txt") continue;
    SCOPED_TRACE(name);
    ASSERT_EQ(mapc(TILES + " " + dir + name + " " + s.path("c.map")), 0);
    EXPECT_TRUE(round_trip(TILES, s.path("c.map"), s));
    courses++;
  }
  closedir(d);
  EXPECT_GE(courses, 6);
}

// A tile set of another game: 16-pixel tiles, its own attribute names, and
// the letters e, n and d, so that a grid row could read "end".
const char *OTHER_TILES =
    "# another game's tiles\n"
    "tilesize 16\n"
    "bits Solid-Top=0x01 Solid-LRB=0x02 Ladder=0x04 Door=0x08 Hurt=0x10\n"
    "unlisted -\n"
    "0 . - air\n"
    "1 e Solid-Top|Solid-LRB brick\n"
    "2 n Ladder ladder\n"
    "3 d Door door\n"
    "4 ? Hurt spikes\n";

TEST(Mapc, AnyCourseAFileCanHoldComesBackExactly) {
  Scratch s;
  std::string tiles = s.path("tiles.txt"), map = s.path("c.map");
  write_text(tiles, OTHER_TILES);
  static Map m;
  memset(&m, 0, sizeof m);
  m.w = 3;
  m.h = 4;
  const unsigned char cols[3][4] = {{1, 4, 200, 0}, {2, 0, 255, 3}, {3, 1, 2, 4}};
  for (int x = 0; x < 3; x++)
    for (int y = 0; y < 4; y++) m.t[x][y] = cols[x][y];  // row 0 reads "end"
  const Insertion ins[] = {{-40, -8, 11},    {24, 8, -3},       {8, 8, 1000000},
                           {INT_MIN, INT_MAX, INT_MIN},          {-24, 40, 0},
                           {7, -1, 99},      {8, 2147483640, 12}};
  for (const Insertion &i : ins) m.ins[m.n++] = i;
  ASSERT_TRUE(course_write(map.c_str(), m));
  EXPECT_TRUE(round_trip(tiles, map, s));
  std::string src = text_of(s.path("back.txt"));
  EXPECT_NE(src.find("at -3 -1 11\n"), std::string::npos) << src;  // 16-pixel tiles
  EXPECT_NE(src.find("px 7 -1 99\n"), std::string::npos) << src;

  // topdown's own tiles, the largest course and the empty ones.
  m.w = m.h = 256;
  m.n = 256;
  for (int x = 0; x < 256; x++)
    for (int y = 0; y < 256; y++) m.t[x][y] = (unsigned char)(x * 7 + y);
  for (int i = 0; i < 256; i++) m.ins[i] = {i * 1000 - 99999, -i * 32 - 16, i - 128};
  ASSERT_TRUE(course_write(map.c_str(), m));
  EXPECT_TRUE(round_trip(TILES, map, s));
  for (auto wh : {std::make_pair(0, 5), std::make_pair(7, 0), std::make_pair(0, 0)}) {
    m.w = wh.first;
    m.h = wh.second;
    m.n = 1;
    ASSERT_TRUE(course_write(map.c_str(), m));
    EXPECT_TRUE(round_trip(TILES, map, s)) << m.w << " x " << m.h;
  }
}

TEST(Mapc, DamagedCourseFilesAreRefusedOrTrimmed) {
  Scratch s;
  std::string map = s.path("c.map"), out = s.path("out.txt"), err;
  static Map m;
  course_default(m);
  m.n = 1;
  m.ins[0] = {1, 2, 3};
  ASSERT_TRUE(course_write(map.c_str(), m));
  std::vector<unsigned char> whole = slurp(map);

  std::vector<unsigned char> cut(whole.begin(), whole.end() - 1);
  spit(map, cut);
  EXPECT_EQ(mapc("--decompile " + TILES + " " + map + " " + out, &err), 1);
  EXPECT_NE(err.find("cut short"), std::string::npos) << err;
  EXPECT_TRUE(slurp(out).empty());
  spit(map, {1, 1, 0, 1, 0, 0});  // 257 columns
  EXPECT_EQ(mapc("--decompile " + TILES + " " + map + " " + out), 1);
  spit(map, {0, 0});
  EXPECT_EQ(mapc("--decompile " + TILES + " " + map + " " + out), 1);

  std::vector<unsigned char> longer = whole;
  longer.push_back(7);  // never read by any program: left out, with a word
  spit(map, longer);
  EXPECT_EQ(mapc("--decompile " + TILES + " " + map + " " + out, &err), 0);
  EXPECT_NE(err.find("warning"), std::string::npos) << err;
  EXPECT_EQ(mapc(TILES + " " + out + " " + s.path("again.map")), 0);
  EXPECT_EQ(slurp(s.path("again.map")), whole);

  // Sources that say too much or too little.
  const char *bad[] = {"size 3 2\ngrid\n...\nend\n", "tile 0 0 7\ntile 0 0 8\ngrid\n.\nend\n",
                       "grid\n?\nend\n",
                       "grid\n.\nend\ntile 1 0 7\n", "grid\n.\nend\nat 1 2\n",
                       "grid\n.\nend\npx 1 2 3 4\n", "grid\n.\nend\npx 9999999999 0 0\n",
                       "grid\n.\nend\ntile 0 0 256\n"};
  for (const char *text : bad) {
    write_text(out, text);
    EXPECT_EQ(mapc(TILES + " " + out + " " + s.path("bad.map")), 1) << text;
  }
  // A cell outside the course is named at its own "tile" line, whatever
  // the order of the lines.
  write_text(out, "grid\n..\nend\ntile 5 0 7\ntile 0 0 7\n");
  EXPECT_EQ(mapc(TILES + " " + out + " " + s.path("bad.map"), &err), 1);
  EXPECT_NE(err.find(":4: cell outside the course"), std::string::npos) << err;
}

TEST(Mapc, AttributeTableGoesBackIntoTheTileSet) {
  Scratch s;
  for (bool other : {false, true}) {
    SCOPED_TRACE(other ? "another game's tiles" : "topdown's tiles");
    std::string tiles = TILES;
    if (other) {
      tiles = s.path("other.txt");
      write_text(tiles, OTHER_TILES);
    }
    std::string attr = s.path("tileattr.wz"), back = s.path("back.txt");
    ASSERT_EQ(mapc("--attributes " + tiles + " " + attr), 0);
    // Unchanged, the tile set comes back as it was, comments and all.
    ASSERT_EQ(mapc("--decompile-attributes " + tiles + " " + attr + " " + back), 0);
    EXPECT_EQ(text_of(back), text_of(tiles));

    // As an editor may leave it: a listed tile changed, indices without a
    // character given attributes, bits without a name set.
    std::vector<unsigned char> a = slurp(attr);
    ASSERT_EQ(a.size(), 256u);
    a[1] ^= 0x04;
    a[2] = 0;
    a[100] = 0x41;
    a[255] = 0xFF;
    spit(attr, a);
    ASSERT_EQ(mapc("--decompile-attributes " + tiles + " " + attr + " " + back), 0);
    ASSERT_EQ(mapc("--attributes " + back + " " + s.path("again.wz")), 0);
    EXPECT_EQ(slurp(s.path("again.wz")), a) << text_of(back);
    // And once more through the result: still the same, and the lines of
    // the set stay as they were apart from their attributes.
    a[100] = other ? 0 : 0x02;  // back to the unlisted attributes: no line
    spit(attr, a);
    ASSERT_EQ(mapc("--decompile-attributes " + back + " " + attr + " " + back), 0);
    EXPECT_EQ(text_of(back).find("plain 100 "), std::string::npos) << text_of(back);
    ASSERT_EQ(mapc("--attributes " + back + " " + s.path("again.wz")), 0);
    EXPECT_EQ(slurp(s.path("again.wz")), a);
  }
  std::string text = text_of(s.path("back.txt"));
  EXPECT_NE(text.find("1 e Solid-Top|Solid-LRB|Ladder brick\n"), std::string::npos) << text;
  EXPECT_NE(text.find("plain 255 Solid-Top|Solid-LRB|Ladder|Door|Hurt|0xE0\n"),
            std::string::npos)
      << text;

  spit(s.path("short.wz"), std::vector<unsigned char>(200, 2));
  EXPECT_EQ(mapc("--decompile-attributes " + TILES + " " + s.path("short.wz") + " " +
                 s.path("x.txt")),
            1);
}

}  // namespace
