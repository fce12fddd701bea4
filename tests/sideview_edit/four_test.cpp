// four_test.cpp -- the "-four" merge: the byte sums of the four pictures
// under the last one's header, and no "four.bmp" at all when an input is
// missing, short, a folder or not a 16-colour 320x240 BMP.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "maped.h"
#include "scratch.h"

namespace {

typedef std::vector<unsigned char> Bytes;
const char *const NAMES[4] = {"red.bmp", "green.bmp", "blue.bmp", "grey.bmp"};
enum { HEADER = 118, PIXELS = 38400 };

void put32(Bytes &b, int at, long v) {
  for (int k = 0; k < 4; k++) b[at + k] = (unsigned char)((unsigned long)v >> (8 * k));
}

// The 118-byte header of a BMP of w x h pixels of bits, its palette bytes
// all c.
Bytes bmp_header(int w = 320, int h = 240, int bits = 4, unsigned char c = 'a') {
  Bytes b(HEADER, c);
  std::fill(b.begin(), b.begin() + 54, 0);
  b[0] = 'B', b[1] = 'M';
  put32(b, 2, HEADER + PIXELS);
  put32(b, 10, HEADER);
  put32(b, 14, 40);
  put32(b, 18, w);
  put32(b, 22, h);
  b[26] = 1, b[28] = (unsigned char)bits;
  return b;
}

// Input i: a 16-colour 320 x 240 header with palette bytes all 'a' + i,
// pixel bytes from fill(i, position).
void write_inputs(unsigned char (*fill)(int, int)) {
  for (int i = 0; i < 4; i++) {
    Bytes b = bmp_header(320, 240, 4, (unsigned char)('a' + i));
    for (int p = 0; p < PIXELS; p++) b.push_back(fill(i, p));
    ASSERT_TRUE(spit(NAMES[i], b));
  }
}

TEST(Four, SumsThePixelBytesUnderTheLastHeader) {
  Scratch scratch(true);
  // Picture i sets bit i in both pixels of a byte where its pattern says so.
  write_inputs([](int i, int p) -> unsigned char {
    int bit = 1 << i;
    return (unsigned char)(((p >> i) & 1 ? bit << 4 : 0) | ((p >> (i + 1)) & 1 ? bit : 0));
  });
  ASSERT_TRUE(four());
  Bytes out = slurp("four.bmp");
  ASSERT_EQ(out.size(), (size_t)(HEADER + PIXELS));
  EXPECT_EQ(Bytes(out.begin(), out.begin() + HEADER), bmp_header(320, 240, 4, 'd'));  // grey.bmp's
  for (int p = 0; p < PIXELS; p++) {
    int want = 0;
    for (int i = 0; i < 4; i++)
      want |= ((p >> i) & 1 ? (1 << i) << 4 : 0) | ((p >> (i + 1)) & 1 ? 1 << i : 0);
    ASSERT_EQ(out[HEADER + p], want) << p;
  }
  // Red 1 and green 2 in the same pixel give 3: the sum is the union.
  EXPECT_EQ(out[HEADER + 3] >> 4, 3);

  // Overlapping values are added, modulo 256, whatever they mean.
  write_inputs([](int i, int) -> unsigned char { return (unsigned char)(100 + i); });
  ASSERT_TRUE(four());
  EXPECT_EQ(slurp("four.bmp")[HEADER + 7], (100 + 101 + 102 + 103) % 256);
}

TEST(Four, MissingOrShortInputsLeaveNoPicture) {
  Scratch scratch(true);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(four());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("\"red.bmp\""), std::string::npos);
  EXPECT_NE(access("four.bmp", F_OK), 0);

  write_inputs([](int, int) -> unsigned char { return 1; });
  remove("blue.bmp");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(four());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("\"blue.bmp\""), std::string::npos);
  EXPECT_NE(access("four.bmp", F_OK), 0);

  // A short input, with a "four.bmp" of an earlier run: it stays as it was.
  write_inputs([](int, int) -> unsigned char { return 1; });
  ASSERT_TRUE(four());
  Bytes good = slurp("four.bmp");
  Bytes cut = slurp("grey.bmp");
  cut.resize(HEADER + PIXELS - 1);
  spit("grey.bmp", cut);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(four());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("\"grey.bmp\""), std::string::npos);
  EXPECT_EQ(slurp("four.bmp"), good);
  EXPECT_NE(access("four.bmp.tmp", F_OK), 0);
}

// What the merge refuses, and the words it says it with.
TEST(Four, OnlyA16Colour320x240BmpIsTaken) {
  auto problem = [](const Bytes &b, long size = HEADER + PIXELS) {
    return four_input_problem(b.data(), b.size(), size);
  };
  EXPECT_EQ(problem(bmp_header()), "");
  EXPECT_EQ(problem(bmp_header(320, 240, 8)),
            "it is a 256-colour (8 bits per pixel) 320x240 picture");
  EXPECT_EQ(problem(bmp_header(320, 240, 24)), "it is a 24-bit 320x240 picture");
  EXPECT_EQ(problem(bmp_header(320, 240, 1)), "it is a 2-colour (1 bit per pixel) 320x240 picture");
  EXPECT_EQ(problem(bmp_header(320, 200)), "it is a 16-colour (4 bits per pixel) 320x200 picture");
  EXPECT_EQ(problem(bmp_header(320, -240)),
            "it is a 16-colour (4 bits per pixel) 320x-240 picture");  // top row first
  EXPECT_EQ(problem(bmp_header(), HEADER + PIXELS - 1), "it is cut short: 38517 bytes, not 38518");
  Bytes b = bmp_header();
  b[30] = 2;  // run lengths
  EXPECT_EQ(problem(b), "it is compressed");
  b = bmp_header();
  put32(b, 10, 62);  // a palette of two colours
  EXPECT_EQ(problem(b), "its pixels start at byte 62, not 118 (after 16 colours)");
  b = bmp_header();
  put32(b, 14, 124);
  EXPECT_EQ(problem(b), "it is a BMP with a header of 124 bytes, not the plain one of 40");
  EXPECT_EQ(problem(Bytes(53, 0), 53), "it is not a BMP picture");
  b = bmp_header();
  b[0] = 'P';
  EXPECT_EQ(problem(b), "it is not a BMP picture");
}

TEST(Four, APictureOfAnotherKindOrAFolderLeavesNoPicture) {
  Scratch scratch(true);
  write_inputs([](int, int) -> unsigned char { return 1; });
  ASSERT_TRUE(four());
  Bytes good = slurp("four.bmp");
  // An 8-bit green.bmp as long as a good input, and a 24-bit one.
  for (int bits : {8, 24}) {
    Bytes b = bmp_header(320, 240, bits);
    b.resize(HEADER + PIXELS * 7, 3);
    spit("green.bmp", b);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(four());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.find("\"green.bmp\" is not a 16-colour (4 bits per pixel) 320x240 BMP: it is a "),
              0u) << err;
    EXPECT_NE(err.find(std::to_string(bits)), std::string::npos) << err;
    EXPECT_EQ(slurp("four.bmp"), good);
  }
  write_inputs([](int, int) -> unsigned char { return 1; });
  remove("blue.bmp");
  mkdir("blue.bmp", 0755);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(four());
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "\"blue.bmp\" is a folder, not a 16-colour (4 bits per pixel) 320x240 BMP\n");
  EXPECT_EQ(slurp("four.bmp"), good);
  rmdir("blue.bmp");
}

}  // namespace
