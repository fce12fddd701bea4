// four.cpp -- sideview_edit's "-four" merge on four arbitrary inputs. The
// input holds up to four files, "red.bmp", "green.bmp", "blue.bmp" and
// "grey.bmp" in that order, separated by the line "--four--" (fewer parts:
// the last files are missing). four() must succeed exactly when all four
// are there, long enough and 16-colour 320x240 BMPs with their pixels at
// byte 118, then write the last one's header and the byte sums; otherwise
// leave no "four.bmp". What it wrote is then read as sideview's credits
// read it.
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "bmp.h"
#include "fuzz.h"
#include "maped.h"

static const char *const NAMES[4] = {"red.bmp", "green.bmp", "blue.bmp", "grey.bmp"};
static const std::string SEPARATOR = "\n--four--\n";
enum { HEADER = 118, PIXELS = 38400 };

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_enter_scratch();
  fuzz_quiet_log();
  return 0;
}

// A little-endian field of a header.
static long field(const std::string &b, size_t at, int bytes) {
  unsigned long v = 0;
  for (int k = bytes - 1; k >= 0; k--) v = v << 8 | (unsigned char)b[at + k];
  return bytes == 4 ? (long)(int32_t)v : (long)v;
}

// The picture the merge takes: "BM", a 40-byte information header, 320 x
// 240 pixels of 4 bits, uncompressed, pixels from byte 118.
static bool mergeable(const std::string &b) {
  return b.size() >= HEADER + PIXELS && b[0] == 'B' && b[1] == 'M' && field(b, 14, 4) == 40 &&
         field(b, 18, 4) == 320 && field(b, 22, 4) == 240 && field(b, 28, 2) == 4 &&
         field(b, 30, 4) == 0 && field(b, 10, 4) == HEADER;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string all((const char *)data, size);
  std::vector<std::string> parts;
  for (size_t at = 0; parts.size() < 4;) {
    size_t end = all.find(SEPARATOR, at);
    parts.push_back(all.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + SEPARATOR.size();
  }
  for (const char *name : NAMES) remove(name);
  remove("four.bmp");
  bool whole = parts.size() == 4;
  for (size_t i = 0; i < parts.size(); i++) {
    fuzz_write(NAMES[i], (const uint8_t *)parts[i].data(), parts[i].size());
    whole = whole && mergeable(parts[i]);
  }

  bool made = four();
  FUZZ_CHECK(made == whole);
  FILE *f = fopen("four.bmp", "rb");
  FUZZ_CHECK(!f == !made);
  if (!f) return 0;
  std::string out(HEADER + PIXELS + 1, '\0');
  FUZZ_CHECK(fread(&out[0], 1, out.size(), f) == HEADER + PIXELS);
  FUZZ_CHECK(memcmp(out.data(), parts[3].data(), HEADER) == 0);
  for (int i = 0; i < PIXELS; i++) {
    int sum = 0;
    for (const std::string &p : parts) sum += (unsigned char)p[HEADER + i];
    FUZZ_CHECK((unsigned char)out[HEADER + i] == (unsigned char)sum);
  }

  // The credits: the picture read, its pixels' low four bits taken.
  rewind(f);
  int w, h;
  bmp *b = read_bmp1(f, w, h);
  fclose(f);
  if (b) {
    unsigned plane = 0;
    for (int y = 0; y < 240; y++)
      for (int x = 0; x < 320; x++) plane += x < b->w && y < b->h ? b->data[y * b->w + x] & 15 : 0;
    FUZZ_CHECK(plane <= 15u * 320 * 240);
    destroy_bmp(b);
  }
  return 0;
}
