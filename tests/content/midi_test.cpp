// midi_test.cpp -- the MIDI files the content library writes, played by
// sideview's own music player on the headless machine and read by Allegro;
// the tune notation both games' scores are written in.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "bm.h"
#include "midi.h"
#include "music.h"
#include "music_machine.h"
#include "notation.h"
#include "scratch.h"
#include "tool.h"

namespace {

typedef std::vector<unsigned char> Bytes;

class MidiPlayed : public MusicMachine {
 protected:
  // The notes sounding on the three voices.
  std::vector<int> sounding() {
    const music_voice *v = music_voices();
    return {v[0].note, v[1].note, v[2].note};
  }
};

// A chord of three notes in running status, the top one released early:
// 500,000 us a quarter note at 96 ticks is 7,800 scan lines a quarter.
MidiTrack chord_track() {
  MidiTrack t;
  t.name("test");
  t.tempo(0, 500000);
  t.program(0, 1, 80);
  t.note(0, 96, 1, 60, 100);
  t.note(0, 96, 1, 64, 100);
  t.note(0, 48, 1, 67, 100);
  return t;
}

TEST_F(MidiPlayed, AFormat0FileInRunningStatusPlaysInTheGamesPlayer) {
  MidiTrack t = chord_track();
  t.release_velocity = 0x40;
  Bytes with = midi_file({t}, 96, 192, true), without = midi_file({t}, 96, 192);
  EXPECT_EQ(with[9], 0) << "format 0 for one track";
  // The four channel messages that repeat the status before them drop it.
  EXPECT_EQ(without.size() - with.size(), 4u);
  start(with);
  run_to(1);
  EXPECT_EQ(music_tempo(), 7800);
  EXPECT_EQ(sounding(), (std::vector<int>{60, 64, 67}));
  run_to(3902);
  EXPECT_EQ(sounding(), (std::vector<int>{60, 64, 0})) << "the eighth note is over";
  run_to(7802);
  EXPECT_EQ(sounding(), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(music_playing(), 1) << "the track runs on to its end at two quarters";
  run_to(15700);
  EXPECT_EQ(music_playing(), 0);
}

TEST_F(MidiPlayed, AFormat1FileHasEveryTrackAndThePlayerTakesTheFirst) {
  MidiTrack conductor, melody;
  conductor.tempo(0, 500000);
  melody.note(96, 96, 0, 72, 90);
  Bytes file = midi_file({melody, conductor}, 96, 384);
  EXPECT_EQ(file[9], 1);
  EXPECT_EQ(file[11], 2);
  start(file);
  run_to(1);
  EXPECT_EQ(sounding()[0], 0);
  run_to(7002);  // no tempo in the first track: 7,000 lines a quarter
  EXPECT_EQ(sounding()[0], 72);

  // Allegro reads both tracks, each closed at the same end.
  install_allegro(SYSTEM_NONE, &errno, atexit);
  std::string name = scratch.path("f1.mid");
  save_file(name, file);
  MIDI *m = load_midi(name.c_str());
  ASSERT_TRUE(m);
  EXPECT_EQ(m->divisions, 96);
  int tracks = 0;
  for (int i = 0; i < MIDI_TRACKS; i++) tracks += m->track[i].len > 0;
  EXPECT_EQ(tracks, 2);
  const unsigned char *c = m->track[1].data;
  int n = m->track[1].len;
  // the conductor track: tempo at 0, then end of track 384 ticks on
  EXPECT_EQ(Bytes(c, c + n), (Bytes{0x00, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20, 0x83, 0x00, 0xFF, 0x2F, 0}));
  destroy_midi(m);
}

TEST(Midi, EventsAtOneTickGoReleasesFirstThenSettingsThenNotes) {
  MidiTrack t;
  t.note(0, 10, 0, 60, 100);  // released at 10
  t.note(10, 5, 0, 60, 90);   // struck again at 10
  t.program(10, 0, 3);
  Bytes f = midi_file({t}, 96, 0);
  Bytes body(f.begin() + 22, f.end());
  EXPECT_EQ(body, (Bytes{0x00, 0x90, 60, 100, 0x0A, 0x80, 60, 0, 0x00, 0xC0, 3, 0x00, 0x90, 60,
                         90, 0x05, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0}));
}

TEST(Midi, VariableLengthQuantities) {
  struct {
    unsigned long value;
    Bytes bytes;
  } cases[] = {{0, {0}}, {0x7F, {0x7F}}, {0x80, {0x81, 0x00}}, {0x3FFF, {0xFF, 0x7F}},
               {0x4000, {0x81, 0x80, 0x00}}, {0xFFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}}};
  for (auto &c : cases) {
    Bytes b;
    put_varlen(b, c.value);
    EXPECT_EQ(b, c.bytes) << c.value;
  }
}

// ----------------------------------------------------------- the notation

TEST(Notation, NoteNames) {
  EXPECT_EQ(note_key("C4"), 60);
  EXPECT_EQ(note_key("A4"), 69);
  EXPECT_EQ(note_key("G#5"), 80);
  EXPECT_EQ(note_key("Bb3"), 58);
  EXPECT_EQ(note_key("c4"), 60);
  EXPECT_EQ(note_key("C0"), 12);
  EXPECT_EQ(note_key("G9"), 127);
  for (const char *bad : {"", "-", "H4", "C", "C#", "C10", "G#9", "Cb", "C4x", "|E5", "#4"})
    EXPECT_EQ(note_key(bad), -1) << bad;
}

TEST(Notation, PhrasesSplitAtBarLinesAndRefuseBadNotes) {
  std::vector<std::string> bars = split_bars("E5:2 -:2 |F5:4| ");
  ASSERT_EQ(bars.size(), 3u);
  std::vector<PhraseNote> notes;
  std::string error;
  for (const std::string &b : bars) ASSERT_TRUE(read_notes(b, notes, error)) << error;
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[0].key, 76);
  EXPECT_EQ(notes[1].key, -1);
  EXPECT_EQ(notes[1].length, 2);
  EXPECT_EQ(notes[2].key, 77);
  EXPECT_EQ(notes[2].length, 4);
  for (const char *bad : {"E5", "E5:0", "E5:-1", "X5:2", "|E5:2", "E5:x"}) {
    notes.clear();
    EXPECT_FALSE(read_notes(std::string("C4:1 ") + bad, notes, error)) << bad;
    EXPECT_EQ(error, std::string("bad note \"") + bad + "\"");
  }
}

TEST(Notation, ChordsAndTheirBrokenTones) {
  Chord c;
  ASSERT_TRUE(read_chord("Am", c));
  EXPECT_EQ(c.root, 9);
  EXPECT_TRUE(c.minor);
  ASSERT_TRUE(read_chord("Bb", c));
  EXPECT_EQ(c.root, 10);
  EXPECT_FALSE(c.minor);
  ASSERT_TRUE(read_chord("-", c));
  EXPECT_EQ(c.root, -1);
  EXPECT_FALSE(read_chord("Hm", c));
  EXPECT_FALSE(read_chord("m", c));
  // A line of names reads in order ("-" a bar without a chord); a bad name
  // is given back.
  std::vector<Chord> chords;
  std::string error;
  ASSERT_TRUE(read_chords(" F  - Em ", chords, error));
  ASSERT_EQ(chords.size(), 3u);
  EXPECT_EQ(chords[0].root, 5);
  EXPECT_EQ(chords[1].root, -1);
  EXPECT_TRUE(chords[2].minor);
  EXPECT_FALSE(read_chords("C Hm G", chords, error));
  EXPECT_EQ(error, "bad chord \"Hm\"");
  // Roots lie from the lowest root up to an octave above it.
  int tones[4];
  read_chord("G", c);
  chord_tones(c, 55, tones);
  EXPECT_EQ(std::vector<int>(tones, tones + 4), (std::vector<int>{55, 59, 62, 67}));
  read_chord("F#m", c);
  chord_tones(c, 55, tones);
  EXPECT_EQ(std::vector<int>(tones, tones + 4), (std::vector<int>{66, 69, 73, 78}));
}

}  // namespace
