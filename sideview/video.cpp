// video.cpp -- the playfield, sprites and status bar in machine memory
#include "video.h"

#include "bm.h"
#include "game.h"
#include "log.h"
#include "tile.h"

status_bar_record bar;
bmp *spr[N_SPRITES];
unsigned char screen_tile[32 * 16][2];

// ---------------------------------------------------------------------------
// Pixel pairs

// Plot
// A direct-colour pair in the playfield: bank 1 takes the low nibbles of
// both colours, bank 2 the high ones.
void Plot(unsigned char bx, unsigned char by, unsigned char l, unsigned char r) {
  int a = by * 256 + bx;
  bmPut8(PLAYFIELD_PLANE0 + a, (unsigned char)((l & 0x0F) << 4 | (r & 0x0F)));
  bmPut8(PLAYFIELD_PLANE1 + a, (unsigned char)((l & 0xF0) | r >> 4));
}

// Plot0
// The same pair into the status bar in bank 0.
void Plot0(unsigned char bx, unsigned char by, unsigned char l, unsigned char r) {
  int a = by * 256 + bx;
  bmPut8(BAR_PLANE0 + a, (unsigned char)((l & 0x0F) << 4 | (r & 0x0F)));
  bmPut8(BAR_PLANE1 + a, (unsigned char)((l & 0xF0) | r >> 4));
}

// Plot1, Plot2
// Palette mode: two 4-bit pixels into the background (bank 1) or the
// overlay (bank 2).
void Plot1(unsigned char bx, unsigned char by, unsigned char l, unsigned char r) {
  bmPut8(PLAYFIELD_PLANE0 + by * 256 + bx, (unsigned char)(l << 4 | (r & 0x0F)));
}

void Plot2(unsigned char bx, unsigned char by, unsigned char l, unsigned char r) {
  bmPut8(PLAYFIELD_PLANE1 + by * 256 + bx, (unsigned char)(l << 4 | (r & 0x0F)));
}

// PlotL, PlotR
// Replace one pixel of a direct-colour pair, keeping the other: read and
// rewrite both banks.
void PlotL(unsigned char bx, unsigned char by, unsigned char c) {
  int a = by * 256 + bx;
  unsigned char p0 = bmGet8(PLAYFIELD_PLANE0 + a);
  bmPut8(PLAYFIELD_PLANE0 + a, (unsigned char)((p0 & 0x0F) | (c & 0x0F) << 4));
  unsigned char p1 = bmGet8(PLAYFIELD_PLANE1 + a);
  bmPut8(PLAYFIELD_PLANE1 + a, (unsigned char)((p1 & 0x0F) | (c & 0xF0)));
}

void PlotR(unsigned char bx, unsigned char by, unsigned char c) {
  int a = by * 256 + bx;
  unsigned char p0 = bmGet8(PLAYFIELD_PLANE0 + a);
  bmPut8(PLAYFIELD_PLANE0 + a, (unsigned char)((p0 & 0xF0) | (c & 0x0F)));
  unsigned char p1 = bmGet8(PLAYFIELD_PLANE1 + a);
  bmPut8(PLAYFIELD_PLANE1 + a, (unsigned char)((p1 & 0xF0) | c >> 4));
}

// ---------------------------------------------------------------------------
// Screen modes and scrolling

// set_gfx1
// The play screen. Page byte 0xFE matches no tile, so every cell is drawn
// afresh.
void set_gfx1() {
  status_bar = 1;
  bmPut8(BM_VIDMODE, 1);
  for (int i = 0; i < 32 * 16; i++) screen_tile[i][0] = 0xFE;
}

// set_gfx2
// The picture screen: background in bank 1, overlay in bank 2.
void set_gfx2() {
  status_bar = 0;
  bmPut8(BM_PAGE0, 1);
  bmPut8(BM_PAGE1, 2);
  bmPut8(BM_VIDMODE, 0);
}

// place_screen
// Every playfield line starts at row OY + y, byte OX of its banks; with the
// status bar on, the last 20 lines show the bar's rows of bank 0.
void place_screen() {
  int lines = BM_VISIBLE_LINES - BAR_LINES * status_bar;
  for (int y = 0; y < lines; y++) {
    unsigned short off = (unsigned short)((OY + y) * 256 + OX);
    bmPut16(2 * y, off);
    bmPut16(480 + 2 * y, off);
  }
  if (!status_bar) return;
  for (int i = 0; i < BAR_LINES; i++) {
    bmPut16(2 * (VIEW_LINES + i), (unsigned short)(i * 256 + BAR_PLANE0));
    bmPut16(480 + 2 * (VIEW_LINES + i), (unsigned short)(i * 256 + BAR_PLANE1));
  }
}

// ---------------------------------------------------------------------------
// Tiles

// draw_tile
// Map tile (tx, ty) goes to playfield cell (tx mod 32, ty mod 16); the cell
// remembers which page of the map it holds, so a tile already there is not
// drawn again. Positions off the level and tiles without a picture show
// tile 0.
int draw_tile(int tx, int ty) {
  int cx = tx & 31, cy = ty & 15;
  unsigned char *cell = screen_tile[cx * 16 + cy];
  unsigned char px = (unsigned char)(tx >> 5), py = (unsigned char)(ty >> 4);
  if (cell[0] == px && cell[1] == py) return 0;
  cell[0] = px;
  cell[1] = py;
  bmp *b = NULL;
  if (tx >= 0 && tx < map.w && ty >= 0 && ty < map.h) b = tiles[map.t[tx][ty]].bitmap;
  if (!b) b = tiles[0].bitmap;
  if (!b) return 1;
  for (int j = 0; j < TILE_SIZE; j++) {
    const unsigned char *row = b->data + j * b->w;
    for (int i = 0; i < TILE_SIZE / 2; i++)
      Plot((unsigned char)(8 * cx + i), (unsigned char)(16 * cy + j), row[2 * i], row[2 * i + 1]);
  }
  return 1;
}

// draw_tiles
// Brings the visible playfield (and one tile beyond each side) up to date,
// row by row behind the beam: a row is redrawn only once the line counter
// has passed the lines where it shows, so no one sees a half-drawn tile.
void draw_tiles() {
  int r0 = OY >> 4, r1 = (OY + VIEW_LINES - 1) >> 4;
  int c0 = (OX - 8) >> 3, c1 = (OX + 167) >> 3;
  for (int r = r0; r <= r1; r++) {
    while (hsyncs < 16 * (r - r0) + 16) bmWait(1);
    for (int c = c0; c <= c1; c++) draw_tile(c, r);
  }
}

// ---------------------------------------------------------------------------
// Sprites

// Pixel (c, r) of b, 0 beyond its right edge (for odd widths).
static inline unsigned char pixel(const bmp *b, int c, int r) {
  return c < b->w ? b->data[r * b->w + c] : 0;
}

// draw_sprite_pairs
// Draws b at level pixel (x, y), clipped to the visible window (pixels
// 2 OX - 4 .. 2 OX + 324, rows OY .. OY + 220), mirrored or not; pixel 0 is
// transparent. Then marks the cells under the sprite, so the next
// draw_tiles redraws them and so erases it.
static void draw_sprite_pairs(bmp *b, int x, int y, bool mirror) {
  int w = b->w, h = b->h;
  int c0 = 0, c1 = w, r0 = 0, r1 = h;
  if (x < 2 * OX - 4) c0 = (2 * OX - x - 4) & ~1;
  if (y < OY) r0 = OY - y;
  if (x + w > 2 * OX + 324) c1 = (2 * OX - x + 324) & ~1;
  if (y + h > OY + VIEW_LINES) r1 = OY - y + VIEW_LINES;
  for (int r = r0; r < r1; r++)
    for (int c = c0; c < c1; c += 2) {
      unsigned char l, rt;
      if (mirror) {
        l = pixel(b, w - 1 - c, r);
        rt = w - 2 - c >= 0 ? pixel(b, w - 2 - c, r) : 0;
      } else {
        l = pixel(b, c, r);
        rt = pixel(b, c + 1, r);
      }
      unsigned char bx = (unsigned char)((x + c) / 2), by = (unsigned char)(y + r);
      if (!l && !rt) continue;
      if (!l)
        PlotR(bx, by, rt);
      else if (!rt)
        PlotL(bx, by, l);
      else
        Plot(bx, by, l, rt);
    }
  for (int cy = y >> 4; cy <= (y + h) >> 4; cy++)
    for (int cx = x >> 4; cx <= (x + w) >> 4; cx++) screen_tile[(cx & 31) * 16 + (cy & 15)][0] += 2;
}

void draw_sprite1(bmp *b, int x, int y) {
  if (b) draw_sprite_pairs(b, x, y, false);
}

void draw_sprite2(bmp *b, int x, int y) {
  if (b) draw_sprite_pairs(b, x, y, true);
}

// ---------------------------------------------------------------------------
// Status bar

// draw_bmp1
// A picture into the status bar at pixel x (even), row y; all opaque.
void draw_bmp1(bmp *b, int x, int y) {
  if (!b) return;
  for (int r = 0; r < b->h; r++)
    for (int i = 0; i < b->w / 2; i++)
      Plot0((unsigned char)(x / 2 + i), (unsigned char)(r + y), b->data[r * b->w + 2 * i],
            b->data[r * b->w + 2 * i + 1]);
}

// A picture cut from the file name, which must hold the rectangle.
static bmp *cut(bmp *from, const char *name, int x, int y, int w, int h) {
  if (from->w < x + w || from->h < y + h)
    fail("\"%s\" is %d x %d pixels; it must hold the rectangle %d x %d at (%d, %d)", name,
         from->w, from->h, w, h, x, y);
  return sub_bmp(from, x, y, w, h);
}

// sprites_init
// Cuts the sprites from "sprites.bmp"; numbers not listed stay null.
void sprites_init() {
  static const struct {
    int n, x, y, w, h;
  } table[] = {
      {SPR_PLAYER, 0, 0, 32, 32},        {SPR_PLAYER_WALK, 32, 0, 32, 32},
      {SPR_MUM, 64, 0, 32, 32},          {SPR_MUM_WALK, 96, 0, 32, 32},
      {SPR_MUM_LADDER, 128, 0, 32, 34},  {SPR_PLAYER_LADDER, 160, 0, 32, 32},
      {SPR_HEALTH, 0, 32, 16, 16},       {SPR_AMMO, 16, 32, 16, 16},
      {SPR_BULLET, 32, 32, 16, 16},      {SPR_ITEM, 0, 48, 48, 32},
  };
  const char *name = "sprites.bmp";
  bmp *sheet = load_bmp1(name);
  for (auto &s : table) {
    destroy_bmp(spr[s.n]);
    spr[s.n] = cut(sheet, name, s.x, s.y, s.w, s.h);
  }
  destroy_bmp(sheet);
}

// bar_init
// The status bar's background and icons from "status.bmp". The bar is 320
// x 20 pixels; a bigger picture is cropped to that, since drawing more
// would run into the line tables and the playfield.
void bar_init() {
  const char *name = "status.bmp";
  bmp *all = load_bmp1(name);
  bar.heart = cut(all, name, 31, 3, 14, 14);
  bar.bullet = cut(all, name, 130, 3, 12, 12);
  bar.item = cut(all, name, 230, 2, 22, 16);
  bar.blank = cut(all, name, 270, 2, 14, 16);
  if (all->w > 320 || all->h > BAR_LINES) {
    int w = all->w < 320 ? all->w : 320, h = all->h < BAR_LINES ? all->h : BAR_LINES;
    bmp *crop = sub_bmp(all, 0, 0, w, h);
    destroy_bmp(all);
    all = crop;
  }
  bar.background = all;
}

// bar_reset
// A new game: the whole background, then 4 hearts, 2 bullets, no items.
void bar_reset() {
  draw_bmp1(bar.background, 0, 0);
  bar.health = bar.ammunition = -1;
  set_bar_h(4);
  set_bar_a(2);
  set_bar_t(-1);
}

// set_bar_h
// Up to five hearts from x = 30, blanks after them.
void set_bar_h(int n) {
  if (n == bar.health) return;
  bar.health = n;
  for (int i = 0; i < 5; i++) draw_bmp1(i < n ? bar.heart : bar.blank, 30 + 14 * i, 3);
}

// set_bar_a
// Up to five bullets from x = 130.
void set_bar_a(int n) {
  if (n == bar.ammunition) return;
  bar.ammunition = n;
  for (int i = 0; i < 5; i++) draw_bmp1(i < n ? bar.bullet : bar.blank, 130 + 12 * i, 3);
}

// set_bar_t
// -1 clears the item flags, k = 0..3 sets flag k; then one icon per item
// held, from x = 230, and two blanks over each empty 22-pixel slot.
void set_bar_t(int k) {
  if (k == -1)
    for (int &t : bar.treasure) t = 0;
  else if (k >= 0 && k < 4)
    bar.treasure[k] = 1;
  int m = 0;
  for (int t : bar.treasure) m += t != 0;
  for (int i = 0; i < 4; i++) {
    if (i < m) {
      draw_bmp1(bar.item, 230 + 22 * i, 2);
    } else {
      draw_bmp1(bar.blank, 230 + 22 * i, 2);
      draw_bmp1(bar.blank, 240 + 22 * i, 2);
    }
  }
}
