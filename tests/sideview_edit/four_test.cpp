// four_test.cpp -- the "-four" merge: the byte sums of the four pictures
// under the last one's header, and no "four.bmp" at all when an input is
// missing or short.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "maped.h"
#include "scratch.h"

namespace {

typedef std::vector<unsigned char> Bytes;
const char *const NAMES[4] = {"red.bmp", "green.bmp", "blue.bmp", "grey.bmp"};
enum { HEADER = 118, PIXELS = 38400 };

// Input i: header bytes all 'a' + i, pixel bytes from fill(i, position).
void write_inputs(unsigned char (*fill)(int, int)) {
  for (int i = 0; i < 4; i++) {
    Bytes b(HEADER, (unsigned char)('a' + i));
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
  for (int i = 0; i < HEADER; i++) ASSERT_EQ(out[i], 'd') << i;  // grey.bmp's
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

}  // namespace
