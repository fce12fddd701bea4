// png.h -- PNG files written without a compression library
//
// The image data is stored in deflate's "stored" blocks (no compression),
// which every PNG reader accepts: icons of at most 128 x 128 pixels stay
// small enough, and the build needs no zlib.
#ifndef ICONS_PNG_H
#define ICONS_PNG_H

#include <cstdint>
#include <string>
#include <vector>

// The CRC-32 of PNG chunks (and zip), continued from crc.
uint32_t crc32_of(const unsigned char *p, size_t n, uint32_t crc = 0);

// The Adler-32 checksum that ends a zlib stream.
uint32_t adler32_of(const unsigned char *p, size_t n);

// The bytes of a PNG file of a w x h picture of 8-bit RGBA pixels, row by
// row, 4 bytes a pixel (red, green, blue, alpha).
std::vector<unsigned char> png_bytes(int w, int h, const std::vector<unsigned char> &rgba);

// Writes bytes to path through a temporary file renamed over it, so a
// reader never sees half an icon. False if it can't.
bool write_whole(const std::string &path, const std::vector<unsigned char> &bytes);

#endif
