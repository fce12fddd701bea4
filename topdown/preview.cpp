// preview.cpp -- a whole course scaled down, with its places marked
#include "preview.h"

#include "share.h"

// Codes of the insertions marked (the player starts and the access pass).
enum { CODE_START_1 = 11, CODE_START_2 = 12, CODE_PASS = 53 };

// preview_fit
// The largest size that keeps the course's shape.
PreviewFit preview_fit(int w, int h, int box_w, int box_h) {
  PreviewFit f{0, 0, 0, 0};
  if (w <= 0 || h <= 0 || box_w <= 0 || box_h <= 0) return f;
  if ((long)w * box_h >= (long)h * box_w) {  // wider than the box
    f.w = box_w;
    f.h = (int)((long)h * box_w / w);
  } else {
    f.h = box_h;
    f.w = (int)((long)w * box_h / h);
  }
  if (f.w < 1) f.w = 1;
  if (f.h < 1) f.h = 1;
  f.x = (box_w - f.w) / 2;
  f.y = (box_h - f.h) / 2;
  return f;
}

// preview_tile_colour
// Worked out for all tiles at the first call, and again whenever the
// datafile or the colour depth has changed.
int preview_tile_colour(int tile) {
  static int colour[256];
  static DATAFILE *made_for;
  static int made_depth;
  if (made_for != D || made_depth != get_color_depth()) {
    for (int t = 0; t < 256; t++) {
      BITMAP *b = (BITMAP *)D[OBJ_TILE0 + t].dat;
      long r = 0, g = 0, bl = 0, n = 0;
      for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
          int c = getpixel(b, x, y);
          if (c == bitmap_mask_color(b)) continue;
          r += getr_depth(bitmap_color_depth(b), c);
          g += getg_depth(bitmap_color_depth(b), c);
          bl += getb_depth(bitmap_color_depth(b), c);
          n++;
        }
      colour[t] = n ? makecol(r / n, g / n, bl / n) : makecol(0, 0, 0);
    }
    made_for = D;
    made_depth = get_color_depth();
  }
  return colour[tile & 255];
}

int preview_start_colour(int player) {
  return player == 1 ? makecol(40, 220, 60) : makecol(60, 140, 255);
}

int preview_pass_colour() { return makecol(255, 220, 0); }

// A mark: a dot of colour c in a black ring, centred on (x, y).
static void mark(BITMAP *dest, int x, int y, int c) {
  circlefill(dest, x, y, 3, makecol(0, 0, 0));
  circlefill(dest, x, y, 2, c);
}

// preview_draw
// Each pixel shows the tile under its top-left corner. The finish cells
// are drawn last over a red border, the marks on top of everything.
void preview_draw(BITMAP *dest, int x, int y, int box_w, int box_h, const Map &m) {
  int w = m.w < MAP_SIZE ? m.w : MAP_SIZE, h = m.h < MAP_SIZE ? m.h : MAP_SIZE;
  PreviewFit f = preview_fit(w, h, box_w, box_h);
  if (f.w == 0) return;
  int x0 = x + f.x, y0 = y + f.y;
  for (int py = 0; py < f.h; py++) {
    int ty = (int)((long)py * h / f.h);
    for (int px = 0; px < f.w; px++) {
      int tx = (int)((long)px * w / f.w);
      putpixel(dest, x0 + px, y0 + py, preview_tile_colour(m.t[tx][ty]));
    }
  }
  // The pixels of cell (tx, ty): from its left edge up to the next cell's.
  auto cell = [&](int tx, int ty, int &l, int &t, int &r, int &b) {
    l = x0 + (int)((long)tx * f.w / w);
    r = x0 + (int)((long)(tx + 1) * f.w / w) - 1;
    t = y0 + (int)((long)ty * f.h / h);
    b = y0 + (int)((long)(ty + 1) * f.h / h) - 1;
    if (r < l) r = l;
    if (b < t) b = t;
  };
  int red = makecol(230, 0, 0), black = makecol(0, 0, 0), white = makecol(255, 255, 255);
  for (int pass = 0; pass < 2; pass++)
    for (int tx = 0; tx < w; tx++)
      for (int ty = 0; ty < h; ty++) {
        if (m.t[tx][ty] != FINISH_TILE) continue;
        int l, t, r, b;
        cell(tx, ty, l, t, r, b);
        if (pass == 0) {
          rectfill(dest, l - 2, t - 2, r + 2, b + 2, red);
          continue;
        }
        for (int yy = t; yy <= b; yy++)
          for (int xx = l; xx <= r; xx++)
            putpixel(dest, xx, yy, (xx - x0 + yy - y0) % 2 ? black : white);
      }
  int n = m.n < MAX_INSERTIONS ? m.n : MAX_INSERTIONS;
  for (int i = 0; i < n; i++) {
    const Insertion &in = m.ins[i];
    int colour = in.code == CODE_START_1   ? preview_start_colour(1)
                 : in.code == CODE_START_2 ? preview_start_colour(2)
                 : in.code == CODE_PASS    ? preview_pass_colour()
                                           : -1;
    if (colour == -1 || in.x < 0 || in.y < 0 || in.x >= w * 32 || in.y >= h * 32) continue;
    mark(dest, x0 + (int)((long)in.x * f.w / (w * 32)), y0 + (int)((long)in.y * f.h / (h * 32)),
         colour);
  }
}
