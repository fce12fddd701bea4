// datafile_damage_test.cpp -- the check of "data.dat" before Allegro reads
// it: the shipped file passes; cut short anywhere, or with bytes of its
// headers changed, it is refused, or it is still a file the library loads
// whole and the program can use.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "scratch.h"
#include "share.h"

namespace {

typedef std::vector<unsigned char> Bytes;

const std::string SHIPPED = std::string(RUN_DIR) + "/topdown/data.dat";

void start_allegro() {
  if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(16);
}

std::string damage(const Bytes &b) { return datafile_damage(b.data(), b.size()); }

uint32_t get32(const Bytes &b, size_t at) {
  return (uint32_t)b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

void put32(Bytes &b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; i++) b[at + i] = (unsigned char)(v >> (24 - 8 * i));
}

// Where each object of a datafile lies, found by a reader of this test's
// own: its header fields (properties, kind, lengths) and its content.
struct Object {
  std::vector<size_t> header;  // offsets of header bytes
  size_t content, length;
  uint32_t type;
};

std::vector<Object> objects_of(const Bytes &b) {
  std::vector<Object> v;
  size_t at = 12, n = get32(b, 8);
  for (size_t i = 0; i < n; i++) {
    Object o;
    while (get32(b, at) == (uint32_t)DAT_PROPERTY) {
      for (size_t k = 0; k < 12; k++) o.header.push_back(at + k);
      at += 12 + get32(b, at + 8);
    }
    for (size_t k = 0; k < 12; k++) o.header.push_back(at + k);
    o.type = get32(b, at);
    o.length = get32(b, at + 4);
    o.content = at + 12;
    at = o.content + o.length;
    v.push_back(o);
  }
  return v;
}

// The file written into a scratch folder and loaded by Allegro.
DATAFILE *allegro_load(const Scratch &s, const Bytes &b) {
  spit(s.path("data.dat"), b);
  return load_datafile(s.path("data.dat").c_str());
}

class DataDamage : public ::testing::Test {
 protected:
  Bytes good = slurp(SHIPPED);
  void SetUp() override {
    ASSERT_GT(good.size(), 100000u) << "no data.dat in " << SHIPPED;
    start_allegro();
  }
};

TEST_F(DataDamage, TheShippedFileIsSoundAndNotPacked) {
  EXPECT_EQ(damage(good), "");
  EXPECT_EQ(get32(good, 0), (uint32_t)F_NOPACK_MAGIC);
  for (const Object &o : objects_of(good))
    EXPECT_EQ(get32(good, o.content - 4), o.length) << "a packed object";
}

TEST_F(DataDamage, EveryCutIsRefused) {
  std::vector<size_t> cuts = {0, 1, 4, 8, 11, 12, 16, 1000, 100000, 400000, good.size() - 1};
  for (int percent = 1; percent < 100; percent++) cuts.push_back(good.size() * percent / 100);
  for (size_t n : cuts) {
    Bytes cut(good.begin(), good.begin() + n);
    std::string why = damage(cut);
    EXPECT_NE(why, "") << n << " bytes";
    if (n > 16) {
      EXPECT_EQ(why.find("it ends inside object"), 0u) << n << ": " << why;
    }
  }
  EXPECT_EQ(damage(Bytes()), "it is empty");
}

// A few hundred changed bytes in the object headers and in the headers of
// pictures, the font and the tune: the check refuses the file, or Allegro
// loads all of it and the program finds every object it needs.
TEST_F(DataDamage, ChangedHeaderBytesAreRefusedOrHarmless) {
  Scratch scratch;
  std::vector<Object> objects = objects_of(good);
  std::vector<size_t> places;
  for (const Object &o : objects) {
    places.insert(places.end(), o.header.begin(), o.header.end());
    size_t head = o.type == (uint32_t)DAT_FONT ? 17 : o.type == (uint32_t)DAT_MIDI ? 10 : 6;
    for (size_t k = 0; k < head && k < o.length; k++) places.push_back(o.content + k);
  }
  std::mt19937 random(20240611);
  int refused = 0, loaded = 0;
  for (int n = 0; n < 300; n++) {
    Bytes b = good;
    size_t at = places[random() % places.size()];
    unsigned char was = b[at];
    b[at] = (unsigned char)(random() % 2 ? random() % 256 : was ^ (1 << random() % 8));
    if (b[at] == was) b[at] ^= 0x80;
    if (damage(b) != "") {
      refused++;
      continue;
    }
    DATAFILE *d = allegro_load(scratch, b);
    ASSERT_TRUE(d) << "byte " << at;
    EXPECT_EQ(check_datafile(d), nullptr) << "byte " << at;
    unload_datafile(d);
    loaded++;
  }
  // Most changes break the file; some only rename an object.
  EXPECT_GT(refused, 200);
  EXPECT_GT(loaded, 0);
}

TEST_F(DataDamage, EachFaultIsNamed) {
  std::vector<Object> o = objects_of(good);
  auto with = [&](size_t at, uint32_t v) {
    Bytes b = good;
    put32(b, at, v);
    return damage(b);
  };
  EXPECT_EQ(with(0, F_PACK_MAGIC).find("it is packed"), 0u);
  EXPECT_EQ(with(4, 0x12345678), "it does not begin as an Allegro data file");
  EXPECT_EQ(with(8, 276), "it holds 276 objects, 277 needed");
  EXPECT_EQ(with(8, 0x7FFFFFFF).find("it claims 2147483647 objects"), 0u);
  EXPECT_EQ(with(8, 0xFFFFFFFF).find("it claims -1 objects"), 0u);
  // Object 5's lengths.
  size_t lengths = o[5].content - 8;
  EXPECT_EQ(with(lengths + 4, (uint32_t)-(int)o[5].length).find("object 5 is packed"), 0u);
  EXPECT_EQ(with(lengths, o[5].length + 1).find("object 5 has two different lengths"), 0u);
  EXPECT_NE(with(lengths, 0x7FFFFFF0), "");
  // Kinds: a font where a picture must be, a nested datafile.
  EXPECT_EQ(with(o[15].content - 12, DAT_BITMAP).find("object 15 (a picture): "), 0u);
  EXPECT_EQ(with(o[3].content - 12, DAT_FILE).find("object 3 (a \"FILE\" object)"), 0u);
  EXPECT_EQ(with(o[0].content - 12, DAT_ID('X', 'Y', 'Z', '1')), "");  // plain bytes
  EXPECT_EQ(with(o[21].content - 12, DAT_ID('X', 'Y', 'Z', '1')),
            "object 21 is a \"XYZ1\" object, not a picture");
  // A picture of another size than its pixels.
  Bytes b = good;
  b[o[1].content + 3] ^= 1;
  EXPECT_EQ(damage(b).find("object 1 (a picture): its "), 0u) << damage(b);
  b = good;
  b[o[1].content + 1] = 7;
  EXPECT_EQ(damage(b), "object 1 (a picture): its colour depth, 7 bits, is not one there is");
  // The font: its kind of characters.
  b = good;
  b[o[15].content + 4] = 8;
  EXPECT_NE(damage(b).find("characters are of 8 bits"), std::string::npos) << damage(b);
  // The tune: its first track without its end.
  b = good;
  size_t track = o[19].content + 2 + 4;
  size_t len = get32(b, track - 4);
  ASSERT_GT(len, 4u);
  b[track + len - 2] = 0x2E;  // the end-of-track event becomes another meta event
  EXPECT_EQ(damage(b), "object 19 (a tune): track 1 is not whole MIDI events");
}

TEST_F(DataDamage, OnlyACheckedFileIsLoaded) {
  Scratch scratch(true);
  std::string why = "x";
  EXPECT_EQ(load_checked_datafile("data.dat", why), nullptr);
  EXPECT_EQ(why, "");  // missing: no damage to name
  mkdir("data.dat", 0755);
  EXPECT_EQ(load_checked_datafile("data.dat", why), nullptr);
  EXPECT_EQ(why, "it is a folder");
  rmdir("data.dat");
  spit("data.dat", Bytes(good.begin(), good.begin() + 1000));
  EXPECT_EQ(load_checked_datafile("data.dat", why), nullptr);
  EXPECT_EQ(why.find("it ends inside object"), 0u);
  spit("data.dat", good);
  DATAFILE *d = load_checked_datafile("data.dat", why);
  ASSERT_TRUE(d) << why;
  EXPECT_EQ(check_datafile(d), nullptr);
  unload_datafile(d);
}

}  // namespace
