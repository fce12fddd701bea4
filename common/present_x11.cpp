// present_x11.cpp -- pictures enlarged by the X server (Render)
#include "present_x11.h"

#include <xalleg.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrender.h>

#include <cstdint>
#include <cstring>
#include <vector>

// Our connection, opened on the first start and kept; false once the
// server has shown it has no Render, so it is not asked again.
static Display *dpy;
static bool no_render;
static int (*old_error_handler)(Display *, XErrorEvent *);
static bool x_failed;

// Our window over Allegro's, the picture at its own size on the server
// (pixmap, read through src with the enlarging transform), the window as
// Render's destination, and the picture converted on our side.
static Window win;
static Pixmap pixmap;
static Picture src, dst;
static GC gc;
static XImage *image;
static std::vector<uint32_t> pixels;
// The picture's size and depth, the factor and the picture's top-left in
// the window.
static struct {
  int w, h, depth, k, left, top;
} pic;

// Where red, green and blue go in the display's 32-bit pixels, and the
// tables from the picture's pixels to them: 8-bit through the palette,
// 15- and 16-bit through every value.
static int rshift, gshift, bshift;
static uint32_t from8[256];
static RGB palette_used[256];
static bool palette_known;
static std::vector<uint32_t> from16;
static bool exposed;

// Errors on our connection (a window gone with Allegro's) are noted, not
// fatal; any other connection's go to the handler that was there before.
static int note_error(Display *d, XErrorEvent *e) {
  if (d == dpy) {
    x_failed = true;
    return 0;
  }
  return old_error_handler ? old_error_handler(d, e) : 0;
}

static uint32_t rgb(int r, int g, int b) {
  return (uint32_t)r << rshift | (uint32_t)g << gshift | (uint32_t)b << bshift;
}

// The shift of an 8-bit colour mask, or -1 when it is not one.
static int mask_shift(unsigned long mask) {
  for (int s = 0; s <= 24; s += 8)
    if (mask == 0xFFul << s) return s;
  return -1;
}

// The colours Allegro's own conversion for an X11 screen gives, so that a
// picture looks the same at every scale: a 5- or 6-bit value is widened by
// repeating its top bits below it, except the green of 16-bit pixels,
// which it widens in two halves, its high three bits and its low three
// bits each through a table of their own.
static int widen5(int v) { return v << 3 | v >> 2; }
static int widen6(int v) { return v << 2 | v >> 4; }
static const uint8_t green_high[8] = {0, 32, 64, 97, 129, 162, 194, 226};
static const uint8_t green_low[8] = {0, 4, 8, 12, 16, 20, 24, 29};

static void make_tables() {
  palette_known = false;
  from16.clear();
  if (pic.depth == 15) {
    from16.resize(65536);
    for (int c = 0; c < 65536; c++)
      from16[c] = rgb(widen5(c >> _rgb_r_shift_15 & 31), widen5(c >> _rgb_g_shift_15 & 31),
                      widen5(c >> _rgb_b_shift_15 & 31));
  } else if (pic.depth == 16) {
    from16.resize(65536);
    for (int c = 0; c < 65536; c++) {
      int g = c >> _rgb_g_shift_16 & 63;
      from16[c] = rgb(widen5(c >> _rgb_r_shift_16 & 31), green_high[g >> 3] + green_low[g & 7],
                      widen5(c >> _rgb_b_shift_16 & 31));
    }
  }
}

static bool open_connection() {
  if (dpy) return true;
  if (no_render || !_xwin.display) return false;
  dpy = XOpenDisplay(DisplayString(_xwin.display));
  if (!dpy) return false;
  int event_base, error_base;
  if (!XRenderQueryExtension(dpy, &event_base, &error_base)) {
    XCloseDisplay(dpy);
    dpy = nullptr;
    no_render = true;
    return false;
  }
  old_error_handler = XSetErrorHandler(note_error);
  return true;
}

// x11_scale_start
bool x11_scale_start(int w, int h, int depth, int k, int ox, int oy) {
  x11_scale_stop();
  if (w <= 0 || h <= 0 || k < 1) return false;
  if (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32) return false;
  Window parent = _xwin.window;
  if (!parent || !open_connection()) return false;
  x_failed = false;
  XWindowAttributes wa;
  if (!XGetWindowAttributes(dpy, parent, &wa) || x_failed) return false;
  Visual *v = wa.visual;
  rshift = mask_shift(v->red_mask);
  gshift = mask_shift(v->green_mask);
  bshift = mask_shift(v->blue_mask);
  XRenderPictFormat *format = XRenderFindVisualFormat(dpy, v);
  if (wa.depth != 24 || v->c_class != TrueColor || rshift < 0 || gshift < 0 || bshift < 0 ||
      !format)
    return false;

  pic = {w, h, depth, k, ox, oy};
  pixels.assign((size_t)w * h, 0);
  make_tables();

  // Black where nothing is drawn: around the picture, and wherever the
  // server clears an exposed area. No input: it all goes on to Allegro's.
  XSetWindowAttributes a = {};
  a.background_pixel = 0;
  a.event_mask = ExposureMask;
  win = XCreateWindow(dpy, parent, 0, 0, wa.width, wa.height, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWBackPixel | CWEventMask, &a);
  pixmap = XCreatePixmap(dpy, win, w, h, 24);
  gc = XCreateGC(dpy, pixmap, 0, nullptr);
  XSetForeground(dpy, gc, 0);
  XFillRectangle(dpy, pixmap, gc, 0, 0, w, h);
  src = XRenderCreatePicture(dpy, pixmap, format, 0, nullptr);
  // Render maps each window pixel back to the picture: 1/k of its place,
  // read from the nearest picture pixel, so every pixel is a k x k block.
  XTransform t = {{{XDoubleToFixed(1.0 / k), 0, 0},
                   {0, XDoubleToFixed(1.0 / k), 0},
                   {0, 0, XDoubleToFixed(1.0)}}};
  XRenderSetPictureTransform(dpy, src, &t);
  XRenderSetPictureFilter(dpy, src, FilterNearest, nullptr, 0);
  dst = XRenderCreatePicture(dpy, win, format, 0, nullptr);
  image = XCreateImage(dpy, v, 24, ZPixmap, 0, (char *)pixels.data(), w, h, 32, w * 4);
  if (image) {
    const uint16_t one = 1;
    image->byte_order = *(const unsigned char *)&one ? LSBFirst : MSBFirst;
  }
  XMapWindow(dpy, win);
  XSync(dpy, False);
  if (x_failed || !image) {
    x11_scale_stop();
    return false;
  }
  exposed = false;
  return true;
}

// x11_scale_stop
// Waits for the server, so that our window is gone before Allegro's
// changes.
void x11_scale_stop() {
  if (!dpy) return;
  if (image) {
    image->data = nullptr;  // the pixels are ours
    XDestroyImage(image);
  }
  if (src) XRenderFreePicture(dpy, src);
  if (dst) XRenderFreePicture(dpy, dst);
  if (gc) XFreeGC(dpy, gc);
  if (pixmap) XFreePixmap(dpy, pixmap);
  if (win) XDestroyWindow(dpy, win);
  XSync(dpy, False);
  image = nullptr;
  src = dst = 0;
  gc = nullptr;
  pixmap = 0;
  win = 0;
  pixels.clear();
  from16.clear();
  palette_known = false;
}

bool x11_scale_on() { return win != 0; }

// x11_scale_palette_changed
bool x11_scale_palette_changed() {
  if (!win || pic.depth != 8) return false;
  PALETTE p;
  get_palette(p);
  bool same = palette_known;
  for (int i = 0; i < 256 && same; i++)
    same = p[i].r == palette_used[i].r && p[i].g == palette_used[i].g && p[i].b == palette_used[i].b;
  if (same) return false;
  for (int i = 0; i < 256; i++) {
    palette_used[i] = p[i];
    from8[i] = rgb(widen6(p[i].r & 63), widen6(p[i].g & 63), widen6(p[i].b & 63));
  }
  palette_known = true;
  return true;
}

// One row's columns x0 ... x1 - 1 into the display's format.
static void convert_row(BITMAP *picture, int y, int x0, int x1) {
  uint32_t *out = pixels.data() + (size_t)y * pic.w;
  const unsigned char *in = picture->line[y];
  switch (pic.depth) {
    case 8:
      for (int x = x0; x < x1; x++) out[x] = from8[in[x]];
      break;
    case 15:
    case 16: {
      const uint16_t *p = (const uint16_t *)in;
      for (int x = x0; x < x1; x++) out[x] = from16[p[x]];
      break;
    }
    case 24:
      for (int x = x0; x < x1; x++) {
        int c = in[3 * x] | in[3 * x + 1] << 8 | in[3 * x + 2] << 16;
        out[x] = rgb(getr24(c), getg24(c), getb24(c));
      }
      break;
    default: {
      const uint32_t *p = (const uint32_t *)in;
      for (int x = x0; x < x1; x++) out[x] = rgb(getr32(p[x]), getg32(p[x]), getb32(p[x]));
      break;
    }
  }
}

// x11_scale_send
void x11_scale_send(BITMAP *picture, int x0, int y0, int x1, int y1) {
  if (!win || x0 >= x1 || y0 >= y1) return;
  if (pic.depth == 8 && !palette_known) x11_scale_palette_changed();
  for (int y = y0; y < y1; y++) convert_row(picture, y, x0, x1);
  XPutImage(dpy, pixmap, gc, image, x0, y0, x0, y0, x1 - x0, y1 - y0);
  int k = pic.k;
  XRenderComposite(dpy, PictOpSrc, src, None, dst, k * x0, k * y0, 0, 0, pic.left + k * x0,
                   pic.top + k * y0, k * (x1 - x0), k * (y1 - y0));
}

// x11_scale_flush
// An exposed window is drawn whole again from the pixmap: it happens
// seldom, and the server does all of it.
void x11_scale_flush() {
  if (!win) return;
  while (XPending(dpy)) {
    XEvent e;
    XNextEvent(dpy, &e);
    if (e.type == Expose) exposed = true;
  }
  if (exposed)
    XRenderComposite(dpy, PictOpSrc, src, None, dst, 0, 0, 0, 0, pic.left, pic.top,
                     pic.k * pic.w, pic.k * pic.h);
  exposed = false;
  XFlush(dpy);
}
