// Drawing into machine memory: pixel pairs, line tables, the tile cache,
// drawing behind the beam, sprites with clipping and mirroring, and the
// status bar.
#include <gtest/gtest.h>

#include "world.h"

namespace {

class Video : public World {};

TEST_F(Video, PixelPairsSplitColoursOverBothBanks) {
  const unsigned char *m = bmMemory();
  Plot(3, 5, 0xAB, 0xCD);
  EXPECT_EQ(m[0x10000 + 5 * 256 + 3], 0xBD);
  EXPECT_EQ(m[0x20000 + 5 * 256 + 3], 0xAC);
  EXPECT_EQ(playfield_pixel(6, 5), 0xAB);
  EXPECT_EQ(playfield_pixel(7, 5), 0xCD);
  PlotL(3, 5, 0x12);
  EXPECT_EQ(playfield_pixel(6, 5), 0x12);
  EXPECT_EQ(playfield_pixel(7, 5), 0xCD);
  PlotR(3, 5, 0x34);
  EXPECT_EQ(playfield_pixel(6, 5), 0x12);
  EXPECT_EQ(playfield_pixel(7, 5), 0x34);
  Plot0(159, 19, 0x56, 0x78);
  EXPECT_EQ(bar_pixel(318, 19), 0x56);
  EXPECT_EQ(bar_pixel(319, 19), 0x78);
  Plot1(1, 2, 0x9, 0x3);
  Plot2(1, 2, 0x4, 0xF);
  EXPECT_EQ(m[0x10000 + 2 * 256 + 1], 0x93);
  EXPECT_EQ(m[0x20000 + 2 * 256 + 1], 0x4F);
  // Each pair costs its bus accesses: two writes, or four for one pixel.
  int before = bmCycles();
  Plot(0, 0, 1, 2);
  EXPECT_EQ(bmCycles() - before, 2);
  PlotL(0, 0, 1);
  EXPECT_EQ(bmCycles() - before, 6);
}

TEST_F(Video, LineTablesFollowTheViewAndEndWithTheStatusBar) {
  const unsigned char *m = bmMemory();
  auto start = [&](int table, int line) { return m[table + 2 * line] | m[table + 2 * line + 1] << 8; };
  OX = 250;
  OY = 300;
  status_bar = 0;
  place_screen();
  for (int y : {0, 219, 239}) {
    EXPECT_EQ(start(0, y), ((OY + y) * 256 + OX) & 0xFFFF) << y;
    EXPECT_EQ(start(480, y), ((OY + y) * 256 + OX) & 0xFFFF) << y;
  }
  set_gfx1();
  EXPECT_EQ(status_bar, 1);
  place_screen();
  EXPECT_EQ(start(0, 219), ((OY + 219) * 256 + OX) & 0xFFFF);
  EXPECT_EQ(start(0, 220), 0x0400);
  EXPECT_EQ(start(480, 220), 0x1800);
  EXPECT_EQ(start(0, 239), 19 * 256 + 0x0400);
  EXPECT_EQ(start(480, 239), 19 * 256 + 0x1800);
}

TEST_F(Video, TilesAreDrawnOnceAndOffTheLevelAsTileZero) {
  make_level({"#.=", "H^D"});
  map.t[2][1] = 200;  // no picture: drawn as tile 0
  set_gfx1();
  EXPECT_EQ(draw_tile(1, 0), 1);
  EXPECT_EQ(draw_tile(1, 0), 0);
  for (int y = 0; y < 16; y += 3)
    for (int x = 0; x < 16; x += 3) EXPECT_EQ(playfield_pixel(16 + x, y), tile_pixel(T_WALL, x, y));
  EXPECT_EQ(draw_tile(2, 1), 1);
  EXPECT_EQ(playfield_pixel(32 + 5, 16 + 7), tile_pixel(T_EMPTY, 5, 7));
  // Tile 33 of the map shares cell 1 with tile 1, on another page.
  EXPECT_EQ(draw_tile(33, 0), 1);
  EXPECT_EQ(playfield_pixel(16 + 4, 4), tile_pixel(T_EMPTY, 4, 4));
  EXPECT_EQ(draw_tile(-1, -1), 1);  // cell (31, 15), page (-1, -1)
  EXPECT_EQ(playfield_pixel(31 * 16 + 2, 15 * 16 + 2), tile_pixel(T_EMPTY, 2, 2));
  // A drawn tile costs 256 bus writes: two scan lines.
  int before = bmCycles();
  set_gfx1();
  draw_tile(0, 0);
  EXPECT_EQ(bmCycles() - before, 256 + 1);
}

// Cells whose recorded page differs between two snapshots of the cache.
int cells_changed(const unsigned char (*a)[2], const unsigned char (*b)[2]) {
  int n = 0;
  for (int i = 0; i < 32 * 16; i++) n += a[i][0] != b[i][0] || a[i][1] != b[i][1];
  return n;
}

TEST_F(Video, ScrollingATileColumnRedrawsOneColumnOfTheView) {
  make_level(std::vector<std::string>(40, std::string(80, '.')));
  set_gfx1();
  draw_tiles();
  unsigned char before[32 * 16][2];
  memcpy(before, screen_tile, sizeof before);
  draw_tiles();
  EXPECT_EQ(cells_changed(before, screen_tile), 0);
  OX += 8;  // one tile to the right
  draw_tiles();
  int rows = ((OY + 219) >> 4) - (OY >> 4) + 1;
  EXPECT_EQ(cells_changed(before, screen_tile), rows);
  // A sprite dirties the cells under it; they alone are drawn again.
  memcpy(before, screen_tile, sizeof before);
  draw_sprite1(spr[SPR_PLAYER], 2 * OX + 64, 48);  // 32 x 32 at cells (4..6, 3..5)
  draw_tiles();
  EXPECT_EQ(cells_changed(before, screen_tile), 0);
  EXPECT_EQ(playfield_pixel(2 * OX + 70, 50), tile_pixel(T_WALL, 6, 2));
}

// Scan line on which each of the first tile rows of the view was first
// seen drawn, recorded by a line callback that also does the game's.
int first_seen[16];
void watch_rows(int arg) {
  on_hsync(arg);
  for (int r = 0; r < 14; r++)
    if (first_seen[r] < 0 && playfield_pixel(40, 16 * r + 3) == tile_pixel(T_WALL, 8, 3))
      first_seen[r] = hsyncs;
}

TEST_F(Video, TileRowsAreDrawnOnlyAfterTheBeamHasShownThem) {
  make_level(std::vector<std::string>(20, std::string(30, '.')));
  set_gfx1();
  for (int &r : first_seen) r = -1;
  bmWait(0);  // the top of a frame
  bmSetCallBack(1, watch_rows);
  draw_tiles();  // a whole screen: every row waits for the beam, then for the rows before
  for (int r = 0; r < 14; r++) EXPECT_GE(first_seen[r], 16 * r + 16) << "row " << r;
  // Scrolling by a tile: each row's new tile follows the beam closely.
  bmSetCallBack(1, on_hsync);
  OX += 8;
  draw_tiles();
  for (int r = 0; r < 14; r++) first_seen[r] = -1;
  bmWait(0);
  OX += 8;
  bmSetCallBack(1, [](int arg) {
    on_hsync(arg);
    for (int r = 0; r < 14; r++)
      if (first_seen[r] < 0 && playfield_pixel(2 * OX + 320 + 8, 16 * r + 3) == tile_pixel(T_WALL, 8, 3))
        first_seen[r] = hsyncs;
  });
  draw_tiles();
  for (int r = 0; r < 14; r++) {
    EXPECT_GE(first_seen[r], 16 * r + 16) << "row " << r;
    EXPECT_LE(first_seen[r], 16 * r + 16 + 4) << "row " << r;
  }
}

TEST_F(Video, SpritesAreClippedToTheView) {
  OX = 40;
  OY = 64;
  bmp *b = new_bmp(32, 32);
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 32; x++) b->data[y * 32 + x] = (unsigned char)(0x80 + x);
  // Partly off the left edge: only columns from 16 on are drawn.
  int x = 2 * OX - 20;
  draw_sprite1(b, x, 100);
  EXPECT_EQ(playfield_pixel(x + 15, 110), 0);  // memory untouched
  EXPECT_EQ(playfield_pixel(x + 16, 110), 0x80 + 16);
  EXPECT_EQ(playfield_pixel(x + 31, 110), 0x80 + 31);
  // Above the top: rows from OY - y on. Below the bottom: up to OY + 220.
  draw_sprite1(b, 200, OY - 10);
  EXPECT_EQ(playfield_pixel(201, OY - 1), 0);
  EXPECT_EQ(playfield_pixel(201, OY), 0x81);
  draw_sprite1(b, 260, OY + 200);
  EXPECT_EQ(playfield_pixel(261, OY + 219), 0x81);
  EXPECT_EQ(playfield_pixel(261, OY + 220), 0);
  // Mirrored: the left column shows the picture's right one.
  draw_sprite2(b, 300, 120);
  EXPECT_EQ(playfield_pixel(300, 130), 0x80 + 31);
  EXPECT_EQ(playfield_pixel(331, 130), 0x80);
  destroy_bmp(b);
}

TEST_F(Video, TransparentPixelsKeepWhatIsBehind) {
  make_level(std::vector<std::string>(20, std::string(30, '.')));
  set_gfx1();
  draw_tiles();
  bmp *b = new_bmp(4, 1);
  unsigned char row[4] = {0, 0x51, 0x52, 0};
  memcpy(b->data, row, 4);
  draw_sprite1(b, 32, 8);
  EXPECT_EQ(playfield_pixel(32, 8), tile_pixel(T_WALL, 0, 8));
  EXPECT_EQ(playfield_pixel(33, 8), 0x51);
  EXPECT_EQ(playfield_pixel(34, 8), 0x52);
  EXPECT_EQ(playfield_pixel(35, 8), tile_pixel(T_WALL, 3, 8));
  destroy_bmp(b);
}

TEST_F(Video, OverlappingSpritesMarkTheirCellsTwice) {
  make_level(std::vector<std::string>(20, std::string(30, '.')));
  set_gfx1();
  draw_tiles();
  int cell = 3 * 16 + 2;  // cell (3, 2)
  unsigned char page = screen_tile[cell][0];
  draw_sprite1(spr[SPR_HEALTH], 50, 36);
  draw_sprite1(spr[SPR_AMMO], 52, 38);
  EXPECT_EQ(screen_tile[cell][0], (unsigned char)(page + 4));
  EXPECT_EQ(draw_tile(3, 2), 1);
  EXPECT_EQ(draw_tile(3, 2), 0);
}

TEST_F(Video, StatusBarShowsUpToFiveHeartsAndBulletsAndTheItemsHeld) {
  bar_reset();
  EXPECT_EQ(bar.health, 4);
  EXPECT_EQ(bar.ammunition, 2);
  auto slot = [](int x, int y) { return bar_pixel(x + 4, y + 4); };
  set_bar_h(7);
  for (int i = 0; i < 5; i++) EXPECT_EQ(slot(30 + 14 * i, 3), 0x21) << i;
  set_bar_h(5);  // hearts 14 apart, each to its slot's last column
  for (int i = 0; i < 5; i++) EXPECT_EQ(bar_pixel(30 + 14 * i + 13, 10), 0x21) << i;
  EXPECT_EQ(bar_pixel(30 + 14 * 5, 10), 0x10);
  set_bar_h(0);
  for (int i = 0; i < 5; i++) EXPECT_EQ(slot(30 + 14 * i, 3), 0x10) << i;
  set_bar_a(3);
  EXPECT_EQ(slot(130 + 24, 3), 0x22);
  EXPECT_EQ(slot(130 + 36, 3), 0x10);
  set_bar_t(2);
  set_bar_t(0);
  EXPECT_EQ(slot(230, 2), 0x23);
  EXPECT_EQ(slot(252, 2), 0x23);
  EXPECT_EQ(slot(274, 2), 0x10);
  EXPECT_EQ(bar_pixel(317, 10), 0x10);
  // An unchanged value draws nothing; an item number out of range none.
  int before = bmCycles();
  set_bar_h(0);
  set_bar_a(3);
  EXPECT_EQ(bmCycles(), before);
  set_bar_t(7);
  EXPECT_EQ(bar.treasure[0] + bar.treasure[1] + bar.treasure[2] + bar.treasure[3], 2);
  set_bar_t(-1);
  EXPECT_EQ(slot(230, 2), 0x10);
}

}  // namespace
