// course_file_test.cpp -- the course file format and the grid edits
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "course_file.h"
#include "scratch.h"

namespace {

// Reads bytes through a temporary file, as the programs do.
void read_bytes(const std::vector<unsigned char> &v, Map &m) {
  FILE *f = tmpfile();
  if (!v.empty()) fwrite(v.data(), 1, v.size(), f);
  rewind(f);
  course_read(f, m);
  fclose(f);
}

class CourseFile : public ::testing::Test {
 protected:
  static Map m, back;
  Scratch scratch;
  const std::string &dir = scratch.dir;
  void SetUp() override {
    memset(&m, 0, sizeof m);
    memset(&back, 0, sizeof back);
    course_default(m);
  }
  std::string path(const char *name) { return scratch.path(name); }
};
Map CourseFile::m, CourseFile::back;

TEST_F(CourseFile, DefaultCourseBytes) {
  ASSERT_TRUE(course_write(path("d.map").c_str(), m));
  std::vector<unsigned char> v = slurp(path("d.map"));
  ASSERT_EQ(v.size(), 631u);
  EXPECT_EQ(course_file_size(m), 631);
  const unsigned char head[] = {0, 25, 0, 25, 0, 0};
  EXPECT_EQ(0, memcmp(v.data(), head, 6));
  for (int y = 0; y < 25; y++) EXPECT_EQ(v[6 + y], 1) << "column 0 row " << y;
  EXPECT_EQ(v[32], 2);  // column 1, row 1
}

TEST_F(CourseFile, RoundTripKeepsEverything) {
  m.w = 7;
  m.h = 5;
  for (int x = 0; x < 7; x++)
    for (int y = 0; y < 5; y++) m.t[x][y] = (unsigned char)(x * 31 + y * 7);
  m.n = 3;
  m.ins[0] = {-5, -70000, 11};
  m.ins[1] = {2147483647, -2147483647 - 1, 53};
  m.ins[2] = {100, 200, -1};
  ASSERT_TRUE(course_write(path("r.map").c_str(), m));
  EXPECT_EQ(slurp(path("r.map")).size(), 6u + 35 + 36);
  FILE *f = fopen(path("r.map").c_str(), "rb");
  course_read(f, back);
  fclose(f);
  EXPECT_EQ(back.w, 7);
  EXPECT_EQ(back.h, 5);
  ASSERT_EQ(back.n, 3);
  for (int x = 0; x < 7; x++)
    for (int y = 0; y < 5; y++) EXPECT_EQ(back.t[x][y], m.t[x][y]);
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(back.ins[i].x, m.ins[i].x);
    EXPECT_EQ(back.ins[i].y, m.ins[i].y);
    EXPECT_EQ(back.ins[i].code, m.ins[i].code);
  }
}

TEST_F(CourseFile, LargestCourse) {
  m.w = m.h = 256;
  m.n = 256;
  for (int i = 0; i < 256; i++) m.ins[i] = {i, -i, i % 60};
  m.t[255][255] = 77;
  ASSERT_TRUE(course_write(path("big.map").c_str(), m));
  std::vector<unsigned char> v = slurp(path("big.map"));
  ASSERT_EQ(v.size(), 68614u);
  const unsigned char head[] = {1, 0, 1, 0, 1, 0};
  EXPECT_EQ(0, memcmp(v.data(), head, 6));
  read_bytes(v, back);
  EXPECT_EQ(back.w, 256);
  EXPECT_EQ(back.n, 256);
  EXPECT_EQ(back.t[255][255], 77);
  EXPECT_EQ(back.ins[255].y, -255);
}

// A header that announces more than the store holds keeps what fits and
// never touches memory beyond the grid or the insertion table.
TEST_F(CourseFile, OversizedHeaderKeepsWhatFits) {
  std::vector<unsigned char> v = {0x01, 0x2C, 0x00, 0x02, 0x01, 0x2C};  // 300 x 2, 300 insertions
  for (int x = 0; x < 300; x++) {
    v.push_back((unsigned char)x);
    v.push_back((unsigned char)(x + 1));
  }
  for (int i = 0; i < 300; i++)
    for (int k = 0; k < 3; k++) {
      v.push_back(0);
      v.push_back(0);
      v.push_back((unsigned char)(i >> 8));
      v.push_back((unsigned char)i);
    }
  read_bytes(v, back);
  EXPECT_EQ(back.w, 256);
  EXPECT_EQ(back.h, 2);
  EXPECT_EQ(back.n, 256);
  EXPECT_EQ(back.t[255][1], (unsigned char)(256));
  EXPECT_EQ(back.t[10][0], 10);
  EXPECT_EQ(back.ins[255].code, 255);

  // 0xFFFF in every header field: nothing fits beyond 256, the file ends
  // long before, and the reader still stops.
  read_bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 9}, back);
  EXPECT_EQ(back.w, 256);
  EXPECT_EQ(back.h, 256);
  EXPECT_EQ(back.t[0][0], 9);
  EXPECT_EQ(back.t[0][1], 255);
}

TEST_F(CourseFile, TruncatedFileReadsMissingBytesAsMinusOne) {
  // Header cut after the width: height and count are negative, no tile is read.
  back.t[0][0] = 42;
  read_bytes({0x00, 0x03, 0x00}, back);
  EXPECT_EQ(back.w, 3);
  EXPECT_EQ(back.h, 0 * 256 - 1);
  EXPECT_EQ(back.n, -257);
  EXPECT_EQ(back.t[0][0], 42);

  // Tiles cut short: the missing ones become 255.
  read_bytes({0, 2, 0, 2, 0, 1, 5, 6, 7}, back);
  EXPECT_EQ(back.t[0][0], 5);
  EXPECT_EQ(back.t[1][0], 7);
  EXPECT_EQ(back.t[1][1], 255);
  // Each missing byte counts -1 in b0*2^24 + b1*2^16 + b2*2^8 + b3.
  EXPECT_EQ(back.ins[0].x, -16843009);

  read_bytes({}, back);
  EXPECT_EQ(back.w, -257);
  EXPECT_LE(course_file_size(back), 6);
}

// Whatever the bytes, the reader stays inside the store and ends.
TEST_F(CourseFile, RandomFilesStayInBounds) {
  srand(7);
  for (int k = 0; k < 400; k++) {
    std::vector<unsigned char> v(rand() % 1200);
    for (unsigned char &b : v) b = (unsigned char)rand();
    if (v.size() >= 6 && k % 2) v[0] = v[2] = v[4] = (unsigned char)(rand() % 3);
    read_bytes(v, back);
    EXPECT_LE(back.w, 256);
    EXPECT_LE(back.h, 256);
    EXPECT_LE(back.n, 256);
    EXPECT_LE(course_file_size(back), 6 + 256 * 256 + 12 * 256);
  }
}

TEST_F(CourseFile, FailedWriteKeepsOldFile) {
  std::string target = path("keep.map");
  ASSERT_TRUE(course_write(target.c_str(), m));
  std::vector<unsigned char> before = slurp(target);
  // A directory where the temporary file would go makes the write fail.
  ASSERT_EQ(0, mkdir((target + ".tmp").c_str(), 0755));
  m.w = 3;
  EXPECT_FALSE(course_write(target.c_str(), m));
  EXPECT_EQ(slurp(target), before);
  EXPECT_FALSE(course_write((dir + "/no/such/dir.map").c_str(), m));
}

TEST_F(CourseFile, InsertRowDuplicatesRow) {
  m.t[5][3] = 9;
  course_insert_row(m, 3);
  EXPECT_EQ(m.h, 26);
  EXPECT_EQ(m.t[5][3], 9);
  EXPECT_EQ(m.t[5][4], 9);
  EXPECT_EQ(m.t[5][5], 2);
  for (int x = 0; x < 25; x++) EXPECT_EQ(m.t[x][25], 1);
  course_delete_row(m, 3);
  EXPECT_EQ(m.h, 25);
  EXPECT_EQ(m.t[5][3], 9);
  EXPECT_EQ(m.t[5][4], 2);
}

TEST_F(CourseFile, DeleteColumnShiftsLeft) {
  course_delete_column(m, 0);
  EXPECT_EQ(m.w, 24);
  EXPECT_EQ(m.t[0][0], 1);
  EXPECT_EQ(m.t[0][24], 1);
  for (int y = 1; y < 24; y++) EXPECT_EQ(m.t[0][y], 2);
}

// Edits at the edge move nothing; stale cells beyond the course come back.
TEST_F(CourseFile, EdgeEditsShowStaleCells) {
  m.t[25][4] = 33;  // beyond the course
  course_insert_column(m, 25);
  EXPECT_EQ(m.w, 26);
  EXPECT_EQ(m.t[25][4], 33);
  EXPECT_EQ(m.t[24][4], 1);
  course_delete_row(m, 24);  // drops the last row
  EXPECT_EQ(m.h, 24);
  EXPECT_EQ(m.t[3][23], 2);

  // At the full size the edits stay inside the grid.
  m.w = m.h = 256;
  course_delete_row(m, 0);
  course_delete_column(m, 255);
  EXPECT_EQ(m.h, 255);
  EXPECT_EQ(m.w, 255);
}

TEST_F(CourseFile, AttributeFileShortOrMissing) {
  unsigned char attr[256];
  EXPECT_EQ(attr_read(path("none.wz").c_str(), attr), -1);
  for (int i = 0; i < 256; i++) EXPECT_EQ(attr[i], 0);
  ASSERT_TRUE(spit(path("short.wz"), {1, 2, 3}));
  EXPECT_EQ(attr_read(path("short.wz").c_str(), attr), 3);
  EXPECT_EQ(attr[2], 3);
  EXPECT_EQ(attr[3], 0);
  EXPECT_EQ(attr[255], 0);
}

TEST(Insertions, EditsStayInsideTheTableAndTheIntRange) {
  static Map m;
  m.n = 0;
  EXPECT_EQ(course_add_insertion(m, 1, 2, 3), 0);
  EXPECT_EQ(course_add_insertion(m, 4, 5, 6), 1);
  EXPECT_EQ(course_add_insertion(m, 7, 8, 9), 2);
  EXPECT_TRUE(course_delete_insertion(m, 0));  // the last takes its slot
  EXPECT_EQ(m.n, 2);
  EXPECT_EQ(m.ins[0].code, 9);
  EXPECT_FALSE(course_delete_insertion(m, 2));
  EXPECT_FALSE(course_delete_insertion(m, -1));
  while (m.n < MAX_INSERTIONS) course_add_insertion(m, 0, 0, 0);
  EXPECT_EQ(course_add_insertion(m, 0, 0, 0), -1);
  EXPECT_EQ(m.n, MAX_INSERTIONS);
  int code = 21474836;
  code_append_digit(code, 4);
  EXPECT_EQ(code, 214748364);
  code_append_digit(code, 8);  // 2147483648 would not fit
  EXPECT_EQ(code, 214748364);
  int x = 2147483645;
  coordinate_nudge(x, 4);
  EXPECT_EQ(x, 2147483647);
  x = -2147483647;
  coordinate_nudge(x, -4);
  EXPECT_EQ(x, -2147483647 - 1);
}

// What an editor checks before it loads a file or saves over it: only the
// header tells a course, and every other file the programs keep begins
// with bytes that would make it far wider or higher than 256.
TEST_F(CourseFile, CheckTellsCoursesFromOtherFiles) {
  std::string why;
  auto check = [&](const std::vector<unsigned char> &bytes) {
    why.clear();
    spit(path("f"), bytes);
    return course_file_check(path("f").c_str(), &why);
  };
  EXPECT_EQ(course_file_check(path("none.map").c_str(), &why), COURSE_UNREADABLE);
  EXPECT_EQ(check({0, 25, 0, 25, 0, 0}), COURSE_OK);  // a short body still loads
  EXPECT_EQ(check({1, 0, 1, 0, 255, 255}), COURSE_OK);  // 256 x 256, any count
  EXPECT_EQ(check({0, 0, 0, 0, 0, 0}), COURSE_OK);
  EXPECT_EQ(check({}), COURSE_NOT_COURSE);
  EXPECT_EQ(why, "it is 0 bytes long, too short for the 6-byte header");
  EXPECT_EQ(check({0, 1, 0, 1, 0}), COURSE_NOT_COURSE);
  EXPECT_EQ(check({1, 1, 0, 1, 0, 0}), COURSE_NOT_COURSE);
  EXPECT_EQ(why, "its header says 257 tiles wide (most is 256)");
  EXPECT_EQ(check({0, 1, 1, 1, 0, 0}), COURSE_NOT_COURSE);
  EXPECT_EQ(why, "its header says 257 tiles high (most is 256)");
  // A picture, the datafile, a text file and a tune.
  for (std::string head : {"BM6\x10\x0e\0", "slh.ALL.", "0 10\n10 20\n", "# best times",
                           "MThd\0\0\0\x06"}) {
    EXPECT_EQ(check(std::vector<unsigned char>(head.begin(), head.end())), COURSE_NOT_COURSE)
        << head;
    EXPECT_NE(why, "");
  }
}

TEST_F(CourseFile, SaveTellsHowFarItGot) {
  Scratch here(true);
  unsigned char attr[256] = {7};
  EXPECT_EQ(course_save("a.map", m, attr, "tileattr.wz"), SAVE_DONE);
  ASSERT_EQ(0, mkdir("tileattr.wz.tmp", 0755));
  m.t[1][1] = 9;
  EXPECT_EQ(course_save("a.map", m, attr, "tileattr.wz"), SAVE_COURSE_ONLY);
  EXPECT_EQ(slurp("a.map")[6 + 25 + 1], 9);
  EXPECT_EQ(course_save("no/such/folder/a.map", m, attr, "tileattr.wz"), SAVE_FAILED);
}

TEST(SaveTargets, RefusedNewSameOrAnotherCourse) {
  Scratch here(true);
  static Map m;
  course_default(m);
  ASSERT_TRUE(course_write("mine.map", m));
  ASSERT_TRUE(course_write("other.map", m));
  ASSERT_TRUE(spit("tileattr.wz", std::vector<unsigned char>(256, 0)));
  ASSERT_TRUE(spit("hops.txt", {'0', ' ', '1', '0', '\n', '1', '0'}));
  ASSERT_EQ(0, mkdir("folder.map", 0755));
  ASSERT_EQ(0, symlink("tileattr.wz", "attr.map"));
  std::string why;
  EXPECT_EQ(course_save_target("new.map", "mine.map", &why), SAVE_TARGET_NEW);
  EXPECT_EQ(course_save_target("mine.map", "mine.map", &why), SAVE_TARGET_SAME);
  std::string full = here.dir + "/mine.map";
  EXPECT_EQ(course_save_target(full.c_str(), "./mine.map", &why), SAVE_TARGET_SAME);
  EXPECT_EQ(course_save_target("other.map", "mine.map", &why), SAVE_TARGET_OTHER);
  EXPECT_EQ(course_save_target("other.map", "", &why), SAVE_TARGET_OTHER);
  EXPECT_EQ(course_save_target("mine.map", "gone.map", &why), SAVE_TARGET_OTHER);
  // The attribute file under any spelling, even where there is none yet.
  for (const char *name : {"tileattr.wz", "./tileattr.wz", "attr.map", "sub/tileattr.wz"}) {
    why.clear();
    EXPECT_EQ(course_save_target(name, "mine.map", &why), SAVE_TARGET_REFUSED) << name;
    EXPECT_EQ(why, "it is the tile attribute file") << name;
  }
  EXPECT_EQ(course_save_target("hops.txt", "hops.txt", &why), SAVE_TARGET_REFUSED);
  EXPECT_EQ(why, "its header says 12320 tiles wide (most is 256)");
  EXPECT_EQ(course_save_target("folder.map", "mine.map", &why), SAVE_TARGET_REFUSED);
  EXPECT_EQ(why, "it is a folder");
}

}  // namespace
