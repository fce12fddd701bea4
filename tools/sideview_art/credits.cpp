// credits.cpp -- the four one-bit pictures of the credits
#include "credits.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "codes.h"
#include "glyphs.h"
#include "noise.h"
#include "picture_file.h"
#include "sheets.h"
#include "tool.h"

const char *const CREDIT_NAMES[4] = {"red.bmp", "green.bmp", "blue.bmp", "grey.bmp"};

namespace {

// frame
// A double border round the picture.
void frame(Canvas &cv, int v) {
  for (int inset : {4, 7}) {
    hline(cv, inset, CREDITS_W - 1 - inset, inset, v);
    hline(cv, inset, CREDITS_W - 1 - inset, CREDITS_H - 1 - inset, v);
    vline(cv, inset, inset, CREDITS_H - 1 - inset, v);
    vline(cv, CREDITS_W - 1 - inset, inset, CREDITS_H - 1 - inset, v);
  }
}

// silhouette
// A sprite drawn in one bit at a whole-number scale, mirrored if asked:
// bright pixels are set, middle tones become a checkerboard of set and
// clear pixels, dark ones (the outline among them) stay clear.
void silhouette(Canvas &cv, const Canvas &sprite, int x, int y, int scale, bool mirror, int v) {
  each_pixel(sprite, [&](int sx, int sy) {
    int c = sprite.get(mirror ? sprite.w - 1 - sx : sx, sy);
    if (!c) return;
    Rgb rgb = shown_colour(c);
    int luma = (rgb.r * 3 + rgb.g * 6 + rgb.b) / 10;
    for (int py = 0; py < scale; py++)
      for (int px = 0; px < scale; px++) {
        int X = x + sx * scale + px, Y = y + sy * scale + py;
        if (luma >= 140 || (luma >= 60 && (X + Y) % 2 == 0)) cv.set(X, Y, v);
      }
  });
}

// title_scene
// The artwork under the title: a night with moon and stars over a castle
// floor, with a tower and a ladder on the right.
void title_scene(Canvas &cv, int v) {
  const int ground = 200;  // the floor's top row
  // stars
  for (int i = 0; i < 40; i++) {
    int x = 12 + (int)(hash01(i, 0, 5) * 296), y = 80 + (int)(hash01(i, 1, 5) * 70);
    cv.set(x, y, v);
  }
  // moon with two craters
  fill_ellipse(cv, 62.5, 108.5, 14, 14, v);
  fill_ellipse(cv, 58.5, 104.5, std::sqrt(8), std::sqrt(8), 0);
  fill_ellipse(cv, 67.5, 113.5, std::sqrt(8), std::sqrt(8), 0);
  // the floor: a course of blocks with their joints left clear
  for (int y = ground; y < ground + 24; y++)
    for (int x = 10; x < CREDITS_W - 10; x++) {
      int row = (y - ground) / 8, bx = (x + (row % 2) * 8) % 16, by = (y - ground) % 8;
      if (bx != 15 && by != 7) cv.set(x, y, v);
    }
  // a tower with battlements and a window, on the right
  for (int y = 120; y < ground; y++)
    for (int x = 252; x < 300; x++) {
      bool crenel = y < 128 && (x - 252) % 12 >= 6;
      bool window = x >= 270 && x < 282 && y >= 140 && y < 160 &&
                    !(y < 146 && (x - 276) * (x - 276) + (y - 146) * (y - 146) > 36);
      if (!crenel && !window) cv.set(x, y, v);
    }
  // a ladder up the tower's side
  fill_box(cv, 236, 128, 237, ground - 1, v);
  fill_box(cv, 246, 128, 247, ground - 1, v);
  for (int y = 132; y < ground; y += 8) hline(cv, 238, 245, y, v);
}

// shadowed_text
// Text with a shadow down and to the right, kept apart from the letters
// by a clear line so both read in a single bit.
void shadowed_text(Canvas &cv, const std::string &s, int x, int y, int scale, int v) {
  int d = scale > 1 ? scale / 2 + 1 : 1;
  draw_text(cv, s, x + d, y + d, scale, v);
  Canvas letters = make_canvas(cv.w, cv.h);
  draw_text(letters, s, x, y, scale, 1);
  for (int py = 0; py < cv.h; py++)
    for (int px = 0; px < cv.w; px++)
      if (!letters.get(px, py) &&
          (letters.get(px - 1, py) || letters.get(px, py - 1) || letters.get(px - 1, py - 1)))
        cv.set(px, py, 0);
  draw_text(cv, s, x, y, scale, v);
}

}  // namespace

// credit_pictures
// The source has one section per picture, "picture red" (green, blue,
// grey), and in it lines
//   text SCALE X Y TEXT...    a line of text, X a number or "centre"
//   shadow SCALE X Y TEXT...  the same with a drop shadow
//   sprite NAME SCALE X Y [mirrored]   a picture of the sprite art
//   frame                     a double border
//   title_scene               moon, stars, floor, tower and ladder
std::vector<Canvas> credit_pictures(const std::string &source, const PixelArt &sprites) {
  std::vector<Canvas> pics(4, make_canvas(CREDITS_W, CREDITS_H));
  SourceFile src(source);
  int current = -1;
  while (src.next()) {
    std::string where = src.where();
    if (src.comment()) continue;
    std::string word;
    std::istringstream ss = src.words(word);
    if (word == "picture") {
      std::string name;
      ss >> name;
      current = -1;
      for (int i = 0; i < 4; i++)
        if (name + ".bmp" == CREDIT_NAMES[i]) current = i;
      if (current < 0) stop(where, "no credits picture called " + name);
      continue;
    }
    if (current < 0) stop(where, "expected: picture NAME");
    Canvas &cv = pics[current];
    int v = 1 << current;
    if (word == "frame") {
      frame(cv, v);
    } else if (word == "title_scene") {
      title_scene(cv, v);
    } else if (word == "sprite") {
      std::string name, mirrored;
      int scale, x, y;
      if (!(ss >> name >> scale >> x >> y) || scale < 1 || scale > 8)
        stop(where, "expected: sprite NAME SCALE X Y [mirrored]");
      ss >> mirrored;
      silhouette(cv, sprites.find(name, where), x, y, scale, mirrored == "mirrored", v);
    } else if (word == "text" || word == "shadow") {
      int scale, y;
      std::string xs, text;
      if (!(ss >> scale >> xs >> y) || scale < 1 || scale > 8)
        stop(where, "expected: " + word + " SCALE X Y TEXT");
      std::getline(ss, text);
      size_t start = text.find_first_not_of(' ');
      text = start == std::string::npos ? "" : text.substr(start);
      int x = xs == "centre" ? (CREDITS_W - text_width(text, scale)) / 2 : atoi(xs.c_str());
      if (word == "shadow")
        shadowed_text(cv, text, x, y, scale, v);
      else
        draw_text(cv, text, x, y, scale, v);
    } else {
      stop(where, "unknown line");
    }
  }
  return pics;
}

// credit_bmp
std::vector<unsigned char> credit_bmp(const Canvas &cv) {
  Rgb pal[16];
  for (int j = 0; j < 16; j++) {
    int grey = j & 8 ? 120 : 0;
    pal[j] = {grey + (j & 1 ? 135 : 0), grey + (j & 2 ? 135 : 0), grey + (j & 4 ? 135 : 0)};
  }
  return bmp4_bytes(cv, pal);
}
