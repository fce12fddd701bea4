// noise.h -- deterministic noise for drawn textures: the same seed always
// gives the same picture, and every pattern can repeat at a tile's size so
// equal tiles join without a seam
#pragma once
#include <cstdint>

// A well-mixed 32-bit number from two coordinates and a seed.
uint32_t hash3(int x, int y, int seed);

// hash3 as a number in [0, 1).
double hash01(int x, int y, int seed);

// Smooth noise in [0, 1) on a lattice of `cell` pixels that repeats every
// `period` pixels (period must be a multiple of cell).
double value_noise(double x, double y, int cell, int period, int seed);

// The cell of pixel (x, y) in a pattern of cells round jittered points, one
// point in every `cell`-pixel square of a grid that repeats every `period`
// pixels. A point lies `margin` + `spread` * (a random share) of a square
// into it on each axis.
struct Cell {
  double d1, d2;  // distances of the pixel's centre to the nearest and second-nearest point
  double px, py;  // the nearest point
  int id;         // its square, row by row in one period
};
Cell cell_at(int x, int y, int cell, int period, double margin, double spread, int seed);
