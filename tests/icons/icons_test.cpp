// The icons: the PNG checksums against their published values (the files
// themselves are read back by zlib in tests/install/check_icon.py), sizes
// made from the one layout, and layouts that show what they should where
// they should.
#include <gtest/gtest.h>

#include <vector>

#include "icon.h"
#include "png.h"

namespace {

const unsigned char *bytes(const char *s) { return (const unsigned char *)s; }

TEST(Png, ChecksumsHaveTheirPublishedValues) {
  EXPECT_EQ(crc32_of(bytes("123456789"), 9), 0xCBF43926u);  // the CRC-32 check value
  EXPECT_EQ(crc32_of(bytes("IEND"), 4), 0xAE426082u);       // every PNG's last CRC
  // Continued in two parts, the same as in one.
  EXPECT_EQ(crc32_of(bytes("6789"), 4, crc32_of(bytes("12345"), 5)), 0xCBF43926u);
  EXPECT_EQ(adler32_of(bytes("Wikipedia"), 9), 0x11E60398u);
  EXPECT_EQ(adler32_of(nullptr, 0), 1u);
}

const Rgba RED = {255, 0, 0, 255}, BLUE = {0, 0, 255, 255};

TEST(Icon, LargerByRepeatingSmallerByAveragingWhatIsOpaque) {
  Picture p = make_picture(2, 2, RED);
  p.set(1, 0, BLUE);
  Picture big = resized(p, 8);
  EXPECT_TRUE(big.get(3, 3) == RED);
  EXPECT_TRUE(big.get(4, 0) == BLUE);
  EXPECT_TRUE(big.get(7, 3) == BLUE);
  EXPECT_TRUE(big.get(4, 4) == RED);

  Picture q = make_picture(4, 4);
  q.set(0, 0, RED);       // one opaque pixel of four: red, a quarter opaque
  q.set(2, 0, RED);       // red and blue: purple, opaque
  q.set(3, 0, BLUE);
  q.set(2, 1, RED);
  q.set(3, 1, BLUE);
  Picture small = resized(q, 2);
  Rgba corner = small.get(0, 0), mixed = small.get(1, 0);
  EXPECT_EQ(corner.r, 255);  // not darkened by the clear pixels
  EXPECT_EQ(corner.a, 64);
  EXPECT_EQ(mixed.r, 128);
  EXPECT_EQ(mixed.b, 128);
  EXPECT_EQ(mixed.a, 255);
  EXPECT_TRUE(small.get(0, 1) == CLEAR);
}

TEST(Icon, CornersRoundedOffTheRestKept) {
  Picture p = make_picture(64, 64, RED);
  round_corners(p, 8);
  for (int x : {0, 63})
    for (int y : {0, 63}) EXPECT_EQ(p.get(x, y).a, 0) << x << "," << y;
  EXPECT_TRUE(p.get(32, 0) == RED);   // the middle of an edge
  EXPECT_TRUE(p.get(0, 32) == RED);
  EXPECT_TRUE(p.get(7, 7) == RED);    // inside the curve
  EXPECT_TRUE(p.get(32, 32) == RED);
}

// A picture of one colour, to find where each part of a layout went.
Picture plain(int w, int h, Rgba c) { return make_picture(w, h, c); }

TEST(Icon, LayoutsPutEachPartInItsPlace) {
  const Rgba ROAD = {90, 90, 90, 255}, FINISH = {255, 255, 255, 255}, CAR = {0, 0, 200, 255};
  Picture car = plain(28, 44, CAR);
  car.set(0, 0, CLEAR);  // the car's own clear pixels show the road
  Picture td = topdown_icon(plain(32, 32, ROAD), plain(32, 32, FINISH), car);
  ASSERT_EQ(td.w, 64);
  EXPECT_TRUE(td.get(32, 32) == CAR);
  EXPECT_TRUE(td.get(4, 16) == FINISH);   // the finish line across the top
  EXPECT_TRUE(td.get(4, 48) == ROAD);
  EXPECT_TRUE(td.get(18, 10) == FINISH);  // under the car's clear corner
  EXPECT_EQ(td.get(0, 0).a, 0);

  // sideview: tile i of the sheet in colour (i, i, i); the player on the
  // floor (the bottom row of tiles).
  Picture tiles = make_picture(256, 64);
  for (int i = 0; i < 64; i++)
    for (int y = 0; y < 16; y++)
      for (int x = 0; x < 16; x++)
        tiles.set(16 * (i % 16) + x, 16 * (i / 16) + y,
                  {(unsigned char)i, (unsigned char)i, (unsigned char)i, 255});
  Picture player = plain(32, 32, RED);
  Picture sv = sideview_icon(tiles, player);
  EXPECT_EQ(sv.get(32, 56).r, 1);        // stone blocks underfoot
  EXPECT_TRUE(sv.get(24, 47) == RED);    // the player's feet on them
  EXPECT_EQ(sv.get(4, 8).r, 2);          // the back wall behind
  EXPECT_EQ(sv.get(56, 24).r, 17);       // the torch

  Picture ed = editor_icon(tiles);
  EXPECT_EQ(ed.get(32, 40).r, 255);      // the framed tile's white frame
  EXPECT_EQ(ed.get(40, 40).r, 46);       // and the tile inside it
  Rgba grid = ed.get(16, 8);
  EXPECT_TRUE(grid == ed.get(8, 16));    // one colour for the grid lines
  EXPECT_NE(grid.r, ed.get(8, 8).r);
  EXPECT_EQ(ed.get(63, 63).a, 0);
}

}  // namespace
