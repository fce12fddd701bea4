// paint.h -- topdown's true-colour painting on the shared canvas: colour
// arithmetic, blending, bevels, outlines and shadows
#pragma once
#include <vector>

#include "noise.h"
#include "picture.h"

// Colour arithmetic
Rgb mix(Rgb a, Rgb b, double t);
Rgb scale(Rgb c, double f);
Rgb add(Rgb c, int d);
Rgb clamp_rgb(int r, int g, int b);

// Cloudy noise that repeats every 32 pixels
double tile_noise(int x, int y, int seed);

// Plotting
void blend(Image &im, int x, int y, Rgb c, double alpha);
void blend_wrap(Image &im, int x, int y, Rgb c, double alpha);

// Shapes and their shading
void bevel(Image &im, const std::vector<bool> &mask, int depth, double light,
           double dark, bool wrap_edges = false);
// bevel by the picture's own shape: its opaque pixels.
void bevel_shape(Image &im, int depth, double light, double dark);
void outline(Image &im, Rgb c);
void drop_shadow(Image &bg, const Image &shape, int ox, int oy, int dx, int dy, double alpha);
