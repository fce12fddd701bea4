// Machine layer: palette, colour tables, scan-line generation, clock and
// callbacks, bus map and keyboard ports, run headless.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <vector>

#include "bm.h"
#include "machine_palette.h"

namespace {

class Machine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(bmSetupHeadless(), 0);
    memset((void *)key, 0, KEY_MAX);
  }
  void TearDown() override {
    memset((void *)key, 0, KEY_MAX);
    bmSetdown();
  }
};

// Writes the line table entries of line L straight into memory (no cycles).
void set_line(int L, int off0, int off1) {
  unsigned char *m = bmMemory();
  m[2 * L] = off0 & 0xFF;
  m[2 * L + 1] = off0 >> 8;
  m[480 + 2 * L] = off1 & 0xFF;
  m[481 + 2 * L] = off1 >> 8;
}

// What a direct-colour pixel pair shows for plane bytes b1, b0.
int direct_high(int b1, int b0) { return (b1 & 0xF0) | (b0 >> 4); }
int direct_low(int b1, int b0) { return ((b1 & 0x0F) << 4) | (b0 & 0x0F); }

// Palette-mode reference: overlay entry 16 + nibble unless the nibble is 0.
int palette_pixel(const unsigned char *pal, int over, int bg) {
  return over ? pal[16 + over] : pal[bg];
}

// The colour of code i worked out independently, in double precision:
// the high nibble is a grey level of nibble / 16; bits 3-2 and 1-0 are Cb
// and Cr in steps of 56 around 0, turned into RGB with the BT.601
// coefficients 1.402, 0.344136, 0.714136 and 1.772 over 224.
RGB expected_colour(int i) {
  double y = (i >> 4) / 16.0, cb = (((i >> 2) & 3) - 2) * 56.0, cr = ((i & 3) - 2) * 56.0;
  double c[3] = {y + cr * 1.402 / 224, y - cb * 0.344136 / 224 - cr * 0.714136 / 224,
                 y + cb * 1.772 / 224};
  unsigned char v[3];
  for (int k = 0; k < 3; k++) v[k] = (unsigned char)((c[k] < 0 ? 0 : c[k] > 1 ? 1 : c[k]) * 63);
  return RGB{v[0], v[1], v[2], 0};
}

int counter_frames, counter_lines;
void count_frame(int) { counter_frames++; }
void count_line(int) { counter_lines++; }

}  // namespace

// ---------------------------------------------------------------------------
// Palette

TEST_F(Machine, PaletteSlotsHoldTheFormulaShiftedByTen) {
  PALETTE pal;
  bmGetPalette(pal);
  EXPECT_TRUE(codes_shifted_by_ten(pal, expected_colour));
}

TEST_F(Machine, CodesWithLowNibbleZeroAreGreys) {
  // Code 0xN0 shows the colour of 0xNA: no chroma, luma N/16 of 63.
  PALETTE pal;
  bmGetPalette(pal);
  const int level[16] = {0, 3, 7, 11, 15, 19, 23, 27, 31, 35, 39, 43, 47, 51, 55, 59};
  for (int n = 0; n < 16; n++) {
    const RGB &c = pal[n << 4];
    EXPECT_EQ(c.r, level[n]) << "code " << (n << 4);
    EXPECT_EQ(c.g, level[n]);
    EXPECT_EQ(c.b, level[n]);
  }
  // Worked by hand: code 0xF3 (Y 205.3, Cb -112, Cr +56) is a clamped
  // yellow; it sits in slot 0xF3 - 10.
  RGB y = pal[0xF3 - 10];
  EXPECT_EQ(y.r, 63);
  EXPECT_EQ(y.g, 58);
  EXPECT_EQ(y.b, 3);
  // Code 0x0B in slot 1: luma 0, Cb 0, Cr +56: a dark red of
  // 56 x 0.00625893 x 63 = 22.08; green goes negative and clamps to 0.
  RGB d = pal[1];
  EXPECT_EQ(d.r, 22);
  EXPECT_EQ(d.g, 0);
  EXPECT_EQ(d.b, 0);
}

// ---------------------------------------------------------------------------
// Colour tables

TEST_F(Machine, DirectColourTablesJoinPlaneNibbles) {
  for (int b1 = 0; b1 < 256; b1++)
    for (int b0 = 0; b0 < 256; b0++) {
      ASSERT_EQ(MapTableHigh[b1 * 256 + b0], direct_high(b1, b0));
      ASSERT_EQ(MapTableLow[b1 * 256 + b0], direct_low(b1, b0));
    }
}

TEST_F(Machine, PaletteModeShowsOverlayOverBackground) {
  for (int n = 0; n < 32; n++) bmPut8(BM_PALETTE + n, (unsigned char)(n * 7 + 1));
  bmPut8(BM_VIDMODE, 0);
  // Overlay nibble 0 lets the background through; others show 16 + nibble.
  EXPECT_EQ(MapTableHigh[0x00 * 256 + 0x5C], 5 * 7 + 1);
  EXPECT_EQ(MapTableLow[0x00 * 256 + 0x5C], 12 * 7 + 1);
  EXPECT_EQ(MapTableHigh[0x30 * 256 + 0x5C], 19 * 7 + 1);
  EXPECT_EQ(MapTableLow[0x30 * 256 + 0x5C], 12 * 7 + 1);
  EXPECT_EQ(MapTableLow[0x07 * 256 + 0x5C], 23 * 7 + 1);
}

TEST_F(Machine, EntryWritesAndModeSwitchesAlwaysEqualAFullBuild) {
  std::mt19937 rng(1234);
  int mode = 1;
  for (int step = 0; step < 400; step++) {
    int r = rng() % 10;
    if (r == 0) {
      mode = rng() % 2;
      bmPut8(BM_VIDMODE, (unsigned char)(mode | (rng() & 0xFE)));  // only bit 0 counts
    } else {
      bmPut8(BM_PALETTE + rng() % 32, (unsigned char)rng());
    }
    unsigned char pal[32];
    for (int n = 0; n < 32; n++) pal[n] = bmGet8(BM_PALETTE + n);
    for (int i = 0; i < 65536; i++) {
      int b1 = i >> 8, b0 = i & 0xFF;
      int hi = mode ? direct_high(b1, b0) : palette_pixel(pal, b1 >> 4, b0 >> 4);
      int lo = mode ? direct_low(b1, b0) : palette_pixel(pal, b1 & 15, b0 & 15);
      ASSERT_EQ(MapTableHigh[i], hi) << "step " << step << " index " << i;
      ASSERT_EQ(MapTableLow[i], lo) << "step " << step << " index " << i;
    }
  }
}

TEST_F(Machine, WritingTheCurrentModeLeavesTheTablesAlone) {
  bmPut8(BM_VIDMODE, 0);
  MapTableHigh[0x1234] ^= 0xFF;  // a mark a rebuild would erase
  int before = bmCycles();
  bmPut8(BM_VIDMODE, 0);
  EXPECT_EQ(bmCycles(), before + 1);
  EXPECT_EQ(MapTableHigh[0x1234], 0xFF);  // all entries were 0: still marked
  // 0 -> 1 -> 0 rebuilds.
  bmPut8(BM_VIDMODE, 1);
  bmPut8(BM_VIDMODE, 0);
  EXPECT_EQ(MapTableHigh[0x1234], 0);
  // In mode 1, palette writes and a repeated mode 1 leave direct colour.
  bmPut8(BM_VIDMODE, 1);
  bmPut8(BM_PALETTE + 3, 0x99);
  bmPut8(BM_VIDMODE, 1);
  EXPECT_EQ(MapTableHigh[0x0030], direct_high(0x00, 0x30));
  // Switching back to mode 0 picks up the entry written meanwhile.
  bmPut8(BM_VIDMODE, 0);
  EXPECT_EQ(MapTableHigh[0x0030], 0x99);
}

// ---------------------------------------------------------------------------
// Scan lines

TEST_F(Machine, LineStartWrapsWithinItsRow) {
  unsigned char *m = bmMemory();
  for (int j = 0; j < 256; j++) {
    m[0x1200 + j] = (unsigned char)j;          // plane 0, bank 0, row 0x12
    m[0x2000 + j] = (unsigned char)(j ^ 0x5A); // plane 1, bank 0, row 0x20
  }
  set_line(0, 0x12F0, 0x2000);
  bmWait(1);
  ASSERT_EQ(bmLine(), 1);
  const unsigned char *row = back->line[0];
  // Plane 0 shows bytes 0xF0..0xFF of row 0x12, then 0x00..0x8F.
  for (int i = 0; i < 160; i++) {
    int b0 = (0xF0 + i) & 0xFF, b1 = i ^ 0x5A;
    ASSERT_EQ(row[2 * i], direct_high(b1, b0)) << "byte " << i;
    ASSERT_EQ(row[2 * i + 1], direct_low(b1, b0)) << "byte " << i;
  }
}

static int switch_line;
static void switch_banks_at_line(int) {
  if (bmLine() != switch_line) return;
  bmPut8(BM_PAGE0, 1);
  bmPut8(BM_PAGE1, 0xFF);  // only the low two bits count: bank 3
}

TEST_F(Machine, BankSwitchFromLineCallbackShowsFromTheNextLine) {
  unsigned char *m = bmMemory();
  memset(m + 0x4000, 0x11, 256);            // plane 0: bank 0, row 0x40
  memset(m + 0x10000 + 0x4000, 0x22, 256);  // plane 0: bank 1, row 0x40
  memset(m + 0x30000 + 0x3000, 0x90, 256);  // plane 1: bank 3, row 0x30
  for (int L = 0; L < 240; L++) set_line(L, 0x4000, 0x3000);
  switch_line = 5;
  bmSetCallBack(1, switch_banks_at_line);
  bmWait(0);
  EXPECT_EQ(back->line[5][0], 0x01);
  EXPECT_EQ(back->line[6][0], 0x92);
  EXPECT_EQ(back->line[239][319], 0x02);
  // The finished frame went to the display.
  EXPECT_EQ(getpixel(bmDisplay(), 0, 5), 0x01);
  EXPECT_EQ(getpixel(bmDisplay(), 319, 239), 0x02);
}

static int callback_lines_seen[2];
static int callback_calls;
static void busy_line_callback(int) {
  if (callback_calls++ == 0) {
    callback_lines_seen[0] = bmLine();
    for (int i = 0; i < 200; i++) bmGet8(i);
    callback_lines_seen[1] = bmLine();
  }
}

TEST_F(Machine, AccessesInsideACallbackOnlyCountCycles) {
  callback_calls = 0;
  bmSetCallBack(1, busy_line_callback);
  bmWait(1);
  EXPECT_EQ(callback_lines_seen[0], 0);
  EXPECT_EQ(callback_lines_seen[1], 0);  // 200 cycles, no line generated
  EXPECT_EQ(callback_calls, 1);
  EXPECT_EQ(bmLine(), 1);
  EXPECT_EQ(bmCycles(), 128 + 200);
  // The boundary at 256 the callback crossed is owed: the next access
  // generates that line.
  bmGet8(0);
  EXPECT_EQ(bmLine(), 2);
  EXPECT_EQ(callback_calls, 2);
  // And the frame still ends where the cycles say it does.
  bmWait(0);
  EXPECT_EQ(bmLine(), 0);
  EXPECT_EQ(bmCycles(), 0);
  EXPECT_EQ(callback_calls, 312);
}

static std::vector<int> counters_seen;
static void record_counter(int) { counters_seen.push_back(bmCycles()); }

TEST_F(Machine, LineCallbackSeesTheCounterAWholeLineOn) {
  // A boundary crossed takes a whole line's 128 cycles onto the counter
  // before the line is generated: one cycle from 127 shows 255 to the
  // callback, and the cycles left over bring it back to 128 after it.
  for (int i = 0; i < 127; i++) bmGet8(0);
  ASSERT_EQ(bmCycles(), 127);
  counters_seen.clear();
  bmSetCallBack(1, record_counter);
  bmGet8(0);
  EXPECT_EQ(counters_seen, std::vector<int>{255});
  EXPECT_EQ(bmCycles(), 128);
  // The rest of the frame from 178: each line's callback a line further on.
  for (int i = 0; i < 50; i++) bmGet8(0);
  counters_seen.clear();
  bmWait(0);
  ASSERT_EQ(counters_seen.size(), 311u);
  EXPECT_EQ(counters_seen[0], 306);
  EXPECT_EQ(counters_seen[1], 434);
  EXPECT_EQ(counters_seen[2], 562);
  EXPECT_EQ(counters_seen[310], 178 + 311 * 128);
  EXPECT_EQ(bmCycles(), 0);
  EXPECT_EQ(bmLine(), 0);
}

TEST_F(Machine, WaitsOnAndOffBoundaries) {
  counter_frames = counter_lines = 0;
  bmSetCallBack(0, count_frame);
  bmSetCallBack(1, count_line);
  bmWait(1);  // on a boundary: a whole line
  EXPECT_EQ(bmCycles(), 128);
  EXPECT_EQ(counter_lines, 1);
  bmWait(1);
  EXPECT_EQ(bmCycles(), 256);
  bmGet8(0);
  bmGet8(0);
  bmWait(1);  // off a boundary: the rest of the line
  EXPECT_EQ(bmCycles(), 384);
  EXPECT_EQ(counter_lines, 3);
  bmWait(0);  // off a boundary: the rest of the frame
  EXPECT_EQ(bmCycles(), 0);
  EXPECT_EQ(bmLine(), 0);
  EXPECT_EQ(counter_frames, 1);
  EXPECT_EQ(counter_lines, 312);
  bmWait(0);  // on a boundary: a whole frame
  EXPECT_EQ(counter_frames, 2);
  EXPECT_EQ(counter_lines, 624);
  bmWait(2);  // not a wait
  bmWait(-1);
  EXPECT_EQ(bmCycles(), 0);
  EXPECT_EQ(counter_lines, 624);
  // Removing the callbacks.
  bmSetCallBack(0, nullptr);
  bmSetCallBack(1, nullptr);
  bmSetCallBack(2, count_line);  // ignored
  bmWait(0);
  EXPECT_EQ(counter_frames, 2);
  EXPECT_EQ(counter_lines, 624);
}

// ---------------------------------------------------------------------------
// Bus

TEST_F(Machine, BusMapForWritesAndReads) {
  unsigned char *m = bmMemory();
  bmPut8(0, 0xAB);
  bmPut8(0x3FFFF, 0xCD);
  EXPECT_EQ(m[0], 0xAB);
  EXPECT_EQ(m[0x3FFFF], 0xCD);
  EXPECT_EQ(bmGet8(0x3FFFF), 0xCD);
  bmPut8(BM_VIDMODE, 0);
  bmPut8(BM_PAGE0, 0xFE);  // bank 2
  bmPut8(BM_PALETTE + 31, 0x42);
  EXPECT_EQ(bmGet8(BM_VIDMODE), 0);
  EXPECT_EQ(bmGet8(BM_PAGE0), 0);
  EXPECT_EQ(bmGet8(BM_PAGE1), 0);
  EXPECT_EQ(bmGet8(BM_PALETTE + 31), 0x42);
  for (int a = BM_SOUND; a < BM_BUS_END; a++) {
    bmPut8(a, 0x7F);
    EXPECT_EQ(bmGet8(a), 0) << a;
  }
  // Every access costs one cycle, mapped or not.
  int before = bmCycles();
  bmGet8(-5);
  bmPut8(0x7FFFFFFF, 1);
  EXPECT_EQ(bmCycles(), before + 2);
}

TEST_F(Machine, AddressesOutsideTheMapTouchNothing) {
  unsigned char *m = bmMemory();
  for (int i = 0; i < BM_MEM_SIZE; i++) m[i] = (unsigned char)(i * 13);
  std::vector<unsigned char> mem(m, m + BM_MEM_SIZE);
  std::vector<unsigned char> hi(MapTableHigh, MapTableHigh + 65536);
  const int outside[] = {-1, -4, -256, -0x40000, INT_MIN, BM_BUS_END, 0x50000, INT_MAX};
  for (int a : outside) {
    bmPut8(a, 0x55);
    EXPECT_EQ(bmGet8(a), 0) << a;
    if (a == -1) continue;  // its second byte would be address 0
    bmPut16(a, 0x5555);
    bmPut32(a, 0x55555555);
    EXPECT_EQ(bmGet32(a), 0u) << a;
  }
  EXPECT_EQ(bmGet32(-2), (unsigned)m[0] << 16 | (unsigned)m[1] << 24);
  EXPECT_TRUE(std::equal(mem.begin(), mem.end(), m));
  EXPECT_TRUE(std::equal(hi.begin(), hi.end(), MapTableHigh));
}

TEST_F(Machine, MultiByteAccessesAreLittleEndianAndCostACycleAByte) {
  unsigned char *m = bmMemory();
  int c = bmCycles();
  bmPut16(0x100, 0x1234);
  EXPECT_EQ(m[0x100], 0x34);
  EXPECT_EQ(m[0x101], 0x12);
  EXPECT_EQ(bmCycles(), c + 2);
  EXPECT_EQ(bmGet16(0x100), 0x1234);
  EXPECT_EQ(bmCycles(), c + 4);
  bmPut32(0x200, 0x12345678);
  EXPECT_EQ(m[0x200], 0x78);
  EXPECT_EQ(m[0x203], 0x12);
  EXPECT_EQ(bmGet32(0x200), 0x12345678u);
  EXPECT_EQ(bmCycles(), c + 12);
}

TEST_F(Machine, KeyboardPorts) {
  for (int p = 0; p < 12; p++) EXPECT_EQ(bmGet8(BM_KEYS + p), 0xFF) << "port " << p;
  key[KEY_ESC] = 1;
  EXPECT_EQ(bmGet8(BM_KEYS + 0), 0xFD);
  key[KEY_6] = 1;
  EXPECT_EQ(bmGet8(BM_KEYS + 0), 0x7D);
  key[KEY_ESC] = key[KEY_6] = 0;
  key[KEY_SPACE] = 1;
  key[KEY_F12] = 1;
  key[KEY_ENTER] = 1;
  EXPECT_EQ(bmGet8(BM_KEYS + 8), 0x7F);
  EXPECT_EQ(bmGet8(BM_KEYS + 11), 0xFE);
  EXPECT_EQ(bmGet8(BM_KEYS + 3), 0xFD);
  EXPECT_EQ(bmGet8(BM_KEYS + 0), 0xFF);
  // Writes to the ports are ignored.
  bmPut8(BM_KEYS + 8, 0);
  EXPECT_EQ(bmGet8(BM_KEYS + 8), 0x7F);
}

TEST_F(Machine, SetdownTwiceAndAccessesWhileDownAreHarmless) {
  bmSetdown();
  bmSetdown();
  bmPut8(0, 1);
  EXPECT_EQ(bmGet8(0), 0);
  bmWait(0);
  EXPECT_EQ(bmMemory(), nullptr);
  ASSERT_EQ(bmSetupHeadless(), 0);
  EXPECT_EQ(bmGet8(0), 0);  // memory starts zeroed
}
