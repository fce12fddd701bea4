// score.cpp -- sideview's tune: an adventurous theme in C major at 150
// quarter notes a minute, 52 bars (83 seconds), written for the game's three
// square-wave voices: a melody in the fifth and sixth octaves, a bass in the
// second and a quiet, fast arpeggio of each chord in between. At most three
// notes ever sound together, one per part, so the player never drops one.
//
// Form: a four-bar intro whose first bar is the melody alone (a rising call
// that also tells a listener the tune has started), the theme A twice with
// two endings, the minor episode B twice (the second turning through A flat
// and B flat back to G), and A twice more. It ends on a held C with a rest,
// so it runs back into the intro when played again.
#include "score.h"

#include <vector>

#include "notation.h"

// ---------------------------------------------------------------- the score

// Melody lines in "NOTE:SIXTEENTHS", "-" for a rest, "|" between bars; each
// bar must add up to sixteen sixteenths.
static const char *intro_melody =
    "G4:2 C5:2 E5:2 G5:2 C6:6 -:2 | A5:2 G5:2 F5:2 A5:2 C6:4 A5:4 |"
    "B5:2 A5:2 G5:2 B5:2 D6:4 B5:4 | D6:2 -:2 D6:2 -:2 D6:2 B5:2 G5:2 D5:2";
static const char *theme_first =
    "E5:2 G5:2 C6:4 B5:2 C6:2 G5:4 | D5:2 G5:2 B5:4 A5:2 B5:2 G5:4 |"
    "C6:2 B5:2 A5:2 E5:2 A5:4 C6:4 | A5:2 G5:2 F5:2 A5:2 C6:6 -:2 |"
    "E5:2 G5:2 C6:4 B5:2 C6:2 E6:4 | D6:3 C6:1 B5:2 G5:2 B5:4 D6:4 |"
    "C6:2 A5:2 F5:2 A5:2 B5:2 G5:2 D5:2 B5:2 | C6:8 -:4 G5:2 F5:2";
static const char *theme_second =
    "E5:2 G5:2 C6:4 B5:2 C6:2 G5:4 | D5:2 G5:2 B5:4 A5:2 B5:2 G5:4 |"
    "C6:2 B5:2 A5:2 E5:2 A5:4 C6:4 | A5:2 G5:2 F5:2 A5:2 C6:6 -:2 |"
    "E5:2 G5:2 C6:4 B5:2 C6:2 D6:2 E6:2 | D6:4 B5:2 G5:2 A5:2 B5:2 D6:4 |"
    "C6:3 A5:1 F5:4 D6:3 B5:1 G5:4 | C6:12 -:4";
static const char *episode_first =
    "A5:6 E5:2 A5:4 B5:4 | G5:4 B5:4 E6:4 D6:2 B5:2 |"
    "C6:6 A5:2 F5:4 A5:4 | G5:6 E5:2 G5:4 C6:4 |"
    "F5:4 A5:4 D6:4 C6:2 A5:2 | C6:4 B5:2 A5:2 E5:8 |"
    "F5:2 A5:2 C6:2 F6:2 E6:4 C6:4 | D6:8 B5:2 G5:2 D5:2 F5:2";
static const char *episode_second =
    "A5:6 E5:2 A5:4 B5:4 | G5:4 B5:4 E6:4 D6:2 B5:2 |"
    "C6:6 A5:2 F5:4 A5:4 | G5:6 E5:2 G5:4 C6:4 |"
    "C6:4 Eb6:4 C6:2 Ab5:2 Eb5:4 | D6:4 F6:4 D6:2 Bb5:2 F5:4 |"
    "G5:2 A5:2 B5:2 D6:2 G6:4 F6:4 | D6:2 B5:2 G5:2 F5:2 D5:4 G5:2 F5:2";

// Chords, "|" between bars, one or two to a bar (two share it by halves);
// "-" is a bar without accompaniment.
static const char *intro_chords = "- | F | G | G";
static const char *theme_chords = "C | G | Am | F | C | G | F G | C";
static const char *episode_first_chords = "Am | Em | F | C | Dm | Am | F | G";
static const char *episode_second_chords = "Am | Em | F | C | Ab | Bb | G | G";

// Bass figures: eight eighth notes a bar, each an offset above the chord's
// root in the second octave.
static const int bass_octaves[8] = {0, 12, 0, 12, 0, 12, 0, 12};
static const int bass_gallop[8] = {0, 0, 12, 0, 0, 12, 7, 12};
static const int bass_drive[8] = {0, 0, 12, 0, 0, 7, 12, 7};

// Arpeggios: which chord tone (0 root, 1 third, 2 fifth, 3 octave) sounds
// at each step, and how long a step is in ticks.
struct Arpeggio {
  int steps[6];
  int count;
  int ticks;
};
static const Arpeggio arp_up = {{0, 1, 2, 3}, 4, TUNE_SIXTEENTH / 2};
static const Arpeggio arp_down = {{3, 2, 1, 0}, 4, TUNE_SIXTEENTH / 2};
static const Arpeggio arp_wave = {{0, 1, 2, 3, 2, 1}, 6, TUNE_SIXTEENTH};

struct Section {
  const char *melody;
  const char *chords;
  const int *bass;
  const Arpeggio *arp;
};

static const Section form[] = {
    {intro_melody, intro_chords, bass_octaves, &arp_up},
    {theme_first, theme_chords, bass_octaves, &arp_up},
    {theme_second, theme_chords, bass_octaves, &arp_up},
    {episode_first, episode_first_chords, bass_drive, &arp_wave},
    {episode_second, episode_second_chords, bass_drive, &arp_up},
    {theme_first, theme_chords, bass_gallop, &arp_down},
    {theme_second, theme_chords, bass_gallop, &arp_up},
};

// Loudness: volume is half the velocity. The melody leads (with a slight
// accent on each bar's first note), the bass is nearly as strong, the
// arpeggio stays behind both.
enum {
  MELODY_VELOCITY = 100,
  MELODY_ACCENT = 110,
  BASS_VELOCITY = 96,
  ARP_VELOCITY = 56,
  MELODY_GAP = 3,         // ticks of silence after each melody note
  BASS_LENGTH = 36,       // ticks an eighth-note bass note sounds
  BASS_ROOT_OCTAVE = 36,  // C2
  ARP_LOWEST_ROOT = 55,   // G3: arpeggio roots lie in G3..F#4
};

// General MIDI programs, for players other than the game's (it ignores them).
enum { SQUARE_LEAD = 80, SYNTH_BASS = 38 };

// ---------------------------------------------------------------- the parts

// melody_bar
// One bar of the melody from tick `at`, its first note accented; false on
// a bad note or a bar that doesn't add up.
static bool melody_bar(MidiTrack &track, long at, const std::string &bar, std::string &error) {
  std::vector<PhraseNote> notes;
  if (!read_notes(bar, notes, error)) return false;
  long t = at;
  for (size_t i = 0; i < notes.size(); i++) {
    long len = (long)notes[i].length * TUNE_SIXTEENTH;
    if (notes[i].key >= 0)
      track.note(t, len - MELODY_GAP, MELODY_CHANNEL, notes[i].key,
                 i == 0 ? MELODY_ACCENT : MELODY_VELOCITY);
    t += len;
  }
  if (t - at != TUNE_BAR) {
    error = "bar \"" + bar + "\" is not sixteen sixteenths long";
    return false;
  }
  return true;
}

// accompaniment
// Bass and arpeggio under one chord, from tick `at` for `len` ticks.
static void accompaniment(MidiTrack &track, long at, long len, Chord c, const Section &s) {
  if (c.root < 0) return;
  const long eighth = 2 * TUNE_SIXTEENTH;
  for (long t = 0; t < len; t += eighth) {
    int step = (int)(((at + t) % TUNE_BAR) / eighth);
    track.note(at + t, BASS_LENGTH, BASS_CHANNEL, BASS_ROOT_OCTAVE + c.root + s.bass[step],
               BASS_VELOCITY);
  }
  int tones[4];
  chord_tones(c, ARP_LOWEST_ROOT, tones);
  const Arpeggio &a = *s.arp;
  for (long t = 0, i = 0; t < len; t += a.ticks, i++)
    track.note(at + t, a.ticks, ARPEGGIO_CHANNEL, tones[a.steps[i % a.count]], ARP_VELOCITY);
}

// compose
long compose(MidiTrack &track, std::string &error) {
  track.name("sideview");
  track.meta(0, 0x58, {4, 2, 24, 8});  // 4/4
  track.tempo(0, TUNE_TEMPO_US);
  track.program(0, MELODY_CHANNEL, SQUARE_LEAD);
  track.program(0, BASS_CHANNEL, SYNTH_BASS);
  track.program(0, ARPEGGIO_CHANNEL, SQUARE_LEAD);
  long at = 0;
  for (const Section &s : form) {
    std::vector<std::string> tune = split_bars(s.melody), harmony = split_bars(s.chords);
    if (tune.size() != harmony.size()) {
      error = "melody and chords of a section differ in bars";
      return -1;
    }
    for (size_t b = 0; b < tune.size(); b++, at += TUNE_BAR) {
      if (!melody_bar(track, at, tune[b], error)) return -1;
      std::vector<Chord> chords;
      if (!read_chords(harmony[b], chords, error)) return -1;
      if (chords.empty() || chords.size() > 2) {
        error = "a bar needs one or two chords: \"" + harmony[b] + "\"";
        return -1;
      }
      long part = TUNE_BAR / (long)chords.size();
      for (size_t k = 0; k < chords.size(); k++)
        accompaniment(track, at + (long)k * part, part, chords[k], s);
    }
  }
  return at;
}
