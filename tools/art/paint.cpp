// paint.cpp -- a small RGB canvas and the drawing helpers every picture uses
#include "paint.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

// make_image
// A w x h picture filled with one colour.
Image make_image(int w, int h, Rgb fill) {
  Image im;
  im.w = w;
  im.h = h;
  im.px.assign(w * h, fill);
  return im;
}

// clamp_rgb
// A colour with each component held to 0..255.
Rgb clamp_rgb(int r, int g, int b) {
  return {std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)};
}

// mix
// The colour t of the way from a to b.
Rgb mix(Rgb a, Rgb b, double t) {
  return clamp_rgb((int)std::lround(a.r + (b.r - a.r) * t),
                   (int)std::lround(a.g + (b.g - a.g) * t),
                   (int)std::lround(a.b + (b.b - a.b) * t));
}

// scale
// Brighter (f > 1) or darker (f < 1) by multiplying every component.
Rgb scale(Rgb c, double f) {
  return clamp_rgb((int)std::lround(c.r * f), (int)std::lround(c.g * f),
                   (int)std::lround(c.b * f));
}

// add
// Every component moved by d.
Rgb add(Rgb c, int d) { return clamp_rgb(c.r + d, c.g + d, c.b + d); }

// hash3
// A well-mixed 32-bit number from two coordinates and a seed.
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
// hash3 as a number in [0, 1).
double hash01(int x, int y, int seed) { return (hash3(x, y, seed) >> 8) / 16777216.0; }

// wrap
// v taken into 0 .. period - 1 (also for negative v).
int wrap(int v, int period) { return ((v % period) + period) % period; }

// value_noise
// Smooth noise in [0, 1) on a lattice of `cell` pixels that repeats every
// `period` pixels (period must be a multiple of cell).
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

// tile_noise
// Cloudy noise in [0, 1) that repeats every 32 pixels, so neighbouring
// tiles of one kind join without a seam.
double tile_noise(int x, int y, int seed) {
  return 0.5 * value_noise(x, y, 16, 32, seed) + 0.3 * value_noise(x, y, 8, 32, seed + 1) +
         0.2 * value_noise(x, y, 4, 32, seed + 2);
}

// blend
// Lays colour c over pixel (x, y) with the given opacity.
void blend(Image &im, int x, int y, Rgb c, double alpha) {
  if (!im.in(x, y)) return;
  im.set(x, y, mix(im.get(x, y), c, alpha));
}

// plot_wrap
// Sets a pixel, wrapping the coordinates round the picture's edges.
void plot_wrap(Image &im, int x, int y, Rgb c) { im.set(wrap(x, im.w), wrap(y, im.h), c); }

// blend_wrap
// blend with coordinates wrapped round the picture's edges.
void blend_wrap(Image &im, int x, int y, Rgb c, double alpha) {
  blend(im, wrap(x, im.w), wrap(y, im.h), c, alpha);
}

// fill_rect
// Fills the rectangle with corners (x0, y0) and (x1, y1), both included.
void fill_rect(Image &im, int x0, int y0, int x1, int y1, Rgb c) {
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) im.set(x, y, c);
}

// fill_ellipse
// Fills the pixels whose centres lie inside the ellipse.
void fill_ellipse(Image &im, double cx, double cy, double rx, double ry, Rgb c) {
  for (int y = (int)(cy - ry - 1); y <= (int)(cy + ry + 1); y++)
    for (int x = (int)(cx - rx - 1); x <= (int)(cx + rx + 1); x++) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) im.set(x, y, c);
    }
}

// fill_disc_wrap
// A filled disc that wraps round the picture's edges.
void fill_disc_wrap(Image &im, double cx, double cy, double r, Rgb c) {
  for (int y = (int)std::floor(cy - r - 1); y <= (int)(cy + r + 1); y++)
    for (int x = (int)std::floor(cx - r - 1); x <= (int)(cx + r + 1); x++) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      if (dx * dx + dy * dy <= r * r) plot_wrap(im, x, y, c);
    }
}

// line_impl
// Bresenham line through a plotting function.
template <class F> static void line_impl(int x0, int y0, int x1, int y1, F plot) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
  for (;;) {
    plot(x0, y0);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

// line
// A one-pixel line, clipped to the picture.
void line(Image &im, int x0, int y0, int x1, int y1, Rgb c) {
  line_impl(x0, y0, x1, y1, [&](int x, int y) { im.set(x, y, c); });
}

// line_wrap
// A one-pixel line that wraps round the picture's edges.
void line_wrap(Image &im, int x0, int y0, int x1, int y1, Rgb c) {
  line_impl(x0, y0, x1, y1, [&](int x, int y) { plot_wrap(im, x, y, c); });
}

// blit
// Copies src into dst with its top-left corner at (dx, dy).
void blit(const Image &src, Image &dst, int dx, int dy) {
  for (int y = 0; y < src.h; y++)
    for (int x = 0; x < src.w; x++) dst.set(dx + x, dy + y, src.get(x, y));
}

// blit_masked
// Copies the non-transparent pixels of src into dst.
void blit_masked(const Image &src, Image &dst, int dx, int dy) {
  for (int y = 0; y < src.h; y++)
    for (int x = 0; x < src.w; x++)
      if (src.solid(x, y)) dst.set(dx + x, dy + y, src.get(x, y));
}

// bevel
// Shades the pixels of a shape as if lit from the top left: pixels within
// `depth` of the shape's upper-left edge get brighter, those near the
// lower-right edge darker, strongest at the edge. With `wrap_edges` the
// mask continues round the picture's borders (for repeating tiles);
// otherwise the outside of the picture counts as outside the shape.
void bevel(Image &im, const std::vector<bool> &mask, int depth, double light, double dark,
           bool wrap_edges) {
  auto inside = [&](int x, int y) {
    if (wrap_edges) x = wrap(x, im.w), y = wrap(y, im.h);
    return im.in(x, y) && mask[y * im.w + x];
  };
  Image out = im;
  for (int y = 0; y < im.h; y++)
    for (int x = 0; x < im.w; x++) {
      if (!inside(x, y)) continue;
      for (int k = 1; k <= depth; k++) {
        double f = (double)(depth - k + 1) / depth;
        if (!inside(x - k, y) || !inside(x, y - k)) {
          out.set(x, y, scale(im.get(x, y), 1 + light * f));
          break;
        }
        if (!inside(x + k, y) || !inside(x, y + k)) {
          out.set(x, y, scale(im.get(x, y), 1 - dark * f));
          break;
        }
      }
    }
  im = out;
}

// outline
// Draws a one-pixel border of colour c round every shape of a sprite: each
// transparent pixel beside an opaque one takes the colour.
void outline(Image &im, Rgb c) {
  Image out = im;
  for (int y = 0; y < im.h; y++)
    for (int x = 0; x < im.w; x++)
      if (!im.solid(x, y) &&
          (im.solid(x - 1, y) || im.solid(x + 1, y) || im.solid(x, y - 1) || im.solid(x, y + 1)))
        out.set(x, y, c);
  im = out;
}

// drop_shadow
// Darkens bg by alpha under the opaque pixels of shape placed at
// (ox + dx, oy + dy): the shadow a shape at (ox, oy) casts.
void drop_shadow(Image &bg, const Image &shape, int ox, int oy, int dx, int dy, double alpha) {
  for (int y = 0; y < shape.h; y++)
    for (int x = 0; x < shape.w; x++)
      if (shape.solid(x, y)) blend(bg, ox + x + dx, oy + y + dy, {0, 0, 0}, alpha);
}

// rotate90
// The picture turned a quarter turn clockwise.
Image rotate90(const Image &im) {
  Image out = make_image(im.h, im.w, KEY);
  for (int y = 0; y < im.h; y++)
    for (int x = 0; x < im.w; x++) out.set(im.h - 1 - y, x, im.get(x, y));
  return out;
}

// scaled
// The picture enlarged by a whole factor, each pixel a square block.
Image scaled(const Image &im, int factor) {
  Image out = make_image(im.w * factor, im.h * factor, KEY);
  for (int y = 0; y < out.h; y++)
    for (int x = 0; x < out.w; x++) out.set(x, y, im.get(x / factor, y / factor));
  return out;
}

// save_image
// Writes the picture as a 24-bit BMP through Allegro; false on failure.
bool save_image(const Image &im, const std::string &path) {
  BITMAP *bmp = create_bitmap_ex(24, im.w, im.h);
  if (!bmp) return false;
  for (int y = 0; y < im.h; y++)
    for (int x = 0; x < im.w; x++) {
      Rgb c = im.get(x, y);
      putpixel(bmp, x, y, makecol24(c.r, c.g, c.b));
    }
  bool ok = save_bmp(path.c_str(), bmp, nullptr) == 0;
  destroy_bitmap(bmp);
  return ok;
}
