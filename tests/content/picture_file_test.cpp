// picture_file_test.cpp -- the picture files the content library writes,
// read back by sideview's picture loader and by Allegro; the canvas helpers
// that both games' pictures are drawn with.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "bmp.h"
#include "picture.h"
#include "picture_file.h"
#include "scratch.h"
#include "tool.h"

namespace {

typedef std::vector<unsigned char> Bytes;

// A canvas whose pixels run through many values, 0xC0 and above included
// (the values a run-length PCX must escape).
Canvas test_pattern(int w, int h) {
  Canvas cv = make_canvas(w, h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) cv.set(x, y, (x * 37 + y * 91) & 0xFF);
  return cv;
}

TEST(PictureFiles, BmpsReadBackThroughTheGamesLoader) {
  Scratch dir;
  // Widths that need row padding: 8-bit 6 (to 8), 4-bit 10 (5 bytes to 8).
  Canvas eight = test_pattern(6, 3), four = make_canvas(10, 3);
  for (int i = 0; i < 30; i++) four.set(i % 10, i / 10, i % 16);
  std::vector<Rgb> pal(256, Rgb{1, 2, 3});
  save_file(dir.path("eight.bmp"), bmp8_bytes(eight, pal.data()));
  save_file(dir.path("four.bmp"), bmp4_bytes(four, pal.data()));
  for (auto [name, cv] :
       {std::pair<const char *, Canvas *>{"eight.bmp", &eight}, {"four.bmp", &four}}) {
    bmp *b = load_bmp1(dir.path(name).c_str());
    ASSERT_EQ(b->w, cv->w) << name;
    ASSERT_EQ(b->h, cv->h) << name;
    for (int i = 0; i < b->w * b->h; i++)
      EXPECT_EQ(b->data[i], cv->px[i]) << name << " pixel " << i;
    destroy_bmp(b);
  }
}

TEST(PictureFiles, TrueColourBmpAndPcxReadBackThroughAllegro) {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_conversion(COLORCONV_NONE);  // each file in its own depth
  Scratch dir;
  // 24-bit: widths 5 and 4 (rows padded by 1 byte and not at all).
  for (int w : {5, 4}) {
    Image im = make_image(w, 3, KEY);
    for (int y = 0; y < 3; y++)
      for (int x = 0; x < w; x++) im.set(x, y, {x * 50, y * 100, 255 - x * 10});
    save_file(dir.path("rgb.bmp"), bmp24_bytes(im));
    BITMAP *b = load_bmp(dir.path("rgb.bmp").c_str(), nullptr);
    ASSERT_TRUE(b);
    ASSERT_EQ(b->w, w);
    ASSERT_EQ(b->h, 3);
    ASSERT_EQ(bitmap_color_depth(b), 24);
    for (int y = 0; y < 3; y++)
      for (int x = 0; x < w; x++) {
        int p = getpixel(b, x, y);
        ASSERT_EQ((Rgb{getr24(p), getg24(p), getb24(p)}), im.get(x, y)) << x << "," << y;
      }
    destroy_bitmap(b);
  }
  // PCX: an odd width, long runs of one value (longer than a run can hold)
  // and single values of 0xC0 and above.
  Canvas cv = test_pattern(13, 5);
  fill_box(cv, 0, 1, 12, 1, 0xC5);
  Canvas wide = make_canvas(150, 2, 0xFF);
  Rgb pal[256];
  for (int c = 0; c < 256; c++) pal[c] = {c, 255 - c, (c * 4) & 0xFC};
  for (Canvas *p : {&cv, &wide}) {
    save_file(dir.path("p.pcx"), pcx8_bytes(*p, pal));
    PALETTE read;
    BITMAP *b = load_pcx(dir.path("p.pcx").c_str(), read);
    ASSERT_TRUE(b);
    ASSERT_EQ(b->w, p->w);
    ASSERT_EQ(b->h, p->h);
    for (int y = 0; y < p->h; y++)
      for (int x = 0; x < p->w; x++) ASSERT_EQ(getpixel(b, x, y), p->get(x, y)) << x << "," << y;
    destroy_bitmap(b);
    for (int c = 0; c < 256; c++) ASSERT_EQ(read[c].r, pal[c].r / 4) << c;
  }
}

TEST(PictureFilesDeathTest, AFailedSaveStopsTheToolAndKeepsTheOldFile) {
  Scratch dir;
  std::string name = dir.path("keep.bmp");
  ASSERT_TRUE(spit(name, {1, 2, 3}));
  tool_name = "test_tool";
  EXPECT_EXIT(save_file(dir.path("no/such/folder/x.bmp"), {1}), ::testing::ExitedWithCode(1),
              "test_tool: can't write .*no/such/folder/x.bmp");
  EXPECT_EQ(slurp(name), (Bytes{1, 2, 3}));
}

// ------------------------------------------------------------- the canvas

TEST(Picture, OutsideReadsAreTransparentAndOutsideWritesDropped) {
  Image im = make_image(2, 2, {1, 2, 3});
  Canvas cv = make_canvas(2, 2, 7);
  EXPECT_EQ(im.get(-1, 0), KEY);
  EXPECT_EQ(im.get(2, 1), KEY);
  EXPECT_EQ(cv.get(0, 2), 0);
  im.set(2, 0, {9, 9, 9});
  cv.set(-1, 1, 9);
  EXPECT_EQ(im.px, std::vector<Rgb>(4, Rgb{1, 2, 3}));
  EXPECT_EQ(cv.px, Bytes(4, 7));
  // Transparent means magic pink in true colour and 0 in codes.
  im.set(1, 1, KEY);
  cv.set(1, 1, 0);
  EXPECT_FALSE(im.solid(1, 1));
  EXPECT_FALSE(cv.solid(1, 1));
  EXPECT_TRUE(cv.solid(0, 0));
}

TEST(Picture, MaskedPasteLeavesTransparentPixelsOutAndCutFillsOutsideWithThem) {
  Canvas src = make_canvas(3, 1);
  src.set(0, 0, 5);
  src.set(2, 0, 6);  // the middle pixel stays 0
  Canvas dst = make_canvas(4, 1, 9);
  paste(src, dst, 1, 0, true);
  EXPECT_EQ(dst.px, (Bytes{9, 5, 9, 6}));
  paste(src, dst, 1, 0);
  EXPECT_EQ(dst.px, (Bytes{9, 5, 0, 6}));
  Canvas part = cut(dst, 2, 0, 3, 2);  // one column and one row past the edge
  EXPECT_EQ(part.px, (Bytes{0, 6, 0, 0, 0, 0}));
}

TEST(Picture, LinesReachBothEndsAndWrapRoundTheEdges) {
  Canvas cv = make_canvas(5, 5);
  line(cv, 4, 0, 0, 2, 1);
  EXPECT_EQ(cv.get(4, 0), 1);
  EXPECT_EQ(cv.get(0, 2), 1);
  int set = 0;
  for (unsigned char p : cv.px) set += p;
  EXPECT_EQ(set, 5) << "one pixel a column on a shallow line";
  Canvas w = make_canvas(4, 4);
  line_wrap(w, 2, 1, 5, 1, 3);  // runs off the right edge into the left
  EXPECT_EQ(w.px[4 * 1 + 0], 3);
  EXPECT_EQ(w.px[4 * 1 + 1], 3);
  EXPECT_EQ(w.px[4 * 1 + 3], 3);
}

TEST(Picture, TurnedAndEnlargedPictures) {
  Canvas cv = make_canvas(2, 1);
  cv.set(0, 0, 1);
  cv.set(1, 0, 2);
  Canvas turned = rotate90(cv);  // clockwise: the left end goes to the top
  ASSERT_EQ(turned.w, 1);
  EXPECT_EQ(turned.px, (Bytes{1, 2}));
  Canvas big = scaled(cv, 2);
  EXPECT_EQ(big.px, (Bytes{1, 1, 2, 2, 1, 1, 2, 2}));
}

TEST(Picture, RowsOfCharactersDrawThroughTheirLegend) {
  Canvas cv = make_canvas(4, 3, 9);
  draw_rows(cv, 1, 1, "ab", {1, 2}, {"abc", ".a"});  // 'c' is not in the legend
  EXPECT_EQ(cv.px, (Bytes{9, 9, 9, 9, 9, 1, 2, 9, 9, 9, 1, 9}));
  Image im = make_image(2, 1, KEY);
  draw_rows(im, 0, 0, "r", {Rgb{255, 0, 0}}, {".r"});
  EXPECT_EQ(im.get(0, 0), KEY);
  EXPECT_EQ(im.get(1, 0), (Rgb{255, 0, 0}));
}

}  // namespace
