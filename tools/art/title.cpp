// title.cpp -- the title picture of the main menu
//
// A little course scene (trees, grass, a road with a finish line, a car, a
// bike and a walker) is built from the game's own tiles and sprites at half
// size and doubled, so it keeps the chunky look of the game; the name is
// drawn over it from the font's capitals, eight times enlarged, with a
// colour ramp, a bevel, a 3-D extrusion and a dark outline.
#include "title.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "glyphs.h"
#include "sprites.h"
#include "tiles.h"

static const char *NAME = "TOPDOWN";
const int LETTER_SCALE = 8, EXTRUDE = 6;
const Rgb letter_top = {255, 234, 96}, letter_bottom = {236, 96, 24};
const Rgb extrusion = {118, 36, 20}, letter_ink = {20, 14, 18};

// paste_tile
// Draws a tile picture into the scene at (x, y), clipped to rows y0..y1.
static void paste_tile(Image &scene, const Image &tile, int x, int y, int y0, int y1) {
  for (int ty = 0; ty < tile.h; ty++)
    for (int tx = 0; tx < tile.w; tx++)
      if (y + ty >= y0 && y + ty <= y1) scene.set(x + tx, y + ty, tile.get(tx, ty));
}

// scene
// The half-size background: 320 x 100.
static Image scene() {
  const int W = TITLE_W / 2, H = TITLE_H / 2;
  const int road_top = 52;
  Image im = make_image(W, H, {0, 0, 0});
  Image trees = tile_picture("trees", 16), grass = tile_picture("grass", 2);
  Image road = tile_picture("road", 3), lane = tile_picture("road_lane_h", 4);
  Image finish = tile_picture("finish", 240), pavement = tile_picture("pavement", 20);
  for (int x = 0; x < W; x += 32) {
    paste_tile(im, trees, x, 0, 0, 31);
    paste_tile(im, grass, x, 32, 32, road_top - 1);
    paste_tile(im, road, x, road_top - 24, road_top, H - 1);
    paste_tile(im, lane, x, road_top + 8, road_top + 8, road_top + 39);
    paste_tile(im, road, x, road_top + 40, road_top + 40, H - 1);
  }
  // gaps in the wood where grass shows through, with shade from the crowns
  for (int x : {72, 200}) paste_tile(im, grass, x, 0, 0, 31);
  for (int x = 0; x < W; x++) {
    blend(im, x, 32, {0, 0, 0}, 0.35);
    blend(im, x, 33, {0, 0, 0}, 0.2);
  }
  // a kerb of pavement between grass and road
  for (int x = 0; x < W; x++)
    for (int y = road_top - 4; y < road_top; y++) im.set(x, y, pavement.get(x % 32, y % 32));
  for (int x = 0; x < W; x++) blend(im, x, road_top, {0, 0, 0}, 0.4);
  // the finish line across the road
  for (int y = road_top; y < H; y++)
    for (int x = 272; x < 288; x++) im.set(x, y, finish.get(x % 32, y % 32));
  // the cast: a car racing for the line, a bike behind it, a walker
  Image car = rotate90(sprite_car());
  Image bike = rotate90(sprite_bike(true));
  const int car_x = 186, car_y = road_top + 20;
  paste(car, im, car_x, car_y, true);
  // its driver, in the seat left of the heading (5 pixels off the centre)
  Image driver = rotate90(sprite_walker_riding());
  paste(driver, im, car_x + car.w / 2 - driver.w / 2, car_y + car.h / 2 - 5 - driver.h / 2, true);
  paste(bike, im, 96, road_top + 6, true);
  paste(rotate90(sprite_walker(1)), im, 10, 33, true);
  paste(rotate90(sprite_walker(-1)), im, 298, 33, true);
  // skid marks behind the car
  for (int x = 120; x < 184; x++) {
    double fade = (x - 120) / 64.0;
    blend(im, x, road_top + 24, {20, 20, 22}, 0.5 * fade);
    blend(im, x, road_top + 43, {20, 20, 22}, 0.5 * fade);
  }
  return im;
}

// name_letters
// The game's name in enlarged font capitals, coloured and bevelled, on a
// transparent background.
static Image name_letters() {
  // the letters' cells without their empty top row and outer columns;
  // capitals, so no rows below the baseline
  Image im = make_image(text_width(NAME, LETTER_SCALE) - 2 * LETTER_SCALE, 10 * LETTER_SCALE, KEY);
  draw_text(im, NAME, -LETTER_SCALE, -LETTER_SCALE, LETTER_SCALE, letter_top, 10);
  // colour ramp from top to bottom, with a bright band across the middle
  each_pixel(im, [&](int x, int y) {
    if (!im.solid(x, y)) return;
    double t = (double)y / im.h;
    Rgb c = mix(letter_top, letter_bottom, t);
    if (std::fabs(t - 0.45) < 0.03) c = add(c, 40);
    im.set(x, y, c);
  });
  bevel_shape(im, 3, 0.35, 0.4);
  return im;
}

// title_picture
// The scene doubled, the name over it with extrusion, outline and shadow.
Image title_picture() {
  Image im = scaled(scene(), 2);
  Image letters = name_letters();
  // the solid block: extrusion first, then the faces on top, then outline
  Image block = make_image(letters.w + EXTRUDE + 4, letters.h + EXTRUDE + 4, KEY);
  for (int k = EXTRUDE; k >= 1; k--)
    for (int y = 0; y < letters.h; y++)
      for (int x = 0; x < letters.w; x++)
        if (letters.solid(x, y)) block.set(x + 2 + k, y + 2 + k, scale(extrusion, 1 - 0.05 * k));
  paste(letters, block, 2, 2, true);
  outline(block, letter_ink);
  outline(block, letter_ink);
  int x = (TITLE_W - block.w) / 2, y = 16;
  drop_shadow(im, block, x, y, 8, 8, 0.45);
  paste(block, im, x, y, true);
  return im;
}
