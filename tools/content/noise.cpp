// noise.cpp -- deterministic noise for drawn textures
#include "noise.h"

#include <cmath>

#include "picture.h"

// hash3
uint32_t hash3(int x, int y, int seed) {
  uint32_t h = (uint32_t)x * 0x8da6b343u ^ (uint32_t)y * 0xd8163841u ^
               (uint32_t)seed * 0xcb1ab31fu;
  h ^= h >> 16;
  h *= 0x7feb352du;
  h ^= h >> 15;
  h *= 0x846ca68bu;
  h ^= h >> 16;
  return h;
}

// hash01
double hash01(int x, int y, int seed) { return (hash3(x, y, seed) >> 8) / 16777216.0; }

// value_noise
// Random values at the lattice points, blended with a smooth step between.
double value_noise(double x, double y, int cell, int period, int seed) {
  int n = period / cell;
  double fx = x / cell, fy = y / cell;
  int ix = (int)std::floor(fx), iy = (int)std::floor(fy);
  double tx = fx - ix, ty = fy - iy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  double a = hash01(wrap(ix, n), wrap(iy, n), seed);
  double b = hash01(wrap(ix + 1, n), wrap(iy, n), seed);
  double c = hash01(wrap(ix, n), wrap(iy + 1, n), seed);
  double d = hash01(wrap(ix + 1, n), wrap(iy + 1, n), seed);
  return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

// cell_at
// Looks at the points of the pixel's square and its eight neighbours.
Cell cell_at(int x, int y, int cell, int period, double margin, double spread, int seed) {
  int n = period / cell;
  Cell c{1e9, 1e9, 0, 0, 0};
  for (int j = -1; j <= 1; j++)
    for (int i = -1; i <= 1; i++) {
      int gx = x / cell + i, gy = y / cell + j;
      int wx = wrap(gx, n), wy = wrap(gy, n);
      double px = (gx + margin + spread * hash01(wx, wy, seed)) * cell;
      double py = (gy + margin + spread * hash01(wx, wy, seed + 1)) * cell;
      double d = std::hypot(x + 0.5 - px, y + 0.5 - py);
      if (d < c.d1) {
        c.d2 = c.d1;
        c.d1 = d;
        c.id = wy * n + wx;
        c.px = px;
        c.py = py;
      } else if (d < c.d2) {
        c.d2 = d;
      }
    }
  return c;
}
