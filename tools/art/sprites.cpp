// sprites.cpp -- the pictures of characters: walkers, vehicles, items, shots
//
// Sizes follow the characters' boxes: walker 14, item 18, shot 10, bike 24,
// car 44, boat 40, whirl 40 pixels. Shapes are filled, shaded with a bevel
// lit from the top left and framed with a dark outline.
#include "sprites.h"

#include <algorithm>
#include <cmath>

namespace pal {
const Rgb ink = {24, 20, 28};  // every outline
// the walker
const Rgb skin = {236, 184, 140}, shirt = {214, 40, 40}, hair = {92, 58, 30},
          cap = {255, 214, 40}, shoe = {50, 40, 36};
// car and boat
const Rgb tyre = {34, 34, 38}, car_body = {40, 110, 220}, car_stripe = {240, 240, 250},
          glass = {150, 210, 240}, cabin = {54, 52, 60}, seat = {128, 60, 40};
const Rgb headlight = {255, 250, 200}, taillight = {230, 30, 30};
const Rgb hull = {236, 236, 240}, hull_band = {200, 40, 40}, deck = {176, 124, 70},
          motor = {60, 62, 70};
// bike and rider
const Rgb bike_paint = {40, 170, 80}, chrome = {200, 204, 212}, jacket = {50, 56, 70},
          helmet = {240, 240, 244}, visor = {30, 40, 70};
// whirlwind, shots and items
const Rgb wind = {196, 212, 228}, wind_light = {250, 252, 255};
const Rgb wood = {190, 120, 50}, wood_dark = {120, 70, 30}, ball = {248, 248, 240},
          stitch = {210, 30, 30};
const Rgb boost_disc = {230, 70, 30}, bolt = {255, 230, 60};
const Rgb shell = {200, 120, 50}, shell_dark = {130, 70, 30}, snail = {150, 170, 110};
const Rgb card = {90, 150, 230}, card_light = {220, 236, 250}, photo = {240, 200, 160};
} // namespace pal

// layer
// Draws `part` (a sprite-sized picture with its own shading) over `im`;
// with a depth, bevelled first as one shape.
static void layer(Image &im, const Image &part) { paste(part, im, 0, 0, true); }
static void layer(Image &im, Image part, int depth, double light, double dark) {
  bevel_shape(part, depth, light, dark);
  layer(im, part);
}

// shaded_ellipse
// A filled ellipse with its own bevel, as a layer of a w x h sprite.
static Image shaded_ellipse(int w, int h, double cx, double cy, double rx, double ry, Rgb c,
                            int depth = 1) {
  Image part = make_image(w, h, KEY);
  fill_ellipse(part, cx, cy, rx, ry, c);
  bevel_shape(part, depth, 0.25, 0.3);
  return part;
}

// rounded_rect
// Fills a rectangle whose corners are cut round with radius r.
static void rounded_rect(Image &im, int x0, int y0, int x1, int y1, double r, Rgb c) {
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      double cx = std::clamp(x + 0.5, x0 + r, x1 + 1 - r);
      double cy = std::clamp(y + 0.5, y0 + r, y1 + 1 - r);
      if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r) im.set(x, y, c);
    }
}

// A rectangle for rounded_layer: corners (x0, y0) and (x1, y1), radius r.
struct Rounded {
  int x0, y0, x1, y1;
  double r;
  Rgb c;
};

// rounded_layer
// Rounded rectangles drawn in turn and bevelled together as one shape, as
// a layer over im.
static void rounded_layer(Image &im, std::initializer_list<Rounded> parts, int depth, double light,
                          double dark) {
  Image part = make_image(im.w, im.h, KEY);
  for (const Rounded &p : parts) rounded_rect(part, p.x0, p.y0, p.x1, p.y1, p.r, p.c);
  layer(im, part, depth, light, dark);
}

// finish
// The common last step: a dark outline round the whole sprite.
static Image finish(Image im) {
  outline(im, pal::ink);
  return im;
}

// walker_body
// Arms, shoulders and head of the walker, 16 x 16, facing up: dark hair
// with a bright cap peak pointing ahead. arms_forward reaches both hands
// ahead (to handlebars or a wheel); swing moves the left arm back and the
// right arm forward (or the reverse for -1) while walking.
static Image walker_body(bool arms_forward, int swing) {
  const int W = 16;
  Image im = make_image(W, W, KEY);
  if (arms_forward) {
    for (double ax : {3.2, 12.8}) {
      layer(im, shaded_ellipse(W, W, ax, 7.0, 1.5, 3.0, pal::shirt));
      fill_ellipse(im, ax, 3.6, 1.3, 1.3, pal::skin);
    }
  } else {
    double left = 9.5 + swing * 1.5, right = 9.5 - swing * 1.5;
    layer(im, shaded_ellipse(W, W, 2.6, left, 1.5, 2.4, pal::shirt));
    layer(im, shaded_ellipse(W, W, 13.4, right, 1.5, 2.4, pal::shirt));
    fill_ellipse(im, 2.6, left + 2.4 * (swing > 0 ? 1 : swing < 0 ? -1 : 1), 1.2, 1.2, pal::skin);
    fill_ellipse(im, 13.4, right + 2.4 * (swing < 0 ? 1 : swing > 0 ? -1 : 1), 1.2, 1.2, pal::skin);
  }
  layer(im, shaded_ellipse(W, W, 8, 10, 5.4, 2.8, pal::shirt, 1));
  layer(im, shaded_ellipse(W, W, 8, 8.8, 3.1, 3.1, pal::hair, 1));
  fill_ellipse(im, 8, 5.6, 2.3, 1.3, pal::cap);
  im.set(7, 5, scale(pal::cap, 1.2));
  return im;
}

// sprite_walker
// The walker on foot, 16 x 16; step +1 puts the left foot forward, -1 the
// right, 0 stands with the feet hidden under the body.
Image sprite_walker(int step) {
  Image im = make_image(16, 16, KEY);
  if (step != 0) {
    fill_ellipse(im, 5.6, 9 - step * 5.2, 1.5, 2.0, pal::shoe);
    fill_ellipse(im, 10.4, 9 + step * 5.2, 1.5, 2.0, pal::shoe);
  }
  layer(im, walker_body(false, step));
  return finish(im);
}

// sprite_walker_riding
// The walker seated in a vehicle, hands forward on the controls.
Image sprite_walker_riding() { return finish(walker_body(true, 0)); }

// sprite_car
// An open two-seater, 28 x 44, front at the top, the driver's seat on the
// left (5 pixels left of the centre line, level with the centre).
Image sprite_car() {
  Image im = make_image(CAR_W, CAR_H, KEY);
  // wheels peeking out of the body
  for (int wy : {7, 31}) {
    rounded_rect(im, 1, wy, 5, wy + 7, 1.5, pal::tyre);
    rounded_rect(im, 22, wy, 26, wy + 7, 1.5, pal::tyre);
  }
  // the body with a racing stripe down the middle
  rounded_layer(im, {{3, 1, 24, 42, 5, pal::car_body}, {13, 1, 14, 42, 0, pal::car_stripe}}, 2,
                0.3, 0.35);
  // windscreen, cabin and seats
  rounded_rect(im, 6, 14, 21, 16, 1, pal::glass);
  hline(im, 7, 20, 14, scale(pal::glass, 1.2));
  rounded_rect(im, 6, 17, 21, 30, 2, pal::cabin);
  rounded_rect(im, 5, 19, 12, 27, 2, pal::seat);   // driver (centre x 9)
  rounded_rect(im, 15, 19, 22, 27, 2, pal::seat);  // passenger
  hline(im, 6, 11, 26, scale(pal::seat, 0.7));
  hline(im, 16, 21, 26, scale(pal::seat, 0.7));
  // steering wheel before the driver's seat
  hline(im, 7, 11, 17, {20, 20, 24});
  im.set(9, 18, {20, 20, 24});
  // lights
  fill_box(im, 5, 2, 7, 3, pal::headlight);
  fill_box(im, 20, 2, 22, 3, pal::headlight);
  fill_box(im, 5, 40, 7, 41, pal::taillight);
  fill_box(im, 20, 40, 22, 41, pal::taillight);
  // a grille line across the bonnet front and a boot line
  hline(im, 9, 18, 5, scale(pal::car_body, 0.6));
  hline(im, 7, 20, 33, scale(pal::car_body, 0.7));
  return finish(im);
}

// sprite_boat
// A motor launch, 24 x 40, bow at the top, the helm seat on the left
// (4 pixels left of the centre line, level with the centre).
Image sprite_boat() {
  Image im = make_image(BOAT_W, BOAT_H, KEY);
  auto half_width = [](double y) {
    if (y < 16) return 10.0 * std::sqrt(std::max(0.0, (y - 1) / 15.0));
    return 10.0 - std::max(0.0, (y - 34) * 0.3);
  };
  Image hull = make_image(BOAT_W, BOAT_H, KEY);
  for (int y = 1; y <= 37; y++)
    for (int x = 0; x < BOAT_W; x++) {
      double hw = half_width(y + 0.5);
      double dx = std::fabs(x + 0.5 - 12);
      if (dx <= hw) hull.set(x, y, dx > hw - 1.6 ? pal::hull_band : pal::hull);
    }
  layer(im, hull, 2, 0.2, 0.35);
  // wooden deck inside the gunwale
  Image deck = make_image(BOAT_W, BOAT_H, KEY);
  for (int y = 8; y <= 35; y++)
    for (int x = 0; x < BOAT_W; x++) {
      double hw = half_width(y + 0.5) - 2.6;
      if (std::fabs(x + 0.5 - 12) <= hw) {
        Rgb c = pal::deck;
        if ((x - 1) % 3 == 0) c = scale(c, 0.8);
        deck.set(x, y, c);
      }
    }
  layer(im, deck);
  // windscreen across the deck and the helm seat behind it
  hline(im, 5, 18, 15, pal::glass);
  hline(im, 5, 18, 16, scale(pal::glass, 0.8));
  rounded_rect(im, 5, 18, 11, 24, 2, pal::seat);   // helm (centre x 8)
  rounded_rect(im, 13, 26, 19, 31, 2, pal::seat);  // bench
  // the outboard motor on the stern
  rounded_rect(im, 9, 35, 14, 39, 1, pal::motor);
  hline(im, 10, 13, 36, scale(pal::motor, 1.5));
  return finish(im);
}

// sprite_bike
// A small motorbike, 14 x 26, front wheel at the top. The ridden picture
// carries a helmeted rider, whom a player riding it covers.
Image sprite_bike(bool ridden) {
  const int W = 14, H = 26;
  Image im = make_image(W, H, KEY);
  rounded_rect(im, 5, 1, 8, 8, 1.5, pal::tyre);    // front wheel
  rounded_rect(im, 5, 17, 8, 24, 1.5, pal::tyre);  // rear wheel
  for (int y = 2; y <= 7; y += 2) im.set(6, y, {70, 70, 76});
  for (int y = 18; y <= 23; y += 2) im.set(6, y, {70, 70, 76});
  // handlebar
  hline(im, 1, 12, 7, pal::chrome);
  set_pixels(im, {{1, 8, pal::tyre}, {12, 8, pal::tyre}});
  // tank, seat and tail
  rounded_layer(im, {{4, 8, 9, 14, 2, pal::bike_paint}, {5, 14, 8, 20, 1.5, {40, 36, 36}}}, 1, 0.3,
                0.3);
  hline(im, 6, 7, 21, pal::taillight);
  if (ridden) {
    // the rider: jacket, arms to the bar, white helmet with a dark visor
    layer(im, shaded_ellipse(W, H, 2.8, 10.5, 1.4, 3.0, pal::jacket));
    layer(im, shaded_ellipse(W, H, 11.2, 10.5, 1.4, 3.0, pal::jacket));
    layer(im, shaded_ellipse(W, H, 7, 14, 5, 3, pal::jacket, 2));
    layer(im, shaded_ellipse(W, H, 7, 12.5, 3.2, 3.4, pal::helmet, 1));
    fill_box(im, 5, 9, 8, 10, pal::visor);
  }
  return finish(im);
}

// sprite_whirl
// A whirlwind, 40 x 40: five thin spiral arms of air and dust round a
// bright eye, fading out towards the rim.
Image sprite_whirl() {
  const int W = 40;
  const double R = 18.5;
  Image im = make_image(W, W, KEY);
  each_pixel(im, [&](int x, int y) {
    double dx = x + 0.5 - 20, dy = y + 0.5 - 20;
    double r = std::hypot(dx, dy);
    if (r > R) return;
    double a = std::atan2(dy, dx);
    double arm = std::sin(5 * a + r * 0.7);
    double edge = 0.2 + 0.5 * (r / R);  // arms thin out towards the rim
    if (r > 3.5 && arm < edge) return;
    double t = 1 - r / R;
    Rgb c = mix(pal::wind, pal::wind_light, 0.3 + 0.7 * t);
    if (arm < edge + 0.2) c = scale(c, 0.8);   // trailing side of an arm
    if (hash01(x, y, 400) < 0.08) c = {176, 146, 104};  // dust
    im.set(x, y, c);
  });
  fill_ellipse(im, 20, 20, 2.5, 2.5, pal::wind_light);
  outline(im, {84, 98, 120});
  return im;
}

// sprite_shot_au
// A boomerang, 12 x 12.
Image sprite_shot_au() {
  Image im = make_image(12, 12, KEY);
  each_pixel(im, [&](int x, int y) {
    double dx = x + 0.5 - 1.5, dy = y + 0.5 - 1.5;  // bend round the top-left corner
    double r = std::hypot(dx, dy);
    if (r < 6.5 || r > 9.5 || dx < -0.5 || dy < -0.5) return;
    im.set(x, y, r < 7.6 ? scale(pal::wood, 1.2) : (r > 8.6 ? pal::wood_dark : pal::wood));
  });
  return finish(im);
}

// sprite_shot_usa
// A baseball, 11 x 11, with red stitching.
Image sprite_shot_usa() {
  Image im = make_image(11, 11, KEY);
  Image ball = shaded_ellipse(11, 11, 5.5, 5.5, 4.5, 4.5, pal::ball, 2);
  layer(im, ball);
  const int stitches[][2] = {{3, 2}, {2, 4}, {2, 6}, {3, 8}, {7, 2}, {8, 4}, {8, 6}, {7, 8}};
  for (auto &s : stitches) im.set(s[0], s[1], pal::stitch);
  return finish(im);
}

// sprite_item_boost
// Boost: a yellow lightning bolt on a red disc, 18 x 18.
Image sprite_item_boost() {
  const int W = 18;
  Image im = make_image(W, W, KEY);
  layer(im, shaded_ellipse(W, W, 9, 9, 8, 8, pal::boost_disc, 2));
  static const char *bolt[] = {
      "......####",
      ".....####.",
      "....####..",
      "...####...",
      "..#######.",
      ".....####.",
      "....####..",
      "...###....",
      "..##......",
      ".#........",
  };
  for (int y = 0; y < 10; y++)
    for (int x = 0; bolt[y][x]; x++)
      if (bolt[y][x] == '#') {
        im.set(x + 4, y + 4, pal::bolt);
        if (!im.solid(x + 5, y + 5) || bolt[y][x + 1] != '#') blend(im, x + 5, y + 5, pal::ink, 0.3);
      }
  return finish(im);
}

// sprite_item_slowing
// Slowing: a snail, 18 x 18.
Image sprite_item_slowing() {
  const int W = 18;
  Image im = make_image(W, W, KEY);
  // body along the bottom, head up at the right with two eye stalks
  rounded_layer(im, {{1, 12, 16, 15, 2, pal::snail}, {13, 8, 16, 13, 1.5, pal::snail}}, 1, 0.25,
                0.3);
  line(im, 14, 7, 13, 4, pal::snail);
  line(im, 16, 7, 17, 4, pal::snail);
  set_pixels(im, {{13, 3, pal::ink}, {17, 3, pal::ink}});
  // the shell: a spiral on a round shell
  layer(im, shaded_ellipse(W, W, 7, 8.5, 6, 6, pal::shell, 2));
  for (int i = 0; i < 60; i++) {
    double a = i * 0.2, r = 0.6 + i * 0.075;
    int x = (int)std::floor(7 + r * std::cos(a)), y = (int)std::floor(8.5 + r * std::sin(a));
    im.set(x, y, pal::shell_dark);
  }
  return finish(im);
}

// sprite_item_access
// Access pass: a blue key card with a photo and a magnetic stripe, 18 x 18.
Image sprite_item_access() {
  const int W = 18;
  Image im = make_image(W, W, KEY);
  rounded_layer(im, {{1, 3, 16, 14, 2, pal::card}}, 1, 0.3, 0.3);
  fill_box(im, 1, 5, 16, 6, {30, 36, 50});             // stripe
  fill_box(im, 3, 8, 6, 12, pal::photo);               // photo
  fill_box(im, 4, 8, 5, 9, {110, 70, 40});             // hair
  hline(im, 8, 14, 9, pal::card_light);
  hline(im, 8, 12, 11, pal::card_light);
  // a clip hole at the top
  rounded_rect(im, 7, 0, 10, 2, 1, {200, 204, 212});
  return finish(im);
}
