// The music player: note periods, delta times and tempo, running status,
// voices, skipped messages, files from an independent writer played by the
// headless machine scan line by scan line as the game drives it, and
// malformed files. Also built with AddressSanitizer (sideview_music_asan),
// so no file may make the player read outside its track.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bm.h"
#include "log.h"
#include "music.h"
#include "music_machine.h"
#include "scratch.h"

namespace {

typedef std::vector<unsigned char> Bytes;

// A Standard MIDI File: header (format 0, one track) and one track chunk
// holding the given event bytes.
Bytes smf(int division, const Bytes &track) {
  Bytes b = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1,
             (unsigned char)(division >> 8), (unsigned char)division, 'M', 'T', 'r', 'k'};
  size_t n = track.size();
  for (int s = 24; s >= 0; s -= 8) b.push_back((unsigned char)(n >> s));
  b.insert(b.end(), track.begin(), track.end());
  return b;
}

Bytes operator+(Bytes a, const Bytes &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const Bytes END = {0x00, 0xFF, 0x2F, 0x00};  // delta 0, end of track

// A sound-register write and the scan line it was made in (line 1 is the
// first line after the music started).
struct Write {
  long line;
  int voice, reg, value;
  bool operator==(const Write &o) const {
    return line == o.line && voice == o.voice && reg == o.reg && value == o.value;
  }
};

std::ostream &operator<<(std::ostream &os, const Write &w) {
  return os << "{line " << w.line << ", voice " << w.voice << ", reg " << w.reg << ", value "
            << w.value << "}";
}

std::vector<Write> writes;  // every sound write the music made
int seen;                   // queue entries already in `writes`

// Picks up the queue entries added since the last look.
void collect(long line) {
  int n = bmSoundQueue(nullptr, 0);
  if (n <= seen) return;
  std::vector<bmSoundWrite> q(n);
  bmSoundQueue(q.data(), n);
  for (int i = seen; i < n; i++) writes.push_back({line, q[i].voice, q[i].reg, q[i].value});
  seen = n;
}

// The player on the machine, every sound write it makes recorded, its log
// in the scratch folder.
class Music : public MusicMachine {
 protected:
  void SetUp() override {
    MusicMachine::SetUp();
    after_line = collect;
    after_frame = [] { seen = bmSoundQueue(nullptr, 0); };
    writes.clear();
    seen = 0;
    if (fr) fclose(fr);
    fr = fopen(scratch.path("report.txt").c_str(), "w");
  }
  void TearDown() override {
    MusicMachine::TearDown();
    if (fr) fclose(fr);
    fr = nullptr;
  }
  std::string log() {
    fflush(fr);
    std::ifstream in(scratch.path("report.txt"));
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  // The writes made by direct calls since the last look.
  std::vector<Write> fresh() {
    size_t from = writes.size();
    collect(0);
    return std::vector<Write>(writes.begin() + from, writes.end());
  }
};

int count(const std::string &hay, const std::string &needle) {
  int n = 0;
  for (size_t p = hay.find(needle); p != std::string::npos; p = hay.find(needle, p + 1)) n++;
  return n;
}

}  // namespace

TEST(MusicPeriods, NoteFreqTable) {
  music_init();
  EXPECT_EQ(note_freq[23], 32395);
  EXPECT_EQ(note_freq[69], 2271);
  EXPECT_EQ(note_freq[127], 78);
  for (int n = 0; n < 23; n++) EXPECT_EQ(note_freq[n], 0x8000) << n;
  // Every playable note sounds on the generator (998,365 / period Hz) in
  // tune: within a tenth of a semitone up to note 100 (2.6 kHz), where the
  // short periods are coarser within less than half a semitone.
  for (int n = 23; n < 128; n++) {
    double want = 440.0 * std::pow(2.0, (n - 69) / 12.0);
    double got = 998365.0 / note_freq[n];
    EXPECT_NEAR(12 * std::log2(got / want), 0.0, n <= 100 ? 0.1 : 0.4) << n;
    if (n > 23) {
      EXPECT_LT(note_freq[n], note_freq[n - 1]) << n;
    }
  }
}

TEST_F(Music, VariableLengthDeltas) {
  // At 7,000 divisions and the default 7,000 lines a quarter note, the first
  // delta is its own number of lines: the timer starts at 1 + delta.
  struct Case {
    Bytes bytes;
    int value;
  } cases[] = {
      {{0x00}, 0},          {{0x40}, 0x40},           {{0x7F}, 0x7F},
      {{0x81, 0x00}, 0x80}, {{0xC0, 0x00}, 0x2000},   {{0xFF, 0x7F}, 0x3FFF},
      {{0x81, 0x80, 0x00}, 0x4000},                   {{0xC0, 0x80, 0x00}, 0x100000},
      {{0xFF, 0xFF, 0x7F}, 0x1FFFFF},                 {{0x81, 0x80, 0x80, 0x00}, 0x200000},
      {{0xC0, 0x80, 0x80, 0x00}, 0x8000000},          {{0xFF, 0xFF, 0xFF, 0x7F}, 0xFFFFFFF},
  };
  for (const Case &c : cases) {
    music_init();
    start(smf(7000, c.bytes + Bytes{0xFF, 0x2F, 0x00}));
    EXPECT_EQ(music_timer(), 1 + c.value) << c.value;
    EXPECT_EQ(music_playing(), 1);
  }
  // The longest delta at one division a quarter note stays a large
  // positive wait rather than overflowing.
  music_init();
  start(smf(1, Bytes{0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x2F, 0x00}));
  EXPECT_GT(music_timer(), 1000000000);
}

TEST_F(Music, RunningStatusCarriesNotesAndReleases) {
  start(smf(7000, Bytes{0x00, 0x90, 60, 100, 0x00, 64, 90, 0x00, 67, 80,  // three on
                   0x10, 60, 0,                                      // velocity 0
                   0x00, 0x80, 64, 64, 0x00, 67, 64} + END));        // 0x80, running
  run_to(1);
  const music_voice *v = music_voices();
  EXPECT_EQ(v[0].note, 60);
  EXPECT_EQ(v[1].note, 64);
  EXPECT_EQ(v[2].note, 67);
  run_to(20);
  EXPECT_EQ(v[0].note + v[1].note + v[2].note, 0);
  EXPECT_EQ(music_playing(), 0);
  std::vector<Write> offs;
  for (const Write &w : writes)
    if (w.reg == 2 && w.value == 0) offs.push_back(w);
  ASSERT_EQ(offs.size(), 3u);
  EXPECT_EQ(offs[0], (Write{17, 0, 2, 0}));
  EXPECT_EQ(offs[1], (Write{17, 1, 2, 0}));
  EXPECT_EQ(offs[2], (Write{17, 2, 2, 0}));
}

TEST_F(Music, TempoTurnsQuarterNotesIntoScanLines) {
  // 500,000 us a quarter note: 7,800 lines (0.5 s at 15,600 lines a
  // second); 96 ticks at 96 divisions last exactly that.
  start(smf(96, Bytes{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0x90, 69, 100,
                 0x60, 0x80, 69, 0} + END));
  run_to(7802);
  EXPECT_EQ(music_tempo(), 7800);
  ASSERT_EQ(writes.size(), 4u);
  EXPECT_EQ(writes[0], (Write{1, 0, 0, 2271 & 0xFF}));
  EXPECT_EQ(writes[1], (Write{1, 0, 1, 2271 >> 8}));
  EXPECT_EQ(writes[2], (Write{1, 0, 2, 0x40 + 50}));
  EXPECT_EQ(writes[3], (Write{7801, 0, 2, 0}));

  // Without a tempo event a quarter note is 7,000 lines.
  SetUp();
  start(smf(96, Bytes{0x00, 0x90, 69, 100, 0x60, 0x80, 69, 0} + END));
  run_to(7002);
  ASSERT_EQ(writes.size(), 4u);
  EXPECT_EQ(writes[3].line, 7001);
}

TEST_F(Music, VoicesAreTakenInOrderAndFreedByNote) {
  note_on(0, 60, 100);
  note_on(0, 60, 41);  // the same pitch takes a second voice
  note_on(1, 72, 127);
  std::vector<Write> w = fresh();
  ASSERT_EQ(w.size(), 9u);
  int p60 = note_freq[60], p72 = note_freq[72];
  EXPECT_EQ(w[0], (Write{0, 0, 0, p60 & 0xFF}));
  EXPECT_EQ(w[1], (Write{0, 0, 1, p60 >> 8}));
  EXPECT_EQ(w[2], (Write{0, 0, 2, 0x40 + 50}));
  EXPECT_EQ(w[5], (Write{0, 1, 2, 0x40 + 20}));
  EXPECT_EQ(w[6], (Write{0, 2, 0, p72 & 0xFF}));
  EXPECT_EQ(w[8], (Write{0, 2, 2, 0x7F}));

  // A fourth note finds no voice; its release finds nothing to free.
  note_on(0, 64, 100);
  note_off(0, 64);
  EXPECT_TRUE(fresh().empty());
  // The same note on another channel is not this one.
  note_off(2, 60);
  EXPECT_TRUE(fresh().empty());
  // The first release of the doubled note frees the lower voice; a
  // velocity of 0 is a release too.
  note_off(0, 60);
  EXPECT_EQ(fresh(), (std::vector<Write>{{0, 0, 2, 0}}));
  EXPECT_EQ(music_voices()[0].note, 0);
  EXPECT_EQ(music_voices()[1].note, 60);
  note_on(1, 72, 0);
  EXPECT_EQ(fresh(), (std::vector<Write>{{0, 2, 2, 0}}));
  // The freed voice 0 is the first free one again.
  note_on(3, 50, 20);
  EXPECT_EQ(fresh()[2], (Write{0, 0, 2, 0x40 + 10}));
  EXPECT_EQ(music_voices()[0].channel, 3);

  // Each write is a bus access: a note costs three machine cycles.
  int before = bmCycles();
  note_on(4, 80, 100);
  EXPECT_EQ(bmCycles() - before, 3);

  // Channel 10 (counted from 0) is never played, channel 9 is.
  note_off(4, 80);
  fresh();
  note_on(10, 62, 100);
  note_off(10, 60);
  EXPECT_TRUE(fresh().empty());
  note_on(9, 62, 100);
  EXPECT_EQ(fresh().size(), 3u);
  note_off(9, 62);
  EXPECT_EQ(fresh().size(), 1u);
}

TEST_F(Music, OtherMessagesAreSkippedByTheirLength) {
  start(smf(7000, Bytes{0x00, 0xE0, 0x00, 0x50,           // pitch bend
                   0x00, 0xA0, 60, 0x10,             // key pressure
                   0x00, 0xD0, 0x20,                 // channel pressure
                   0x00, 0xB0, 7, 100,               // controller
                   0x00, 0xC0, 5,                    // program
                   0x00, 0xF0, 0x03, 0x01, 0x02, 0xF7,  // system exclusive
                   0x00, 0xFF, 0x01, 0x02, 'h', 'i',    // text
                   0x00, 0x90, 69, 100, 0x05, 0xE0, 0x7F, 0x7F} + END));
  run_to(10);
  std::string text = log();
  EXPECT_EQ(count(text, "Event e0, 0 50\n"), 1) << text;
  EXPECT_EQ(count(text, "Event e0, 7f 7f\n"), 1) << text;
  EXPECT_EQ(count(text, "Event a0, 3c 10\n"), 1) << text;
  EXPECT_EQ(count(text, "Event d0, 20 0\n"), 1) << text;
  EXPECT_EQ(count(text, "Event f0, 3 1\n"), 1) << text;
  EXPECT_EQ(count(text, "Event"), 5) << text;
  // The note plays unbent, after everything else in the same line.
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(writes[0], (Write{1, 0, 0, 2271 & 0xFF}));
  EXPECT_EQ(music_playing(), 0);
}

TEST_F(Music, SystemExclusiveDataKeepsTheRunningStatus) {
  // A note-on, a system-exclusive message, then data bytes in running
  // status: they are the note-on's, not the system message's.
  start(smf(7000, Bytes{0x00, 0x90, 60, 100,                 // note-on, status 0x90
                   0x00, 0xF0, 0x02, 0x01, 0xF7,           // system exclusive
                   0x00, 64, 100} + END));                 // running status: note-on
  run_to(2);
  const music_voice *v = music_voices();
  EXPECT_EQ(v[0].note, 60);
  EXPECT_EQ(v[1].note, 64);
  EXPECT_EQ(count(log(), "Event f0, 2 1\n"), 1);
}

TEST_F(Music, PlayMusicRestartsOnlyAFinishedTrack) {
  start(smf(7000, Bytes{0x00, 0x90, 69, 100, 0x64, 0x80, 69, 0, 0x64, 0xFF, 0x2F, 0x00}));
  run_to(50);
  int timer = music_timer();
  play_music();  // still playing: nothing changes
  EXPECT_EQ(music_timer(), timer);
  EXPECT_EQ(music_voices()[0].note, 69);
  run_to(300);
  EXPECT_EQ(music_playing(), 0);
  EXPECT_EQ(writes.size(), 4u);
  run_to(400);
  EXPECT_EQ(writes.size(), 4u);  // nothing after the end
  play_music();
  run_to(401);
  ASSERT_EQ(writes.size(), 7u);
  EXPECT_EQ(writes[4], (Write{401, 0, 0, 2271 & 0xFF}));
}

// Files from the independent writer play their expected register writes in
// the expected scan lines.
TEST_F(Music, FilesFromAnIndependentWriter) {
  std::string cmd = "python3 '" SOURCE_DIR "/tests/sideview/music_midi_writer.py' '" +
                    scratch.dir + "'";
  ASSERT_EQ(system(cmd.c_str()), 0) << cmd;
  for (const char *name : {"tune", "format1", "long_header"}) {
    SetUp();
    std::vector<Write> want;
    std::ifstream in(scratch.path(std::string(name) + ".expect"));
    Write w;
    while (in >> w.line >> w.voice >> w.reg >> w.value) want.push_back(w);
    ASSERT_FALSE(want.empty()) << name;
    ASSERT_EQ(load_music(scratch.path(std::string(name) + ".mid").c_str()), 1) << name;
    play_music();
    while (music_playing() && lines < 200000) run_to(lines + BM_LINES);
    EXPECT_EQ(music_playing(), 0) << name;
    run_to(lines + 5000);  // and nothing after the end
    EXPECT_EQ(writes, want) << name;
  }
}

TEST_F(Music, MissingFileEndsTheProgram) {
  std::string name = scratch.path("none.mid");
  EXPECT_EXIT(load_music(name.c_str()), ::testing::ExitedWithCode(1),
              "Couldn't open file \"" + name + "\"");
  EXPECT_EQ(log(), "Couldn't open file \"" + name + "\"");
}

TEST_F(Music, UnplayableFilesLeaveTheGameSilent) {
  Bytes good = smf(96, Bytes{0x00, 0x90, 60, 100} + END);
  Bytes no_track = good;
  no_track.resize(14);
  Bytes no_divisions = good, smpte = good, short_header = good, alien = good;
  no_divisions[12] = no_divisions[13] = 0;
  smpte[12] = 0xE7;  // -25 frames a second
  smpte[13] = 0x28;
  short_header[7] = 4;
  alien[14] = 'X';   // the only chunk is not a track
  const Bytes cases[] = {{},          Bytes(good.begin(), good.begin() + 13), no_track,
                         no_divisions, smpte, short_header, alien};
  int n = 0;
  for (const Bytes &b : cases) {
    EXPECT_EQ(load_music(file("bad.mid", b).c_str()), 0) << n;
    play_music();
    EXPECT_EQ(music_playing(), 0) << n;
    run_to(lines + 10);
    n++;
  }
  EXPECT_TRUE(writes.empty());
  EXPECT_EQ(count(log(), "Couldn't play music file \"" + scratch.path("bad.mid") + "\""), n);
  // A good file loads after bad ones.
  start(good);
  run_to(lines + 2);
  EXPECT_EQ(writes.size(), 3u);
}

TEST_F(Music, TheTrackEndsWithItsBytes) {
  // The track's length claims more than the file holds: what is there plays.
  Bytes longer = smf(7000, Bytes{0x00, 0x90, 60, 100, 0x05, 0x91, 64, 100});
  longer[21] = 0xF0;
  start(longer);
  run_to(10);
  EXPECT_EQ(writes.size(), 6u);
  EXPECT_EQ(music_playing(), 0);

  // Cut inside an event, a delta time, a meta length or a meta's data: the
  // event before the cut plays, the one cut short doesn't, the track ends.
  const Bytes cut[] = {
      {0x00, 0x90, 60, 100, 0x00, 0x90, 64},
      {0x00, 0x90, 60, 100, 0x81},
      {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x51, 0x83},
      {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x51, 0x03, 0x07},
      {0x00, 0x90, 60, 100, 0x00, 0xF0, 0x05, 1, 2},
      {0x00, 0x90, 60, 100, 0x00, 0xFF},
      {0x00, 0x90, 60, 100},
  };
  for (const Bytes &t : cut) {
    SetUp();
    start(smf(7000, t));
    run_to(1000);
    EXPECT_EQ(writes.size(), 3u);
    EXPECT_EQ(music_playing(), 0);
    EXPECT_EQ(music_tempo(), MUSIC_DEFAULT_TEMPO);
  }
  // An empty track ends at once.
  SetUp();
  start(smf(96, Bytes{}));
  EXPECT_EQ(music_playing(), 0);
}

// Every cut of a real file and random damage to it: loading and playing
// never crash, hang or (under AddressSanitizer) touch memory outside the
// track.
TEST_F(Music, TruncatedAndDamagedFiles) {
  bmSetCallBack(0, nullptr);
  bmSetCallBack(1, nullptr);
  fclose(fr);
  fr = nullptr;
  Bytes track;
  track = track + Bytes{0x00, 0xFF, 0x51, 0x03, 0x00, 0x10, 0x00, 0x00, 0xC0, 5, 0x00, 0xB0, 7, 90};
  for (int i = 0; i < 12; i++)
    track = track + Bytes{0x00, 0x90, (unsigned char)(50 + i), 100, 0x00, (unsigned char)(62 + i), 80,
                          0x83, 0x10, (unsigned char)(50 + i), 0, 0x00, (unsigned char)(62 + i), 0,
                          0x00, 0xE0, 0, 0x40, 0x00, 0xF0, 0x02, 1, 0xF7};
  Bytes good = smf(24, track + END);
  auto play_briefly = [&](const Bytes &b) {
    music_init();
    if (!load_music(file("d.mid", b).c_str())) return;
    play_music();
    for (int i = 0; i < 30000 && music_playing(); i++) music_update();
  };
  for (size_t n = 0; n <= good.size(); n++) play_briefly(Bytes(good.begin(), good.begin() + n));
  std::mt19937 rng(1234);
  for (int round = 0; round < 400; round++) {
    Bytes b = good;
    int hits = 1 + (int)(rng() % 6);
    for (int k = 0; k < hits; k++) b[rng() % b.size()] = (unsigned char)rng();
    if (round % 4 == 0) b.resize(rng() % b.size());
    play_briefly(b);
  }
  // All noise after a valid header.
  for (int round = 0; round < 50; round++) {
    Bytes noise(200 + rng() % 200);
    for (auto &x : noise) x = (unsigned char)rng();
    play_briefly(smf(1 + rng() % 500, noise));
  }
  SUCCEED();
}
