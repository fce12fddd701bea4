// share_datafile.cpp -- "data.dat" checked byte by byte before Allegro's
// loader reads it
//
// Allegro's loader trusts every count and length in a datafile: a file cut
// short or with a changed byte makes it read out of bounds, free twice or
// allocate gigabytes. So the whole file is read and checked here first, with
// the rules of the datafile format: the file header, each object's
// properties, kind and lengths, and inside the objects this program uses
// (pictures, the font, the tune) every size that the loader or the MIDI
// player acts on. Only a file that passes is handed to the library.
//
// Our file is not packed: it begins with "slh." and no object is
// compressed. A packed file (or object) is refused rather than unpacked
// here: checking it would mean decompressing exactly as the library does.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

#include "share.h"

// Larger than any data file of this program could be.
static const size_t MAX_DATAFILE = 64 * 1024 * 1024;

// More properties than any tool writes to one object.
static const int MAX_PROPERTIES = 64;

// printf into a std::string.
static std::string format(const char *fmt, ...) {
  char s[256];
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(s, sizeof s, fmt, ap);
  va_end(ap);
  return s;
}

// Big-endian fields from a bounded run of bytes; every read fails, without
// moving, when the bytes run out.
struct Bytes {
  const unsigned char *p;
  size_t left;
  bool u8(int &v) {
    if (left < 1) return false;
    v = p[0];
    p++, left--;
    return true;
  }
  bool u16(int &v) {
    if (left < 2) return false;
    v = p[0] << 8 | p[1];
    p += 2, left -= 2;
    return true;
  }
  bool s16(int &v) {
    if (!u16(v)) return false;
    if (v >= 0x8000) v -= 0x10000;
    return true;
  }
  bool s32(int32_t &v) {
    if (left < 4) return false;
    v = (int32_t)((uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3]);
    p += 4, left -= 4;
    return true;
  }
  bool skip(size_t n) {
    if (left < n) return false;
    p += n, left -= n;
    return true;
  }
};

// An object's kind for messages: the words of this program for its own
// kinds, the four letters of the ID for others.
static std::string kind_name(int32_t type) {
  if (type == DAT_BITMAP) return "picture";
  if (type == DAT_FONT) return "font";
  if (type == DAT_MIDI) return "tune";
  std::string s = "\"";
  for (int sh = 24; sh >= 0; sh -= 8) {
    int c = (type >> sh) & 0xFF;
    if (c < 32 || c > 126) return format("object of kind 0x%08X", (unsigned)type);
    s += (char)c;
  }
  return s + "\" object";
}

// Bytes per pixel of a picture of the given depth (as a datafile stores it:
// 32-bit pictures as 8.8.8 RGB, -32 as RGBA); 0 for a depth there is none of.
static int picture_bytes(int bits) {
  switch (bits) {
    case 8: return 1;
    case 15:
    case 16: return 2;
    case 24:
    case 32: return 3;
    case -32: return 4;
  }
  return 0;
}

// A picture: depth, width and height, then exactly its pixels.
static std::string check_picture(Bytes b) {
  int bits, w, h;
  if (!b.s16(bits) || !b.u16(w) || !b.u16(h)) return "its header is cut short";
  int bpp = picture_bytes(bits);
  if (!bpp) return format("its colour depth, %d bits, is not one there is", bits);
  if (w < 1 || h < 1) return format("it is %d x %d pixels", w, h);
  uint64_t want = (uint64_t)w * h * bpp;
  if (want != b.left)
    return format("its %d x %d pixels need %llu bytes, it has %zu", w, h,
                  (unsigned long long)want, b.left);
  return "";
}

// A font in the format of Allegro 3.9 and later: ranges of characters, all
// of one kind, mono (1 bit a pixel, rows of whole bytes) or 24-bit colour;
// each character's width, height and pixels. Older formats, and depths
// nothing here writes, are refused.
static std::string check_font(Bytes b) {
  int format_code, ranges;
  if (!b.s16(format_code)) return "its header is cut short";
  if (format_code != 0) return "it is in a font format older than Allegro 3.9";
  if (!b.u16(ranges)) return "its header is cut short";
  if (ranges < 1) return "it has no characters";
  int depth = -1;
  for (int r = 0; r < ranges; r++) {
    int kind;
    int32_t start, end;
    if (!b.u8(kind) || !b.s32(start) || !b.s32(end))
      return format("range %d of its characters is cut short", r + 1);
    if (kind != 1 && kind != 24)
      return format("its characters are of %d bits a pixel, which this program doesn't read", kind);
    if (depth >= 0 && kind != depth) return "it mixes mono and colour characters";
    depth = kind;
    if (start < 0 || end < start || end > 0x10FFFF)
      return format("range %d of its characters runs from %d to %d", r + 1, (int)start, (int)end);
    // Each character takes at least 4 bytes: a range can't be longer than
    // what is left.
    if ((uint64_t)(end - start + 1) * 4 > b.left)
      return format("range %d of its characters is cut short", r + 1);
    for (int32_t c = start; c <= end; c++) {
      int w, h;
      if (!b.u16(w) || !b.u16(h)) return format("character %d is cut short", (int)c);
      if (w < 1 || h < 1) return format("character %d is %d x %d pixels", (int)c, w, h);
      uint64_t n = kind == 1 ? (uint64_t)((w + 7) / 8) * h : (uint64_t)w * h * 3;
      if (n > b.left) return format("character %d is cut short", (int)c);
      b.skip((size_t)n);
    }
  }
  if (b.left) return format("%zu bytes follow its last character", b.left);
  return "";
}

// A variable-length MIDI number: at most four bytes, the last below 0x80.
static bool midi_number(Bytes &b, uint32_t &v) {
  v = 0;
  for (int i = 0; i < 4; i++) {
    int c;
    if (!b.u8(c)) return false;
    v = v << 7 | (c & 0x7F);
    if (c < 0x80) return true;
  }
  return false;
}

// One track of MIDI events, as Allegro's player walks it without bounds:
// every event whole, data bytes below 0x80, running status only right
// after a channel message, and an end-of-track event before the track's
// bytes run out.
static bool midi_track(Bytes b) {
  int status = 0;
  for (;;) {
    uint32_t delta, len;
    int c;
    if (!midi_number(b, delta) || !b.u8(c)) return false;
    if (c == 0xFF) {
      int type;
      if (!b.u8(type) || !midi_number(b, len) || !b.skip(len)) return false;
      if (type == 0x2F) return true;
      if (type == 0x51 && len != 3) return false;  // tempo: three bytes
      status = 0;
      continue;
    }
    if (c == 0xF0 || c == 0xF7) {
      if (!midi_number(b, len) || !b.skip(len)) return false;
      status = 0;
      continue;
    }
    if (c >= 0xF0) return false;  // no system messages in a file
    int first;
    if (c >= 0x80) {
      status = c;
      if (!b.u8(first)) return false;
    } else {
      if (!status) return false;
      first = c;
    }
    if (first >= 0x80) return false;
    int kind = status >> 4;
    if (kind != 0xC && kind != 0xD) {
      int second;
      if (!b.u8(second) || second >= 0x80) return false;
    }
  }
}

// A tune: beat divisions, then 32 tracks, each its length and its events.
static std::string check_tune(Bytes b) {
  int divisions;
  if (!b.s16(divisions)) return "its header is cut short";
  if (divisions < 1) return format("its beat is divided into %d parts", divisions);
  for (int t = 0; t < 32; t++) {
    int32_t len;
    if (!b.s32(len) || len < 0 || (size_t)len > b.left)
      return format("track %d is cut short", t + 1);
    if (len > 0 && !midi_track(Bytes{b.p, (size_t)len}))
      return format("track %d is not whole MIDI events", t + 1);
    b.skip((size_t)len);
  }
  if (b.left) return format("%zu bytes follow its last track", b.left);
  return "";
}

// The content of one object by kind. Kinds the loader builds something
// from that is not checked here are refused; any other kind the loader
// keeps as plain bytes, which is safe at any length.
static std::string check_content(int32_t type, Bytes b) {
  switch (type) {
    case DAT_BITMAP: return check_picture(b);
    case DAT_FONT: return check_font(b);
    case DAT_MIDI: return check_tune(b);
    case DAT_PALETTE:
      return b.left == 1024 ? "" : format("the palette has %zu bytes, not 1024", b.left);
    case DAT_FILE:
    case DAT_SAMPLE:
    case DAT_PATCH:
    case DAT_FLI:
    case DAT_RLE_SPRITE:
    case DAT_C_SPRITE:
    case DAT_XC_SPRITE:
      return "this program doesn't read that kind";
    case DAT_END:
    case DAT_PROPERTY:
      return "that is a marker, not a kind";
  }
  return "";
}

// The kind this program needs at index i, or 0 where any will do.
static int32_t wanted_kind(int i) {
  if (i == OBJ_FONT) return DAT_FONT;
  if (i == OBJ_MUSIC) return DAT_MIDI;
  if (i == 0 || i == 16 || i == 18 || i == 20 || i >= N_OBJECTS) return 0;
  return DAT_BITMAP;
}

std::string datafile_damage(const unsigned char *data, size_t size) {
  if (size == 0) return "it is empty";
  if (size > MAX_DATAFILE)
    return format("it is %zu bytes, more than any data file of this program", size);
  Bytes b{data, size};
  int32_t magic, dat_magic, count;
  if (!b.s32(magic) || !b.s32(dat_magic) || !b.s32(count))
    return format("it is %zu bytes long, too short for a data file", size);
  if (magic == (int32_t)F_PACK_MAGIC)
    return "it is packed (compressed), and this program reads only unpacked data files";
  if (magic != (int32_t)F_NOPACK_MAGIC || dat_magic != (int32_t)DAT_MAGIC)
    return "it does not begin as an Allegro data file";
  // A file cut short still has the count it was made with: that is told
  // by where it ends. Only a count beyond any the program knows is judged
  // by the file's size (each object takes at least 12 bytes).
  if (count < 0 || (count > N_OBJECTS && (uint64_t)count * 12 > b.left))
    return format("it claims %d objects, more than its %zu bytes can hold", (int)count, size);
  if (count < N_OBJECTS)
    return format("it holds %d objects, %d needed", (int)count, N_OBJECTS);
  for (int i = 0; i < count; i++) {
    std::string cut = format("it ends inside object %d of %d", i, (int)count);
    int32_t type, packed_size, size_field;
    for (int props = 0;; props++) {
      if (!b.s32(type)) return cut;
      if (type != DAT_PROPERTY) break;
      int32_t id, len;
      if (!b.s32(id) || !b.s32(len) || len < 0 || !b.skip((size_t)len)) return cut;
      if (props == MAX_PROPERTIES)
        return format("object %d has more than %d properties", i, MAX_PROPERTIES);
    }
    if (!b.s32(packed_size) || !b.s32(size_field)) return cut;
    if (size_field < 0)
      return format("object %d is packed (compressed), and this program reads only "
                    "unpacked data files", i);
    if (packed_size != size_field)
      return format("object %d has two different lengths, %d and %d", i, (int)packed_size,
                    (int)size_field);
    if ((size_t)size_field > b.left) return cut;
    std::string why = check_content(type, Bytes{b.p, (size_t)size_field});
    if (!why.empty()) return format("object %d (a %s): ", i, kind_name(type).c_str()) + why;
    int32_t want = wanted_kind(i);
    if (want && type != want)
      return format("object %d is a %s, not a %s", i, kind_name(type).c_str(),
                    kind_name(want).c_str());
    b.skip((size_t)size_field);
  }
  return "";
}

// Reads the open file f whole into bytes, up to one byte past the limit.
static bool read_whole(FILE *f, std::vector<unsigned char> &bytes) {
  unsigned char chunk[65536];
  size_t n;
  while (bytes.size() <= MAX_DATAFILE && (n = fread(chunk, 1, sizeof chunk, f)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + n);
  return !ferror(f);
}

// load_checked_datafile
// Allegro opens the file by name; it is given the very file that was
// checked, through the open descriptor's name in /proc, so that a file
// replaced in between is never what it reads. Without /proc the name is
// used again.
DATAFILE *load_checked_datafile(const char *name, std::string &why) {
  why.clear();
  FILE *f = fopen(name, "rb");
  if (!f) return nullptr;
  struct stat st;
  if (fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
    fclose(f);
    why = "it is a folder";
    return nullptr;
  }
  std::vector<unsigned char> bytes;
  if (!read_whole(f, bytes)) {
    fclose(f);
    why = "it can't be read";
    return nullptr;
  }
  why = datafile_damage(bytes.data(), bytes.size());
  if (!why.empty()) {
    fclose(f);
    return nullptr;
  }
  std::string same = "/proc/self/fd/" + std::to_string(fileno(f));
  DATAFILE *d = load_datafile(access(same.c_str(), R_OK) == 0 ? same.c_str() : name);
  fclose(f);
  if (!d) why = "Allegro's loader refused it";
  return d;
}
