// Bitmap records: clipping copies, and the BMP loader on hand-made files,
// on files from ImageMagick and on malformed ones. Also built with
// AddressSanitizer (sideview_bmp_asan), so nothing here may touch memory
// outside a record.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bmp.h"

namespace {

typedef std::vector<unsigned char> Bytes;

// A scratch folder removed with its files at the end of each test.
class Pictures : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    char tmpl[] = "/tmp/bmp_test.XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    fr = nullptr;
  }
  void TearDown() override {
    if (fr) fclose(fr);
    fr = nullptr;
    std::string cmd = "rm -rf '" + dir + "'";
    ASSERT_EQ(system(cmd.c_str()), 0);
  }
  std::string path(const char *name) { return dir + "/" + name; }
  std::string write(const char *name, const Bytes &b) {
    std::string p = path(name);
    FILE *f = fopen(p.c_str(), "wb");
    if (!b.empty()) fwrite(b.data(), 1, b.size(), f);
    fclose(f);
    return p;
  }
  std::string read_text(const std::string &p) {
    std::ifstream in(p);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
};

void put32(Bytes &b, size_t at, int v) {
  for (int k = 0; k < 4; k++) b[at + k] = (unsigned char)((unsigned)v >> (8 * k));
}

// A BMP header for w x h at bpp bits, a palette of the right size (entry i
// holds grey i) and the given pixel bytes (bottom row first, as stored).
Bytes bmp_file(int w, int h, int bpp, const Bytes &pixels) {
  int colours = bpp == 8 ? 256 : bpp == 4 ? 16 : 0;
  Bytes b(54 + 4 * colours, 0);
  b[0] = 'B';
  b[1] = 'M';
  put32(b, 10, 54 + 4 * colours);
  put32(b, 14, 40);
  put32(b, 18, w);
  put32(b, 22, h);
  b[26] = 1;
  b[28] = (unsigned char)bpp;
  for (int i = 0; i < colours; i++) b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = (unsigned char)i;
  b.insert(b.end(), pixels.begin(), pixels.end());
  put32(b, 2, (int)b.size());
  return b;
}

bmp *numbered(int w, int h) {
  bmp *b = new_bmp(w, h);
  for (int i = 0; i < w * h; i++) b->data[i] = (unsigned char)(i + 1);
  return b;
}

// Reference copy: pixel by pixel, every pixel that lies inside both.
void reference_blit(bmp *s, bmp *d, int sx, int sy, int dx, int dy, int w, int h) {
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      int ax = sx + x, ay = sy + y, bx = dx + x, by = dy + y;
      if (ax >= 0 && ay >= 0 && ax < s->w && ay < s->h && bx >= 0 && by >= 0 && bx < d->w && by < d->h)
        d->data[by * d->w + bx] = s->data[ay * s->w + ax];
    }
}

const char *convert_program() {
  if (access("/usr/bin/convert", X_OK) == 0) return "/usr/bin/convert";
  if (system("command -v convert >/dev/null 2>&1") == 0) return "convert";
  return nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// Records

TEST_F(Pictures, NewRecordsAreZeroedAndClearSetsTheLowByte) {
  bmp *b = new_bmp(7, 5);
  ASSERT_EQ(b->w, 7);
  ASSERT_EQ(b->h, 5);
  for (int i = 0; i < 35; i++) ASSERT_EQ(b->data[i], 0);
  clear(b, 0x1A5);
  for (int i = 0; i < 35; i++) ASSERT_EQ(b->data[i], 0xA5);
  destroy_bmp(b);
  bmp *e = new_bmp(-3, 4);
  EXPECT_EQ(e->w, 0);
  clear(e, 1);
  destroy_bmp(e);
  destroy_bmp(nullptr);
}

TEST_F(Pictures, BlitClipsAtTheLeftOfSourceAndDestination) {
  bmp *s = numbered(8, 2);
  bmp *d = new_bmp(8, 2);
  clear(d, 0xEE);
  // src_x = -3: rectangle columns 3..7 land on dst x = 3..7.
  blit1(s, d, -3, 0, 0, 0, 8, 1);
  EXPECT_EQ(d->data[2], 0xEE);
  for (int x = 3; x < 8; x++) EXPECT_EQ(d->data[x], s->data[x - 3]) << x;
  // dst_x = -3: source columns 3.. land on dst x = 0...
  clear(d, 0xEE);
  blit1(s, d, 0, 0, -3, 0, 8, 1);
  for (int x = 0; x < 5; x++) EXPECT_EQ(d->data[x], s->data[x + 3]) << x;
  EXPECT_EQ(d->data[5], 0xEE);
  destroy_bmp(s);
  destroy_bmp(d);
}

TEST_F(Pictures, BlitEqualsAPixelByPixelCopyForAnyPlacement) {
  bmp *s = numbered(6, 5);
  bmp *d = new_bmp(7, 4);
  bmp *want = new_bmp(7, 4);
  // Within one record too, where the order of the copy shows.
  bmp *one = new_bmp(6, 5);
  bmp *one_want = new_bmp(6, 5);
  const int pos[] = {-9, -4, -1, 0, 1, 3, 5, 6, 7, 12};
  const int size[] = {-2, 0, 1, 3, 6, 9};
  for (int sx : pos)
    for (int dx : pos)
      for (int sy : {-5, -1, 0, 2, 4, 6})
        for (int dy : {-4, 0, 1, 3, 5})
          for (int w : size)
            for (int h : {-1, 0, 2, 5}) {
              clear(d, 0xEE);
              clear(want, 0xEE);
              blit1(s, d, sx, sy, dx, dy, w, h);
              reference_blit(s, want, sx, sy, dx, dy, w, h);
              ASSERT_EQ(memcmp(d->data, want->data, 28), 0)
                  << sx << "," << sy << " -> " << dx << "," << dy << " size " << w << "x" << h;
              memcpy(one->data, s->data, 30);
              memcpy(one_want->data, s->data, 30);
              blit1(one, one, sx, sy, dx, dy, w, h);
              reference_blit(one_want, one_want, sx, sy, dx, dy, w, h);
              ASSERT_EQ(memcmp(one->data, one_want->data, 30), 0)
                  << "within one: " << sx << "," << sy << " -> " << dx << "," << dy;
            }
  destroy_bmp(s);
  destroy_bmp(d);
  destroy_bmp(want);
  destroy_bmp(one);
  destroy_bmp(one_want);
}

TEST_F(Pictures, SubRecordsCutAndPadWithZero) {
  bmp *s = numbered(4, 4);
  bmp *c = sub_bmp(s, 2, 1, 3, 2);
  ASSERT_EQ(c->w, 3);
  ASSERT_EQ(c->h, 2);
  EXPECT_EQ(c->data[0], s->data[1 * 4 + 2]);
  EXPECT_EQ(c->data[1], s->data[1 * 4 + 3]);
  EXPECT_EQ(c->data[2], 0);  // outside the source
  EXPECT_EQ(c->data[3], s->data[2 * 4 + 2]);
  destroy_bmp(c);
  destroy_bmp(s);
}

// ---------------------------------------------------------------------------
// Loading

TEST_F(Pictures, SixteenColourRowsUnpackHighNibbleFirstBottomUp) {
  Bytes px = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
  std::string p = write("a.bmp", bmp_file(8, 2, 4, px));
  bmp *b = load_bmp1(p.c_str());
  ASSERT_EQ(b->w, 8);
  ASSERT_EQ(b->h, 2);
  const unsigned char bottom[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const unsigned char top[8] = {9, 10, 11, 12, 13, 14, 15, 0};
  EXPECT_EQ(memcmp(b->data + 8, bottom, 8), 0);
  EXPECT_EQ(memcmp(b->data, top, 8), 0);
  destroy_bmp(b);
}

TEST_F(Pictures, EightBitRowsBottomUpAndTheSizeLogLine) {
  Bytes px;
  for (int i = 0; i < 12; i++) px.push_back((unsigned char)(200 + i));
  std::string p = write("b.bmp", bmp_file(4, 3, 8, px));
  std::string log = path("report.txt");
  fr = fopen(log.c_str(), "w");
  bmp *b = load_bmp1(p.c_str());
  fclose(fr);
  fr = nullptr;
  EXPECT_EQ(read_text(log), "w=4, h=3 cd=8\n");
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 4; x++) EXPECT_EQ(b->data[y * 4 + x], 200 + (2 - y) * 4 + x) << x << "," << y;
  destroy_bmp(b);
}

TEST_F(Pictures, RowsOfOddWidthsSkipTheirPadding) {
  // 8-bit, 5 wide: rows of 8 bytes; 16-colour, 6 wide: 3 bytes padded to 4.
  Bytes p8 = {1, 2, 3, 4, 5, 0, 0, 0, 6, 7, 8, 9, 10, 0, 0, 0};
  bmp *a = load_bmp1(write("c.bmp", bmp_file(5, 2, 8, p8)).c_str());
  const unsigned char a_want[10] = {6, 7, 8, 9, 10, 1, 2, 3, 4, 5};
  EXPECT_EQ(memcmp(a->data, a_want, 10), 0);
  Bytes p4 = {0x12, 0x34, 0x56, 0, 0xAB, 0xCD, 0xEF, 0};
  bmp *b = load_bmp1(write("d.bmp", bmp_file(6, 2, 4, p4)).c_str());
  const unsigned char b_want[12] = {10, 11, 12, 13, 14, 15, 1, 2, 3, 4, 5, 6};
  EXPECT_EQ(memcmp(b->data, b_want, 12), 0);
  destroy_bmp(a);
  destroy_bmp(b);
}

TEST_F(Pictures, OtherDepthsGiveARecordOfZeros) {
  Bytes px(4 * 2 * 3, 0x77);
  bmp *b = load_bmp1(write("e.bmp", bmp_file(4, 2, 24, px)).c_str());
  ASSERT_EQ(b->w, 4);
  ASSERT_EQ(b->h, 2);
  for (int i = 0; i < 8; i++) EXPECT_EQ(b->data[i], 0);
  destroy_bmp(b);
}

TEST_F(Pictures, ShortFilesLeaveTheMissingPixelsZero) {
  Bytes full = bmp_file(4, 4, 8, Bytes(16, 9));
  // Every cut from the end of the header to the end of the pixels.
  for (size_t len = 54; len <= full.size(); len++) {
    Bytes cut(full.begin(), full.begin() + len);
    bmp *b = load_bmp1(write("f.bmp", cut).c_str());
    ASSERT_EQ(b->w, 4);
    size_t have = len > 1078 ? len - 1078 : 0;  // pixel bytes present
    for (size_t k = 0; k < 16; k++) {
      size_t y = 3 - k / 4, x = k % 4;  // file byte k is pixel (x, y)
      ASSERT_EQ(b->data[y * 4 + x], k < have ? 9 : 0) << "len " << len << " byte " << k;
    }
    destroy_bmp(b);
  }
  // The same for 16 colours, and for a header naming any depth.
  Bytes four = bmp_file(16, 3, 4, Bytes(24, 0x5A));
  for (size_t len = 54; len <= four.size(); len++) {
    for (int depth : {0, 1, 4, 8, 16, 24, 32, 255}) {
      Bytes cut(four.begin(), four.begin() + len);
      cut[28] = (unsigned char)depth;
      bmp *b = load_bmp1(write("g.bmp", cut).c_str());
      ASSERT_EQ(b->w * b->h, 48);
      destroy_bmp(b);
    }
  }
}

TEST_F(Pictures, FilesWrittenByImageMagickLoad) {
  const char *convert = convert_program();
  if (!convert) GTEST_SKIP() << "ImageMagick's convert is not installed";
  // Greys of a 16 x 3 picture: 16 colours for the 4-bit file, 48 for the
  // 8-bit one. The loader keeps palette indices; each must name the grey
  // of its pixel in the file's own palette.
  for (int bits : {4, 8}) {
    int w = 16, h = 3;
    std::vector<int> grey(w * h);
    for (int i = 0; i < w * h; i++) grey[i] = bits == 4 ? (i * 7 % 16) * 17 : i * 5;
    std::string pgm = path("src.pgm"), out = path("im.bmp");
    {
      std::ofstream f(pgm);
      f << "P2\n" << w << " " << h << "\n255\n";
      for (int v : grey) f << v << "\n";
    }
    std::string cmd = std::string(convert) + " '" + pgm + "' -type Palette -compress None BMP3:'" + out + "'";
    ASSERT_EQ(system(cmd.c_str()), 0) << cmd;
    std::ifstream in(out, std::ios::binary);
    Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 54u);
    ASSERT_EQ(file[28], bits) << "ImageMagick chose another depth";
    bmp *b = load_bmp1(out.c_str());
    ASSERT_EQ(b->w, w);
    ASSERT_EQ(b->h, h);
    for (int i = 0; i < w * h; i++) {
      int index = b->data[i];
      ASSERT_LT(54 + 4 * index + 2, (int)file.size());
      EXPECT_EQ(file[54 + 4 * index], grey[i]) << bits << " bits, pixel " << i;  // blue of BGR0
    }
    destroy_bmp(b);
  }
}

// ---------------------------------------------------------------------------
// Failures end the program with status 1, a log line and the same on stderr

TEST_F(Pictures, AMissingFileEndsTheProgram) {
  std::string log = path("report.txt");
  std::string missing = path("nothing.bmp");
  fr = fopen(log.c_str(), "w");
  EXPECT_EXIT(load_bmp1(missing.c_str()), ::testing::ExitedWithCode(1),
              "Couldn't open file \"" + missing + "\"");
  EXPECT_EQ(read_text(log), "Couldn't open file \"" + missing + "\"");
}

TEST_F(Pictures, ImpossibleSizesEndTheProgram) {
  struct Case {
    int w, h, bpp;
  } cases[] = {
      {-8, 2, 8},  {8, -2, 8},          {0, 4, 8},           {4, 0, 4},
      {8, 0x7FFFFFFF, 8}, {0x7FFFFFFF, 0x7FFFFFFF, 24}, {(int)0x80000000, 1, 8},
      {BMP_MAX_SIDE + 1, 1, 8}, {2048, 1, 4},
  };
  std::string log = path("report.txt");
  for (const Case &c : cases) {
    std::string p = write("bad.bmp", bmp_file(c.w, c.h, c.bpp, Bytes(64, 1)));
    fr = fopen(log.c_str(), "w");
    EXPECT_EXIT(load_bmp1(p.c_str()), ::testing::ExitedWithCode(1), "bad picture size")
        << c.w << " x " << c.h;
    fclose(fr);
    fr = nullptr;
    EXPECT_NE(read_text(log).find(p), std::string::npos);
  }
  // A header cut off before its size fields reads them as 0.
  Bytes head = bmp_file(8, 8, 8, Bytes());
  for (size_t len : {0, 10, 18, 22}) {
    std::string p = write("short.bmp", Bytes(head.begin(), head.begin() + len));
    EXPECT_EXIT(load_bmp1(p.c_str()), ::testing::ExitedWithCode(1), "bad picture size") << len;
  }
}

TEST_F(Pictures, TheLargestSizesLoad) {
  // A 16-colour row of 1024 pixels fills the row buffer exactly.
  Bytes px(512, 0x21);
  bmp *b = load_bmp1(write("wide.bmp", bmp_file(1024, 1, 4, px)).c_str());
  EXPECT_EQ(b->data[0], 2);
  EXPECT_EQ(b->data[1023], 1);
  destroy_bmp(b);
  // A huge 8-bit header with almost no pixels: zeros, no over-read.
  bmp *c = load_bmp1(write("tall.bmp", bmp_file(4, BMP_MAX_SIDE, 8, Bytes(3, 7))).c_str());
  EXPECT_EQ(c->data[(size_t)(BMP_MAX_SIDE - 1) * 4 + 2], 7);
  EXPECT_EQ(c->data[(size_t)(BMP_MAX_SIDE - 1) * 4 + 3], 0);
  EXPECT_EQ(c->data[0], 0);
  destroy_bmp(c);
}
