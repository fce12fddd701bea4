// picture_file.h -- the picture files the games read: BMP of 24, 8 or 4 bits
// and 8-bit PCX, as bytes ready to be written
#pragma once
#include <vector>

#include "picture.h"

// A 24-bit BMP: rows bottom-up, blue, green, red, padded to 4 bytes.
std::vector<unsigned char> bmp24_bytes(const Image &im);
// An 8-bit BMP with the given 256-colour palette (0..255 a component).
std::vector<unsigned char> bmp8_bytes(const Canvas &cv, const Rgb pal[256]);
// A 16-colour BMP (values 0..15) with the given palette: the 118-byte
// header and the rows bottom-up, two pixels a byte, the left one high.
std::vector<unsigned char> bmp4_bytes(const Canvas &cv, const Rgb pal[16]);
// An 8-bit run-length PCX with a 256-colour palette (0..255 a component).
std::vector<unsigned char> pcx8_bytes(const Canvas &cv, const Rgb pal[256]);
