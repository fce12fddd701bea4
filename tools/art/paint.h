// paint.h -- a small RGB canvas and the drawing helpers every picture uses
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  int r, g, b;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb a, Rgb b) { return !(a == b); }

// The transparent colour of masked sprites.
constexpr Rgb KEY = {255, 0, 255};

// A picture in memory: w x h pixels, row by row.
struct Image {
  int w = 0, h = 0;
  std::vector<Rgb> px;
  bool in(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  Rgb get(int x, int y) const { return in(x, y) ? px[y * w + x] : KEY; }
  void set(int x, int y, Rgb c) {
    if (in(x, y)) px[y * w + x] = c;
  }
  bool solid(int x, int y) const { return in(x, y) && px[y * w + x] != KEY; }
};

Image make_image(int w, int h, Rgb fill);

// Colour arithmetic
Rgb mix(Rgb a, Rgb b, double t);
Rgb scale(Rgb c, double f);
Rgb add(Rgb c, int d);
Rgb clamp_rgb(int r, int g, int b);

// Deterministic noise from a fixed seed
uint32_t hash3(int x, int y, int seed);
double hash01(int x, int y, int seed);
int wrap(int v, int period);
double value_noise(double x, double y, int cell, int period, int seed);
double tile_noise(int x, int y, int seed);

// Plotting
void blend(Image &im, int x, int y, Rgb c, double alpha);
void plot_wrap(Image &im, int x, int y, Rgb c);
void blend_wrap(Image &im, int x, int y, Rgb c, double alpha);
void fill_rect(Image &im, int x0, int y0, int x1, int y1, Rgb c);
void fill_ellipse(Image &im, double cx, double cy, double rx, double ry, Rgb c);
void fill_disc_wrap(Image &im, double cx, double cy, double r, Rgb c);
void line(Image &im, int x0, int y0, int x1, int y1, Rgb c);
void line_wrap(Image &im, int x0, int y0, int x1, int y1, Rgb c);
void blit(const Image &src, Image &dst, int dx, int dy);
void blit_masked(const Image &src, Image &dst, int dx, int dy);

// Shapes and their shading
void bevel(Image &im, const std::vector<bool> &mask, int depth, double light,
           double dark, bool wrap_edges = false);
void outline(Image &im, Rgb c);
void drop_shadow(Image &bg, const Image &shape, int ox, int oy, int dx, int dy, double alpha);
Image rotate90(const Image &im);
Image scaled(const Image &im, int factor);

// Output through Allegro (24-bit BMP)
bool save_image(const Image &im, const std::string &path);
