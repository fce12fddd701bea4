// video.h -- drawing sideview into the machine's memory: the wrap-around
// playfield (512 x 256 pixels in banks 1 and 2), the line tables that
// scroll it, tiles with a cache, sprites, and the status bar in bank 0.
// Every pixel pair is written through the bus, so drawing costs machine
// time.
#ifndef VIDEO_H
#define VIDEO_H

#include "bmp.h"

// Machine addresses of the screen layout.
enum {
  PLAYFIELD_PLANE0 = 0x10000,  // bank 1: low nibbles (or background pixels)
  PLAYFIELD_PLANE1 = 0x20000,  // bank 2: high nibbles (or overlay pixels)
  BAR_PLANE0 = 0x0400,         // status bar, rows 4..23 of bank 0
  BAR_PLANE1 = 0x1800,         // and rows 24..43
  BAR_LINES = 20,
  VIEW_LINES = 220,            // playfield lines above the status bar
};

// Sprite numbers.
enum {
  SPR_PLAYER = 0,
  SPR_PLAYER_WALK = 1,
  SPR_MUM = 2,
  SPR_MUM_WALK = 3,
  SPR_MUM_LADDER = 4,
  SPR_PLAYER_LADDER = 5,
  SPR_HEALTH = 10,
  SPR_AMMO = 11,
  SPR_BULLET = 12,
  SPR_ITEM = 20,
  N_SPRITES = 100,
};

// The status bar: values shown and the pictures it is drawn from.
struct status_bar_record {
  int health;        // hearts shown, -1 = nothing yet
  int ammunition;    // bullets shown, -1 = nothing yet
  int treasure[4];   // items 0..3 collected
  bmp *background;   // the whole of "status.bmp"
  bmp *heart, *bullet, *item, *blank;
};

extern status_bar_record bar;
extern bmp *spr[N_SPRITES];
// Map page (tx / 32, ty / 16) of the tile drawn in playfield cell (cx, cy),
// at index cx * 16 + cy.
extern unsigned char screen_tile[32 * 16][2];

// Pixel pairs at byte column bx, row by.
void Plot(unsigned char bx, unsigned char by, unsigned char l, unsigned char r);
void Plot0(unsigned char bx, unsigned char by, unsigned char l, unsigned char r);
void Plot1(unsigned char bx, unsigned char by, unsigned char l, unsigned char r);
void Plot2(unsigned char bx, unsigned char by, unsigned char l, unsigned char r);
void PlotL(unsigned char bx, unsigned char by, unsigned char c);
void PlotR(unsigned char bx, unsigned char by, unsigned char c);

void set_gfx1();      // play screen: direct colour, status bar, cache emptied
void set_gfx2();      // picture screen: palette mode, no status bar
void place_screen();  // line tables from OX, OY

int draw_tile(int tx, int ty);
void draw_tiles();
void draw_sprite1(bmp *b, int x, int y);
void draw_sprite2(bmp *b, int x, int y);
void draw_bmp1(bmp *b, int x, int y);

void sprites_init();
void bar_init();
void bar_reset();
void set_bar_h(int n);
void set_bar_a(int n);
void set_bar_t(int k);

#endif
