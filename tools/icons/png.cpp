// png.cpp -- PNG files written without a compression library
#include "png.h"

#include <cstdio>

// crc32_of
// The bit-by-bit form of the reflected polynomial 0xEDB88320: icons are
// small, a table would buy nothing.
uint32_t crc32_of(const unsigned char *p, size_t n, uint32_t crc) {
  crc = ~crc;
  for (size_t i = 0; i < n; i++) {
    crc ^= p[i];
    for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

uint32_t adler32_of(const unsigned char *p, size_t n) {
  uint32_t a = 1, b = 0;
  for (size_t i = 0; i < n; i++) {
    a = (a + p[i]) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

static void put32(std::vector<unsigned char> &v, uint32_t u) {
  for (int sh = 24; sh >= 0; sh -= 8) v.push_back((unsigned char)(u >> sh));
}

// One chunk: length, type, data, and the CRC of type and data.
static void chunk(std::vector<unsigned char> &out, const char type[5],
                  const std::vector<unsigned char> &data) {
  put32(out, (uint32_t)data.size());
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32(out, crc32_of(&out[start], out.size() - start));
}

// png_bytes
// Each row starts with filter byte 0 (none); the rows go into a zlib
// stream of stored blocks of up to 65535 bytes each.
std::vector<unsigned char> png_bytes(int w, int h, const std::vector<unsigned char> &rgba) {
  std::vector<unsigned char> raw;
  raw.reserve((size_t)h * (4 * w + 1));
  for (int y = 0; y < h; y++) {
    raw.push_back(0);
    raw.insert(raw.end(), rgba.begin() + (size_t)4 * w * y, rgba.begin() + (size_t)4 * w * (y + 1));
  }
  std::vector<unsigned char> z = {0x78, 0x01};  // deflate, 32K window; no dictionary
  size_t at = 0;
  do {
    size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
    z.push_back(at + n == raw.size() ? 1 : 0);  // BFINAL on the last, BTYPE 00
    z.push_back((unsigned char)(n & 0xFF));
    z.push_back((unsigned char)(n >> 8));
    z.push_back((unsigned char)(~n & 0xFF));
    z.push_back((unsigned char)((~n >> 8) & 0xFF));
    z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
    at += n;
  } while (at < raw.size());
  put32(z, adler32_of(raw.data(), raw.size()));

  std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<unsigned char> ihdr;
  put32(ihdr, (uint32_t)w);
  put32(ihdr, (uint32_t)h);
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filters, no interlace
  chunk(out, "IHDR", ihdr);
  chunk(out, "IDAT", z);
  chunk(out, "IEND", {});
  return out;
}

bool write_whole(const std::string &path, const std::vector<unsigned char> &bytes) {
  std::string tmp = path + ".tmp";
  FILE *f = fopen(tmp.c_str(), "wb");
  if (!f) return false;
  bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = fclose(f) == 0 && ok;
  if (ok) ok = rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) remove(tmp.c_str());
  return ok;
}
