// icon.h -- the programs' icons, put together from the games' own pictures
//
// Each icon is laid out once on a 64 x 64 canvas from the built pictures
// (topdown's tiles and car from data.dat, sideview's tiles.bmp and
// sprites.bmp) and then made in every size a desktop asks for: doubled
// pixel for pixel above 64, averaged in blocks below.
#ifndef ICONS_ICON_H
#define ICONS_ICON_H

#include <cstddef>
#include <vector>

// One pixel: 8 bits each of red, green, blue and opacity.
struct Rgba {
  unsigned char r, g, b, a;
};

inline bool operator==(Rgba p, Rgba q) { return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a; }

const Rgba CLEAR = {0, 0, 0, 0};

// A picture in memory, row by row; outside it everything is clear.
struct Picture {
  int w = 0, h = 0;
  std::vector<Rgba> px;
  Rgba get(int x, int y) const {
    return x >= 0 && y >= 0 && x < w && y < h ? px[(size_t)y * w + x] : CLEAR;
  }
  void set(int x, int y, Rgba c) {
    if (x >= 0 && y >= 0 && x < w && y < h) px[(size_t)y * w + x] = c;
  }
};

Picture make_picture(int w, int h, Rgba fill = CLEAR);

// The w x h part of from at (x, y).
Picture cut(const Picture &from, int x, int y, int w, int h);

// Draws from onto to at (x, y), leaving what lies under its clear pixels.
void paste(const Picture &from, Picture &to, int x, int y);

// The picture at size x size pixels, from a square one whose side is size
// times a power of two or size divided by one: pixels repeated when
// enlarging, blocks averaged (weighted by opacity) when shrinking.
Picture resized(const Picture &square, int size);

// The canvas with its corners rounded off to radius r: clear outside.
void round_corners(Picture &p, int r);

// The layouts, each on 64 x 64.
// topdown: the car on the road below the checkered finish line.
Picture topdown_icon(const Picture &road, const Picture &finish, const Picture &car);
// sideview: the player on a castle floor before the wall, by a torch;
// tiles is the whole of tiles.bmp, player the standing player sprite.
Picture sideview_icon(const Picture &tiles, const Picture &player);
// sideview_edit: a patch of level under the editor's grid, one tile framed
// as the one being painted.
Picture editor_icon(const Picture &tiles);

// The sizes of the icons installed, in pixels.
const std::vector<int> &icon_sizes();

#endif
