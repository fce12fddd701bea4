// art_tune_test.cpp -- the drawn pictures, the font and the tune as the game
// loads them from data.dat: the tune is long enough to seek into, stays in
// one key and in four voices; the font is a one-colour font with even
// digits; tiles of a kind join without seams.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

DATAFILE *data() {
  static DATAFILE *d = [] {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    return load_datafile(RUN_DIR "/topdown/data.dat");
  }();
  return d;
}

// ------------------------------------------------------------------ tune

struct NoteEvent {
  long tick;
  int channel, key;
  bool on;
};

struct Tune {
  int division = 0;
  long length = 0;                 // ticks to the last end of track
  std::vector<long> track_ends;
  std::vector<int> tempos_bpm;
  std::vector<NoteEvent> notes;
  bool well_formed = true;
};

// Reads the raw tracks Allegro keeps in its MIDI record.
Tune read_tune(const MIDI *m) {
  Tune t;
  t.division = m->divisions;
  for (int tr = 0; tr < MIDI_TRACKS; tr++) {
    const unsigned char *p = m->track[tr].data;
    int len = m->track[tr].len;
    if (!p || len <= 0) continue;
    int pos = 0, running = 0;
    long tick = 0;
    bool ended = false;
    auto varlen = [&]() {
      long v = 0;
      for (int i = 0; i < 4 && pos < len; i++) {
        unsigned char b = p[pos++];
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80)) return v;
      }
      t.well_formed = false;
      return v;
    };
    while (pos < len && !ended && t.well_formed) {
      tick += varlen();
      if (pos >= len) break;
      int status = p[pos];
      if (status & 0x80) pos++;
      else status = running;
      if (status == 0xFF) {
        int type = p[pos++];
        long l = varlen();
        if (type == 0x2F) ended = true;
        if (type == 0x51 && l == 3 && pos + 3 <= len) {
          long us = (p[pos] << 16) | (p[pos + 1] << 8) | p[pos + 2];
          t.tempos_bpm.push_back((int)(60000000L / us));
        }
        pos += (int)l;
      } else if (status == 0xF0 || status == 0xF7) {
        pos += (int)varlen();
      } else if (status & 0x80) {
        running = status;
        int kind = status & 0xF0, ch = status & 15;
        int n = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        if (pos + n > len) break;
        if (kind == 0x90 || kind == 0x80)
          t.notes.push_back({tick, ch, p[pos], kind == 0x90 && p[pos + 1] > 0});
        pos += n;
      } else {
        t.well_formed = false;
      }
    }
    if (!ended) t.well_formed = false;
    t.track_ends.push_back(tick);
    t.length = std::max(t.length, tick);
  }
  return t;
}

TEST(Tune, IsAWellFormedLoopOfAtLeast900BeatsAtARacingTempo) {
  ASSERT_NE(data(), nullptr);
  ASSERT_EQ(data()[19].type, DAT_MIDI);
  Tune t = read_tune((const MIDI *)data()[19].dat);
  ASSERT_TRUE(t.well_formed);
  ASSERT_GT(t.division, 0);
  EXPECT_GE(t.length / t.division, 900);
  // every track ends on the same bar line, so the loop keeps the beat
  EXPECT_EQ(t.length % (4 * t.division), 0);
  for (long end : t.track_ends) EXPECT_EQ(end, t.length);
  ASSERT_FALSE(t.tempos_bpm.empty());
  for (int bpm : t.tempos_bpm) {
    EXPECT_GE(bpm, 120);
    EXPECT_LE(bpm, 140);
  }
}

TEST(Tune, HasMelodyBassAndDrumsInOneKeyWithinFourVoices) {
  ASSERT_NE(data(), nullptr);
  Tune t = read_tune((const MIDI *)data()[19].dat);
  std::vector<NoteEvent> ev = t.notes;
  std::stable_sort(ev.begin(), ev.end(), [](const NoteEvent &a, const NoteEvent &b) {
    return a.tick != b.tick ? a.tick < b.tick : (!a.on && b.on);
  });
  // A minor, with G# for the dominant chord
  const bool in_key[12] = {1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 0, 1};
  int sounding[16][128] = {};
  int voices = 0, most = 0, drums = 0, out_of_key = 0;
  std::vector<int> pitched(16);
  for (const NoteEvent &e : ev) {
    if (e.on) {
      if (e.channel == 9) drums++;
      else pitched[e.channel]++;
      if (e.channel != 9 && !in_key[e.key % 12]) out_of_key++;
      sounding[e.channel][e.key]++;
      voices++;
      most = std::max(most, voices);
    } else if (sounding[e.channel][e.key] > 0) {
      sounding[e.channel][e.key]--;
      voices--;
    }
  }
  EXPECT_EQ(voices, 0) << "notes left hanging at the end";
  EXPECT_LE(most, 4) << "the game reserves four MIDI voices";
  EXPECT_EQ(out_of_key, 0);
  EXPECT_GT(drums, 1000);
  EXPECT_GE(std::count_if(pitched.begin(), pitched.end(), [](int n) { return n > 500; }), 2);
}

// ------------------------------------------------------------------ font

TEST(Font, IsOneColourWithEveryPrintableCharacterAndEvenDigits) {
  ASSERT_NE(data(), nullptr);
  ASSERT_EQ(data()[15].type, DAT_FONT);
  FONT *f = (FONT *)data()[15].dat;
  EXPECT_TRUE(is_mono_font(f));
  EXPECT_GE(text_height(f), 12);
  EXPECT_LE(text_height(f), 16);
  for (int c = 32; c < 127; c++) {
    char s[2] = {(char)c, 0};
    EXPECT_GT(text_length(f, s), 0) << "character " << c;
  }
  // equal digit widths keep the running clock from jittering
  for (char d = '0'; d <= '9'; d++) {
    char s[2] = {d, 0};
    EXPECT_EQ(text_length(f, s), text_length(f, "0")) << d;
  }
  // drawn in any colour, over a transparent background
  BITMAP *b = create_bitmap(40, 20);
  clear_to_color(b, makecol(0, 0, 255));
  textout_ex(b, f, "W", 0, 0, makecol(255, 255, 0), -1);
  int ink = 0, other = 0;
  for (int y = 0; y < 20; y++)
    for (int x = 0; x < 40; x++) {
      int p = getpixel(b, x, y);
      if (p == makecol(255, 255, 0)) ink++;
      else if (p != makecol(0, 0, 255)) other++;
    }
  destroy_bitmap(b);
  EXPECT_GT(ink, 20);
  EXPECT_EQ(other, 0);
}

// ------------------------------------------------------------- pictures

int difference(BITMAP *b, int x0, int y0, int x1, int y1) {
  int p = getpixel(b, x0, y0), q = getpixel(b, x1, y1);
  return std::abs(getr(p) - getr(q)) + std::abs(getg(p) - getg(q)) + std::abs(getb(p) - getb(q));
}

TEST(Tiles, AreOpaqueAndNamedTilesJoinWithoutSeams) {
  ASSERT_NE(data(), nullptr);
  const int pink = makecol(255, 0, 255);
  for (int t = 0; t < 256; t++) {
    BITMAP *b = (BITMAP *)data()[21 + t].dat;
    ASSERT_EQ(b->w, 32);
    ASSERT_EQ(b->h, 32);
    int holes = 0;
    for (int y = 0; y < 32; y++)
      for (int x = 0; x < 32; x++) holes += getpixel(b, x, y) == pink;
    EXPECT_EQ(holes, 0) << "tile " << t;
  }
  std::ifstream in(SOURCE_DIR "/data/topdown/tiles.txt");
  std::string line;
  int checked = 0;
  while (std::getline(in, line)) {
    std::istringstream ss(line);
    int t;
    std::string ch, attrs, name;
    if (line.empty() || line[0] == '#' || !(ss >> t >> ch >> attrs >> name)) continue;
    BITMAP *b = (BITMAP *)data()[21 + t].dat;
    // the step across the wrap-round edge, between the last column (row)
    // and the first, is no harsher than the steps between neighbouring
    // columns (rows) inside the picture: joints and squares may fall on the
    // edge, a texture that does not repeat shows there
    for (int across = 0; across < 2; across++) {
      auto step = [&](int k) {
        int sum = 0;
        for (int a = 0; a < 32; a++)
          sum += across ? difference(b, a, k, a, (k + 1) % 32) : difference(b, k, a, (k + 1) % 32, a);
        return sum / 32;
      };
      int inside = 0;
      for (int k = 0; k < 31; k++) inside = std::max(inside, step(k));
      EXPECT_LE(step(31), inside * 5 / 4 + 12) << name << (across ? " rows" : " columns");
    }
    checked++;
  }
  EXPECT_GT(checked, 30);
}

TEST(Sprites, VehiclesFaceUpAndHaveTransparentCorners) {
  ASSERT_NE(data(), nullptr);
  const int pink = makecol(255, 0, 255);
  for (int i : {7, 8, 9, 10}) {  // boat, car, bikes
    BITMAP *b = (BITMAP *)data()[i].dat;
    EXPECT_GT(b->h, b->w) << "object " << i;
    EXPECT_EQ(getpixel(b, 0, 0), pink) << "object " << i;
    EXPECT_EQ(getpixel(b, b->w - 1, b->h - 1), pink) << "object " << i;
  }
}

}  // namespace
