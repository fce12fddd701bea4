// present.cpp -- a picture shown k times larger, the pointer at the same
// scale, only what changed sent
#include "present.h"

#include <cstdint>
#include <cstring>

#include "present_x11.h"

// What is being shown where: the target, the picture's size and depth, the
// factor and the picture's top-left on the target.
static BITMAP *target;
static int pic_w, pic_h, pic_depth, scale = 1, left, top;
// The frame on the target as the picture's pixels (pointer included), to
// tell what the next frame changes; false until a frame has been sent.
static BITMAP *shown;
static bool shown_valid;
// The enlarged frame, in memory, when the target is a screen that the X
// server does not enlarge itself: areas are enlarged into it and blitted
// from there, one blit per area.
static BITMAP *big;
// What the pointer covered in the last frame: its rectangle on the picture
// and the pixels under it.
static BITMAP *under;
static int under_x, under_y, under_w, under_h;
static bool pointer_shown;

static int bytes_per_pixel(BITMAP *b) { return (bitmap_color_depth(b) + 7) / 8; }

// One row of an area: pixels x0 ... x1 - 1 of in, each written k times
// from out on. Pixel is the type of one pixel of 1, 2 or 4 bytes.
template <class Pixel>
static void widen_row(const unsigned char *in, unsigned char *out, int k, int x0, int x1) {
  const Pixel *src = (const Pixel *)in;
  Pixel *dst = (Pixel *)out;
  for (int x = x0; x < x1; x++) {
    Pixel v = src[x];
    for (int r = 0; r < k; r++) *dst++ = v;
  }
}

// 8-bit rows, the most common case at the largest factors: one 8-byte
// store per pixel while it stays inside the area's row (the next pixel's
// store overwrites the surplus), byte by byte at the end.
static void widen_row8(const unsigned char *in, unsigned char *out, int k, int x0, int x1) {
  int wide = (x1 - x0) * k, x = x0;
  for (; (x - x0) * k + 8 <= wide; x++) {
    uint64_t fill = in[x] * UINT64_C(0x0101010101010101);
    memcpy(out + (x - x0) * k, &fill, 8);
  }
  for (; x < x1; x++) memset(out + (x - x0) * k, in[x], k);
}

// 16-bit rows at the factor 2: a pixel and its copy in one 4-byte store.
static void widen_row16_2(const unsigned char *in, unsigned char *out, int x0, int x1) {
  const uint16_t *src = (const uint16_t *)in;
  for (int x = x0; x < x1; x++) {
    uint32_t pair = src[x] * 0x10001u;
    memcpy(out + 4 * (x - x0), &pair, 4);
  }
}

// 24-bit rows: three bytes a pixel.
static void widen_row24(const unsigned char *in, unsigned char *out, int k, int x0, int x1) {
  for (int x = x0; x < x1; x++)
    for (int r = 0; r < k; r++, out += 3) memcpy(out, in + 3 * x, 3);
}

// enlarge_area
// Each source row is widened into the first of its k rows, which is then
// copied into the other k - 1.
void enlarge_area(BITMAP *src, BITMAP *dst, int k, int x0, int y0, int x1, int y1, int dx,
                  int dy) {
  if (x0 >= x1 || y0 >= y1 || k < 1) return;
  int bpp = bytes_per_pixel(src);
  size_t span = (size_t)(x1 - x0) * k * bpp;
  for (int y = y0; y < y1; y++) {
    const unsigned char *in = src->line[y];
    unsigned char *out = dst->line[dy + y * k] + (size_t)(dx + x0 * k) * bpp;
    switch (bpp) {
      case 1: widen_row8(in, out, k, x0, x1); break;
      case 2:
        if (k == 2)
          widen_row16_2(in, out, x0, x1);
        else
          widen_row<uint16_t>(in, out, k, x0, x1);
        break;
      case 3: widen_row24(in, out, k, x0, x1); break;
      default: widen_row<uint32_t>(in, out, k, x0, x1); break;
    }
    for (int r = 1; r < k; r++)
      memcpy(dst->line[dy + y * k + r] + (size_t)(dx + x0 * k) * bpp, out, span);
  }
}

// row_change
// A plain comparison first (most rows of most frames are the same), then
// the first and last differing bytes, eight at a time.
bool row_change(BITMAP *a, BITMAP *b, int y, int &x0, int &x1) {
  int bpp = bytes_per_pixel(a);
  size_t n = (size_t)a->w * bpp;
  const unsigned char *p = a->line[y], *q = b->line[y];
  if (memcmp(p, q, n) == 0) return false;
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t u, v;
    memcpy(&u, p + i, 8);
    memcpy(&v, q + i, 8);
    if (u != v) break;
  }
  while (p[i] == q[i]) i++;
  size_t j = n;
  for (; j >= i + 8; j -= 8) {
    uint64_t u, v;
    memcpy(&u, p + j - 8, 8);
    memcpy(&v, q + j - 8, 8);
    if (u != v) break;
  }
  while (p[j - 1] == q[j - 1]) j--;
  x0 = (int)(i / bpp);
  x1 = (int)((j + bpp - 1) / bpp);
  return true;
}

// present_start
// A new target for pictures of the same size and depth keeps the last frame,
// for present_again to send there.
bool present_start(BITMAP *t, int w, int h, int depth, int k, int ox, int oy) {
  bool keep = shown && w == pic_w && h == pic_h && depth == pic_depth;
  if (!keep) present_stop();
  if (big) destroy_bitmap(big);
  big = nullptr;
  target = t;
  pic_w = w;
  pic_h = h;
  pic_depth = depth;
  scale = k < 1 ? 1 : k;
  left = ox;
  top = oy;
  if (!shown) shown = create_bitmap_ex(depth, w, h);
  bool enlarge_here = scale > 1 && !is_memory_bitmap(t) &&
                      !(t == screen && x11_scale_start(w, h, depth, scale, ox, oy));
  if (enlarge_here) big = create_bitmap_ex(depth, w * scale, h * scale);
  if (!shown || (enlarge_here && !big)) {
    present_stop();
    return false;
  }
  return true;
}

// present_stop
void present_stop() {
  x11_scale_stop();
  if (shown) destroy_bitmap(shown);
  if (big) destroy_bitmap(big);
  if (under) destroy_bitmap(under);
  shown = big = under = nullptr;
  shown_valid = pointer_shown = false;
  target = nullptr;
  pic_w = pic_h = 0;
  scale = 1;
  left = top = 0;
}

// Sends columns x0 ... x1 - 1 of rows y0 ... y1 - 1 of shown to the target.
// The X server enlarges the area itself where it can; otherwise a memory
// target takes the enlargement directly, and a screen gets one blit of the
// area enlarged in memory, or of shown itself at the factor 1.
static void send_area(int x0, int y0, int x1, int y1) {
  int k = scale;
  if (x11_scale_on()) {
    x11_scale_send(shown, x0, y0, x1, y1);
  } else if (k == 1) {
    blit(shown, target, x0, y0, left + x0, top + y0, x1 - x0, y1 - y0);
  } else if (is_memory_bitmap(target)) {
    enlarge_area(shown, target, k, x0, y0, x1, y1, left, top);
  } else {
    enlarge_area(shown, big, k, x0, y0, x1, y1, 0, 0);
    blit(big, target, k * x0, k * y0, left + k * x0, top + k * y0, k * (x1 - x0), k * (y1 - y0));
  }
}

// Sends what picture changes against shown, one area per run of changed
// rows, and makes shown hold it. Everything when nothing has been shown,
// or when the X server is to show an 8-bit picture in a new palette.
static void send_changes(BITMAP *picture) {
  if (x11_scale_palette_changed()) shown_valid = false;
  size_t row_bytes = (size_t)pic_w * bytes_per_pixel(shown);
  int y = 0;
  while (y < pic_h) {
    int a = 0, b = pic_w;
    if (shown_valid && !row_change(picture, shown, y, a, b)) {
      y++;
      continue;
    }
    int y0 = y, x0 = a, x1 = b;
    for (;;) {
      memcpy(shown->line[y], picture->line[y], row_bytes);
      if (++y >= pic_h) break;
      if (shown_valid && !row_change(picture, shown, y, a, b)) break;
      if (a < x0) x0 = a;
      if (b > x1) x1 = b;
    }
    send_area(x0, y0, x1, y);
  }
  shown_valid = true;
  x11_scale_flush();
}

// present_frame
// A picture of another size or depth than the one started with is not
// shown: its rows would not match.
void present_frame(BITMAP *picture, BITMAP *sprite, int fx, int fy, int px, int py) {
  if (!target || !picture || picture->w != pic_w || picture->h != pic_h ||
      bitmap_color_depth(picture) != pic_depth)
    return;
  bool pointer = sprite && bitmap_color_depth(sprite) == pic_depth;
  if (pointer && (!under || under->w < sprite->w || under->h < sprite->h)) {
    if (under) destroy_bitmap(under);
    under = create_bitmap_ex(pic_depth, sprite->w, sprite->h);
    if (!under) pointer = false;
  }
  if (pointer) {
    under_x = px - fx;
    under_y = py - fy;
    under_w = sprite->w;
    under_h = sprite->h;
    blit(picture, under, under_x, under_y, 0, 0, under_w, under_h);
    draw_sprite(picture, sprite, under_x, under_y);
  }
  send_changes(picture);
  if (pointer) blit(under, picture, 0, 0, under_x, under_y, under_w, under_h);
  pointer_shown = pointer;
}

// present_again
void present_again() {
  if (!target || !shown_valid) return;
  send_area(0, 0, pic_w, pic_h);
  x11_scale_flush();
}

void present_let_go() { x11_scale_stop(); }
void present_tend() { x11_scale_flush(); }

// present_last
bool present_last(BITMAP *dest) {
  if (!shown_valid || !dest) return false;
  blit(shown, dest, 0, 0, 0, 0, pic_w, pic_h);
  if (pointer_shown) blit(under, dest, 0, 0, under_x, under_y, under_w, under_h);
  return true;
}

int present_scale() { return scale; }
int present_left() { return left; }
int present_top() { return top; }
int present_width() { return pic_w; }
int present_height() { return pic_h; }
