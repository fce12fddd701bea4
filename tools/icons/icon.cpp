// icon.cpp -- the programs' icons, put together from the games' own pictures
#include "icon.h"

Picture make_picture(int w, int h, Rgba fill) {
  Picture p;
  p.w = w;
  p.h = h;
  p.px.assign((size_t)w * h, fill);
  return p;
}

Picture cut(const Picture &from, int x, int y, int w, int h) {
  Picture p = make_picture(w, h);
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) p.set(i, j, from.get(x + i, y + j));
  return p;
}

void paste(const Picture &from, Picture &to, int x, int y) {
  for (int j = 0; j < from.h; j++)
    for (int i = 0; i < from.w; i++) {
      Rgba c = from.get(i, j);
      if (c.a) to.set(x + i, y + j, c);
    }
}

// One pixel of a picture k times smaller: the average of a k x k block,
// each colour weighted by its opacity, so a clear pixel's colour doesn't
// darken an edge.
static Rgba block_average(const Picture &p, int x0, int y0, int k) {
  long r = 0, g = 0, b = 0, a = 0;
  for (int y = y0; y < y0 + k; y++)
    for (int x = x0; x < x0 + k; x++) {
      Rgba c = p.get(x, y);
      r += c.r * c.a;
      g += c.g * c.a;
      b += c.b * c.a;
      a += c.a;
    }
  if (a == 0) return CLEAR;
  return {(unsigned char)((r + a / 2) / a), (unsigned char)((g + a / 2) / a),
          (unsigned char)((b + a / 2) / a), (unsigned char)((a + k * k / 2) / (k * k))};
}

Picture resized(const Picture &square, int size) {
  Picture p = make_picture(size, size);
  if (size >= square.w) {
    int k = size / square.w;
    for (int y = 0; y < size; y++)
      for (int x = 0; x < size; x++) p.set(x, y, square.get(x / k, y / k));
  } else {
    int k = square.w / size;
    for (int y = 0; y < size; y++)
      for (int x = 0; x < size; x++) p.set(x, y, block_average(square, x * k, y * k, k));
  }
  return p;
}

void round_corners(Picture &p, int r) {
  for (int y = 0; y < r; y++)
    for (int x = 0; x < r; x++) {
      // Distance of the pixel's centre from the corner circle's centre.
      double dx = r - (x + 0.5), dy = r - (y + 0.5);
      if (dx * dx + dy * dy <= (double)r * r) continue;
      p.set(x, y, CLEAR);
      p.set(p.w - 1 - x, y, CLEAR);
      p.set(x, p.h - 1 - y, CLEAR);
      p.set(p.w - 1 - x, p.h - 1 - y, CLEAR);
    }
}

static const int SIDE = 64, CORNER = 8;

Picture topdown_icon(const Picture &road, const Picture &finish, const Picture &car) {
  Picture p = make_picture(SIDE, SIDE);
  for (int x = 0; x < SIDE; x += road.w) {
    for (int y = 0; y < SIDE; y += road.h) paste(road, p, x, y);
    paste(finish, p, x, 0);
  }
  paste(car, p, (SIDE - car.w) / 2, (SIDE - car.h) / 2);
  round_corners(p, CORNER);
  return p;
}

// A 16 x 16 tile of sideview's tiles.bmp.
static Picture tile(const Picture &tiles, int index) {
  return cut(tiles, 16 * (index % 16), 16 * (index / 16), 16, 16);
}

Picture sideview_icon(const Picture &tiles, const Picture &player) {
  enum { STONE_BLOCK = 1, BACK_WALL = 2, BACK_TORCH = 17 };
  Picture p = make_picture(SIDE, SIDE);
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 4; x++) paste(tile(tiles, x == 3 && y == 1 ? BACK_TORCH : BACK_WALL), p, 16 * x, 16 * y);
  for (int x = 0; x < 4; x++) paste(tile(tiles, STONE_BLOCK), p, 16 * x, 48);
  paste(player, p, 12, 48 - player.h);
  round_corners(p, CORNER);
  return p;
}

Picture editor_icon(const Picture &tiles) {
  enum { SKY = 46, MOON = 48, CLOUD = 49, GRASS = 50, DIRT = 51, TRUNK = 57, CROWN = 58,
         FLOWERS = 60 };
  static const int level[4][4] = {{SKY, SKY, CLOUD, MOON},
                                  {CROWN, SKY, SKY, SKY},
                                  {TRUNK, FLOWERS, SKY, SKY},
                                  {GRASS, GRASS, GRASS, DIRT}};
  Picture p = make_picture(SIDE, SIDE);
  for (int y = 0; y < 4; y++)
    for (int x = 0; x < 4; x++) paste(tile(tiles, level[y][x]), p, 16 * x, 16 * y);
  // The grid: a dark line between tiles.
  const Rgba line = {24, 24, 40, 255};
  for (int i = 16; i < SIDE; i += 16)
    for (int j = 0; j < SIDE; j++) {
      p.set(i, j, line);
      p.set(j, i, line);
    }
  // The tile being painted, framed twice: white inside dark for any ground.
  const Rgba white = {255, 255, 255, 255};
  const int fx = 32, fy = 32;
  for (int j = -1; j <= 16; j++)
    for (int i = -1; i <= 16; i++) {
      bool outer = i == -1 || i == 16 || j == -1 || j == 16;
      bool inner = !outer && (i == 0 || i == 15 || j == 0 || j == 15);
      if (outer) p.set(fx + i, fy + j, line);
      if (inner) p.set(fx + i, fy + j, white);
    }
  round_corners(p, CORNER);
  return p;
}

const std::vector<int> &icon_sizes() {
  static const std::vector<int> sizes = {32, 64, 128};
  return sizes;
}
