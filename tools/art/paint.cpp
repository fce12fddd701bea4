// paint.cpp -- topdown's true-colour painting on the shared canvas
#include "paint.h"

#include <algorithm>
#include <cmath>

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

// blend_wrap
// blend with coordinates wrapped round the picture's edges.
void blend_wrap(Image &im, int x, int y, Rgb c, double alpha) {
  blend(im, wrap(x, im.w), wrap(y, im.h), c, alpha);
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
  each_pixel(im, [&](int x, int y) {
    if (!inside(x, y)) return;
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
  });
  im = out;
}

// bevel_shape
// Bevels the opaque pixels of a picture as one shape.
void bevel_shape(Image &im, int depth, double light, double dark) {
  std::vector<bool> mask(im.w * im.h);
  each_pixel(im, [&](int x, int y) { mask[y * im.w + x] = im.solid(x, y); });
  bevel(im, mask, depth, light, dark);
}

// outline
// Draws a one-pixel border of colour c round every shape of a sprite: each
// transparent pixel beside an opaque one takes the colour.
void outline(Image &im, Rgb c) {
  Image out = im;
  each_pixel(im, [&](int x, int y) {
    if (!im.solid(x, y) &&
        (im.solid(x - 1, y) || im.solid(x + 1, y) || im.solid(x, y - 1) || im.solid(x, y + 1)))
      out.set(x, y, c);
  });
  im = out;
}

// drop_shadow
// Darkens bg by alpha under the opaque pixels of shape placed at
// (ox + dx, oy + dy): the shadow a shape at (ox, oy) casts.
void drop_shadow(Image &bg, const Image &shape, int ox, int oy, int dx, int dy, double alpha) {
  each_pixel(shape, [&](int x, int y) {
    if (shape.solid(x, y)) blend(bg, ox + x + dx, oy + y + dy, {0, 0, 0}, alpha);
  });
}
