// picture.h -- the canvas every picture of both games is drawn on: a grid of
// pixels (RGB colours for topdown, colour codes for sideview) and the drawing
// helpers that do not care which
#pragma once
#include <cstring>
#include <initializer_list>
#include <vector>

struct Rgb {
  int r, g, b;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb a, Rgb b) { return !(a == b); }

// The transparent colour of masked RGB sprites (magic pink).
constexpr Rgb KEY = {255, 0, 255};

// The transparent pixel of each kind of picture: magic pink in RGB
// pictures, code 0 in pictures of colour codes. Reads outside a picture
// give it and masked pastes leave it out.
inline Rgb transparent_pixel(Rgb) { return KEY; }
inline unsigned char transparent_pixel(unsigned char) { return 0; }

// w x h pixels, row by row; writes outside are dropped.
template <class Pixel> struct Picture {
  int w = 0, h = 0;
  std::vector<Pixel> px;
  bool in(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  Pixel get(int x, int y) const { return in(x, y) ? px[y * w + x] : transparent_pixel(Pixel{}); }
  void set(int x, int y, Pixel c) {
    if (in(x, y)) px[y * w + x] = c;
  }
  // Inside and not transparent.
  bool solid(int x, int y) const { return in(x, y) && px[y * w + x] != transparent_pixel(Pixel{}); }
};

typedef Picture<Rgb> Image;             // true colour, for topdown
typedef Picture<unsigned char> Canvas;  // colour codes or palette indices, for sideview

// The type of a pixel value given to a drawing helper: taken from the
// picture, so that an int colour code draws on a Canvas without a cast.
template <class Pixel> struct PixelOf {
  typedef Pixel type;
};
template <class Pixel> using PixelValue = typename PixelOf<Pixel>::type;

// A w x h picture filled with one pixel value.
template <class Pixel> Picture<Pixel> make_picture(int w, int h, Pixel fill) {
  Picture<Pixel> p;
  p.w = w;
  p.h = h;
  p.px.assign((size_t)w * h, fill);
  return p;
}
inline Image make_image(int w, int h, Rgb fill) { return make_picture(w, h, fill); }
inline Canvas make_canvas(int w, int h, int fill = 0) {
  return make_picture(w, h, (unsigned char)fill);
}

// v taken into 0 .. period - 1 (also for negative v).
inline int wrap(int v, int period) { return ((v % period) + period) % period; }

// each_pixel
// Calls f(x, y) for every pixel of a picture, row by row.
template <class Pixel, class F> void each_pixel(const Picture<Pixel> &p, F f) {
  for (int y = 0; y < p.h; y++)
    for (int x = 0; x < p.w; x++) f(x, y);
}

// fill_box
// Fills the rectangle with corners (x0, y0) and (x1, y1), both included.
template <class Pixel> void fill_box(Picture<Pixel> &p, int x0, int y0, int x1, int y1, PixelValue<Pixel> c) {
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) p.set(x, y, c);
}
template <class Pixel> void hline(Picture<Pixel> &p, int x0, int x1, int y, PixelValue<Pixel> c) {
  fill_box(p, x0, y, x1, y, c);
}
template <class Pixel> void vline(Picture<Pixel> &p, int x, int y0, int y1, PixelValue<Pixel> c) {
  fill_box(p, x, y0, x, y1, c);
}

// fill_ellipse
// Fills the pixels whose centres lie inside the ellipse round (cx, cy)
// with radii rx and ry.
template <class Pixel>
void fill_ellipse(Picture<Pixel> &p, double cx, double cy, double rx, double ry,
                  PixelValue<Pixel> c) {
  for (int y = (int)(cy - ry - 1); y <= (int)(cy + ry + 1); y++)
    for (int x = (int)(cx - rx - 1); x <= (int)(cx + rx + 1); x++) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) p.set(x, y, c);
    }
}

// trace_line
// Calls plot(x, y) for every pixel of the line from (x0, y0) to (x1, y1)
// (Bresenham's, both ends included).
template <class Plot> void trace_line(int x0, int y0, int x1, int y1, Plot plot) {
  int dx = x1 > x0 ? x1 - x0 : x0 - x1, dy = -(y1 > y0 ? y1 - y0 : y0 - y1);
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
template <class Pixel> void line(Picture<Pixel> &p, int x0, int y0, int x1, int y1, PixelValue<Pixel> c) {
  trace_line(x0, y0, x1, y1, [&](int x, int y) { p.set(x, y, c); });
}

// A pixel for set_pixels: its place and its value (an int colour code on
// a Canvas, as the other helpers take them).
template <class Pixel> struct PixelAt {
  int x, y;
  Pixel c;
};
template <> struct PixelAt<unsigned char> {
  int x, y, c;
};

// set_pixels
// Sets a list of pixels in turn.
template <class Pixel>
void set_pixels(Picture<Pixel> &p, std::initializer_list<PixelAt<PixelValue<Pixel>>> pixels) {
  for (const auto &q : pixels) p.set(q.x, q.y, (Pixel)q.c);
}

// plot_wrap, line_wrap
// A pixel and a line whose coordinates wrap round the picture's edges (for
// pictures that repeat, like tiles).
template <class Pixel> void plot_wrap(Picture<Pixel> &p, int x, int y, PixelValue<Pixel> c) {
  p.set(wrap(x, p.w), wrap(y, p.h), c);
}
template <class Pixel>
void line_wrap(Picture<Pixel> &p, int x0, int y0, int x1, int y1, PixelValue<Pixel> c) {
  trace_line(x0, y0, x1, y1, [&](int x, int y) { plot_wrap(p, x, y, c); });
}

// paste
// Copies src into dst with its top-left corner at (dx, dy); with masked,
// transparent pixels of src are left out.
template <class Pixel>
void paste(const Picture<Pixel> &src, Picture<Pixel> &dst, int dx, int dy, bool masked = false) {
  each_pixel(src, [&](int x, int y) {
    if (!masked || src.solid(x, y)) dst.set(dx + x, dy + y, src.get(x, y));
  });
}

// cut
// The w x h part of src at (x, y); parts outside src are transparent.
template <class Pixel> Picture<Pixel> cut(const Picture<Pixel> &src, int x, int y, int w, int h) {
  Picture<Pixel> out = make_picture(w, h, transparent_pixel(Pixel{}));
  each_pixel(out, [&](int i, int j) { out.set(i, j, src.get(x + i, y + j)); });
  return out;
}

// rotate90
// The picture turned a quarter turn clockwise.
template <class Pixel> Picture<Pixel> rotate90(const Picture<Pixel> &p) {
  Picture<Pixel> out = make_picture(p.h, p.w, transparent_pixel(Pixel{}));
  each_pixel(p, [&](int x, int y) { out.set(p.h - 1 - y, x, p.get(x, y)); });
  return out;
}

// scaled
// The picture enlarged by a whole factor, each pixel a square block.
template <class Pixel> Picture<Pixel> scaled(const Picture<Pixel> &p, int factor) {
  Picture<Pixel> out = make_picture(p.w * factor, p.h * factor, transparent_pixel(Pixel{}));
  each_pixel(out, [&](int x, int y) { out.set(x, y, p.get(x / factor, y / factor)); });
  return out;
}

// draw_rows
// Draws a small picture written as rows of characters with its top-left
// corner at (x0, y0): the k-th character of `legend` stands for the k-th of
// `values`; any other character leaves its pixel as it is.
template <class Pixel, class Value>
void draw_rows(Picture<Pixel> &p, int x0, int y0, const char *legend,
               std::initializer_list<Value> values, std::initializer_list<const char *> rows) {
  int y = y0;
  for (const char *row : rows) {
    for (int x = 0; row[x]; x++) {
      const char *k = strchr(legend, row[x]);
      if (k && k - legend < (long)values.size())
        p.set(x0 + x, y, Pixel(values.begin()[k - legend]));
    }
    y++;
  }
}
