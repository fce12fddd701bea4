// credits.h -- the four one-bit pictures of the credits
//
// The credits show four pictures in turn from one 16-colour picture,
// "four.bmp": picture i (red, green, blue, grey) lives in bit i of every
// pixel value. Each source is a 320 x 240 16-colour BMP whose pixels are 0
// or that one bit.
#pragma once
#include <string>
#include <vector>

#include "picture.h"
#include "pixelart.h"

constexpr int CREDITS_W = 320, CREDITS_H = 240;

// The file names of the four pictures, in bit order.
extern const char *const CREDIT_NAMES[4];

// Draws the four pictures from the credits source (text, frames and the
// title artwork, which uses the sprite art). Picture i holds 0 or 1 << i.
std::vector<Canvas> credit_pictures(const std::string &source, const PixelArt &sprites);

// A credits picture as a 16-colour BMP; every file shares one palette in
// which bit 0 is red, bit 1 green, bit 2 blue and bit 3 grey.
std::vector<unsigned char> credit_bmp(const Canvas &cv);
